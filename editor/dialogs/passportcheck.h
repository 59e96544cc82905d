#pragma once
// «Проверка паспорта»: what the passport still lacks before it goes to the reviewers, one line per
// finding with the icon of its severity, its message and its place, beside a summary line. Double-click
// or Enter on a line shows its page and focuses the control, or selects the grid's row and column;
// "Проверить снова" checks the passport as it stands now. A dock below the pages, so the list stays
// in sight and covers none of the controls it leads to.
#include "model/completeness.h"

#include <QDockWidget>

#include <functional>
#include <vector>

class QLabel;
class QPushButton;
class QTabWidget;
class QTreeWidget;

namespace tarvena::editor {

struct PageContext;
class DocumentsPage;
class TableBook;

// The pages a place is shown on: the outer page control, the table pages and the documents page.
struct PassportPages
{
    QTabWidget *main;
    TableBook *book;
    DocumentsPage *documents;
};

// Shows the page of a place and puts the focus on its control, or on the row and column of its grid.
void showPlace(const PassportPages &pages, const completeness::Place &place);

class PassportCheckDock : public QDockWidget
{
    Q_OBJECT
public:
    PassportCheckDock(PageContext &context, const PassportPages &pages, QWidget *parent = nullptr);

    // Checks the passport with its pending edits posted and lists the findings.
    void check();
    // Shows the place of the finding on a line of the list.
    void goTo(int line);

    const std::vector<completeness::Finding> &findings() const { return mFindings; }
    QTreeWidget *list() const { return mList; }
    QLabel *summary() const { return mSummary; }
    QPushButton *recheckButton() const { return mRecheck; }

private:
    PageContext &mContext;
    PassportPages mPages;
    std::vector<completeness::Finding> mFindings;
    QTreeWidget *mList;
    QLabel *mSummary;
    QPushButton *mRecheck;
};

} // namespace tarvena::editor
