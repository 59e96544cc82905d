// The engine layer: the engine choice with its one fallback, the life of engine and document, and the
// texts of its failures.
#include "exchange/workbooks/calcengine.h"
#include "exchange/workbooks/topofcalc.h"
#include "storage/error.h"

#include <gtest/gtest.h>

#include <set>

namespace tarvena {
namespace {

// Real engines, as far as the case lets them exist; records the order in which they were asked for.
struct Engines
{
    std::set<int> present;
    std::vector<int> asked;

    EngineStarter starter()
    {
        return [this](int kind) -> std::unique_ptr<SpreadsheetEngine> {
            asked.push_back(kind);
            if (!present.count(kind))
                return nullptr;
            if (kind == TopofCalc::OpenOffice)
                return std::make_unique<CalcEngine>(std::make_shared<CalcSession>("soffice"), false);
            return installedEngines()(kind);
        };
    }
};

std::string errorText(const std::function<void()> &action)
{
    try {
        action();
    } catch (const Error &e) {
        return e.what();
    }
    return "";
}

TEST(TopofCalc, EngineChoiceWithOneFallback)
{
    struct Case
    {
        int wanted;
        std::set<int> present;
        int kind; // 0: Create fails
        std::vector<int> asked;
    };
    const Case cases[] = {
        {2, {2, 3}, 2, {2}}, {3, {2, 3}, 3, {3}}, {1, {2, 3}, 3, {3}}, {2, {3}, 3, {2, 3}},
        {3, {2}, 2, {3, 2}}, {1, {2}, 2, {3, 2}}, {2, {}, 0, {2, 3}},  {3, {}, 0, {3, 2}},
        {1, {}, 0, {3, 2}},  {0, {2, 3}, 0, {}},  {4, {2, 3}, 0, {}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(::testing::Message() << "wanted " << c.wanted << ", present " << c.present.size());
        Engines engines{c.present, {}};
        if (c.kind == 0) {
            EXPECT_EQ(errorText([&] { TopofCalc calc(c.wanted, false, engines.starter()); }),
                      "TopofCalc.create failed, may be no OpenOffice is installed?");
        } else {
            TopofCalc calc(c.wanted, false, engines.starter());
            EXPECT_EQ(calc.EngineKind(), c.kind);
            EXPECT_TRUE(calc.HasDocument());
        }
        EXPECT_EQ(engines.asked, c.asked);
    }
}

TEST(TopofCalc, LifeOfEngineAndDocument)
{
    TopofCalc calc(TopofCalc::Excel, false);
    EXPECT_TRUE(calc.IsExcel());
    EXPECT_FALSE(calc.ShowEngine);
    EXPECT_EQ(errorText([&] { calc.MakePropertyValue("FilterName", "MS Excel 97"); }),
              "ooValue imposible to create, load OpenOffice first!");

    calc.CloseDocument();
    EXPECT_FALSE(calc.HasDocument());
    EXPECT_FALSE(calc.SaveDocument("never-written.xls"));
    EXPECT_FALSE(calc.SelectSheet(1));
    EXPECT_NO_THROW(calc.SetCellText(1, 1, "'x"));
    EXPECT_NO_THROW(calc.SetCellBold(1, 1));
    EXPECT_NO_THROW(calc.SetColumnWidth(1, 100));
    EXPECT_FALSE(std::filesystem::exists("never-written.xls"));

    calc.NewDocument();
    EXPECT_TRUE(calc.HasDocument());
    calc.CloseApplication();
    EXPECT_EQ(calc.EngineKind(), TopofCalc::Closed);
    EXPECT_FALSE(calc.HasApplication());
    EXPECT_FALSE(calc.HasDocument());
    EXPECT_EQ(errorText([&] { calc.NewDocument(); }), "No program loaded for the new document.");
}

TEST(TopofCalc, PropertyValuesForTheOfficeSuite)
{
    Engines engines{{3}, {}};
    TopofCalc calc(TopofCalc::OpenOffice, false, engines.starter());
    const PropertyValue value = calc.MakePropertyValue("FilterName", "MS Excel 97");
    EXPECT_EQ(value.Name, "FilterName");
    EXPECT_EQ(value.Value, "MS Excel 97");
}

TEST(TopofCalc, FileNameToUrl)
{
    const std::pair<const char *, const char *> cases[] = {
        {"C:\\Отчёты\\a.xls", "file:///C:/Отчёты/a.xls"},
        {"FILE:///c:\\dir\\a b.xls", "FILE:///c:/dir/a b.xls"},
        {"File:///data/x.xls", "File:///data/x.xls"},
        {"/tmp/папка с пробелом/a.xls", "file:///tmp/папка с пробелом/a.xls"},
        {"relative\\a.xls", "file:///relative/a.xls"},
        {"", "file:///"},
    };
    for (const auto &[path, url] : cases)
        EXPECT_EQ(TopofCalc::FileNameToUrl(path), url) << path;
}

TEST(TopofCalc, AvailableEngines)
{
    const EngineAvailability engines = availableEngines();
    EXPECT_TRUE(engines.excel);
    EXPECT_EQ(engines.openOffice, !findOfficeProgram().empty());
}

} // namespace
} // namespace tarvena
