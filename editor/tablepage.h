#pragma once
// A page of the main window's page book. Pages hold no passport data of their own: their controls
// are bound to the tables of the data module.
#include <QWidget>

namespace tarvena {
class TDataModule2;
}

namespace tarvena::editor {

class TablePage : public QWidget
{
    Q_OBJECT
public:
    // objectName is the page's name in the window ("TabSheet3"), caption the text of its tab.
    TablePage(TDataModule2 &data, const char *objectName, const QString &caption, QWidget *parent = nullptr);

    TDataModule2 &data() const { return mData; }
    QString caption() const { return mCaption; }

private:
    TDataModule2 &mData;
    QString mCaption;
};

} // namespace tarvena::editor
