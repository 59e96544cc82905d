// Passport files: header, blocks, damaged and partial files, the copy by field names, safe saving.
#include "model/datamodule.h"
#include "model/passportblocks.h"
#include "storage/error.h"
#include "storage/gzip.h"
#include "storage/stream.h"
#include "storage/tablestream.h"
#include "tests/support/samplepassport.h"

#include "tests/support/clirun.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <set>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace tarvena;
using tarvena::testing::cp;

namespace {

namespace fs = std::filesystem;

void writeFile(const fs::path &path, const std::string &bytes)
{
    std::ofstream(path, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// Every stored row of the five passport tables, for comparing two passports.
std::vector<std::vector<Value>> contentOf(TDataModule2 &dm)
{
    std::vector<std::vector<Value>> rows;
    for (MemTable *table : dm.passportTables())
        table->forEachStoredInOrder([&](const std::vector<Value> &values, int) { rows.push_back(values); });
    return rows;
}

class PassportFileTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        mDir = fs::temp_directory_path() / ("tarvena-psp-" + std::to_string(::getpid()) + "-" +
                                            ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(mDir);
        fs::create_directories(mDir);
        mDm = freshModule();
    }
    void TearDown() override { fs::remove_all(mDir); }

    static std::unique_ptr<TDataModule2> freshModule()
    {
        auto dm = std::make_unique<TDataModule2>();
        dm->DataModuleCreate(tarvena::testing::dictionaryDir());
        return dm;
    }

    // A passport file made of the given blocks (each a table saved as the program saves it).
    std::string passportBytes(const std::vector<MemTable *> &tables, bool header, std::uint8_t version = 1)
    {
        MemoryStream out;
        if (header) {
            const std::uint8_t head[9] = {7, 'k', 'e', 'r', 't', 'a', 'l', '2', version};
            out.write(head, 9);
        }
        for (MemTable *table : tables) {
            const bool plain = header && table == &mDm->FILES;
            TableStreamFormat *saved = table->DefaultFormat;
            table->DefaultFormat = plain ? mDm->Format2.get() : mDm->Format1.get();
            MemoryStream block;
            table->SaveToStream(block);
            table->DefaultFormat = saved;
            const std::uint32_t n = static_cast<std::uint32_t>(block.bytes().size());
            const std::uint8_t prefix[4] = {std::uint8_t(n), std::uint8_t(n >> 8), std::uint8_t(n >> 16),
                                            std::uint8_t(n >> 24)};
            out.write(prefix, 4);
            out.write(block.bytes().data(), n);
        }
        return out.toString();
    }

    std::string savedSample(const tarvena::testing::SampleSpec &spec = {})
    {
        tarvena::testing::fillSamplePassport(*mDm, spec);
        const std::string path = (mDir / "sample.psp").string();
        mDm->SavePassport(path);
        return path;
    }

    fs::path mDir;
    std::unique_ptr<TDataModule2> mDm;
};

TEST_F(PassportFileTest, SaveAndOpenKeepEveryValue)
{
    const std::string path = savedSample();
    const auto before = contentOf(*mDm);
    const std::string bytes = tarvena::testing::readFileBytes(path);
    ASSERT_GT(bytes.size(), 9u);
    EXPECT_EQ(bytes.substr(0, 9), std::string("\x07kertal2\x01", 9));

    auto other = freshModule();
    EXPECT_TRUE(other->OpenPassport(path));
    EXPECT_EQ(other->PassportFileName, path);
    EXPECT_FALSE(other->PassportLoading);
    EXPECT_EQ(contentOf(*other), before);
    EXPECT_EQ(other->KONTUR.storedRecordCount(), 10);

    // Once opened, a passport saves to the same bytes every time (rows edited after they were
    // added carry the "changed" status only until the passport is opened again).
    const std::string again = (mDir / "again.psp").string();
    other->SavePassport(again);
    auto third = freshModule();
    third->OpenPassport(again);
    const std::string thirdPath = (mDir / "third.psp").string();
    third->SavePassport(thirdPath);
    EXPECT_EQ(tarvena::testing::readFileBytes(thirdPath), tarvena::testing::readFileBytes(again));
}

TEST_F(PassportFileTest, VersionByteAndShortFiles)
{
    tarvena::testing::fillSamplePassport(*mDm);
    const auto tables = mDm->passportTables();
    struct Case
    {
        const char *name;
        std::string bytes;
        const char *error; // nullptr: opens
    };
    const std::string v1 = passportBytes({tables.begin(), tables.end()}, true, 1);
    const std::vector<Case> cases = {
        {"version 0 reads like 1", passportBytes({tables.begin(), tables.end()}, true, 0), nullptr},
        {"version 2 is refused", passportBytes({tables.begin(), tables.end()}, true, 2),
         "Unknown PSP version"},
        {"headerless with five format-1 blocks", passportBytes({tables.begin(), tables.end()}, false),
         nullptr},
        {"cut inside a block", v1.substr(0, v1.size() / 4), "Stream read error"},
        {"block length past the end", std::string("\x07kertal2\x01\xff\xff\xff\x7f", 13),
         "Stream read error"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = (mDir / "case.psp").string();
        writeFile(path, c.bytes);
        auto dm = freshModule();
        if (c.error) {
            try {
                dm->OpenPassport(path);
                ADD_FAILURE() << "opened";
            } catch (const Error &e) {
                EXPECT_EQ(std::string(e.what()), c.error);
            }
            EXPECT_TRUE(dm->PassportFileName.empty());
            EXPECT_FALSE(dm->PassportLoading);
        } else {
            EXPECT_TRUE(dm->OpenPassport(path));
            EXPECT_EQ(contentOf(*dm), contentOf(*mDm));
        }
    }
}

TEST_F(PassportFileTest, FileEndingAfterBlockThreeLeavesTheRestEmpty)
{
    tarvena::testing::fillSamplePassport(*mDm);
    const std::string path = (mDir / "three.psp").string();
    writeFile(path, passportBytes({&mDm->PASPORTS, &mDm->REFLECT_HORIZONTS, &mDm->POSIB_PRODUCT_HOR}, true));
    auto dm = freshModule();
    tarvena::testing::fillSamplePassport(*dm); // a passport that was open before
    EXPECT_TRUE(dm->OpenPassport(path));
    EXPECT_EQ(dm->REFLECT_HORIZONTS.storedRecordCount(), 2);
    EXPECT_EQ(dm->KONTUR.storedRecordCount(), 0);
    EXPECT_EQ(dm->FILES.storedRecordCount(), 0);
}

TEST_F(PassportFileTest, DamagedFileLeavesTheOpenPassportAsItWasAndOffersWhatWasReadWhole)
{
    tarvena::testing::fillSamplePassport(*mDm);
    const auto tables = mDm->passportTables();
    const std::string whole = passportBytes({tables.begin(), tables.end()}, true);
    // The offset of a block's table stream, after its length.
    const auto blockStart = [&](int wanted) {
        std::size_t offset = 9;
        for (int block = 0; block < wanted; ++block) {
            const auto *p = reinterpret_cast<const unsigned char *>(whole.data() + offset);
            offset += 4 + (p[0] | p[1] << 8 | p[2] << 16 | std::uint32_t(p[3]) << 24);
        }
        return offset + 4;
    };
    struct Case
    {
        const char *name;
        std::string bytes;
        int survived; // tables read whole; 0: a plain error, nothing to offer
        const char *lost;
        const char *error;
    };
    std::string spoiled = whole;
    spoiled[blockStart(2)] = 'X'; // the gzip magic of block 3: read as a plain, invalid table stream
    std::string firstSpoiled = whole;
    firstSpoiled[blockStart(0)] = 'X';
    const std::vector<Case> cases = {
        {"block 3 spoiled", spoiled, 2, "возможно продуктивные горизонты, контуры, присоединённые файлы",
         "Invalid stream format"},
        {"cut inside the files block", whole.substr(0, whole.size() - 40), 4, "присоединённые файлы", "Stream read error"},
        {"the record's block spoiled", firstSpoiled, 0, "", ""},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = (mDir / "damaged.psp").string();
        writeFile(path, c.bytes);
        auto dm = freshModule();
        tarvena::testing::SampleSpec before;
        before.reflectHorizons = 5;
        before.productiveHorizons = 3;
        tarvena::testing::fillSamplePassport(*dm, before);
        dm->PassportFileName = "before.psp";
        const auto content = contentOf(*dm);
        std::shared_ptr<PassportBlocks> survived;
        try {
            dm->OpenPassport(path);
            ADD_FAILURE() << "opened";
        } catch (const DamagedPassport &damaged) {
            EXPECT_EQ(std::string(damaged.what()), c.error);
            EXPECT_EQ(damaged.survived().complete, c.survived);
            EXPECT_EQ(damaged.survived().lostTables(), c.lost);
            survived = std::make_shared<PassportBlocks>(std::move(damaged.survived()));
        } catch (const Error &error) {
            EXPECT_EQ(c.survived, 0) << error.what();
        }
        // Nothing of the damaged file reached the open passport.
        EXPECT_EQ(contentOf(*dm), content);
        EXPECT_EQ(dm->PassportFileName, "before.psp");
        EXPECT_FALSE(dm->PassportLoading);
        if (!survived)
            continue;
        // The tables read whole open as a new passport; the rest start empty.
        dm->openSurvivingPart(*survived);
        EXPECT_TRUE(dm->PassportFileName.empty());
        EXPECT_EQ(dm->PASPORTS.storedRecordCount(), 1);
        EXPECT_EQ(dm->REFLECT_HORIZONTS.storedRecordCount(), 2);
        EXPECT_EQ(dm->POSIB_PRODUCT_HOR.storedRecordCount(), c.survived > 2 ? 2 : 0);
        EXPECT_EQ(dm->KONTUR.storedRecordCount(), c.survived > 3 ? 10 : 0);
        EXPECT_EQ(dm->FILES.storedRecordCount(), 0);
        EXPECT_EQ(dm->PASPORTS.FieldByName("OBJECTNAME").AsString(),
                  mDm->PASPORTS.FieldByName("OBJECTNAME").AsString());
    }
}

TEST_F(PassportFileTest, UnopenablePathChangesNothing)
{
    const std::string path = savedSample();
    const auto before = contentOf(*mDm);
    for (const fs::path &bad : {mDir / "missing.psp", mDir}) {
        try {
            mDm->OpenPassport(bad.string());
            ADD_FAILURE() << "opened " << bad;
        } catch (const Error &e) {
            EXPECT_NE(std::string(e.what()).find(bad.string()), std::string::npos) << e.what();
        }
        EXPECT_EQ(mDm->PassportFileName, path);
        EXPECT_EQ(contentOf(*mDm), before);
    }
}

TEST_F(PassportFileTest, RepeatedIdsAreRenumberedInHorizonTablesOnly)
{
    tarvena::testing::fillSamplePassport(*mDm);
    // Two reflecting horizons and two productive horizons sharing one ID, as old files may hold.
    MemTable reflect("REFLECT_HORIZONTS");
    reflect.addField("ID", FieldType::Integer);
    reflect.addField("INDEXOG", FieldType::String, 128);
    reflect.addField("EXTRA_FIELD", FieldType::String, 20); // unknown to the program: dropped
    reflect.Open();
    for (const char *index : {"A", "B", "C"}) {
        reflect.Append();
        reflect.FieldByName("ID").SetAsInteger(77);
        reflect.FieldByName("INDEXOG").SetAsString(index);
        reflect.FieldByName("EXTRA_FIELD").SetAsString("x");
        reflect.Post();
    }
    MemTable points("KONTUR");
    points.addField("ID", FieldType::Integer);
    points.addField("HEAD_ID", FieldType::Integer);
    points.addField("X", FieldType::Float); // Y is missing: it stays empty
    points.Open();
    for (int i = 0; i < 3; ++i) {
        points.Append();
        points.FieldByName("ID").SetAsInteger(5);
        points.FieldByName("HEAD_ID").SetAsInteger(77);
        points.FieldByName("X").SetAsFloat(i);
        points.Post();
    }
    const std::string path = (mDir / "ids.psp").string();
    writeFile(path,
              passportBytes({&mDm->PASPORTS, &reflect, &mDm->POSIB_PRODUCT_HOR, &points, &mDm->FILES}, true));

    auto dm = freshModule();
    ASSERT_TRUE(dm->OpenPassport(path));
    std::set<std::int64_t> ids;
    dm->REFLECT_HORIZONTS.forEachStoredInOrder([&](const std::vector<Value> &v, int) {
        ids.insert(std::get<std::int64_t>(v[0]));
        EXPECT_LT(std::get<std::int64_t>(v[0]), 999999);
    });
    EXPECT_EQ(ids.size(), 3u);
    EXPECT_TRUE(ids.count(77));
    const int y = dm->KONTUR.FieldByName("Y").dataIndex();
    const int head = dm->KONTUR.FieldByName("HEAD_ID").dataIndex();
    dm->KONTUR.forEachStoredInOrder([&](const std::vector<Value> &v, int) {
        EXPECT_TRUE(isNull(v[static_cast<std::size_t>(y)]));
        EXPECT_EQ(std::get<std::int64_t>(v[static_cast<std::size_t>(head)]), 77);
    });
    EXPECT_EQ(dm->KONTUR.storedRecordCount(), 3);
}

TEST_F(PassportFileTest, StoredValuesAreTakenAsTheProgramsFieldsTakeThem)
{
    tarvena::testing::fillSamplePassport(*mDm);
    // IDs stored as floats are rounded like any assignment (5.6 and 6 collide), and stored bytes never
    // land in a text field of the same name.
    MemTable reflect("REFLECT_HORIZONTS");
    reflect.addField("ID", FieldType::Float);
    reflect.addField("INDEXOG", FieldType::Blob);
    reflect.Open();
    for (double id : {5.6, 6.0}) {
        reflect.Append();
        reflect.FieldByName("ID").SetAsFloat(id);
        reflect.FieldByName("INDEXOG").SetAsString("bytes");
        reflect.Post();
    }
    const std::string path = (mDir / "types.psp").string();
    writeFile(path, passportBytes({&mDm->PASPORTS, &reflect}, true));
    auto dm = freshModule();
    ASSERT_TRUE(dm->OpenPassport(path));
    std::vector<std::int64_t> ids;
    const int index = dm->REFLECT_HORIZONTS.FieldByName("INDEXOG").dataIndex();
    dm->REFLECT_HORIZONTS.forEachStoredInOrder([&](const std::vector<Value> &v, int) {
        ids.push_back(std::get<std::int64_t>(v[0]));
        EXPECT_TRUE(isNull(v[static_cast<std::size_t>(index)]));
    });
    ASSERT_EQ(ids.size(), 2u);
    EXPECT_EQ(ids[0], 6);
    EXPECT_NE(ids[1], 6);
}

TEST_F(PassportFileTest, HeaderlessPassportIsSavedWithHeaderAndPlainFilesBlock)
{
    tarvena::testing::fillSamplePassport(*mDm);
    const auto tables = mDm->passportTables();
    const std::string old = (mDir / "old.psp").string();
    writeFile(old, passportBytes({tables.begin(), tables.end()}, false));
    auto dm = freshModule();
    ASSERT_TRUE(dm->OpenPassport(old));
    const std::string resaved = (mDir / "new.psp").string();
    dm->SavePassport(resaved);
    const std::string bytes = tarvena::testing::readFileBytes(resaved);
    EXPECT_EQ(bytes.substr(0, 9), std::string("\x07kertal2\x01", 9));
    // Walk the blocks: the first four are gzip members, the fifth a plain table stream.
    std::size_t offset = 9;
    for (int block = 0; block < 5; ++block) {
        ASSERT_LE(offset + 4, bytes.size());
        const auto *p = reinterpret_cast<const unsigned char *>(bytes.data() + offset);
        const std::uint32_t length = p[0] | p[1] << 8 | p[2] << 16 | std::uint32_t(p[3]) << 24;
        EXPECT_EQ(bytes.substr(offset + 4, 4),
                  block < 4 ? std::string("\x1f\x8b\x08\x00", 4) : std::string("TPF0"));
        offset += 4 + length;
    }
    EXPECT_EQ(offset, bytes.size());
    auto reopened = freshModule();
    ASSERT_TRUE(reopened->OpenPassport(resaved));
    EXPECT_EQ(contentOf(*reopened), contentOf(*mDm));
}

TEST_F(PassportFileTest, EmptyOrMissingRecordGivesAFreshPassportRecord)
{
    MemTable empty("PASPORTS");
    empty.addField("ID", FieldType::Integer);
    empty.Open();
    std::string withEmptyRecordTable = passportBytes({&empty}, true);
    const std::string zeroBlock = std::string("\x07kertal2\x01", 9) + std::string(4, '\0');
    for (const std::string &bytes : {withEmptyRecordTable, zeroBlock}) {
        const std::string path = (mDir / "norecord.psp").string();
        writeFile(path, bytes);
        auto dm = freshModule();
        ASSERT_TRUE(dm->OpenPassport(path));
        ASSERT_EQ(dm->PASPORTS.storedRecordCount(), 1);
        dm->PASPORTS.First();
        EXPECT_EQ(dm->PASPORTS.FieldByName("ID").AsInteger(), -1);
        dm->PASPORTS.Edit();
        dm->PASPORTS.FieldByName("OBJECTNAME").SetAsString("N");
        EXPECT_NO_THROW(dm->SavePassport((mDir / "saved.psp").string()));
    }
}

TEST_F(PassportFileTest, BlockWithAnEmptyDefinitionsListReadsWithTheFieldsOfTheBlockBefore)
{
    const auto b = [](std::initializer_list<int> list) {
        std::string s;
        for (int v : list)
            s.push_back(static_cast<char>(v));
        return s;
    };
    const auto text = [&](const std::string &t) { return b({6, static_cast<int>(t.size())}) + t; };
    const std::string idDefinition = text("ID") + text("Integer") + b({2, 0}) + text("ID") + text("") +
                                     b({2, 10, 8, 8}) + text("Data") + text("");
    const auto stream = [&](const std::string &definitions, std::initializer_list<int> ids) {
        std::string rows;
        for (int id : ids)
            rows += b({1, 2, 0, 8, 2, id, 0});
        return "TPF0" + b({3, 0xFB, 0, 1}) + definitions + b({0, 1, 0, 1, 2, 1, 2, 3, 0, 1}) + rows + b({0});
    };
    std::string file = b({7, 'k', 'e', 'r', 't', 'a', 'l', '2', 1});
    for (const std::string &block : {stream(idDefinition, {-1}), stream("", {5, 6})}) {
        const std::string packed = gzipBytes(block);
        const auto n = static_cast<std::uint32_t>(packed.size());
        file += b({int(n & 0xFF), int((n >> 8) & 0xFF), int((n >> 16) & 0xFF), int(n >> 24)}) + packed;
    }
    const std::string path = (mDir / "empty-definitions.psp").string();
    writeFile(path, file);
    ASSERT_NO_THROW(mDm->OpenPassport(path));
    std::vector<int> ids;
    for (mDm->REFLECT_HORIZONTS.First(); !mDm->REFLECT_HORIZONTS.Eof(); mDm->REFLECT_HORIZONTS.Next())
        ids.push_back(mDm->REFLECT_HORIZONTS.FieldByName("ID").AsInteger());
    EXPECT_EQ(ids, (std::vector<int>{5, 6}));
    // No field of this file reaches the scratch table of the next open.
    EXPECT_EQ(mDm->TempTable.FieldCount(), 0);
}

// Runs a save in a child process whose files may not grow past limit bytes, as on a full disk.
int saveWithFileSizeLimit(TDataModule2 &dm, const std::string &path, rlim_t limit)
{
    const pid_t child = ::fork();
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit rl{limit, limit};
        ::setrlimit(RLIMIT_FSIZE, &rl);
        try {
            dm.SavePassport(path);
        } catch (const Error &e) {
            const bool named = std::string(e.what()).rfind("Stream write error", 0) == 0;
            ::_exit(named ? 3 : 4);
        }
        ::_exit(0);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST_F(PassportFileTest, FailedSaveLeavesThePreviousFileIntact)
{
    const std::string path = savedSample();
    const std::string before = tarvena::testing::readFileBytes(path);
    tarvena::testing::SampleSpec bigger;
    bigger.attachmentSizes = {400000};
    tarvena::testing::fillSamplePassport(*mDm, bigger);
    EXPECT_EQ(saveWithFileSizeLimit(*mDm, path, 100000), 3);
    EXPECT_EQ(tarvena::testing::readFileBytes(path), before);
    for (const auto &entry : fs::directory_iterator(mDir))
        EXPECT_EQ(entry.path().filename(), "sample.psp") << "left behind: " << entry.path();

    // A full file system: a small tmpfs, where the system allows mounting one.
    const fs::path mount = mDir / "small";
    fs::create_directories(mount);
    if (::geteuid() != 0 ||
        std::system(("mount -t tmpfs -o size=256k tmpfs '" + mount.string() + "' 2>/dev/null").c_str()) != 0)
        GTEST_SKIP() << "no tmpfs can be mounted here";
    const std::string small = (mount / "full.psp").string();
    tarvena::testing::SampleSpec tiny;
    auto dm = freshModule();
    tarvena::testing::fillSamplePassport(*dm, tiny);
    dm->SavePassport(small);
    const std::string tinyBytes = tarvena::testing::readFileBytes(small);
    tarvena::testing::fillSamplePassport(*dm, bigger);
    try {
        dm->SavePassport(small);
        ADD_FAILURE() << "saved into a full file system";
    } catch (const Error &e) {
        EXPECT_EQ(std::string(e.what()).rfind("Stream write error", 0), 0u) << e.what();
    }
    EXPECT_EQ(tarvena::testing::readFileBytes(small), tinyBytes);
    std::system(("umount '" + mount.string() + "'").c_str());
}

TEST_F(PassportFileTest, KilledSaveLeavesAWholePassport)
{
    const std::string path = savedSample();
    const std::string before = tarvena::testing::readFileBytes(path);
    tarvena::testing::SampleSpec big;
    big.attachmentSizes = {3000000, 3000000};
    tarvena::testing::fillSamplePassport(*mDm, big);
    for (int delayMs : {1, 20, 60}) {
        const pid_t child = ::fork();
        if (child == 0) {
            for (;;)
                mDm->SavePassport(path);
        }
        ::usleep(static_cast<useconds_t>(delayMs) * 1000);
        ::kill(child, SIGKILL);
        ::waitpid(child, nullptr, 0);
        auto dm = freshModule();
        EXPECT_NO_THROW(dm->OpenPassport(path)) << "after " << delayMs << " ms";
    }
    // The next save sweeps the temporaries that the killed saves left.
    mDm->SavePassport(path);
    for (const auto &entry : fs::directory_iterator(mDir))
        EXPECT_EQ(entry.path().filename(), "sample.psp") << "left behind: " << entry.path();
}

} // namespace
