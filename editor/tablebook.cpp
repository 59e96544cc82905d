#include "editor/tablebook.h"

#include "editor/pages/condensateresourcespage.h"
#include "editor/pages/contourspage.h"
#include "editor/pages/economicspage.h"
#include "editor/pages/gasresourcespage.h"
#include "editor/pages/geographypage.h"
#include "editor/pages/geologypage.h"
#include "editor/pages/historypage.h"
#include "editor/pages/methodspage.h"
#include "editor/pages/oilresourcespage.h"
#include "editor/pages/producthorizonspage.h"
#include "editor/pages/qualitypage.h"
#include "editor/pages/reflecthorizonspage.h"

#include <QTabWidget>
#include <QVBoxLayout>

namespace tarvena::editor {

TableBook::TableBook(TDataModule2 &data, QWidget *parent)
    : TablePage(data, "TabSheet1", QStringLiteral("Таблицы"), parent), mPageControl(new QTabWidget(this))
{
    mPageControl->setObjectName(QStringLiteral("PageControl2"));
    mPageControl->setAccessibleName(caption());
    mPageControl->setUsesScrollButtons(true);
    mPageControl->setElideMode(Qt::ElideNone);

    // Other parts address the pages by these indices (page switch requests, page checks).
    mPages = {new GeographyPage(data),       new HistoryPage(data),
              new MethodsPage(data),         new GeologyPage(data),
              new ReflectHorizonsPage(data), new QualityPage(data),
              new ProductHorizonsPage(data), new OilResourcesPage(data),
              new GasResourcesPage(data),    new CondensateResourcesPage(data),
              new ContoursPage(data),        new EconomicsPage(data)};
    for (TablePage *page : mPages)
        mPageControl->addTab(page, page->caption());
    mPageControl->setTabVisible(kHiddenPage, false);
    mPageControl->setCurrentIndex(0);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(mPageControl);
}

} // namespace tarvena::editor
