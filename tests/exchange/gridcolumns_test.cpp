// The column sets of the horizon grids: field lists, exact titles and the edit notes.
#include "exchange/core/gridcolumns.h"
#include "model/datamodule.h"
#include "storage/error.h"
#include "tests/support/samplepassport.h"

#include <gtest/gtest.h>

namespace tarvena {
namespace {

using testing::cp;

std::vector<std::string> fieldsOf(const ColumnSet &columns)
{
    std::vector<std::string> fields;
    for (const ColumnSpec &column : columns)
        fields.push_back(column.fieldName);
    return fields;
}

TEST(GridColumns, FieldListsOfTheElevenGrids)
{
    TDataModule2 dm;
    const struct
    {
        const char *grid;
        MemTable &table;
        std::vector<std::string> fields;
    } grids[] = {
        {"JvDBGrid1",
         dm.REFLECT_HORIZONTS,
         {"INDEXOG", "_stratigr_id", "STRATIGR_DOP", "STRATIGRSVIT", "_traptype_id", "_screentype_id",
          "_scale", "SECHENIE", "IZOGIPSMARK", "SQUARE", "AMPLITUDE", "LONGAXIS", "SHORTAXIS"}},
        {"JvDBGrid2",
         dm.REFLECT_HORIZONTS,
         {"INDEXOG", "KOEFPROSL", "POSTRPRESICION", "KORRADIUS", "APRIORVEROYATN", "ZNACHFUNC",
          "VEROYATNSTRUCT", "POGRSVOD", "POGRSVODY", "POGRAMPL", "POGRSQUARE"}},
        {"JvDBGrid3",
         dm.POSIB_PRODUCT_HOR,
         {"_stratigr_id", "STRATIGR_DOP", "STRATIGRSVIT", "_scale", "SECHENIE", "IZOGIPSMARK",
          "POSIBLESQUARE", "AMPLITUDE", "LONGAXIS", "SHORTAXIS", "_REFLECTHOR_ID", "STRUCTOGNEW",
          "_COLLECTORTYPE_ID", "_UV_ID"}},
        {"JvDBGrid4",
         dm.POSIB_PRODUCT_HOR,
         {"STRATIGRSVIT", "SQUARENEFTENOSN", "EFECTOILWIDTH", "OILKOEFOTKRPORIST", "KOEFOILNASUSH",
          "OILPLOTN", "OILPERERASCHKOEF", "KOEFOILZAP", "CALC_BAL_RES", "KOEFOILIZVL", "CALC_PERSP_RES",
          "OILGAZFACTOR", "CALC_PERSP_RES_RGAZ"}},
        {"JvDBGrid5",
         dm.POSIB_PRODUCT_HOR,
         {"STRATIGRSVIT",         "OILSQUAREMIN",        "OILSQUAREMAX",         "OILWIDTHMIN",
          "OILWIDTHMAX",          "OILKOEFOTKRPORMIN",   "OILKOEFOTKRPORMAX",    "OILNASUSHMIN",
          "OILNASUSHMAX",         "OILPLOTNSURFMIN",     "OILPLOTNSURFMAX",      "OILKOEFPERERASCHMIN",
          "OILKOEFPERERASCHMAX",  "OILBALANCERESOURCEP", "OILBALANCERESOURCEPD", "OILBALANCERESOURCES",
          "OILKOEFIZVLECHMIN",    "OILKOEFIZVLECHMAX",   "OILPERSPECTRESOURCEP", "OILPERSPECTRESOURCEPD",
          "OILPERSPECTRESOURCES", "OILGAZFACTOR2",       "PERSPRESGAZRASTVP",    "PERSPRESGAZRASTVPD",
          "PERSPRESGAZRASTVS"}},
        {"JvDBGrid6",
         dm.POSIB_PRODUCT_HOR,
         {"STRATIGRSVIT", "SQUAREGAZONOSN", "EFECTGAZWIDTH", "GAZKOEFOTKRPORIST", "KOEFGAZNASUSH",
          "GAZSTARTPLASTPREASURE", "GAZENDPLASTPREASURE", "GAZKOEFSZIM", "GAZTEMPERPOPR", "CALC_BALGAZ_RES",
          "GAZSODSUH", "CALC_NEWGAZBAL"}},
        {"JvDBGrid7",
         dm.POSIB_PRODUCT_HOR,
         {"STRATIGRSVIT",
          "GAZSQUAREMIN",
          "GAZSQUAREMAX",
          "GAZWIDTHMIN",
          "GAZWIDTHMAX",
          "GAZKOEFOTKRPORMIN",
          "GAZKOEFOTKRPORMAX",
          "GAZNASUSHMIN",
          "GAZNASUSHMAX",
          "GAZSTARTPREASUREMIN",
          "GAZSTARTPREASUREMAX",
          "GAZSTARTPREASURE",
          "GAZKOEFSZIMMIN",
          "GAZKOEFSZIMMAX",
          "GAZTEMPERPOPRMIN",
          "GAZTEMPERPOPRMAX",
          "GAZBALANCERESOURCEP",
          "GAZBALANCERESOURCEPD",
          "GAZBALANCERESOURCES",
          "SODSIHGORMIN",
          "SODSIHGORMAX",
          "GAZBALANCERESOURCEPNEW",
          "GAZBALANCERESOURCEPDNEW",
          "GAZBALANCERESOURCESNEW"}},
        {"JvDBGrid8",
         dm.POSIB_PRODUCT_HOR,
         {"STRATIGRSVIT", "CALC_BALGAZ_RES", "GAZCONDAVGSTARTCONSIST", "CALC_BALGAZCOND_RES",
          "GAZCONDKOEFIZVLECH", "CALC_PERSPGAZCOND_RES"}},
        {"JvDBGrid9",
         dm.POSIB_PRODUCT_HOR,
         {"STRATIGRSVIT", "GAZCONBALANCERESGAZMIN", "GAZCONBALANCERESGAZMAX", "GAZCONNACHSODKONDMIN",
          "GAZCONNACHSODKONDMAX", "BALANCERESGAZCONDMIN", "BALANCERESGAZCONDMAX", "GAZCONKOEFIZVLECHMIN",
          "GAZCONKOEFIZVLECHMAX", "IZVLEKRESGAZCONDPNEW", "IZVLEKRESGAZCONDPDNEW", "IZVLEKRESGAZCONDSNEW"}},
        {"JvDBGrid10", dm.POSIB_PRODUCT_HOR, {"STRATIGRSVIT", "_KONTURKOORDTYPE", "KONTURNUMPOINTS"}},
        {"JvDBGrid14", dm.KONTUR, {"X", "Y"}},
    };
    for (const auto &g : grids) {
        SCOPED_TRACE(g.grid);
        const ColumnSet &columns = gridColumns(g.grid);
        EXPECT_EQ(fieldsOf(columns), g.fields);
        for (const ColumnSpec &column : columns) {
            // Every column names a field of its table in the field's own spelling, and has a title.
            const Field *field = g.table.FindField(column.fieldName);
            ASSERT_NE(field, nullptr) << column.fieldName;
            EXPECT_EQ(field->FieldName(), column.fieldName);
            EXPECT_FALSE(column.title.empty()) << column.fieldName;
        }
    }
}

TEST(GridColumns, TitlesKeepTheirLineBreaksAndBlanks)
{
    const struct
    {
        const char *grid;
        std::size_t column;
        const char *title;
    } titles[] = {
        {"JvDBGrid1", 1, "Стратиграфическая приуроченность\nОГ"},
        {"JvDBGrid1", 3, "Горизонт\n(свита, толща)\nпо местной\nклассификации"},
        {"JvDBGrid1", 9, "Площадь \n(км2)"},
        {"JvDBGrid2", 3, "Радиус корреляционной погрешности \nlambda н \n(км)"},
        {"JvDBGrid2", 4, "Априорная вероятность структуры\n P(1)"},
        {"JvDBGrid3", 2, "Горизонт \n(свита, толща) \nпо местной \nклассификации"},
        {"JvDBGrid3", 10, "ОГ, по которому осуществлялся пересчет"},
        {"JvDBGrid4", 0, "Возможный продуктивный горизонт "},
        {"JvDBGrid4", 6, "Пересчетный\n коэффициент \n(доли ед.)"},
        {"JvDBGrid5", 9, "Минимальная плотности нефти на поверхности\n(т/м3)"},
        {"JvDBGrid7", 11, "Конечное пластовое давление\n(атм)"},
        {"JvDBGrid9", 1, "Минимальное \nзначение\nначальных\nресурсов газа \n(млн м3)"},
        {"JvDBGrid9", 9, "Извлекаемые \nресурсы\nгазоконденсата \nнаиболее\nвероятные\n(млн т)"},
        {"JvDBGrid10", 1, "Тип координат контура"},
        {"JvDBGrid14", 0, "Долгота"},
        {"JvDBGrid14", 1, "Широта"},
    };
    for (const auto &t : titles) {
        SCOPED_TRACE(std::string(t.grid) + " " + std::to_string(t.column));
        EXPECT_EQ(gridColumns(t.grid).at(t.column).title, cp(t.title));
    }
}

TEST(GridColumns, NotesSayHowTheGridEditsAColumn)
{
    const struct
    {
        const char *grid;
        std::size_t column;
        const char *notes;
    } notes[] = {
        {"JvDBGrid1", 0, ""},
        {"JvDBGrid1", 1, "unit button"},
        {"JvDBGrid1", 4, "list Dict14"},
        {"JvDBGrid1", 6, "scale button"},
        {"JvDBGrid2", 0, "read-only"},
        {"JvDBGrid3", 10, "list REFLECT_HORIZONTS.INDEXOG"},
        {"JvDBGrid3", 13, "list Dict18"},
        {"JvDBGrid4", 8, "calculated; read-only"},
        {"JvDBGrid6", 9, "calculated"},
        {"JvDBGrid10", 1, "name from TCoords; read-only"},
    };
    for (const auto &n : notes)
        EXPECT_EQ(gridColumns(n.grid).at(n.column).notes, n.notes) << n.grid << " " << n.column;
}

TEST(GridColumns, UnknownGridIsAnError)
{
    for (const char *name : {"", "JvDBGrid0", "JvDBGrid11", "JvDBGrid13", "jvdbgrid1"})
        EXPECT_THROW(gridColumns(name), Error) << name;
}

} // namespace
} // namespace tarvena
