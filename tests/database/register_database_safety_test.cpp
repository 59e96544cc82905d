// The register in the database stays whole: a run killed or cut off in the middle leaves the previous
// register, a second run at the same time is refused, and the role of the GIS users only reads.
#include "exchange/workbooks/outputfile.h"
#include "tests/database/databasefixture.h"

#include <filesystem>
#include <fstream>
#include <string>

using namespace tarvena;
using namespace tarvena::testing;

namespace {

namespace fs = std::filesystem;

class RegisterSafetyTest : public DatabaseRegisterTest
{
protected:
    void fill()
    {
        copySample("Северо-Тарвенская.psp");
        for (int i = 0; i < 3; ++i)
            writeGenerated("Объект " + std::to_string(i) + ".psp", 65 + i, 60, 0.1);
    }
    // What a reader of the register sees: every row's file, digest and number, and the contours.
    std::string snapshot()
    {
        return mDb.value(
                   "SELECT string_agg(\"FILENAME\" || ':' || coalesce(\"FILESHA256\", '') || ':' || fid, ',' "
                   "ORDER BY \"FILENAME\") FROM " +
                   table("passports")) +
               "/" + mDb.value("SELECT count(*) || ':' || sum(fid) FROM " + table("contours"));
    }
    void changeFolder()
    {
        writeGenerated("Объект 0.psp", 66, 61, 0.3);
        fs::remove(mFolder / pathFromUtf8("Объект 1.psp"));
        writeGenerated("Объект 9.psp", 70, 62, 0.2);
    }
};

// Shell lines that wait (at most 30 s) until the query prints 1.
std::string waitFor(const std::string &psql, const std::string &query)
{
    return "i=0; until [ \"$(" + psql + " -c " + shellQuoted(query) +
           ")\" = 1 ] || [ $i -gt 600 ]; do sleep 0.05; i=$((i+1)); done\n";
}

TEST_F(RegisterSafetyTest, RunStoppedInTheMiddleLeavesThePreviousRegisterAndASecondRunIsRefused)
{
    fill();
    ASSERT_EQ(registerFolder().exitCode, 0);
    const std::string before = snapshot();
    changeFolder();
    const std::string waiting = "SELECT count(*) FROM pg_stat_activity WHERE wait_event_type = 'Lock' AND "
                                "application_name <> 'tarvena_locker'";
    // The run is held at its first change of the contours, after it has changed the passports'
    // table; then its process is killed, or its connection cut.
    const std::pair<const char *, std::string> stops[] = {
        {"killed", "kill -9 $run\n"},
        {"connection lost", mDb.psql() +
                                " -c \"SELECT pg_terminate_backend(pid) FROM pg_stat_activity WHERE "
                                "wait_event_type = 'Lock' AND application_name <> 'tarvena_locker'\" "
                                ">/dev/null\n"},
    };
    for (const auto &[name, stop] : stops) {
        SCOPED_TRACE(name);
        const fs::path log = mFolder.parent_path() / (mSchema + ".log");
        const std::string cli = std::string(TARVENA_BIN_DIR) + "/tarvena-cli register " +
                                shellQuoted(pathToUtf8(mFolder)) + " " + shellQuoted(mDb.connection()) +
                                " --schema " + mSchema;
        std::ofstream(mFolder.parent_path() / (mSchema + ".sh"))
            << "PGAPPNAME=tarvena_locker " << mDb.psql() << " -c \"BEGIN; LOCK TABLE " << table("contours")
            << " IN SHARE MODE; SELECT pg_sleep(60)\" >/dev/null 2>&1 &\nlocker=$!\n"
            << waitFor(mDb.psql(), "SELECT count(*) FROM pg_stat_activity WHERE application_name = "
                                   "'tarvena_locker' AND wait_event = 'PgSleep'")
            << cli << " >" << shellQuoted(log.string()) << " 2>&1 &\nrun=$!\n"
            << waitFor(mDb.psql(), waiting) << "echo second run:\n"
            << cli << "\necho second exit $?\n"
            << stop << "wait $run\necho first exit $?\n"
            << mDb.psql()
            << " -c \"SELECT pg_terminate_backend(pid) FROM pg_stat_activity WHERE application_name = "
               "'tarvena_locker'\" >/dev/null\nwait $locker\n"
            << waitFor(mDb.psql(), "SELECT (count(*) = 0)::int FROM pg_locks WHERE locktype = 'advisory'")
            << "cat " << shellQuoted(log.string()) << "\n";
        const CliRun run =
            runShell("sh " + shellQuoted((mFolder.parent_path() / (mSchema + ".sh")).string()));
        EXPECT_TRUE(contains(run.out, "сейчас обновляет другой запуск; этот запуск ничего не изменил"))
            << run.out;
        EXPECT_TRUE(contains(run.out, "second exit 1")) << run.out;
        EXPECT_TRUE(contains(run.out, std::string("first exit ") + (stop.starts_with("kill") ? "137" : "1")))
            << run.out;
        EXPECT_EQ(snapshot(), before);
    }
    const CliRun after = registerFolder();
    EXPECT_TRUE(contains(after.out, "добавлено 1, изменено 1, удалено 1, без изменений 2")) << after.out;
}

TEST_F(RegisterSafetyTest, TheReadersRoleReadsAndCannotWrite)
{
    // The administrator's steps: a role that writes the register's schema and one that reads it.
    const std::string writer = mSchema + "_writer", reader = mSchema + "_reader";
    mDb.rows("DROP ROLE IF EXISTS " + writer);
    mDb.rows("DROP ROLE IF EXISTS " + reader);
    mDb.rows("CREATE ROLE " + writer + " LOGIN; CREATE ROLE " + reader + " LOGIN; CREATE SCHEMA " + mSchema +
             " AUTHORIZATION " + writer + "; GRANT USAGE ON SCHEMA " + mSchema + " TO " + reader +
             "; ALTER DEFAULT PRIVILEGES FOR ROLE " + writer + " IN SCHEMA " + mSchema +
             " GRANT SELECT ON TABLES TO " + reader);
    fill();
    const CliRun written = registerFolder({}, writer);
    ASSERT_EQ(written.exitCode, 0) << written.out;
    const std::string before = snapshot();

    EXPECT_EQ(mDb.run("SELECT count(*) FROM " + table("contours"), reader).out, "7\n");
    const std::string writes[] = {
        "INSERT INTO " + table("passports") + " (\"FILENAME\") VALUES ('чужой.psp')",
        "DELETE FROM " + table("contours"),
        "UPDATE " + table("passports") + " SET \"ERROR\" = 'x'",
        "DROP TABLE " + table("passports"),
    };
    for (const std::string &sql : writes) {
        const CliRun run = mDb.run(sql, reader);
        EXPECT_NE(run.exitCode, 0) << sql;
        EXPECT_TRUE(contains(run.out, "permission denied") || contains(run.out, "must be owner")) << run.out;
    }
    changeFolder();
    const CliRun registered = registerFolder({}, reader);
    EXPECT_EQ(registered.exitCode, 1);
    EXPECT_TRUE(contains(registered.out, "Реестр в базе данных")) << registered.out;
    EXPECT_EQ(snapshot(), before);
}

} // namespace
