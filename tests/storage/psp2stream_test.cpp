// The passport file stream: a file being written is held, and a second writer cannot empty it.
#include "storage/error.h"
#include "storage/psp2stream.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <unistd.h>

using namespace tarvena;

TEST(PSP2Stream, SecondWriterIsRefusedWithoutDamagingTheFirst)
{
    const std::filesystem::path path =
        std::filesystem::temp_directory_path() / ("tarvena-lock-" + std::to_string(::getpid()) + ".psp");
    const std::string payload(3 << 20, 'p');
    {
        TPSP2Stream first;
        first.CreateForWrite(path.string(), true);
        first.writeAll(payload.data(), payload.size() / 2);
        TPSP2Stream second;
        EXPECT_THROW(second.CreateForWrite(path.string(), true), Error);
        first.writeAll(payload.data(), payload.size() / 2);
        first.finish();
    }
    std::ifstream in(path, std::ios::binary);
    const std::string bytes(std::istreambuf_iterator<char>(in), {});
    std::filesystem::remove(path);
    ASSERT_EQ(bytes.size(), 9 + payload.size());
    EXPECT_EQ(bytes.substr(0, 9), std::string("\x07kertal2\x01", 9));
    EXPECT_EQ(bytes.substr(9), payload);
}
