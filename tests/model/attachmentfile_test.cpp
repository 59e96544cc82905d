// A file attached to a passport is read and compressed piece by piece: the bytes come back whole, a
// file that cannot be read is refused by name, and memory stays near the compressed size.
#include "model/attachmentfile.h"
#include "model/datamodule.h"
#include "model/fileslots.h"
#include "storage/gzip.h"
#include "tests/support/errortext.h"
#include "tests/support/samplepassport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace tarvena {
namespace {

namespace fs = std::filesystem;
using testing::errorOf;
using testing::noiseBytes;

class AttachmentFile : public ::testing::Test
{
protected:
    void SetUp() override
    {
        mDir = fs::temp_directory_path() / ("tarvena-attach-" + std::to_string(::getpid()));
        fs::create_directories(mDir);
    }
    void TearDown() override
    {
        fs::permissions(mDir, fs::perms::owner_all, fs::perm_options::add);
        fs::remove_all(mDir);
    }
    std::string write(const std::string &name, const std::string &bytes)
    {
        const fs::path path = mDir / name;
        std::ofstream(path, std::ios::binary) << bytes;
        return path.string();
    }
    fs::path mDir;
};

TEST_F(AttachmentFile, ContentComesBackAsOneGzipMember)
{
    for (const std::string &bytes : {std::string(), std::string("x"), noiseBytes(100000, 3),
                                     std::string(300000, 'a') + noiseBytes(5000, 4)}) {
        const std::string content = compressedFileContent(write("Карта.jpg", bytes));
        EXPECT_TRUE(isGzipMember(content)) << bytes.size();
        bool intact = false;
        EXPECT_EQ(gunzipBytes(content, &intact), bytes) << bytes.size();
        EXPECT_TRUE(intact) << bytes.size();
    }
}

TEST_F(AttachmentFile, UnreadableFileIsRefusedByName)
{
    const std::string locked = write("закрыт.doc", "secret");
    fs::permissions(locked, fs::perms::none);
    const struct
    {
        std::string path;
        const char *reason;
        bool applies;
    } cases[] = {
        {(mDir / "нет такого.doc").string(), "файл или папка не найдены", true},
        {mDir.string(), "это папка, а не файл", true},
        {locked, "нет доступа", ::geteuid() != 0}, // the administrator reads everything
        // Opens, then fails on the first read: a failure midway is not taken for the end of the file.
        {"/proc/self/mem", "", fs::exists("/proc/self/mem")},
    };
    for (const auto &c : cases) {
        if (!c.applies)
            continue;
        const std::string error = errorOf([&] { compressedFileContent(c.path); });
        EXPECT_EQ(error.rfind("Не удалось прочитать файл \"" + c.path + "\": " + c.reason, 0), 0u) << error;
    }
}

long peakKilobytes(const char *key)
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind(key, 0) == 0)
            return std::stol(line.substr(std::string(key).size()));
    }
    return -1;
}

// Attaching a file of N bytes holds at most about 2 × N plus the compressed size at any moment:
// reading, compressing and storing the record included.
TEST_F(AttachmentFile, MemoryWhileAttachingStaysNearTheCompressedSize)
{
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "the sanitizer's quarantine keeps freed buffers resident, so the peak says nothing";
#endif
    constexpr std::size_t kSize = 32u << 20;
    const std::string path = write("снимок.bmp", noiseBytes(kSize, 9));
    TDataModule2 dm;
    dm.openPassportTables();
    FileSlots slots(dm);
    slots.RebuildFileSlots();

    {
        std::ofstream reset("/proc/self/clear_refs");
        reset << "5";
        if (!reset.flush())
            GTEST_SKIP() << "the peak memory of the process cannot be reset here";
    }
    const long before = peakKilobytes("VmRSS:");
    std::string content = compressedFileContent(path);
    const std::size_t compressed = content.size();
    slots.attach(SlotList::Additional, "снимок.bmp", std::move(content));
    const long peak = peakKilobytes("VmHWM:");
    ASSERT_GT(before, 0);

    const long limit = long((2 * kSize + compressed) / 1024);
    EXPECT_LT(peak - before, limit) << "peak grew by " << (peak - before) << " KiB";
    EXPECT_EQ(dm.FILES.FieldByName("CONTENT").AsString().size(), compressed);
}

} // namespace
} // namespace tarvena
