// The record pages as built: every control a user meets on pages 1 to 4 and on the hidden economics
// page is a row of the record catalogue, shown with the catalogue's caption, hint, kind and limits,
// and every row of the catalogue has its control; the framed groups carry the catalogue's captions.
#include "editor/binding/selectorbinding.h"
#include "editor/nullablespinbox.h"
#include "editor/pages/economicspage.h"
#include "editor/pages/geographypage.h"
#include "editor/pages/geologypage.h"
#include "editor/pages/historypage.h"
#include "editor/pages/methodspage.h"
#include "model/recordfields.h"
#include "tests/editor/editorfixture.h"
#include "tests/editor/testregistry.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>

#include <set>

using namespace tarvena;
using namespace tarvena::testing;

namespace {

// The controls a user edits: line edits, lists, spins and selector fields, without the parts that
// make up a list, a spin or a selector.
QList<QWidget *> editableControls(QWidget *page)
{
    const auto isControl = [](QWidget *widget) {
        return qobject_cast<QLineEdit *>(widget) || qobject_cast<QComboBox *>(widget) ||
               qobject_cast<QAbstractSpinBox *>(widget) || qobject_cast<editor::SelectorEdit *>(widget);
    };
    QList<QWidget *> controls;
    for (QWidget *widget : page->findChildren<QWidget *>()) {
        if (!isControl(widget))
            continue;
        bool part = false;
        for (QWidget *up = widget->parentWidget(); up && up != page; up = up->parentWidget())
            part = part || isControl(up);
        if (!part)
            controls << widget;
    }
    return controls;
}

bool shownAs(QWidget *widget, const RecordField &row)
{
    switch (row.kind) {
    case FieldKind::Text:
        return qobject_cast<QLineEdit *>(widget);
    case FieldKind::List:
        return qobject_cast<QComboBox *>(widget);
    case FieldKind::WholeNumber:
    case FieldKind::DecimalNumber: {
        auto *spin = qobject_cast<editor::NullableSpinBox *>(widget);
        return spin && spin->maximum() == row.maximum &&
               spin->decimals() == (row.kind == FieldKind::DecimalNumber ? row.decimals : 0);
    }
    case FieldKind::Scale:
    case FieldKind::Unit:
        return qobject_cast<editor::SelectorEdit *>(widget);
    default:
        return false;
    }
}

} // namespace

class RecordCatalogueTest : public QObject
{
    Q_OBJECT

private slots:
    void everyControlComesFromTheCatalogue_data()
    {
        QTest::addColumn<QString>("page");
        QTest::addColumn<int>("first");
        QTest::addColumn<int>("last");
        const auto row = [](const char *page, RecordGroup first, RecordGroup last) {
            QTest::newRow(page) << QString::fromLatin1(page) << static_cast<int>(first)
                                << static_cast<int>(last);
        };
        row("TabSheet3", RecordGroup::Geography, RecordGroup::Geography);
        row("TabSheet4", RecordGroup::History, RecordGroup::History);
        row("TabSheet5", RecordGroup::Seismic2D, RecordGroup::StructuralDrilling);
        row("TabSheet6", RecordGroup::Geology, RecordGroup::Geology);
        row("TabSheet14", RecordGroup::Economics, RecordGroup::Economics);
    }

    void everyControlComesFromTheCatalogue()
    {
        QFETCH(QString, page);
        QFETCH(int, first);
        QFETCH(int, last);
        Editor e;
        e.open();
        const QList<editor::RecordPage *> pages = e.form->findChildren<editor::RecordPage *>(page);
        QCOMPARE(pages.size(), 1);
        editor::RecordPage *record = pages.first();

        std::set<std::string> expected;
        for (const RecordGroupInfo &group : recordGroups()) {
            const int index = static_cast<int>(group.group);
            if (index < first || index > last)
                continue;
            for (const RecordField &row : group.fields)
                expected.insert(row.control);
            if (group.caption) {
                auto *frame = record->findChild<QGroupBox *>(QLatin1String(group.objectName));
                QVERIFY2(frame, group.objectName);
                QCOMPARE(frame->title(), QString::fromUtf8(group.caption));
            }
        }

        std::set<std::string> found;
        for (QWidget *widget : editableControls(record)) {
            const std::string name = widget->objectName().toStdString();
            const RecordField *row = nullptr;
            for (const RecordGroupInfo &group : recordGroups())
                for (const RecordField &candidate : group.fields)
                    if (name == candidate.control)
                        row = &candidate;
            QVERIFY2(row, name.c_str());
            QVERIFY2(expected.count(name), name.c_str());
            QVERIFY2(found.insert(name).second, name.c_str());
            QCOMPARE(record->control(row->control), widget);
            QVERIFY2(shownAs(widget, *row), name.c_str());
            QCOMPARE(widget->toolTip(), QString::fromUtf8(row->hint));
            QLabel *caption = record->captionLabel(row->control);
            QCOMPARE(caption ? caption->text() : QString(), QString::fromUtf8(row->caption));
            if (row->labelName)
                QCOMPARE(caption->objectName(), QLatin1String(row->labelName));
        }
        QCOMPARE(found, expected);
    }
};

TARVENA_REGISTER_TEST(RecordCatalogueTest)
#include "tst_recordcatalogue.moc"
