// What the user changes on pages 1 to 4 is what the saved passport holds, as the command-line tool
// reads it; and page 4's summary is the tool's summary.
#include "editor/binding/selectorbinding.h"
#include "editor/nullablespinbox.h"
#include "editor/pages/geographypage.h"
#include "editor/pages/geologypage.h"
#include "editor/pages/geologysummaryview.h"
#include "editor/pages/historypage.h"
#include "editor/pages/methodspage.h"
#include "tests/editor/editorfixture.h"
#include "tests/editor/testregistry.h"
#include "tests/support/clirun.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QToolButton>

using namespace tarvena;
using namespace tarvena::testing;

namespace {

// One change of the user: a text typed, an entry picked by its key, or a dialog's answer.
struct Change
{
    int page;
    const char *control;
    const char *field;
    QString typed;   // typed into an edit or spin
    int key = 0;     // picked in a list, or answered by a dialog
    QJsonValue kept; // what the saved record holds
};

QString shownText(QWidget *control)
{
    if (auto *edit = qobject_cast<QLineEdit *>(control))
        return edit->text();
    if (auto *combo = qobject_cast<QComboBox *>(control))
        return combo->currentText();
    if (auto *spin = qobject_cast<editor::NullableSpinBox *>(control))
        return spin->text();
    if (auto *selector = qobject_cast<editor::SelectorEdit *>(control))
        return selector->edit()->text();
    return {};
}

editor::RecordPage *recordPage(Editor &e, int index)
{
    return qobject_cast<editor::RecordPage *>(e.book()->page(index));
}

QJsonObject dumpedRecord(const std::string &path)
{
    const CliRun run = runCli({"dump", path});
    if (run.exitCode != 0)
        return {};
    const QJsonDocument dump = QJsonDocument::fromJson(QByteArray::fromStdString(run.out));
    return dump["tables"]["PASPORTS"]["rows"].toArray().at(0).toObject();
}

} // namespace

class RecordRoundTripTest : public QObject
{
    Q_OBJECT

private slots:
    void everyKindOfControlOnEveryPage()
    {
        const Change changes[] = {
            {0, "DBEdit1", "OBJECTNAME", "Южно-Тарвенская структура", 0, "Южно-Тарвенская структура"},
            {0, "JvDBLookupCombo4", "OBLAST_ID", {}, 4043, 4043},
            {1, "JvDBSpinEdit1", "SHOWINGUPYEAR", "2010", 0, 2010},
            {1, "JvDBLookupCombo8", "LICENCETYPE_ID", {}, 7001, 7001},
            {1, "DBEdit9", "LICENCEREGION", "Южный участок", 0, "Южный участок"},
            {2, "JvDBSpinEdit6", "GRIDDENCITY", "2.5", 0, 2.5},
            {2, "JvDBSpinEdit7", "MOGTREPETISHIONS", "48", 0, 48},
            {2, "JvDBComboEdit6", "SHOOTSCALEST", {}, 25000, 25000},
            {2, "JvDBLookupCombo11", "CHARGELOCATION_ID", {}, 9003, 9003},
            {2, "DBEdit12", "OBSERVATIONSYSTEM", "Площадная", 0, "Площадная"},
            {3, "DBEdit13", "TEKTO1P", "Уренгойский мегавал", 0, "Уренгойский мегавал"},
            {3, "JvDBLookupCombo21", "GEO_RAION_ID", {}, 13008, 13008},
            {3, "JvDBComboEdit2", "STRATIGR_PODOSHV", {}, 16001, 16001},
        };
        QTemporaryDir dir;
        const std::string path = dir.filePath(QStringLiteral("Южная.psp")).toStdString();
        QMap<QString, QString> shownBefore;
        {
            Editor e;
            e.open();
            e.form->show();
            for (const Change &change : changes) {
                e.enterPage(change.page);
                editor::RecordPage *page = recordPage(e, change.page);
                QWidget *control = page->control(change.control);
                QVERIFY2(control, change.control);
                if (auto *combo = qobject_cast<QComboBox *>(control)) {
                    QVERIFY2(indexOfKey(combo, change.key) >= 0, change.control);
                    pick(combo, indexOfKey(combo, change.key));
                } else if (auto *selector = qobject_cast<editor::SelectorEdit *>(control)) {
                    (QByteArray(change.field).startsWith("STRATIGR") ? e.dialogs.unitAnswers
                                                                     : e.dialogs.scaleAnswers)
                        .push_back(change.key);
                    QTest::mouseClick(selector->button(), Qt::LeftButton);
                } else {
                    type(control, change.typed);
                }
                shownBefore[change.control] = shownText(control);
            }
            QVERIFY(e.prompts.calls.empty());
            e.saveAs(path);
            QVERIFY(e.prompts.calls.empty());
        }

        const QJsonObject record = dumpedRecord(path);
        QVERIFY(!record.isEmpty());
        for (const Change &change : changes)
            QVERIFY2(record[change.field] == change.kept,
                     qPrintable(QString(change.field) + " " +
                                QJsonDocument(QJsonArray{record[change.field]}).toJson()));

        Editor reopened;
        reopened.open(path);
        for (const Change &change : changes) {
            QWidget *control = recordPage(reopened, change.page)->control(change.control);
            QCOMPARE(shownText(control), shownBefore[change.control]);
        }
    }

    // Text typed into an edit is pending in the record from the first key on: leaving the program
    // with the cursor still in the edit posts it and asks about saving, also after a page switch had
    // posted the record.
    void inputNotYetCommittedIsPending()
    {
        Editor e;
        e.open();
        e.form->show();
        e.enterPage(1);
        e.data.PassportModified = false; // as after a save
        QCOMPARE(e.data.PASPORTS.State(), TableState::Browse);
        auto *edit = recordPage(e, 1)->control<QLineEdit>("DBEdit9");
        edit->setFocus();
        edit->selectAll();
        typeText(edit, QStringLiteral("Восточный участок"));
        e.prompts.answers = {Prompts::Yes, Prompts::No};
        QVERIFY(e.form->FormCloseQuery());
        QCOMPARE(e.prompts.calls.size(), std::size_t(2));
        QCOMPARE(e.prompts.calls[1].text, std::string("Вы не сохранили паспорт. Сохранить?"));
        QCOMPARE(e.text(e.data.PASPORTS, "LICENCEREGION"), std::string("Восточный участок"));
    }

    void summaryIsTheToolsSummary()
    {
        const CliRun run = runCli({"summary", builtSamplePassport()});
        QCOMPARE(run.exitCode, 0);
        // The label lines; the tool adds a contour area line per horizon after them.
        const QStringList expected = QString::fromStdString(run.out)
                                         .split('\n', Qt::SkipEmptyParts)
                                         .filter(QRegularExpression(QStringLiteral("^Label\\d+: ")));
        QCOMPARE(expected.size(), 14);

        Editor e;
        e.open();
        e.form->show();
        // A resource page left the productive horizons filtered to one class; the summary sums them all.
        MemTable &horizons = e.data.POSIB_PRODUCT_HOR;
        horizons.SetFilter("UV_ID=398");
        horizons.SetFiltered(true);
        e.enterPage(3);
        auto *summary = e.page<editor::GeologyPage>()->summary();
        QStringList shown;
        for (const QString &line : expected) {
            const QString name = line.section(QStringLiteral(": "), 0, 0);
            QLabel *label = summary->label(name);
            QVERIFY2(label, qPrintable(name));
            shown << name + QStringLiteral(": ") + label->text();
        }
        QCOMPARE(shown, expected);
        QVERIFY(!horizons.Filtered());
        QCOMPARE(horizons.RecNo(), 1);
    }
};

TARVENA_REGISTER_TEST(RecordRoundTripTest)
#include "tst_recordroundtrip.moc"
