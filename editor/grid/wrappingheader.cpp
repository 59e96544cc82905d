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
    connect(this, &QHeaderView::sectionCountChanged, this, [this] { mSizes.clear(); });
}

QString WrappingHeader::title(int logicalIndex) const
{
    return model() ? model()->headerData(logicalIndex, orientation(), Qt::DisplayRole).toString() : QString();
}

QSize WrappingHeader::sectionSizeFromContents(int logicalIndex) const
{
    // Laying out a wrapped title is costly and the view asks after every reset of its model; the
    // titles never change, so a section's size is kept until its width does.
    const int width = qMax(sectionSize(logicalIndex), minimumSectionSize()) - 2 * kPadding;
    if (logicalIndex >= int(mSizes.size()))
        mSizes.resize(std::size_t(logicalIndex) + 1);
    CachedSize &cached = mSizes[std::size_t(logicalIndex)];
    if (cached.width != width || !cached.size.isValid()) {
        const QRect bounds =
            fontMetrics().boundingRect(QRect(0, 0, qMax(width, 10), 10000), kTitleFlags, title(logicalIndex));
        cached.size = QHeaderView::sectionSizeFromContents(logicalIndex);
        cached.size.setHeight(qMax(cached.size.height(), bounds.height() + 2 * kPadding));
        cached.width = width;
    }
    return cached.size;
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
    // The arrow points up for ascending order, down for descending.
    const bool marked = isSortIndicatorShown() && sortIndicatorSection() == logicalIndex;
    option.sortIndicator = !marked                                      ? QStyleOptionHeader::None
                           : sortIndicatorOrder() == Qt::AscendingOrder ? QStyleOptionHeader::SortUp
                                                                        : QStyleOptionHeader::SortDown;
    painter->save();
    style()->drawControl(QStyle::CE_Header, &option, painter, this);
    painter->restore();
    painter->save();
    painter->setPen(palette().color(QPalette::ButtonText));
    // The title keeps clear of the arrow.
    const int arrow = marked ? style()->pixelMetric(QStyle::PM_HeaderMarkSize, &option, this) + kPadding : 0;
    painter->drawText(rect.adjusted(kPadding, kPadding, -kPadding - arrow, -kPadding), kTitleFlags,
                      title(logicalIndex));
    painter->restore();
}

} // namespace tarvena::editor
