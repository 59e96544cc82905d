#include "tests/database/databasefixture.h"

#include "exchange/workbooks/outputfile.h"
#include "model/coordinates.h"
#include "tests/gis/gisfixture.h"
#include "tests/support/samplepassport.h"

#include <cctype>

namespace tarvena::testing {

namespace fs = std::filesystem;

bool contains(const std::string &text, const std::string &part)
{
    return text.find(part) != std::string::npos;
}

void DatabaseRegisterTest::SetUp()
{
    if (!mDb.skipReason().empty())
        GTEST_SKIP() << mDb.skipReason();
    const ::testing::TestInfo *info = ::testing::UnitTest::GetInstance()->current_test_info();
    mSchema = std::string("t_") + info->name();
    for (char &c : mSchema)
        c = std::isalnum(static_cast<unsigned char>(c)) ? static_cast<char>(std::tolower(c)) : '_';
    mSchema = mSchema.substr(0, 63);
    mDb.rows("DROP SCHEMA IF EXISTS " + mSchema + " CASCADE");
    mFolder = fs::temp_directory_path() / ("tarvena-register-" + mSchema);
    fs::remove_all(mFolder);
    fs::create_directories(mFolder);
}

void DatabaseRegisterTest::writeGenerated(const std::string &name, double lon, double lat, double side)
{
    const double h = side / 2;
    HorizonSpec horizon{"пласт Ю1",
                        CoordDecimalDegrees,
                        {{lon - h, lat - h}, {lon + h, lat - h}, {lon + h, lat + h}, {lon - h, lat + h}},
                        std::nullopt};
    writePassport(mFolder / pathFromUtf8(name), "Структура " + name, {horizon});
}

void DatabaseRegisterTest::copySample(const std::string &name)
{
    fs::copy_file(pathFromUtf8(builtSamplePassport()), mFolder / pathFromUtf8(name),
                  fs::copy_options::overwrite_existing);
}

CliRun DatabaseRegisterTest::registerFolder(const std::string &more, const std::string &user)
{
    return runCliLine("register " + shellQuoted(pathToUtf8(mFolder)) + " " +
                      shellQuoted(mDb.connection(user)) + " --schema " + mSchema + " " + more);
}

} // namespace tarvena::testing
