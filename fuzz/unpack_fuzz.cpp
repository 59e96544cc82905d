// libFuzzer target for unpacking hostile attachments. The input is an object name, then attachments,
// each a name, a description and the stored content (length-prefixed: one byte for texts, two for the
// content); the attachments are unpacked into a scratch folder. Only Error may be thrown; nothing may
// appear outside the chosen folder, no link may be made, and every attachment whose content is not
// damaged must come out as a file of its own holding its content.
//   TARVENA_DICTIONARIES   folder of DICTIONARYS.BIN and GROUPS.BIN (default build/bin)
#include "exchange/unpacking/unpack.h"
#include "exchange/workbooks/outputfile.h"
#include "model/datamodule.h"
#include "storage/error.h"
#include "storage/gzip.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

using namespace tarvena;
namespace fs = std::filesystem;

namespace {

class Reader
{
public:
    Reader(const std::uint8_t *data, std::size_t size) : mData(data), mSize(size) {}
    bool more() const { return mPos < mSize; }
    std::string take(std::size_t lengthBytes)
    {
        std::size_t length = 0;
        for (std::size_t i = 0; i < lengthBytes && mPos < mSize; ++i)
            length = length << 8 | mData[mPos++];
        length = std::min(length, mSize - mPos);
        std::string bytes(reinterpret_cast<const char *>(mData + mPos), length);
        mPos += length;
        return bytes;
    }

private:
    const std::uint8_t *mData;
    std::size_t mSize;
    std::size_t mPos = 0;
};

[[noreturn]] void finding(const std::string &what)
{
    std::fprintf(stderr, "unpack_fuzz: %s\n", what.c_str());
    std::abort();
}

std::string fileBytes(const fs::path &file)
{
    std::ifstream in(file, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

struct Scratch
{
    fs::path root;
    fs::path chosen;
    fs::path sentinel;
};

Scratch &scratch()
{
    static Scratch s = [] {
        Scratch made;
        const char *shm = "/dev/shm";
        const fs::path base = fs::is_directory(shm) ? fs::path(shm) : fs::temp_directory_path();
        made.root = base / ("tarvena-unpack-fuzz-" + std::to_string(::getpid()));
        made.chosen = made.root / "chosen";
        made.sentinel = made.root / "outside.txt";
        fs::create_directories(made.root);
        std::ofstream(made.sentinel) << "outside";
        // The path outlives the static objects, which are gone when the exit handlers run.
        static const fs::path *root = new fs::path(made.root);
        std::atexit([] {
            std::error_code ignored;
            fs::remove_all(*root, ignored);
        });
        return made;
    }();
    return s;
}

TDataModule2 &dataModule()
{
    static std::unique_ptr<TDataModule2> dm = [] {
        auto made = std::make_unique<TDataModule2>();
        const char *dir = std::getenv("TARVENA_DICTIONARIES");
        made->DataModuleCreate(dir ? dir : "build/bin");
        return made;
    }();
    return *dm;
}

// Every entry below the scratch root lies in the chosen folder (or is the sentinel), and none is a link.
void checkNoEscape()
{
    const Scratch &s = scratch();
    for (auto it = fs::recursive_directory_iterator(s.root); it != fs::recursive_directory_iterator(); ++it) {
        const fs::path &path = it->path();
        if (it->is_symlink())
            finding("a link was made: " + path.string());
        if (path == s.chosen || path == s.sentinel)
            continue;
        const auto [end, _] = std::mismatch(s.chosen.begin(), s.chosen.end(), path.begin(), path.end());
        if (end != s.chosen.end())
            finding("written outside the chosen folder: " + path.string());
    }
    if (fileBytes(s.sentinel) != "outside")
        finding("the file beside the chosen folder changed");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    TDataModule2 &dm = dataModule();
    const Scratch &s = scratch();
    Reader input(data, size);
    const std::string objectName = input.take(1);
    std::vector<std::string> expected; // the contents that must come out, in any order
    MemTable &files = dm.FILES;
    files.EmptyTable();
    for (int count = 0; input.more() && count < 24; ++count) {
        const std::string name = input.take(1);
        const std::string description = input.take(1);
        const std::string content = input.take(2);
        try {
            files.Append();
            files.FieldByName("NAME").SetAsString(name);
            files.FieldByName("DESCRIPTION").SetAsString(description);
            files.FieldByName("CONTENT").SetAsString(content);
            files.Post();
        } catch (const Error &) {
            files.Cancel(); // a name or description the table refuses never reaches the unpacking
            continue;
        }
        bool intact = true;
        std::string plain = gunzipBytes(content, &intact);
        if (intact)
            expected.push_back(std::move(plain));
    }

    std::error_code ignored;
    fs::remove_all(s.chosen, ignored);
    try {
        const UnpackFolders folders = unpackFolders(pathToUtf8(s.chosen), objectName);
        unpackAttachments(dm, folders);
    } catch (const Error &) {
        checkNoEscape();
        return 0;
    }
    checkNoEscape();

    std::vector<std::string> written;
    for (const auto &entry : fs::recursive_directory_iterator(s.chosen))
        if (entry.is_regular_file() && entry.path().filename() != "Descript.ion")
            written.push_back(fileBytes(entry.path()));
    std::sort(written.begin(), written.end());
    std::sort(expected.begin(), expected.end());
    if (written != expected)
        finding("attachments lost or changed: " + std::to_string(expected.size()) + " expected, " +
                std::to_string(written.size()) + " written");
    return 0;
}
