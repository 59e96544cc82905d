#pragma once
// «Сравнение паспортов»: the differences between a passport file and the open passport with its
// unsaved edits, as a tree by page; a double-click on a difference goes to its page and to the
// control or grid row of the open passport.
#include "model/passportdiff.h"

#include <QDialog>

#include <functional>
#include <vector>

class QLabel;
class QTreeWidget;
class QTreeWidgetItem;

namespace tarvena::editor {

struct FileDialogSettings;
struct PageContext;

class PassportDiffDialog : public QDialog
{
    Q_OBJECT
public:
    PassportDiffDialog(const PassportDiff &diff, const QString &fileName, QWidget *parent = nullptr);

    QTreeWidget *tree() const { return mTree; }
    // Where a double-click sends the user.
    std::function<void(const DiffTarget &)> goTo;

private:
    void activated(QTreeWidgetItem *item);

    QLabel *mHeading;
    QTreeWidget *mTree;
    std::vector<DiffTarget> mTargets;
};

// "Сравнить с файлом…": asks for a passport file (settings: the open dialog's, titled by the caller)
// and shows the dialog, comparing the file with the open passport, whose pending edits are posted.
void comparePassportWithFile(PageContext &context, const FileDialogSettings &settings);

// Shows the page of a difference and puts the open passport's cursor and the focus where it is.
void goToDifference(PageContext &context, const DiffTarget &target);

} // namespace tarvena::editor
