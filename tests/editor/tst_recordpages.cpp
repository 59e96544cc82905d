// The record pages through their real widgets: what a user types or picks reaches the passport
// record, the page rules empty what they must, and the wheel changes only a control the user chose.
#include "editor/binding/lookupbinding.h"
#include "editor/nullablespinbox.h"
#include "editor/pages/geographypage.h"
#include "editor/pages/recordpage.h"
#include "tests/editor/editorfixture.h"
#include "tests/editor/testregistry.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QScrollArea>
#include <QScrollBar>
#include <QTabBar>
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

    // Tab from a page's tab goes straight to its first control: the page's scroll area is no stop.
    void tabFromThePageTabReachesTheFirstControl_data()
    {
        QTest::addColumn<int>("page");
        for (int page = 0; page < 4; ++page)
            QTest::addRow("page %d", page + 1) << page;
    }
    void tabFromThePageTabReachesTheFirstControl()
    {
        QFETCH(int, page);
        Editor e;
        e.open();
        e.form->show();
        QVERIFY(QTest::qWaitForWindowActive(e.form.get()));
        e.enterPage(page);
        QTabBar *tabs = e.book()->pageControl()->tabBar();
        tabs->setFocus();
        QTest::keyClick(tabs, Qt::Key_Tab);
        // A tab strip too narrow for its tabs puts its scroll arrows first.
        for (int arrows = 0; arrows < 2 && tabs->isAncestorOf(QApplication::focusWidget()); ++arrows)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QWidget *focused = QApplication::focusWidget();
        QVERIFY(focused);
        QVERIFY2(!qobject_cast<QAbstractScrollArea *>(focused), focused->metaObject()->className());
        // One of the page's own controls (or the edit line inside it) took the focus.
        auto *recordPage = qobject_cast<editor::RecordPage *>(e.book()->page(page));
        QWidget *control = focused;
        while (control && recordPage->control(control->objectName().toLatin1().constData()) != control)
            control = control->parentWidget();
        QVERIFY2(control, qPrintable(focused->objectName()));
        QVERIFY(recordPage->isAncestorOf(focused));
    }

    // Scrolling a page with the wheel over a list or a number leaves it alone (the page scrolls); a
    // control the user clicked or reached by Tab takes the wheel.
    void wheelChangesOnlyAControlWithFocus_data()
    {
        QTest::addColumn<int>("page");
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("field");
        QTest::addColumn<int>("notches"); // a turn that changes the value once the control has focus
        QTest::newRow("source type of 2D") << 2 << "JvDBLookupCombo10"
                                           << "DRIVINGTYPE_ID" << -1;
        QTest::newRow("repetitions of 2D") << 2 << "JvDBSpinEdit7"
                                           << "MOGTREPETISHIONS" << 1;
        QTest::newRow("profile density") << 2 << "JvDBSpinEdit6"
                                         << "GRIDDENCITY" << 1;
        QTest::newRow("province") << 3 << "JvDBLookupCombo19"
                                  << "GEO_PROVINCE_ID" << -1;
    }
    void wheelChangesOnlyAControlWithFocus()
    {
        QFETCH(int, page);
        QFETCH(QString, control);
        QFETCH(QString, field);
        QFETCH(int, notches);

        Editor e;
        e.open();
        e.form->resize(965, 500); // shorter than the pages, so that they scroll
        e.form->show();
        QVERIFY(QTest::qWaitForWindowExposed(e.form.get()));
        e.enterPage(page);
        auto *recordPage = qobject_cast<editor::RecordPage *>(e.book()->page(page));
        QWidget *widget = recordPage->control(control.toLatin1().constData());
        QVERIFY(widget && widget->isEnabled());
        e.book()->pageControl()->tabBar()->setFocus();
        QCoreApplication::processEvents();
        e.data.PassportModified = false;
        const Field &stored = e.data.PASPORTS.FieldByName(field.toStdString());
        const std::string before = stored.Text();
        const auto shown = [&] {
            auto *combo = qobject_cast<QComboBox *>(widget);
            return combo ? combo->currentText() : qobject_cast<editor::NullableSpinBox *>(widget)->text();
        };
        const QString shownBefore = shown();
        QScrollBar *scroll = nullptr;
        for (QWidget *parent = widget; parent && !scroll; parent = parent->parentWidget()) {
            if (auto *area = qobject_cast<QScrollArea *>(parent))
                scroll = area->verticalScrollBar();
        }
        QVERIFY(scroll && scroll->maximum() > 0);
        scroll->setValue(scroll->maximum() / 2);
        const int middle = scroll->value();

        // The page scrolls instead: down, then back up.
        turnWheel(widget, -1);
        QVERIFY(scroll->value() > middle);
        turnWheel(widget, 1);
        QCOMPARE(scroll->value(), middle);
        turnWheel(widget, notches);
        QCOMPARE(stored.Text(), before);
        QCOMPARE(shown(), shownBefore);
        QVERIFY(!e.data.PassportModified);
        QVERIFY(!widget->hasFocus());

        widget->setFocus(Qt::MouseFocusReason);
        turnWheel(widget, notches);
        QVERIFY(stored.Text() != before);
        QVERIFY(shown() != shownBefore);
    }
};

TARVENA_REGISTER_TEST(RecordPagesTest)
#include "tst_recordpages.moc"
