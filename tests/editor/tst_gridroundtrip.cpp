// A value typed into a cell of each horizon grid survives saving and reopening the passport, and the
// command-line dump of the saved file shows it; the computed resources of the resource pages follow
// their parameters as soon as a cell is handed over.
#include "tests/editor/gridfixture.h"
#include "tests/editor/testregistry.h"
#include "tests/support/clirun.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

using namespace tarvena;
using namespace tarvena::testing;

namespace {

// The value of a field in the dump of a passport, in the row with the given ID.
QJsonValue dumpedValue(const QString &path, const QString &table, qint64 id, const QString &field)
{
    const CliRun run = runCli({"dump", path.toStdString()});
    if (run.exitCode != 0)
        return QJsonValue(QJsonValue::Undefined);
    const QJsonObject rows = QJsonDocument::fromJson(QByteArray::fromStdString(run.out))
                                 .object()
                                 .value("tables")
                                 .toObject()
                                 .value(table)
                                 .toObject();
    for (const QJsonValue &row : rows.value("rows").toArray()) {
        if (row.toObject().value("ID").toInteger() == id)
            return row.toObject().value(field);
    }
    return QJsonValue(QJsonValue::Undefined);
}

} // namespace

class GridRoundTripTest : public QObject
{
    Q_OBJECT

private slots:
    void aTypedCellIsSavedAndReadBack_data()
    {
        QTest::addColumn<QString>("gridName");
        QTest::addColumn<int>("page");
        QTest::addColumn<QString>("horizon"); // STRATIGRSVIT or INDEXOG of the row edited
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QVariant>("stored");
        QTest::addColumn<QString>("computed"); // a calculated column that follows, with its new text
        QTest::addColumn<QString>("computedText");
        QTest::newRow("JvDBGrid1") << "JvDBGrid1" << 4 << "Г"
                                   << "STRATIGRSVIT"
                                   << "кровля кузнецовской свиты" << QVariant("кровля кузнецовской свиты")
                                   << QString() << QString();
        QTest::newRow("JvDBGrid2") << "JvDBGrid2" << 5 << "Г"
                                   << "KORRADIUS"
                                   << "1.75" << QVariant(1.75) << QString() << QString();
        QTest::newRow("JvDBGrid3") << "JvDBGrid3" << 6 << "пласт ПК1 (покурская свита)"
                                   << "POSIBLESQUARE"
                                   << "40.5" << QVariant(40.5) << QString() << QString();
        QTest::newRow("JvDBGrid4") << "JvDBGrid4" << 7 << "пласт Ач1 (ачимовская толща)"
                                   << "SQUARENEFTENOSN"
                                   << "10" << QVariant(10.0) << "CALC_BAL_RES"
                                   << "3.944";
        QTest::newRow("JvDBGrid5") << "JvDBGrid5" << 7 << "пласт Ач1 (ачимовская толща)"
                                   << "OILSQUAREMAX"
                                   << "16" << QVariant(16.0) << QString() << QString();
        QTest::newRow("JvDBGrid6") << "JvDBGrid6" << 8 << "пласт ПК1 (покурская свита)"
                                   << "GAZENDPLASTPREASURE"
                                   << "2" << QVariant(2.0) << "CALC_BALGAZ_RES"
                                   << "9395.356";
        QTest::newRow("JvDBGrid7") << "JvDBGrid7" << 8 << "пласт ПК1 (покурская свита)"
                                   << "GAZBALANCERESOURCEP"
                                   << "9300" << QVariant(9300.0) << QString() << QString();
        QTest::newRow("JvDBGrid8") << "JvDBGrid8" << 9 << "пласт БП10 (сортымская свита)"
                                   << "GAZCONDAVGSTARTCONSIST"
                                   << "200" << QVariant(200.0) << "CALC_BALGAZCOND_RES"
                                   << "1.852";
        QTest::newRow("JvDBGrid9") << "JvDBGrid9" << 9 << "пласт БП10 (сортымская свита)"
                                   << "IZVLEKRESGAZCONDPNEW"
                                   << "1.25" << QVariant(1.25) << QString() << QString();
    }
    void aTypedCellIsSavedAndReadBack()
    {
        QFETCH(QString, gridName);
        QFETCH(int, page);
        QFETCH(QString, horizon);
        QFETCH(QString, field);
        QFETCH(QString, typed);
        QFETCH(QVariant, stored);
        QFETCH(QString, computed);
        QFETCH(QString, computedText);
        const QByteArray gridKey = gridName.toLatin1();
        const QByteArray fieldKey = field.toLatin1();
        const QByteArray computedKey = computed.toLatin1();
        QTemporaryDir folder;
        QVERIFY(folder.isValid());
        const QString path = folder.filePath("edited.psp");

        qint64 id = 0;
        {
            Editor e;
            e.open();
            e.form->show();
            e.enterPage(page);
            TableGrid *grid = pageGrid(e, page, gridKey.constData());
            MemTable &table = tableOfGrid(e, gridKey.constData());
            const int row = grid->currentIndex().row();
            const char *nameField =
                gridName == "JvDBGrid1" || gridName == "JvDBGrid2" ? "INDEXOG" : "STRATIGRSVIT";
            QCOMPARE(QString::fromStdString(e.text(table, nameField)), horizon);
            id = table.FieldByName("ID").AsInteger();

            typeIntoCell(grid, row, fieldKey.constData(), typed);
            if (!computed.isEmpty())
                QCOMPARE(cellText(grid, row, computedKey.constData()), computedText);

            e.dialogs.saveAnswers.push_back(path);
            e.form->N4Click();
            QVERIFY(e.prompts.calls.empty());
        }

        Editor reopened;
        reopened.open(path.toStdString());
        MemTable &table = tableOfGrid(reopened, gridKey.constData());
        QVERIFY(table.Locate("ID", Value(std::int64_t(id))));
        const Field &value = table.FieldByName(field.toStdString());
        const QString tableName = QString::fromStdString(gridTableName(gridKey.constData()));
        const QJsonValue dumped = dumpedValue(path, tableName, id, field);
        if (stored.typeId() == QMetaType::Double) {
            QCOMPARE(value.AsFloat(), stored.toDouble());
            QCOMPARE(dumped.toDouble(), stored.toDouble());
        } else {
            QCOMPARE(QString::fromStdString(reopened.text(table, fieldKey.constData())), stored.toString());
            QCOMPARE(dumped.toString(), stored.toString());
        }
        if (!computed.isEmpty()) {
            reopened.form->show();
            reopened.enterPage(page);
            TableGrid *grid = pageGrid(reopened, page, gridKey.constData());
            QCOMPARE(cellText(grid, grid->currentIndex().row(), computedKey.constData()), computedText);
        }
    }
};

TARVENA_REGISTER_TEST(GridRoundTripTest)
#include "tst_gridroundtrip.moc"
