// The record pages as a screen reader and the keyboard meet them: every control of pages 1 to 4 in its
// tab order, named by its caption (or its hint where it has none) and hinted.
#include "editor/pages/geologypage.h"
#include "editor/pages/geologysummaryview.h"
#include "editor/pages/recordpage.h"
#include "tests/editor/editorfixture.h"
#include "tests/editor/testregistry.h"

#include <QLabel>

using namespace tarvena;
using namespace tarvena::testing;

class RecordNamesTest : public QObject
{
    Q_OBJECT

private slots:
    void tabOrderAndNames_data()
    {
        QTest::addColumn<int>("page");
        QTest::addColumn<QStringList>("controls");
        QTest::newRow("1.География") << 0
                                     << QStringList{"DBEdit1", "JvDBLookupCombo1", "JvDBLookupCombo2",
                                                    "JvDBLookupCombo3", "JvDBLookupCombo4"};
        QTest::newRow("2.История") << 1 << QStringList{"JvDBSpinEdit1", "JvDBLookupCombo5", "DBEdit19",
                                                       "JvDBSpinEdit2", "JvDBLookupCombo6", "DBEdit20",
                                                       "DBEdit2",       "DBEdit3",          "DBEdit4",
                                                       "JvDBSpinEdit4", "DBEdit5",          "JvDBSpinEdit3",
                                                       "JvDBSpinEdit5", "JvDBLookupCombo7", "DBEdit6",
                                                       "DBEdit7",       "JvDBLookupCombo8", "DBEdit8",
                                                       "DBEdit9"};
        QTest::newRow("3.Методика подготовки")
            << 2
            << QStringList{"JvDBComboEdit3",    "JvDBSpinEdit6",     "JvDBSpinEdit7",     "JvDBSpinEdit8",
                           "JvDBSpinEdit9",     "JvDBSpinEdit10",    "JvDBLookupCombo10", "JvDBLookupCombo11",
                           "JvDBLookupCombo12", "JvDBSpinEdit12",    "JvDBSpinEdit13",    "JvDBSpinEdit14",
                           "JvDBSpinEdit15",    "JvDBSpinEdit16",    "JvDBSpinEdit17",    "JvDBSpinEdit18",
                           "JvDBLookupCombo13", "JvDBLookupCombo14", "JvDBLookupCombo15", "DBEdit10",
                           "JvDBComboEdit4",    "JvDBSpinEdit19",    "JvDBSpinEdit20",    "DBEdit11",
                           "JvDBComboEdit5",    "JvDBSpinEdit21",    "DBEdit12",          "JvDBSpinEdit22",
                           "JvDBComboEdit6",    "JvDBSpinEdit23"};
        QTest::newRow("4.Геология") << 3 << QStringList{"JvDBLookupCombo19", "DBEdit16",
                                                        "JvDBLookupCombo20", "DBEdit17",
                                                        "JvDBLookupCombo21", "DBEdit18",
                                                        "DBEdit13",          "DBEdit14",
                                                        "JvDBComboEdit1",    "JvDBComboEdit2"};
    }

    void tabOrderAndNames()
    {
        QFETCH(int, page);
        QFETCH(QStringList, controls);
        Editor e;
        auto *record = qobject_cast<editor::RecordPage *>(e.book()->page(page));
        QVERIFY(record);
        QList<QWidget *> widgets;
        for (const QString &name : controls) {
            QWidget *control = record->control(name.toLatin1().constData());
            QVERIFY2(control, qPrintable(name));
            QCOMPARE(control->objectName(), name);
            QVERIFY2(!control->accessibleName().isEmpty(), qPrintable(name));
            if (QLabel *caption = record->captionLabel(name.toLatin1().constData())) {
                QCOMPARE(control->accessibleName(), caption->text());
                QCOMPARE(caption->buddy(), control);
            } else {
                QCOMPARE(control->accessibleName(), control->toolTip());
            }
            // A read-only field with its button is read through the field: it carries the caption.
            if (QWidget *part = control->focusProxy())
                QCOMPARE(part->accessibleName(), control->accessibleName());
            widgets << control;
        }
        // The focus chain meets the controls in the listed order.
        QList<QWidget *> chain;
        QWidget *next = widgets.first();
        do {
            if (widgets.contains(next) && !chain.contains(next))
                chain << next;
            next = next->nextInFocusChain();
        } while (next != widgets.first() && chain.size() < widgets.size());
        QStringList order;
        for (QWidget *widget : chain)
            order << widget->objectName();
        QCOMPARE(order, controls);
    }

    void geologyFiguresAreReadWithTheirCaptions_data()
    {
        QTest::addColumn<QString>("label");
        QTest::addColumn<QString>("caption");
        QTest::newRow("horizons") << "Label29"
                                  << "Продуктивные горизонты";
        QTest::newRow("oil D0") << "Label72"
                                << "Подготовленные ресурсы категории D0 нефти, млн т";
        QTest::newRow("gas, most probable")
            << "Label102"
            << "Наиболее вероятная величина подготовленных ресурсов газа, млн м3";
    }
    void geologyFiguresAreReadWithTheirCaptions()
    {
        QFETCH(QString, label);
        QFETCH(QString, caption);
        Editor e;
        e.open(builtSamplePassport());
        auto *geology = e.book()->page<editor::GeologyPage>();
        geology->TabSheet6Enter();
        QLabel *value = geology->summary()->label(label);
        QVERIFY(value);
        QVERIFY(!value->text().isEmpty());
        // A screen reader reads a label's name: the caption and the figure.
        QCOMPARE(value->accessibleName(), caption + QStringLiteral(": ") + value->text());
    }
};

TARVENA_REGISTER_TEST(RecordNamesTest)
#include "tst_recordnames.moc"
