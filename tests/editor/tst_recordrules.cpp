// The rules of pages 2 to 4 through their real widgets: which dependent controls a pick or an opened
// passport leaves enabled and which fields it empties, and how refused and oversized input ends.
#include "editor/nullablespinbox.h"
#include "editor/pages/geologypage.h"
#include "editor/pages/historypage.h"
#include "editor/pages/methodspage.h"
#include "model/validation.h"
#include "tests/editor/editorfixture.h"
#include "tests/editor/testregistry.h"

#include <QLabel>
#include <QTemporaryDir>

#include <functional>

using namespace tarvena;
using namespace tarvena::testing;

namespace {

constexpr int kNull = -1;
constexpr int kNoPick = -2;

void setOrClear(Field &field, int value)
{
    if (value == kNull)
        field.Clear();
    else
        field.SetAsInteger(value);
}

// A source-type list with its two dependent lists and their fields.
struct SourcePairs
{
    const char *source;
    const char *sourceField;
    const char *charge;
    const char *chargeField;
    const char *nonExplosive;
    const char *nonExplosiveField;
};

const SourcePairs kSourcePairs[] = {
    {"JvDBLookupCombo10", "DRIVINGTYPE_ID", "JvDBLookupCombo11", "CHARGELOCATION_ID", "JvDBLookupCombo12",
     "NONEXPLOSIVETYPE_ID"},
    {"JvDBLookupCombo13", "DRIVINGTYPE3D_ID", "JvDBLookupCombo14", "CHARGELOCATION3D_ID", "JvDBLookupCombo15",
     "NONEXPLOSIVETYPE3D_ID"},
};

} // namespace

class RecordRulesTest : public QObject
{
    Q_OBJECT

    QTemporaryDir mDir;

    // The sample passport with some stored values changed through the record, saved by the editor.
    std::string sampleWith(const std::function<void(MemTable &)> &change)
    {
        Editor writer;
        writer.open();
        MemTable &record = writer.data.PASPORTS;
        change(record);
        record.Post();
        const std::string path = mDir.filePath(QStringLiteral("changed.psp")).toStdString();
        writer.saveAs(path);
        return path;
    }

private slots:
    void sourceType_data()
    {
        QTest::addColumn<int>("stored"); // the source type the passport is opened with
        QTest::addColumn<int>("picked"); // then picked by the user
        QTest::addColumn<bool>("chargeEnabled");
        QTest::addColumn<bool>("nonExplosiveEnabled");
        QTest::addColumn<bool>("chargeSet");
        QTest::addColumn<bool>("nonExplosiveSet");
        QTest::newRow("never chosen") << kNull << kNoPick << true << true << true << true;
        QTest::newRow("opened on the charged source") << 108 << kNoPick << true << false << true << false;
        QTest::newRow("opened on another source") << 8001 << kNoPick << false << true << false << true;
        QTest::newRow("the charged source picked") << 8001 << 108 << true << false << false << false;
        QTest::newRow("another source picked") << 108 << 8001 << false << true << false << false;
        QTest::newRow("the empty entry picked") << 108 << 0 << false << true << false << false;
    }

    void sourceType()
    {
        QFETCH(int, stored);
        QFETCH(int, picked);
        QFETCH(bool, chargeEnabled);
        QFETCH(bool, nonExplosiveEnabled);
        QFETCH(bool, chargeSet);
        QFETCH(bool, nonExplosiveSet);

        const std::string path = sampleWith([&](MemTable &record) {
            for (const SourcePairs &pairs : kSourcePairs) {
                setOrClear(record.FieldByName(pairs.sourceField), stored);
                record.FieldByName(pairs.chargeField).SetAsInteger(9002);
                record.FieldByName(pairs.nonExplosiveField).SetAsInteger(10001);
            }
        });
        Editor e;
        e.open(path);
        e.form->show();
        auto *page = e.page<editor::MethodsPage>();
        for (const SourcePairs &pairs : kSourcePairs) {
            if (picked != kNoPick) {
                auto *list = page->control<QComboBox>(pairs.source);
                pick(list, indexOfKey(list, picked));
                QCOMPARE(e.data.PASPORTS.FieldByName(pairs.sourceField).AsInteger(), picked);
            }
            QCOMPARE(page->control(pairs.charge)->isEnabled(), chargeEnabled);
            QCOMPARE(page->captionLabel(pairs.charge)->isEnabled(), chargeEnabled);
            QCOMPARE(page->control(pairs.nonExplosive)->isEnabled(), nonExplosiveEnabled);
            QCOMPARE(page->captionLabel(pairs.nonExplosive)->isEnabled(), nonExplosiveEnabled);
            QCOMPARE(!e.data.PASPORTS.FieldByName(pairs.chargeField).IsNull(), chargeSet);
            QCOMPARE(!e.data.PASPORTS.FieldByName(pairs.nonExplosiveField).IsNull(), nonExplosiveSet);
            QCOMPARE(page->control<QComboBox>(pairs.nonExplosive)->currentText().isEmpty(), !nonExplosiveSet);
        }
        QCOMPARE(page->captionLabel("JvDBLookupCombo11")->objectName(), QStringLiteral("Label31"));
        QCOMPARE(page->captionLabel("JvDBLookupCombo15")->objectName(), QStringLiteral("Label42"));
    }

    void freshWindowStartsWithTheOtherMethodNamesClosed()
    {
        Editor e;
        auto *history = e.page<editor::HistoryPage>();
        QVERIFY(!history->control("DBEdit19")->isEnabled());
        QVERIFY(!history->control("DBEdit20")->isEnabled());
        auto *methods = e.page<editor::MethodsPage>();
        for (const char *name :
             {"JvDBLookupCombo11", "JvDBLookupCombo12", "JvDBLookupCombo14", "JvDBLookupCombo15"})
            QVERIFY2(methods->control(name)->isEnabled(), name);
        auto *geology = e.page<editor::GeologyPage>();
        for (const char *name : {"DBEdit16", "DBEdit17", "DBEdit18"})
            QVERIFY2(geology->control(name)->isEnabled(), name);
    }

    void otherMethod_data()
    {
        QTest::addColumn<QString>("list");
        QTest::addColumn<QString>("edit");
        QTest::addColumn<QString>("field");
        QTest::newRow("detection") << "JvDBLookupCombo5"
                                   << "DBEdit19"
                                   << "OTHERMETHOD2";
        QTest::newRow("preparation") << "JvDBLookupCombo6"
                                     << "DBEdit20"
                                     << "OTHERMETHOD";
    }

    void otherMethod()
    {
        QFETCH(QString, list);
        QFETCH(QString, edit);
        QFETCH(QString, field);
        Editor e;
        e.open();
        e.form->show();
        auto *page = e.page<editor::HistoryPage>();
        auto *combo = page->control<QComboBox>(list.toLatin1().constData());
        auto *name = page->control<QLineEdit>(edit.toLatin1().constData());
        Field &text = e.data.PASPORTS.FieldByName(field.toStdString());

        pick(combo, indexOfKey(combo, 92));
        QVERIFY(name->isEnabled());
        QVERIFY(page->captionLabel(edit.toLatin1().constData())->isEnabled());
        QVERIFY(name->text().isEmpty());
        type(name, QStringLiteral("Гравимагниторазведка"));
        QCOMPARE(QString::fromStdString(e.text(e.data.PASPORTS, field.toLatin1().constData())),
                 QStringLiteral("Гравимагниторазведка"));

        pick(combo, indexOfKey(combo, 5004));
        QVERIFY(!name->isEnabled());
        QVERIFY(text.IsNull());
        QVERIFY(name->text().isEmpty());
    }

    // The stored name of another preparation method survives opening: page 3 shows the same text as
    // the name of another geophysical method. Only the user's pick of a method empties it.
    void openingKeepsTheNameOfTheOtherPreparationMethod()
    {
        const std::string path = sampleWith([](MemTable &record) {
            record.FieldByName("OTHERMETHOD").SetAsString(cp("Магнитотеллурика"));
            record.FieldByName("OTHERMETHOD2").SetAsString(cp("Аэрогеофизика"));
        });
        Editor e;
        e.open(path);
        auto *history = e.page<editor::HistoryPage>();
        auto *methods = e.page<editor::MethodsPage>();
        MemTable &record = e.data.PASPORTS;
        QCOMPARE(e.text(record, "OTHERMETHOD"), std::string("Магнитотеллурика"));
        QVERIFY(!history->control("DBEdit20")->isEnabled());
        QCOMPARE(history->control<QLineEdit>("DBEdit20")->text(), QStringLiteral("Магнитотеллурика"));
        QVERIFY(methods->control("DBEdit11")->isEnabled());
        QCOMPARE(methods->control<QLineEdit>("DBEdit11")->text(), QStringLiteral("Магнитотеллурика"));
        // The detection method's name has no other home: opening empties it as the rule says.
        QVERIFY(record.FieldByName("OTHERMETHOD2").IsNull());
        QVERIFY(!e.data.PassportModified);

        e.form->show();
        auto *preparation = history->control<QComboBox>("JvDBLookupCombo6");
        pick(preparation, indexOfKey(preparation, 5004));
        QVERIFY(record.FieldByName("OTHERMETHOD").IsNull());
        QVERIFY(methods->control<QLineEdit>("DBEdit11")->text().isEmpty());
    }

    void freeTextsFollowTheClassifiers()
    {
        Editor e;
        e.open();
        e.form->show();
        auto *page = e.page<editor::GeologyPage>();
        MemTable &record = e.data.PASPORTS;
        const auto enabled = [&] {
            return QList<bool>{page->control("DBEdit16")->isEnabled(), page->control("DBEdit17")->isEnabled(),
                               page->control("DBEdit18")->isEnabled()};
        };
        // The sample names its province, area and district.
        QCOMPARE(enabled(), (QList<bool>{false, false, false}));

        // Another province empties the area (and with it the district), whose texts open.
        auto *province = page->control<QComboBox>("JvDBLookupCombo19");
        pick(province, indexOfKey(province, 11002));
        QCOMPARE(enabled(), (QList<bool>{false, true, true}));
        QVERIFY(record.FieldByName("GEO_OBLAST_ID").IsNull());
        type(page->control("DBEdit17"), QStringLiteral("Северная"));
        QCOMPARE(e.text(record, "GEO_OBLAST_DOP"), std::string("Северная"));

        // An area picked from the narrowed list closes and empties its text again.
        auto *area = page->control<QComboBox>("JvDBLookupCombo20");
        QVERIFY(area->count() > 1);
        pick(area, 1);
        QCOMPARE(enabled(), (QList<bool>{false, false, true}));
        QVERIFY(record.FieldByName("GEO_OBLAST_DOP").IsNull());
        QVERIFY(page->control<QLineEdit>("DBEdit17")->text().isEmpty());

        // The empty entry opens the province's text, still empty.
        pick(province, indexOfKey(province, 0));
        QCOMPARE(record.FieldByName("GEO_PROVINCE_ID").AsInteger(), 0);
        QCOMPARE(enabled(), (QList<bool>{true, true, true}));
        QVERIFY(page->control<QLineEdit>("DBEdit16")->text().isEmpty());
        QVERIFY(e.prompts.calls.empty());
    }

    void yearsThroughTheirSpins_data()
    {
        QTest::addColumn<QString>("spin");
        QTest::addColumn<QString>("field");
        QTest::addColumn<int>("currentYear");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("stored"); // kNull: refused
        QTest::addColumn<QString>("message");
        QTest::newRow("3500 comes back to 3000") << "JvDBSpinEdit5"
                                                 << "PREPAREDFUNDYEAR" << 3000 << "3500" << 3000 << "";
        QTest::newRow("a year after this one") << "JvDBSpinEdit5"
                                               << "PREPAREDFUNDYEAR" << 2024 << "2025" << kNull << "";
        QTest::newRow("out of order")
            << "JvDBSpinEdit5"
            << "PREPAREDFUNDYEAR" << 2024 << "2010" << kNull
            << "Год включения в фонд подготовленных не может быть раньше года начала подготовки объекта.";
        QTest::newRow("showing-up year after the start")
            << "JvDBSpinEdit1"
            << "SHOWINGUPYEAR" << 2024 << "2017" << 2017
            << "Год начала подготовки не может быть раньше года выявления объекта.";
    }

    void yearsThroughTheirSpins()
    {
        QFETCH(QString, spin);
        QFETCH(QString, field);
        QFETCH(int, currentYear);
        QFETCH(QString, typed);
        QFETCH(int, stored);
        QFETCH(QString, message);
        validation::setCurrentYear(currentYear);
        Editor e;
        e.open();
        e.form->show();
        auto *page = e.page<editor::HistoryPage>();
        auto *box = page->control<editor::NullableSpinBox>(spin.toLatin1().constData());
        // A message is told once the commit is over and the spin shows what the rule left.
        QStringList shownWithMessage;
        e.prompts.onShow = [&](const PromptCall &) { shownWithMessage << box->text(); };
        type(box, typed);
        validation::setCurrentYear(std::nullopt);

        Field &year = e.data.PASPORTS.FieldByName(field.toStdString());
        if (stored == kNull) {
            QVERIFY(year.IsNull());
            QVERIFY(box->text().isEmpty());
        } else {
            QCOMPARE(year.AsInteger(), stored);
            QCOMPARE(box->text(), QString::number(stored));
        }
        if (message.isEmpty()) {
            QVERIFY(e.prompts.calls.empty());
            return;
        }
        QCOMPARE(e.prompts.calls.size(), std::size_t(1));
        QCOMPARE(QString::fromStdString(e.prompts.calls[0].text), message);
        QCOMPARE(e.prompts.calls[0].caption, std::string("Неверное значение!"));
        QCOMPARE(shownWithMessage, QStringList{box->text()});
        // A later year refused by the new showing-up year shows empty in its own spin.
        if (field == "SHOWINGUPYEAR") {
            QVERIFY(e.data.PASPORTS.FieldByName("STARTPREPARATIONYEAR").IsNull());
            QVERIFY(page->control<editor::NullableSpinBox>("JvDBSpinEdit2")->text().isEmpty());
        }
    }

    void textLongerThanItsFieldCannotBeTyped()
    {
        Editor e;
        e.open();
        e.form->show();
        auto *page = e.page<editor::HistoryPage>();
        type(page->control("DBEdit2"), QString(130, QLatin1Char('a')));
        QCOMPARE(e.data.PASPORTS.FieldByName("PREPARATIONORGANIZATION").AsString(), std::string(128, 'a'));
        type(page->control("DBEdit3"), QString(410, QChar(0x0416)));
        QCOMPARE(e.text(e.data.PASPORTS, "REPORTPREPARATION"), QString(400, QChar(0x0416)).toStdString());
        auto *geology = e.page<editor::GeologyPage>();
        QCOMPARE(geology->control<QLineEdit>("DBEdit16")->maxLength(), 80);
    }
};

TARVENA_REGISTER_TEST(RecordRulesTest)
#include "tst_recordrules.moc"
