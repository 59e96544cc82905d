#pragma once
// The outer page "Таблицы": the inner page control PageControl2 with the twelve table pages in their
// fixed index order; page 12 ("12.Экономика") stays hidden.
#include "editor/tablepage.h"

#include <array>

class QTabWidget;

namespace tarvena::editor {

class TableBook : public TablePage
{
    Q_OBJECT
public:
    static constexpr int kPageCount = 12;
    static constexpr int kHiddenPage = 11;

    explicit TableBook(TDataModule2 &data, QWidget *parent = nullptr);

    QTabWidget *pageControl() const { return mPageControl; }
    TablePage *page(int index) const { return mPages.at(static_cast<std::size_t>(index)); }

private:
    QTabWidget *mPageControl;
    std::array<TablePage *, kPageCount> mPages{};
};

} // namespace tarvena::editor
