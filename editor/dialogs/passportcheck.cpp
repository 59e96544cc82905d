#include "editor/dialogs/passportcheck.h"

#include "editor/grid/tablegrid.h"
#include "editor/grid/tablemodel.h"
#include "editor/pages/documentspage.h"
#include "editor/pages/pagecontext.h"
#include "editor/pages/tablebook.h"
#include "editor/runcommand.h"
#include "exchange/gis/contourarea.h"
#include "model/datamodule.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QTabWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace tarvena::editor {

namespace {

using completeness::Finding;
using completeness::Place;
using completeness::PlaceKind;

constexpr int kWidth = 1000; // the place column takes a third
constexpr int kHeight = 180;

// Selects a row and the column of a field (the first column when the grid does not show it).
void selectCell(TableGrid *grid, int row, const std::string &field)
{
    if (!grid)
        return;
    grid->setFocus(Qt::OtherFocusReason);
    if (row < 0 || row >= grid->model()->rowCount())
        return;
    // The table's cursor first: the grid follows it, also once the page's entry has run.
    if (!grid->tableModel()->moveCursorTo(row))
        return;
    const int column = std::max(grid->columnOf(field), 0);
    const QModelIndex cell = grid->model()->index(row, column);
    grid->setCurrentIndex(cell);
    grid->scrollTo(cell);
}

QString fromUtf8(const std::string &text)
{
    return QString::fromStdString(text);
}

} // namespace

void showPlace(const PassportPages &pages, const Place &place)
{
    pages.main->window()->activateWindow();
    if (place.kind == PlaceKind::DocumentSlot) {
        pages.main->setCurrentWidget(pages.documents);
        selectCell(pages.documents->grid(place.list), place.row, "");
        return;
    }
    pages.main->setCurrentWidget(pages.book);
    pages.book->showPage(pageIndex(place.page));
    QWidget *page = pages.book->page(place.page);
    if (place.kind == PlaceKind::GridCell) {
        selectCell(page->findChild<TableGrid *>(QString::fromStdString(place.object)), place.row,
                   place.field);
        return;
    }
    if (auto *control = page->findChild<QWidget *>(QString::fromStdString(place.object)))
        control->setFocus(Qt::OtherFocusReason);
}

PassportCheckDock::PassportCheckDock(PageContext &context, const PassportPages &pages, QWidget *parent)
    : QDockWidget(QStringLiteral("Проверка паспорта"), parent), mContext(context), mPages(pages),
      mList(new QTreeWidget), mSummary(new QLabel),
      mRecheck(new QPushButton(QStringLiteral("Проверить снова")))
{
    setObjectName(QStringLiteral("PassportCheckForm"));
    setFeatures(QDockWidget::DockWidgetClosable | QDockWidget::DockWidgetMovable |
                QDockWidget::DockWidgetFloatable);
    auto *content = new QWidget(this);
    content->setMinimumHeight(kHeight);
    setWidget(content);

    mList->setObjectName(QStringLiteral("FindingsList"));
    mList->setAccessibleName(QStringLiteral("Замечания"));
    mList->setRootIsDecorated(false);
    mList->setUniformRowHeights(true);
    mList->setWordWrap(true);
    mList->setHeaderLabels({QStringLiteral("Замечание"), QStringLiteral("Место")});
    mList->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    mList->header()->setSectionResizeMode(1, QHeaderView::Interactive);
    mList->header()->setStretchLastSection(false);
    mList->header()->resizeSection(1, kWidth / 3);
    connect(mList, &QTreeWidget::itemActivated, this,
            [this](QTreeWidgetItem *item) { goTo(mList->indexOfTopLevelItem(item)); });

    mSummary->setObjectName(QStringLiteral("SummaryLabel"));
    mRecheck->setObjectName(QStringLiteral("RecheckButton"));
    connect(mRecheck, &QPushButton::clicked, this, &PassportCheckDock::check);
    auto *close = new QPushButton(QStringLiteral("Закрыть"));
    close->setObjectName(QStringLiteral("CloseButton"));
    connect(close, &QPushButton::clicked, this, &QDockWidget::close);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(mSummary, 1);
    buttons->addWidget(mRecheck);
    buttons->addWidget(close);
    auto *layout = new QVBoxLayout(content);
    layout->addWidget(mList, 1);
    layout->addLayout(buttons);
}

void PassportCheckDock::check()
{
    runCommand(mContext, {.postPendingEdits = true},
               [this] { mFindings = completeness::checkPassport(mContext.data, gis::contourMeasure()); });
    mList->clear();
    const QIcon error = style()->standardIcon(QStyle::SP_MessageBoxCritical);
    const QIcon warning = style()->standardIcon(QStyle::SP_MessageBoxWarning);
    for (const Finding &finding : mFindings) {
        auto *item =
            new QTreeWidgetItem(mList, {fromUtf8(finding.message), fromUtf8(placeText(finding.place))});
        const bool isError = finding.severity == completeness::Severity::Error;
        item->setIcon(0, isError ? error : warning);
        item->setToolTip(0, QString::fromUtf8(completeness::severityName(finding.severity)) +
                                QStringLiteral(": ") + fromUtf8(finding.message));
        item->setData(0, Qt::AccessibleTextRole, item->toolTip(0));
        item->setToolTip(1, item->text(1));
    }
    if (mList->topLevelItemCount() > 0)
        mList->setCurrentItem(mList->topLevelItem(0));
    mSummary->setText(fromUtf8(completeness::summaryLine(completeness::countFindings(mFindings))));
}

void PassportCheckDock::goTo(int line)
{
    if (line < 0 || line >= static_cast<int>(mFindings.size()))
        return;
    showPlace(mPages, mFindings[std::size_t(line)].place);
}

} // namespace tarvena::editor
