#include "editor/pages/tablebook.h"

#include "editor/guiprompts.h"
#include "editor/pages/contourspage.h"
#include "editor/pages/economicspage.h"
#include "editor/pages/geographypage.h"
#include "editor/pages/geologypage.h"
#include "editor/pages/historypage.h"
#include "editor/pages/horizonpage.h"
#include "editor/pages/methodspage.h"
#include "model/datamodule.h"

#include <QScopedValueRollback>
#include <QTabWidget>
#include <QVBoxLayout>

namespace tarvena::editor {

TableBook::TableBook(PageContext &context, QWidget *parent)
    : BookPage(context, "TabSheet1", QStringLiteral("Таблицы"), parent), mPageControl(new QTabWidget(this))
{
    mPageControl->setObjectName(QStringLiteral("PageControl2"));
    mPageControl->setAccessibleName(caption());
    mPageControl->setUsesScrollButtons(true);
    mPageControl->setElideMode(Qt::ElideNone);

    const auto horizonPage = [&context](TablePage page) {
        return new HorizonPage(context, horizonPageSpec(page));
    };
    // In the order of TablePage, by which other parts address them (page switch requests, page checks).
    mPages = {new GeographyPage(context),
              new HistoryPage(context),
              new MethodsPage(context),
              new GeologyPage(context),
              horizonPage(TablePage::ReflectHorizons),
              horizonPage(TablePage::Quality),
              horizonPage(TablePage::ProductHorizons),
              horizonPage(TablePage::OilResources),
              horizonPage(TablePage::GasResources),
              horizonPage(TablePage::CondensateResources),
              new ContoursPage(context),
              new EconomicsPage(context)};
    // The hidden page is no tab at all: a hidden last tab leaves the tab bar's scroll buttons disabled,
    // and the pages past the window's width could not be scrolled to.
    for (int index = 0; index < kPageCount; ++index) {
        if (index != kHiddenPage)
            mPageControl->addTab(mPages[std::size_t(index)], mPages[std::size_t(index)]->caption());
    }
    mPages[kHiddenPage]->setParent(this);
    mPages[kHiddenPage]->hide();
    mPageControl->setCurrentIndex(0);
    connect(mPageControl, &QTabWidget::currentChanged, this, &TableBook::currentChanged);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(mPageControl);
}

void TableBook::showPage(int index)
{
    const QScopedValueRollback<bool> programSwitch(mProgramSwitch, true);
    mPageControl->setCurrentIndex(index);
}

void TableBook::PageControl2Change()
{
    runCommand(context(), {.postPendingEdits = true}, [] {});
}

void TableBook::currentChanged(int index)
{
    if (!mProgramSwitch)
        PageControl2Change();
    if (index >= 0 && index < kPageCount)
        mPages[std::size_t(index)]->pageEntered();
}

void TableBook::afterOpen()
{
    // The source-type rules of page 3, the method rules of page 2, then the free texts of page 4.
    for (TablePage first : {TablePage::Methods, TablePage::History, TablePage::Geology})
        page(first)->afterOpen();
    // The other pages forget what they showed of the previous passport (the grids' sort markers).
    for (int index = pageIndex(TablePage::ReflectHorizons); index < kPageCount; ++index)
        mPages[std::size_t(index)]->afterOpen();
}

} // namespace tarvena::editor
