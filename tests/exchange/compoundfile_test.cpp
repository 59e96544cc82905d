// The compound file container, read by xlrd's container reader (and olefile in strict mode where
// installed) at the sizes where its layout changes.
#include "exchange/workbooks/compoundfile.h"
#include "tests/exchange/readback.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <fstream>
#include <random>

namespace tarvena {
namespace {

TEST(CompoundFile, StreamOfEverySizeReadsBack)
{
    const std::size_t sizes[] = {
        1,        4095, 4096, 4097, 5000,
        7087104,  // the largest stream the header's 109 allocation sectors can map
        7087105,  // the first extension sector
        17000000, // two extension sectors
    };
    testing::TempFolder folder;
    std::mt19937 random(7);
    for (std::size_t size : sizes) {
        SCOPED_TRACE(size);
        std::vector<std::uint8_t> data(size);
        for (auto &b : data)
            b = static_cast<std::uint8_t>(random());
        const std::string file = folder.file("container.xls");
        {
            std::ofstream out(file, std::ios::binary);
            xls::writeCompoundFile(out, "Workbook", data);
        }
        // A short stream is padded with zeros to the mini stream cutoff.
        std::vector<std::uint8_t> expected = data;
        expected.resize(std::max<std::size_t>(size, xls::MiniStreamCutoff), 0);
        const testing::ReadContainer read = testing::readContainer(file);
        EXPECT_EQ(read.size, static_cast<long long>(expected.size()));
        EXPECT_EQ(read.crc32, crc32(0, expected.data(), static_cast<uInt>(expected.size())));
        if (!read.entries.empty()) {
            EXPECT_EQ(read.entries, std::vector<std::string>{"Workbook"});
        }
        EXPECT_EQ(std::filesystem::file_size(file) % 512, 0u);
    }
}

} // namespace
} // namespace tarvena
