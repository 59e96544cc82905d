#pragma once
// The outer page "Таблицы": the inner page control PageControl2 with the twelve table pages in their
// fixed index order; page 12 ("12.Экономика") exists but has no tab. A page the user enters first gets the
// pending edits posted, then runs its check; a switch queued by the program runs the check only.
#include "editor/pages/bookpage.h"
#include "model/tablepage.h"

#include <array>

class QTabWidget;

namespace tarvena::editor {

class TableBook : public BookPage
{
    Q_OBJECT
public:
    static constexpr int kPageCount = kTablePageCount;
    static constexpr int kHiddenPage = pageIndex(TablePage::Economics);

    explicit TableBook(PageContext &context, QWidget *parent = nullptr);

    QTabWidget *pageControl() const { return mPageControl; }
    BookPage *page(int index) const { return mPages.at(static_cast<std::size_t>(index)); }
    BookPage *page(TablePage page) const { return this->page(pageIndex(page)); }
    template <class P> P *page() const
    {
        for (BookPage *candidate : mPages) {
            if (auto *found = qobject_cast<P *>(candidate))
                return found;
        }
        return nullptr;
    }

    // A switch made by the program (the queued page requests).
    void showPage(int index);
    // The user chose another inner page: the pending edits of every passport table are posted.
    void PageControl2Change();
    // After a passport was opened, the rules that depend on the loaded record run in their fixed order.
    void afterOpen() override;

private:
    void currentChanged(int index);

    QTabWidget *mPageControl;
    std::array<BookPage *, kPageCount> mPages{};
    bool mProgramSwitch = false;
};

} // namespace tarvena::editor
