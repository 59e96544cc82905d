#pragma once
// A page of either page book. Pages hold no passport data of their own: their controls are bound to
// the tables of the data module. A page hears when it is entered (after the pending edits were
// posted) and, for the record's pages, after a passport was opened.
#include "editor/pages/pagecontext.h"

#include <QWidget>

namespace tarvena::editor {

class BookPage : public QWidget
{
    Q_OBJECT
public:
    // objectName is the page's name in the window ("TabSheet3"), caption the text of its tab.
    BookPage(PageContext &context, const char *objectName, const QString &caption, QWidget *parent = nullptr);

    PageContext &context() const { return mContext; }
    TDataModule2 &data() const { return mContext.data; }
    QString caption() const { return mCaption; }

    // The page became the current one (the page checks of the horizon pages run here).
    virtual void pageEntered() {}
    // A passport was opened: rules that depend on the loaded record set the controls' states.
    virtual void afterOpen() {}

private:
    PageContext &mContext;
    QString mCaption;
};

} // namespace tarvena::editor
