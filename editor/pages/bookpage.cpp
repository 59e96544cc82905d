#include "editor/pages/bookpage.h"

#include "editor/text.h"

namespace tarvena::editor {

BookPage::BookPage(PageContext &context, const char *objectName, const QString &caption, QWidget *parent)
    : QWidget(parent), mContext(context), mCaption(caption)
{
    setObjectName(QLatin1String(objectName));
    setAccessibleName(caption);
    paintWhite(this);
}

} // namespace tarvena::editor
