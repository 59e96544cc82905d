// tarvena-cli as a user runs it: dump, resave, exit codes and messages.
#include "model/datamodule.h"
#include "storage/gzip.h"
#include "storage/stream.h"
#include "tests/support/samplepassport.h"

#include "tests/support/clirun.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sys/wait.h>
#include <unistd.h>

using namespace tarvena;

using tarvena::testing::CliRun;
using tarvena::testing::runCliLine;

namespace {

namespace fs = std::filesystem;

class CliTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        mDir = fs::temp_directory_path() / ("tarvena-cli-" + std::to_string(::getpid()));
        fs::remove_all(mDir);
        fs::create_directories(mDir);
        TDataModule2 dm;
        dm.DataModuleCreate(tarvena::testing::dictionaryDir());
        tarvena::testing::fillSamplePassport(dm);
        mPassport = (mDir / "sample.psp").string();
        dm.SavePassport(mPassport);
    }
    void TearDown() override { fs::remove_all(mDir); }

    fs::path mDir;
    std::string mPassport;
};

TEST_F(CliTest, ResavedPassportDumpsTheSame)
{
    const CliRun first = runCliLine("dump " + mPassport);
    ASSERT_EQ(first.exitCode, 0) << first.out;
    EXPECT_EQ(first.out.rfind("{\"tables\": {", 0), 0u);
    for (const char *part :
         {"\"PASPORTS\": {\"fields\": [\"ID\"", "\"OBJECTNAME\": \"Северо-Тарвенская структура\"",
          "\"KONTUR\": {", "\"FILES\": {", "\"sha256\": \"", "\"gunzip_sha256\": \""})
        EXPECT_NE(first.out.find(part), std::string::npos) << part;

    const std::string copy = (mDir / "copy.psp").string();
    const CliRun resave = runCliLine("resave " + mPassport + " " + copy);
    ASSERT_EQ(resave.exitCode, 0) << resave.out;
    EXPECT_EQ(runCliLine("dump " + copy).out, first.out);
    // Options may stand after the positional arguments.
    EXPECT_EQ(runCliLine("dump " + copy + " --dictionaries " + TARVENA_BIN_DIR).out, first.out);
}

// Zeros made up as they are read.
class ZeroStream : public Stream
{
public:
    explicit ZeroStream(std::size_t size) : mLeft(size) {}
    std::size_t read(void *buffer, std::size_t count) override
    {
        const std::size_t n = std::min(count, mLeft);
        std::memset(buffer, 0, n);
        mLeft -= n;
        return n;
    }
    std::size_t write(const void *, std::size_t) override { return 0; }
    std::int64_t position() const override { return 0; }
    void seek(std::int64_t) override {}
    std::int64_t size() const override { return static_cast<std::int64_t>(mLeft); }

private:
    std::size_t mLeft;
};

TEST_F(CliTest, DumpHashesAnAttachmentBombInBoundedMemory)
{
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "the sanitizer's shadow memory does not fit under an address space limit";
#endif
    ZeroStream zeros(std::size_t{256} << 20);
    MemoryStream bomb;
    ASSERT_EQ(TGzip().Compress(zeros, bomb), TGzip::Ok);
    TDataModule2 dm;
    dm.DataModuleCreate(tarvena::testing::dictionaryDir());
    tarvena::testing::fillSamplePassport(dm);
    dm.FILES.Append();
    dm.FILES.FieldByName("NAME").SetAsString("zeros.bin");
    dm.FILES.FieldByName("CONTENT").SetAsString(bomb.toString());
    dm.FILES.Post();
    const std::string path = (mDir / "bomb.psp").string();
    dm.SavePassport(path);

    // 256 MB of content under a 200 MB address space: only a digest taken as it inflates fits.
    const CliRun run = tarvena::testing::runCliLineLimited("dump " + path, 200 * 1024);
    ASSERT_EQ(run.exitCode, 0) << run.out.substr(0, 2000);
    EXPECT_NE(run.out.find(
                  "\"gunzip_sha256\": \"a6d72ac7690f53be6ae46ba88506bd97302a093f7108472bd9efc3cefda06484\""),
              std::string::npos);
}

TEST_F(CliTest, DumpIsValidJsonWhateverTheTextsHold)
{
    TDataModule2 dm;
    dm.DataModuleCreate(tarvena::testing::dictionaryDir());
    tarvena::testing::fillSamplePassport(dm);
    std::string name = "quote\" backslash\\ ";
    for (int c = 1; c < 0x20; ++c)
        name.push_back(static_cast<char>(c));
    name += "\x98\xFF\x7F";
    dm.PASPORTS.Edit();
    dm.PASPORTS.FieldByName("OBJECTNAME").SetAsString(name);
    dm.PASPORTS.Post();
    const std::string path = (mDir / "texts.psp").string();
    dm.SavePassport(path);
    const std::string json = (mDir / "texts.json").string();
    ASSERT_EQ(runCliLine("dump " + path + " > " + json).exitCode, 0);
    // An independent reader takes the document and gives back the text as stored (code page 1251).
    const std::string check =
        "python3 -c \"import json,sys; d=json.load(open(sys.argv[1], encoding='utf-8')); "
        "v=d['tables']['PASPORTS']['rows'][0]['OBJECTNAME']; "
        "sys.exit(0 if v.encode('cp1251', 'ignore') == bytes.fromhex(sys.argv[2]) else 1)\" ";
    std::string hex;
    for (unsigned char c : name) {
        if (c == 0x98)
            continue; // the one byte code page 1251 leaves undefined
        static const char digits[] = "0123456789abcdef";
        hex += digits[c >> 4];
        hex += digits[c & 0xF];
    }
    EXPECT_EQ(std::system((check + "'" + json + "' " + hex).c_str()), 0);
    // Backspace and form feed keep the escapes the dump has always written.
    EXPECT_NE(tarvena::testing::readFileBytes(json).find("\\u0008"), std::string::npos);
}

TEST_F(CliTest, SummaryPrintsTheGeologyLabelsInOrderThenAnAreaLinePerHorizon)
{
    const CliRun run = runCliLine("summary " + mPassport);
    ASSERT_EQ(run.exitCode, 0) << run.out;
    std::vector<std::string> names;
    std::size_t start = 0;
    while (start < run.out.size()) {
        const std::size_t end = run.out.find('\n', start);
        const std::string line = run.out.substr(start, end - start);
        names.push_back(line.substr(0, line.find(':')));
        start = end == std::string::npos ? run.out.size() : end + 1;
    }
    EXPECT_EQ(names,
              (std::vector<std::string>{"Label29", "Label71", "Label72", "Label73", "Label74", "Label75",
                                        "Label93", "Label95", "Label97", "Label99", "Label102", "Label101",
                                        "Label106", "Label105", "Horizon1", "Horizon2"}));
}

TEST_F(CliTest, RawDumpShowsStoredTablesAndMissingBlocks)
{
    // Keep only the header and the first block.
    std::ifstream in(mPassport, std::ios::binary);
    std::string bytes(std::istreambuf_iterator<char>(in), {});
    const auto *p = reinterpret_cast<const unsigned char *>(bytes.data() + 9);
    const std::size_t first = 9 + 4 + (p[0] | p[1] << 8 | p[2] << 16 | std::uint32_t(p[3]) << 24);
    const std::string cut = (mDir / "cut.psp").string();
    std::ofstream(cut, std::ios::binary) << bytes.substr(0, first);

    const CliRun raw = runCliLine("dump --raw " + cut);
    ASSERT_EQ(raw.exitCode, 0) << raw.out;
    EXPECT_NE(raw.out.find("\"_status\": 0"), std::string::npos);
    EXPECT_NE(raw.out.find("\"KONTUR\": null"), std::string::npos);
    EXPECT_NE(raw.out.find("\"FILES\": null"), std::string::npos);
}

TEST_F(CliTest, FindsDictionariesInstalledOrWhereTheUserSays)
{
    // An installed tree: the programs in bin/, the dictionaries in share/tarvena beside it.
    const fs::path bin = mDir / "usr" / "bin";
    const fs::path share = mDir / "usr" / "share" / "tarvena";
    fs::create_directories(bin);
    fs::create_directories(share);
    for (const char *program : {"tarvena-cli", "tarvena-gis"}) // the summary runs in the GIS companion
        fs::copy_file(fs::path(TARVENA_BIN_DIR) / program, bin / program);
    for (const char *name : {"DICTIONARYS.BIN", "GROUPS.BIN"})
        fs::copy_file(fs::path(TARVENA_BIN_DIR) / name, share / name);
    const std::string empty = (mDir / "пусто").string();
    fs::create_directories(empty);

    struct Case
    {
        std::string environment;
        std::string options;
        int exitCode;
        std::string message;
    };
    for (const Case &c : {
             Case{"", "", 0, "Label29: горизонтов: 2"},
             Case{empty, "", 1, empty + "/DICTIONARYS.BIN"},
             Case{empty, " --dictionaries '" + share.string() + "'", 0, "Label29: горизонтов: 2"},
         }) {
        SCOPED_TRACE(c.environment + c.options);
        const std::string variable = c.environment.empty()
                                         ? "env -u TARVENA_DICTIONARIES"
                                         : "env TARVENA_DICTIONARIES='" + c.environment + "'";
        const CliRun run = tarvena::testing::runShell(variable + " '" + (bin / "tarvena-cli").string() +
                                                      "' summary " + mPassport + c.options);
        EXPECT_EQ(run.exitCode, c.exitCode);
        EXPECT_NE(run.out.find(c.message), std::string::npos) << run.out;
    }
}

TEST_F(CliTest, ErrorsAndUsage)
{
    struct Case
    {
        std::string arguments;
        int exitCode;
        std::string message;
    };
    const std::string missing = (mDir / "нет такого.psp").string();
    for (const Case &c :
         {Case{"", 2, "usage"}, Case{"dump", 2, "usage"}, Case{"frobnicate x", 2, "usage"},
          Case{"dump --bogus " + mPassport, 2, "usage"},
          Case{"dump '" + missing + "'", 1, "Не удалось открыть файл паспорта \"" + missing},
          Case{"dump " + mPassport + " --dictionaries " + mDir.string(), 1, "DICTIONARYS.BIN"}}) {
        SCOPED_TRACE(c.arguments);
        const CliRun run = runCliLine(c.arguments);
        EXPECT_EQ(run.exitCode, c.exitCode);
        EXPECT_NE(run.out.find(c.message), std::string::npos) << run.out;
    }
}

} // namespace
