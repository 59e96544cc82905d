// The record pages through their real widgets: what a user types or picks reaches the passport
// record, and the page rules empty what they must.
#include "editor/binding/lookupbinding.h"
#include "editor/pages/geographypage.h"
#include "tests/editor/editorfixture.h"
#include "tests/editor/testregistry.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

using namespace tarvena;
using namespace tarvena::testing;

class RecordPagesTest : public QObject
{
    Q_OBJECT

private slots:
    void geography_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("input"); // a text to type, "+1" for the next entry, "=" for the same
        QTest::addColumn<QString>("field");
        QTest::addColumn<QStringList>("emptied");
        QTest::addColumn<QStringList>("kept");
        const QStringList regions = {"REPUBLIC_ID", "KRAI_ID", "OBLAST_ID"};
        QTest::newRow("object name") << "DBEdit1"
                                     << "Южная структура"
                                     << "OBJECTNAME" << QStringList() << regions;
        QTest::newRow("another district empties all three") << "JvDBLookupCombo1"
                                                            << "+1"
                                                            << "FEDERALOKRUG_ID" << regions << QStringList();
        QTest::newRow("the district shown runs no rule") << "JvDBLookupCombo1"
                                                         << "="
                                                         << "FEDERALOKRUG_ID" << QStringList() << regions;
        QTest::newRow("republic") << "JvDBLookupCombo2"
                                  << "+1"
                                  << "REPUBLIC_ID" << QStringList{"KRAI_ID", "OBLAST_ID"} << QStringList();
        QTest::newRow("krai") << "JvDBLookupCombo3"
                              << "+1"
                              << "KRAI_ID" << QStringList{"REPUBLIC_ID", "OBLAST_ID"} << QStringList();
        QTest::newRow("oblast") << "JvDBLookupCombo4"
                                << "+1"
                                << "OBLAST_ID" << QStringList{"REPUBLIC_ID", "KRAI_ID"} << QStringList();
    }

    void geography()
    {
        QFETCH(QString, control);
        QFETCH(QString, input);
        QFETCH(QString, field);
        QFETCH(QStringList, emptied);
        QFETCH(QStringList, kept);

        Editor e;
        e.open();
        e.form->show();
        MemTable &record = e.data.PASPORTS;
        // Every region set, so that the rules' emptying shows.
        int key = 900001;
        for (const char *name : {"REPUBLIC_ID", "KRAI_ID", "OBLAST_ID"})
            record.FieldByName(name).SetAsInteger(key++);
        auto *page = e.page<editor::GeographyPage>();
        QWidget *widget = page->control(control.toLatin1().constData());
        QVERIFY(widget);
        QCOMPARE(widget->accessibleName(), page->captionLabel(control.toLatin1().constData())->text());

        QVariant expected;
        if (auto *edit = qobject_cast<QLineEdit *>(widget)) {
            type(edit, input);
            expected = input;
            QCOMPARE(QString::fromStdString(e.text(record, field.toLatin1().constData())), input);
        } else {
            auto *combo = qobject_cast<QComboBox *>(widget);
            QVERIFY(combo);
            const int index = input == "=" ? combo->currentIndex() : combo->currentIndex() + 1;
            QVERIFY(index >= 0 && index < combo->count());
            pick(combo, index);
            QCOMPARE(record.FieldByName(field.toStdString()).AsInteger(),
                     combo->itemData(index).toLongLong());
            QCOMPARE(combo->currentIndex(), index);
        }
        for (const QString &name : emptied) {
            QVERIFY2(record.FieldByName(name.toStdString()).IsNull(), qPrintable(name));
            // The emptied list shows nothing.
            const char *listOf = name == "REPUBLIC_ID" ? "JvDBLookupCombo2"
                                 : name == "KRAI_ID"   ? "JvDBLookupCombo3"
                                                       : "JvDBLookupCombo4";
            QVERIFY(page->control<QComboBox>(listOf)->currentText().isEmpty());
        }
        for (const QString &name : kept)
            QVERIFY2(!record.FieldByName(name.toStdString()).IsNull(), qPrintable(name));
        QVERIFY(e.prompts.calls.empty());
    }
};

TARVENA_REGISTER_TEST(RecordPagesTest)
#include "tst_recordpages.moc"
