#include "editor/grid/rowindicator.h"

#include "editor/grid/tablemodel.h"

#include <QPainter>
#include <QPainterPath>

namespace tarvena::editor {

namespace {

constexpr int kWidth = 14;

} // namespace

RowIndicator::RowIndicator(TableModel *model, QWidget *parent)
    : QHeaderView(Qt::Vertical, parent), mModel(model)
{
    setFixedWidth(kWidth);
    setSectionsClickable(false);
}

QSize RowIndicator::sizeHint() const
{
    return {kWidth, defaultSectionSize()};
}

QSize RowIndicator::sectionSizeFromContents(int) const
{
    return {kWidth, defaultSectionSize()};
}

void RowIndicator::paintSection(QPainter *painter, const QRect &rect, int logicalIndex) const
{
    if (!rect.isValid())
        return;
    QStyleOptionHeader option;
    initStyleOption(&option);
    option.rect = rect;
    option.section = logicalIndex;
    painter->save();
    style()->drawControl(QStyle::CE_HeaderSection, &option, painter, this);
    if (logicalIndex == mModel->currentRow()) {
        painter->setRenderHint(QPainter::Antialiasing);
        painter->setPen(Qt::NoPen);
        painter->setBrush(palette().color(QPalette::ButtonText));
        const QPointF centre = QRectF(rect).center();
        const TableState state = mModel->table().State();
        if (state == TableState::Insert) {
            painter->setFont(font());
            painter->setPen(palette().color(QPalette::ButtonText));
            painter->drawText(rect, Qt::AlignCenter, QStringLiteral("*"));
        } else if (state == TableState::Edit) {
            painter->drawRect(QRectF(centre.x() - 1, centre.y() - 5, 2, 10));
        } else {
            QPainterPath arrow;
            arrow.moveTo(centre.x() - 3, centre.y() - 4);
            arrow.lineTo(centre.x() + 3, centre.y());
            arrow.lineTo(centre.x() - 3, centre.y() + 4);
            arrow.closeSubpath();
            painter->drawPath(arrow);
        }
    }
    painter->restore();
}

} // namespace tarvena::editor
