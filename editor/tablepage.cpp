#include "editor/tablepage.h"

namespace tarvena::editor {

TablePage::TablePage(TDataModule2 &data, const char *objectName, const QString &caption, QWidget *parent)
    : QWidget(parent), mData(data), mCaption(caption)
{
    setObjectName(QLatin1String(objectName));
    setAccessibleName(caption);
    setAutoFillBackground(true);
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
}

} // namespace tarvena::editor
