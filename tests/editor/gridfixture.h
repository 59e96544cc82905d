#pragma once
// Driving the horizon grids as a user does: clicks on cells and titles, typing into the open editor,
// reading what a grid shows.
#include "editor/grid/tablegrid.h"
#include "editor/grid/tablemodel.h"
#include "editor/pages/horizonpage.h"
#include "model/columnsets.h"
#include "tests/editor/editorfixture.h"

#include <QApplication>
#include <QHeaderView>
#include <QLineEdit>
#include <QTest>

#include <memory>

namespace tarvena::testing {

using editor::HorizonPage;
using editor::TableGrid;
using editor::TableModel;

inline QModelIndex cellOf(TableGrid *grid, int row, const char *fieldName)
{
    return grid->model()->index(row, grid->columnOf(fieldName));
}

// Clicks a cell, which makes it current and opens its editor.
inline void clickCell(TableGrid *grid, int row, const char *fieldName)
{
    const QRect rect = grid->visualRect(cellOf(grid, row, fieldName));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, rect.center());
    QCoreApplication::processEvents();
}

inline void clickRow(TableGrid *grid, int row)
{
    const QRect cell = grid->visualRect(grid->model()->index(row, 0));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
    QCoreApplication::processEvents();
}

// The text editor open in the current cell, nullptr when none is. A grid opens it again a moment
// after Enter or Escape ended an edit.
inline QLineEdit *openTextEditor()
{
    for (int round = 0; round < 5; ++round) {
        if (auto *editor = qobject_cast<QLineEdit *>(QApplication::focusWidget()))
            return editor;
        QCoreApplication::processEvents();
    }
    return nullptr;
}

// Makes a cell current, as a click does, and types into its editor, replacing its text; the key
// that ends the input (Enter by default, Tab, or none) is pressed after the text.
inline void typeIntoCell(TableGrid *grid, int row, const char *fieldName, const QString &text,
                         Qt::Key finish = Qt::Key_Return)
{
    grid->setFocus();
    grid->setCurrentIndex(cellOf(grid, row, fieldName));
    QCoreApplication::processEvents();
    QLineEdit *editor = openTextEditor();
    QVERIFY2(editor, "the cell editor is open");
    editor->selectAll();
    typeText(editor, text);
    if (finish != Qt::Key_unknown)
        QTest::keyClick(editor, finish);
    QCoreApplication::processEvents();
}

inline QString cellText(TableGrid *grid, int row, const char *fieldName)
{
    return cellOf(grid, row, fieldName).data().toString();
}

// What a grid shows in one column, top to bottom.
inline QStringList columnTexts(TableGrid *grid, const char *fieldName)
{
    QStringList texts;
    for (int row = 0; row < grid->model()->rowCount(); ++row)
        texts << cellText(grid, row, fieldName);
    return texts;
}

inline void clickTitle(TableGrid *grid, const char *fieldName)
{
    QHeaderView *header = grid->horizontalHeader();
    const int column = grid->columnOf(fieldName);
    const QPoint centre(header->sectionViewportPosition(column) + header->sectionSize(column) / 2,
                        header->height() / 2);
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, centre);
    QCoreApplication::processEvents();
}

inline MemTable &tableOfGrid(Editor &e, const char *gridName)
{
    const std::string &name = gridTableName(gridName);
    return name == "KONTUR"              ? e.data.KONTUR
           : name == "REFLECT_HORIZONTS" ? e.data.REFLECT_HORIZONTS
                                         : e.data.POSIB_PRODUCT_HOR;
}

// A second view of a table, standing alone on the screen.
inline std::unique_ptr<TableGrid> standaloneGrid(Editor &e, const char *gridName)
{
    auto grid = std::make_unique<TableGrid>(
        new TableModel(tableOfGrid(e, gridName), gridColumns(gridName), e.prompts), gridName);
    grid->resize(800, 300);
    grid->show();
    return grid;
}

inline HorizonPage *horizonPage(Editor &e, TablePage page)
{
    return qobject_cast<HorizonPage *>(e.book()->page(page));
}

// The grid of a page of the window by its name.
inline TableGrid *pageGrid(Editor &e, int pageIndex, const char *gridName)
{
    auto *page = qobject_cast<HorizonPage *>(e.book()->page(pageIndex));
    return page ? page->grid(gridName) : nullptr;
}

} // namespace tarvena::testing
