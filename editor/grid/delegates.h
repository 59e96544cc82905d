#pragma once
// The cell editors of the grids, chosen by the column's kind: a text edit that takes only what the
// field's text rules and code page 1251 allow, a drop-down over the column's lookup that stores the
// picked key, and read-only text with an ellipsis button for the unit and scale columns.
#include <QStyledItemDelegate>

namespace tarvena::editor {

class TableModel;

class GridDelegate : public QStyledItemDelegate
{
    Q_OBJECT
public:
    explicit GridDelegate(TableModel *model, QObject *parent = nullptr);

    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                          const QModelIndex &index) const override;
    void setEditorData(QWidget *editor, const QModelIndex &index) const override;
    void setModelData(QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const override;

signals:
    // The ellipsis button of a unit or scale cell was pressed.
    void editButtonClicked(int column) const;

private:
    TableModel *mModel;
};

} // namespace tarvena::editor
