#pragma once
// A read-only list of the names of a dictionary view that shares the view's cursor: the selected row
// is the view's current entry, and choosing a row moves the view to it.
#include "model/memtable.h"

#include <QAbstractTableModel>
#include <QTableView>

namespace tarvena::editor {

class DictionaryNamesModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    explicit DictionaryNamesModel(MemTable &view, QObject *parent = nullptr);

    MemTable &view() const { return mView; }
    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;

signals:
    // The view's cursor moved or its visible entries changed.
    void cursorMoved();

private:
    MemTable &mView;
    const Field &mName;
    TableSubscription mSubscription;
};

class DictionaryList : public QTableView
{
    Q_OBJECT
public:
    DictionaryList(MemTable &view, const char *objectName, QWidget *parent = nullptr);

    MemTable &view() const { return mModel->view(); }

protected:
    void currentChanged(const QModelIndex &current, const QModelIndex &previous) override;

private:
    void followCursor();

    DictionaryNamesModel *mModel;
    bool mSyncing = false;
};

} // namespace tarvena::editor
