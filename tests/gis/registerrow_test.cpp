// The register's row of an open passport: record fields and the geology summary's sums as numbers,
// rounded as the sheets show them, whatever filter the horizons are left in.
#include "exchange/gis/registerrow.h"
#include "model/horizons.h"
#include "tests/model/rules_fixture.h"

#include <map>

using namespace tarvena;
using namespace tarvena::testing;

namespace {

class RegisterRowTest : public RulesTest
{
protected:
    void addHorizon(int uv, std::vector<std::pair<const char *, double>> values, int points)
    {
        addRow(dm.POSIB_PRODUCT_HOR, [&](MemTable &t) {
            field(t, "STRATIGRSVIT").SetAsString("J");
            field(t, "UV_ID").SetAsInteger(uv);
            for (const auto &[name, value] : values)
                field(t, name).SetAsFloat(value);
        });
        for (int i = 0; i < points; ++i)
            addRow(dm.KONTUR, [&](MemTable &t) {
                field(t, "X").SetAsFloat(60 + i);
                field(t, "Y").SetAsFloat(55);
            });
    }

    std::map<std::string, gis::AttributeValue> row()
    {
        const std::vector<gis::AttributeValue> values =
            gis::registerRow(dm, "a.psp", readProductiveHorizons(dm));
        const std::vector<gis::RegisterColumn> &columns = gis::registerColumns();
        EXPECT_EQ(values.size(), columns.size());
        std::map<std::string, gis::AttributeValue> byName;
        for (std::size_t i = 0; i < values.size(); ++i)
            byName[columns[i].attribute.name] = values[i];
        return byName;
    }
};

TEST_F(RegisterRowTest, NumbersAsTheSheetsRoundThem)
{
    MemTable &passport = dm.PASPORTS;
    if (passport.State() == TableState::Browse)
        passport.Edit();
    field(passport, "OBJECTNAME").SetAsString(cp("Тестовая"));
    field(passport, "FEDERALOKRUG_ID").SetAsInteger(1003);
    field(passport, "SHOWINGUPYEAR").SetAsInteger(1995);
    field(passport, "PREPARATIONMETHOD_ID").SetAsInteger(92);
    field(passport, "OTHERMETHOD").SetAsString(cp("Гравимагниторазведка"));
    passport.Post();
    addHorizon(397, {{"OILPERSPECTRESOURCEP", 1.23456}, {"OILPERSPECTRESOURCES", 0.1}}, 3);
    addHorizon(886, {{"OILPERSPECTRESOURCEP", 2}, {"GAZBALANCERESOURCEPNEW", 0.0004}}, 2);
    addHorizon(398, {{"GAZBALANCERESOURCEPNEW", 1}}, 0);
    // A resource page left the gas horizons shown.
    dm.POSIB_PRODUCT_HOR.SetFilter("UV_ID=398");
    dm.POSIB_PRODUCT_HOR.SetFiltered(true);

    auto values = row();
    using V = gis::AttributeValue;
    const std::pair<const char *, V> expected[] = {
        {"FILENAME", V(std::string("a.psp"))},
        {"OBJECTNAME", V(std::string("Тестовая"))},
        {"FEDERALOKRUG", V(std::string("Южный федеральный округ"))},
        {"REPUBLIC", V()},
        {"PREPARATIONMETHOD", V(std::string("Гравимагниторазведка"))},
        {"SHOWINGUPYEAR", V(std::int64_t{1995})},
        {"REPORTYEAR", V()},
        {"OIL_D0", V()},
        {"OIL_P", V(3.235)}, // 3.23456 as the sheet shows it
        {"OIL_RANGE", V(std::string("от 2.935   до 3.535"))},
        {"DGAS_P", V()},
        {"GAS_P", V(1.0)}, // 1.0004
        {"GAS_RANGE", V(std::string("от 1   до 1"))},
        {"HORIZONS", V(std::int64_t{3})},
        {"POINTS", V(std::int64_t{5})},
        {"ERROR", V()},
    };
    for (const auto &[name, value] : expected)
        EXPECT_EQ(values[name], value) << name;
    EXPECT_EQ(gis::registerCellText(values["OIL_P"]), "3.235");
    EXPECT_TRUE(dm.POSIB_PRODUCT_HOR.Filtered());
}

} // namespace
