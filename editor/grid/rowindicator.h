#pragma once
// The narrow column left of a grid's rows: it marks the current row (an arrow), the row being inserted
// (an asterisk) and the row being edited (a bar), as the state of the table is. It measures no text,
// so a view that resets over a thousand rows does not lay out a thousand row numbers.
#include <QHeaderView>

namespace tarvena::editor {

class TableModel;

class RowIndicator : public QHeaderView
{
    Q_OBJECT
public:
    RowIndicator(TableModel *model, QWidget *parent = nullptr);

    QSize sizeHint() const override;

protected:
    QSize sectionSizeFromContents(int logicalIndex) const override;
    void paintSection(QPainter *painter, const QRect &rect, int logicalIndex) const override;

private:
    TableModel *mModel;
};

} // namespace tarvena::editor
