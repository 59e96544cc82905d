#pragma once
// Driving the documents and graphics page as a user does: its tab, the rows of its three grids, the
// groups' buttons and double clicks, and files on disk to load and export.
#include "editor/grid/tablegrid.h"
#include "editor/pages/documentspage.h"
#include "editor/parts/slotgroup.h"
#include "storage/gzip.h"
#include "tests/editor/editorfixture.h"

#include <QFile>
#include <QPushButton>
#include <QTabBar>
#include <QTemporaryDir>

namespace tarvena::testing {

struct DocumentsEditor : Editor
{
    QTemporaryDir dir;

    editor::DocumentsPage *page() const { return form->documentsPage(); }
    editor::TableGrid *grid(SlotList list) const { return page()->grid(list); }
    MemTable &slotTable(SlotList list) const { return page()->fileSlots().table(list); }

    // Clicks a tab of the outer page control and lets the queued requests run.
    void clickMainTab(int index) const
    {
        QTabBar *bar = form->pageControl1()->tabBar();
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(index).center());
        QCoreApplication::processEvents();
    }
    void showDocuments() const
    {
        if (form->pageControl1()->currentIndex() == 1)
            clickMainTab(0);
        clickMainTab(1);
    }

    QModelIndex cell(SlotList list, int row) const
    {
        editor::TableGrid *view = grid(list);
        const QModelIndex index = view->model()->index(row, 0);
        view->scrollTo(index);
        return index;
    }
    void clickRow(SlotList list, int row) const
    {
        editor::TableGrid *view = grid(list);
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(cell(list, row)).center());
        QCoreApplication::processEvents();
    }
    void doubleClickRow(SlotList list, int row) const
    {
        editor::TableGrid *view = grid(list);
        const QPoint at = view->visualRect(cell(list, row)).center();
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, at);
        QCoreApplication::processEvents();
    }
    void click(SlotList list, editor::SlotGroup::Action action) const
    {
        QTest::mouseClick(page()->group(list)->button(action), Qt::LeftButton);
        QCoreApplication::processEvents();
    }
    // Loads a file into a row of a list: the row is clicked, then "Загрузить файл" with the file
    // chosen in the dialog.
    void load(SlotList list, int row, const QString &path)
    {
        clickRow(list, row);
        dialogs.openAnswers.push_back(path);
        click(list, editor::SlotGroup::Load);
    }

    // The grid's rows as "title | file shown | comment".
    QStringList rows(SlotList list) const
    {
        QAbstractItemModel *model = grid(list)->model();
        QStringList lines;
        for (int r = 0; r < model->rowCount(); ++r) {
            QStringList cells;
            for (int c = 0; c < model->columnCount(); ++c)
                cells << model->index(r, c).data().toString();
            lines << cells.join(QStringLiteral(" | "));
        }
        return lines;
    }
    // The row whose title is given, -1 when none.
    int rowTitled(SlotList list, const QString &title) const
    {
        QAbstractItemModel *model = grid(list)->model();
        for (int r = 0; r < model->rowCount(); ++r) {
            if (model->index(r, 0).data().toString() == title)
                return r;
        }
        return -1;
    }

    // A file of the scratch folder (subfolders made as needed) holding bytes.
    QString file(const QString &name, const QByteArray &bytes)
    {
        const QString path = dir.filePath(name);
        QDir().mkpath(QFileInfo(path).path());
        QFile out(path);
        out.open(QIODevice::WriteOnly);
        out.write(bytes);
        return path;
    }
    static QByteArray read(const QString &path)
    {
        QFile in(path);
        return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray();
    }

    // FILES as "NAME | SRCNAME | DESCRIPTION" lines in table order.
    QStringList files()
    {
        QStringList lines;
        MemTable &table = data.FILES;
        for (int r = 0; r < table.RecordCount(); ++r) {
            QStringList cells;
            for (const char *name : {"NAME", "SRCNAME", "DESCRIPTION"})
                cells << QString::fromStdString(
                    codepage::cp1251ToUtf8(table.displayTextAt(r, table.FieldByName(name))));
            lines << cells.join(QStringLiteral(" | "));
        }
        return lines;
    }
    // The stored content of the FILES row at r, decompressed.
    QByteArray content(int r)
    {
        const Value stored = data.FILES.valueAt(r, data.FILES.FieldByName("CONTENT"));
        const auto *bytes = std::get_if<std::string>(&stored);
        return bytes ? QByteArray::fromStdString(gunzipBytes(*bytes)) : QByteArray();
    }
};

} // namespace tarvena::testing
