#include "editor/grid/wrappingheader.h"

#include <QPainter>

namespace tarvena::editor {

namespace {

constexpr int kPadding = 4;
constexpr int kTitleFlags = Qt::AlignCenter | Qt::TextWordWrap;

} // namespace

WrappingHeader::WrappingHeader(QWidget *parent) : QHeaderView(Qt::Horizontal, parent)
{
    setDefaultAlignment(Qt::AlignCenter);
    // A column made narrower or wider changes how its title wraps.
    connect(this, &QHeaderView::sectionResized, this, [this] { updateGeometry(); });
}

QString WrappingHeader::title(int logicalIndex) const
{
    return model() ? model()->headerData(logicalIndex, orientation(), Qt::DisplayRole).toString() : QString();
}

QSize WrappingHeader::sectionSizeFromContents(int logicalIndex) const
{
    const int width = qMax(sectionSize(logicalIndex), minimumSectionSize()) - 2 * kPadding;
    const QRect bounds =
        fontMetrics().boundingRect(QRect(0, 0, qMax(width, 10), 10000), kTitleFlags, title(logicalIndex));
    QSize size = QHeaderView::sectionSizeFromContents(logicalIndex);
    size.setHeight(qMax(size.height(), bounds.height() + 2 * kPadding));
    return size;
}

void WrappingHeader::paintSection(QPainter *painter, const QRect &rect, int logicalIndex) const
{
    if (!rect.isValid())
        return;
    QStyleOptionHeader option;
    initStyleOption(&option);
    option.rect = rect;
    option.section = logicalIndex;
    option.text.clear();
    option.sortIndicator = isSortIndicatorShown() && sortIndicatorSection() == logicalIndex
                               ? (sortIndicatorOrder() == Qt::AscendingOrder ? QStyleOptionHeader::SortDown
                                                                             : QStyleOptionHeader::SortUp)
                               : QStyleOptionHeader::None;
    painter->save();
    style()->drawControl(QStyle::CE_Header, &option, painter, this);
    painter->restore();
    painter->save();
    painter->setPen(palette().color(QPalette::ButtonText));
    painter->drawText(rect.adjusted(kPadding, kPadding, -kPadding, -kPadding), kTitleFlags,
                      title(logicalIndex));
    painter->restore();
}

} // namespace tarvena::editor
