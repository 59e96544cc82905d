#pragma once
// A folder of passports and a schema of its own for each test of the register in the database.
#include "tests/database/pgdatabase.h"
#include "tests/support/clirun.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace tarvena::testing {

class DatabaseRegisterTest : public ::testing::Test
{
protected:
    void SetUp() override;

    // A passport with one horizon whose contour is a square of side degrees around lon, lat.
    void writeGenerated(const std::string &name, double lon, double lat, double side);
    void copySample(const std::string &name);
    // tarvena-cli register of the folder into this test's schema, and more arguments.
    CliRun registerFolder(const std::string &more = {}, const std::string &user = "tarvena_admin");
    std::string table(const char *name) const { return mSchema + "." + name; }

    PgDatabase mDb;
    std::filesystem::path mFolder;
    std::string mSchema; // the test's name in lower case
};

bool contains(const std::string &text, const std::string &part);

} // namespace tarvena::testing
