// Rules of the contour points: identity and owner, the point count and its standing aside while a
// passport is opened, and the coordinate texts of the X and Y editors.
#include "model/identity.h"
#include "storage/error.h"
#include "tests/model/rules_fixture.h"

#include <filesystem>
#include <unistd.h>

using namespace tarvena;
using namespace tarvena::testing;

namespace {

class ContourRulesTest : public RulesTest
{
protected:
    MemTable &horizons() { return dm.POSIB_PRODUCT_HOR; }
    MemTable &points() { return dm.KONTUR; }
    int count() { return horizons().FieldByName("KONTURNUMPOINTS").AsInteger(); }

    // A stored horizon with an ID and a coordinate system, current.
    void addHorizon(int id, int system)
    {
        addRow(horizons(), [&](MemTable &t) {
            t.FieldByName("ID").SetAsInteger(id);
            t.FieldByName("KONTURKOORDTYPE").SetAsInteger(system);
        });
    }
    void addPoint(double x, double y)
    {
        addRow(points(), [&](MemTable &t) {
            t.FieldByName("X").SetAsFloat(x);
            t.FieldByName("Y").SetAsFloat(y);
        });
    }
};

TEST_F(ContourRulesTest, NewPointTakesAnIdentityAndTheCurrentHorizon)
{
    addHorizon(500, 2);
    identity::setTickSource([] { return 10u; });
    identity::seedRandom(5);
    const std::int32_t expected = identity::randomBelow(identity::PointIdRange) + 10;
    identity::seedRandom(5);
    points().Append();
    EXPECT_EQ(points().FieldByName("ID").AsInteger(), expected);
    EXPECT_EQ(points().FieldByName("HEAD_ID").AsInteger(), 500);
    points().Post();
    identity::setTickSource({});

    // A point started while the horizon is still being inserted belongs to no horizon.
    horizons().Append();
    points().Append();
    EXPECT_EQ(points().FieldByName("HEAD_ID").AsInteger(), 0);
    points().Cancel();
    horizons().Cancel();
}

TEST_F(ContourRulesTest, CountFollowsAddedAndDeletedPoints)
{
    addHorizon(500, 2);
    points().Append();
    EXPECT_EQ(count(), 1); // at once, before the point is posted
    EXPECT_EQ(horizons().State(), TableState::Browse);
    points().FieldByName("X").SetAsFloat(1); // an untouched point is not kept
    points().Post();
    addPoint(2, 2);
    addPoint(3, 3);
    EXPECT_EQ(count(), 3);
    EXPECT_EQ(points().RecordCount(), 3);

    points().First();
    points().Delete();
    EXPECT_EQ(count(), 2);

    // An abandoned point leaves the count raised; the redraw of the contour page recounts.
    points().Append();
    points().Cancel();
    EXPECT_EQ(count(), 3);
    points().Append();
    points().Delete();
    EXPECT_EQ(count(), 4);
}

TEST_F(ContourRulesTest, CountNeverStartsAHorizon)
{
    ASSERT_TRUE(horizons().IsEmpty());
    points().Append();
    points().Post();
    EXPECT_TRUE(horizons().IsEmpty());
    EXPECT_EQ(horizons().State(), TableState::Browse);
    EXPECT_EQ(points().FieldByName("HEAD_ID").AsInteger(), 0);
}

TEST_F(ContourRulesTest, CountStandsAsideWhileAPassportIsOpened)
{
    namespace fs = std::filesystem;
    const fs::path dir = fs::temp_directory_path() / ("tarvena-contour-" + std::to_string(::getpid()));
    fs::create_directories(dir);
    const std::string path = (dir / "p.psp").string();
    {
        TDataModule2 writer;
        writer.DataModuleCreate(dictionaryDir());
        for (int h = 1; h <= 2; ++h) {
            writer.POSIB_PRODUCT_HOR.Append();
            writer.POSIB_PRODUCT_HOR.FieldByName("ID").SetAsInteger(h);
            writer.POSIB_PRODUCT_HOR.Post();
            for (int p = 0; p < 3; ++p) {
                writer.KONTUR.Append();
                writer.KONTUR.FieldByName("X").SetAsFloat(p);
                writer.KONTUR.Post();
            }
        }
        // A stored count that differs from the points is kept as stored.
        writer.POSIB_PRODUCT_HOR.First();
        writer.POSIB_PRODUCT_HOR.Edit();
        writer.POSIB_PRODUCT_HOR.FieldByName("KONTURNUMPOINTS").SetAsInteger(7);
        writer.POSIB_PRODUCT_HOR.Post();
        writer.SavePassport(path);
    }
    ASSERT_TRUE(dm.OpenPassport(path));
    fs::remove_all(dir);

    MemTable &h = horizons();
    h.SetFiltered(false);
    h.First();
    EXPECT_EQ(h.FieldByName("KONTURNUMPOINTS").AsInteger(), 7);
    h.Next();
    EXPECT_EQ(h.FieldByName("KONTURNUMPOINTS").AsInteger(), 3);
    points().SetFiltered(false);
    EXPECT_EQ(points().RecordCount(), 6);

    // After the open the count follows the user again.
    h.First();
    addPoint(9, 9);
    EXPECT_EQ(count(), 8);
}

TEST_F(ContourRulesTest, EditorTextsFollowTheHorizonsSystem)
{
    addHorizon(500, 1);
    points().Append();
    Field &x = points().FieldByName("X");
    EXPECT_EQ(x.Text(), "0\xB0"
                        "0\"0");
    x.SetText("0\xB0"
              "0\"0");
    EXPECT_TRUE(x.IsNull());
    x.SetText("55,30,15.5");
    EXPECT_NEAR(x.AsFloat(), 55.5043055556, 1e-9);
    x.SetText("55.30.15.5");
    EXPECT_NEAR(x.AsFloat(), 55.5043055556, 1e-9);
    x.SetText("0,0,0");
    EXPECT_TRUE(x.IsNull());
    x.SetAsFloat(55.5);
    EXPECT_EQ(x.Text(), "55\xB0"
                        "30\"00.000");
    EXPECT_EQ(x.DisplayText(), "55\xB0"
                               "30\"00.000");

    // A refused text leaves the value as it was.
    for (const char *text : {"55,30", "55 30 15"}) {
        try {
            x.SetText(text);
            ADD_FAILURE() << "accepted " << text;
        } catch (const Error &e) {
            EXPECT_STREQ(e.what(), "Ошибка, неправильный формат числа. Формат:ЦЕЛОЕ_ЧИСЛО_ГРАДУСОВ "
                                   "разделитель ЦЕЛОЕ_ЧИСЛО_МИНУТ разделитель ЧИСЛО_СЕКУНД");
        }
        EXPECT_EQ(x.AsFloat(), 55.5);
    }
    x.SetText("55,75,90");
    EXPECT_NEAR(x.AsFloat(), 56.275, 1e-12);
    points().Post();

    // The same stored value in the decimal-degree and projection systems.
    horizons().Edit();
    horizons().FieldByName("KONTURKOORDTYPE").SetAsInteger(2);
    horizons().Post();
    points().Edit();
    x.SetAsFloat(5.5);
    EXPECT_EQ(x.Text(), "05.500000");
    x.Clear();
    EXPECT_EQ(x.Text(), "");
    x.SetText("0");
    EXPECT_FALSE(x.IsNull());
    EXPECT_THROW(x.SetText("5,5"), Error);
    x.SetText("");
    EXPECT_TRUE(x.IsNull());

    horizons().Edit();
    horizons().FieldByName("KONTURKOORDTYPE").SetAsInteger(4);
    horizons().Post();
    points().FieldByName("Y").SetText("6 123 456.25");
    EXPECT_EQ(points().FieldByName("Y").AsFloat(), 6123456.25);
    EXPECT_EQ(points().FieldByName("Y").Text(), "6123456.25");
    points().Post();
}

TEST_F(ContourRulesTest, CoordinateEditorsAcceptTheComma)
{
    for (const char *name : {"X", "Y"}) {
        const Field &f = points().FieldByName(name);
        for (char c : std::string("0123456789+-Ee.,"))
            EXPECT_TRUE(f.IsValidChar(c)) << name << " " << c;
        for (char c : std::string("a; "))
            EXPECT_FALSE(f.IsValidChar(c)) << name << " " << c;
    }
}

} // namespace
