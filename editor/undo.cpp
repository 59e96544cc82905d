#include "editor/undo.h"

#include "editor/guiprompts.h"
#include "editor/text.h"
#include "model/datamodule.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QTabWidget>
#include <QTimer>

#include <vector>

namespace tarvena::editor {

std::function<void()> focusedPlace()
{
    QPointer<QWidget> focused = QApplication::focusWidget();
    if (!focused)
        return {};
    return [focused] {
        if (focused)
            revealWidget(focused);
    };
}

void revealWidget(QWidget *widget)
{
    // Outer books first: an inner page shows only once the outer page holding it is current.
    std::vector<QTabWidget *> books;
    for (QWidget *up = widget->parentWidget(); up; up = up->parentWidget()) {
        if (auto *book = qobject_cast<QTabWidget *>(up))
            books.insert(books.begin(), book);
    }
    for (QTabWidget *book : books) {
        for (int i = 0; i < book->count(); ++i) {
            QWidget *page = book->widget(i);
            if (page == widget || page->isAncestorOf(widget)) {
                book->setCurrentIndex(i);
                break;
            }
        }
    }
    if (widget->isVisible())
        widget->setFocus(Qt::OtherFocusReason);
}

QString rowDeletionName(MemTable &table)
{
    for (const char *name : {"INDEXOG", "_REFLECTHOR_ID"}) {
        const Field *field = table.FindField(name);
        const std::string text = field ? field->DisplayText() : std::string();
        if (!text.empty())
            return QStringLiteral("удаление горизонта «") + fromCp1251(text) + QStringLiteral("»");
    }
    return QStringLiteral("удаление строки");
}

void commitPendingInput()
{
    QPointer<QWidget> focused = QApplication::focusWidget();
    if (!focused)
        return;
    focused->clearFocus();
    if (focused && focused->isVisible())
        focused->setFocus(Qt::OtherFocusReason);
}

EditMenu::EditMenu(TDataModule2 &data, QMenuBar *bar) : QObject(bar), mData(data)
{
    QMenu *menu = bar->addMenu(QStringLiteral("&Правка"));
    menu->setObjectName(QStringLiteral("EditMenu"));
    mUndo = menu->addAction(QStringLiteral("Отменить"));
    mUndo->setObjectName(QStringLiteral("UndoAction"));
    mUndo->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Z)});
    mRedo = menu->addAction(QStringLiteral("Повторить"));
    mRedo->setObjectName(QStringLiteral("RedoAction"));
    mRedo->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    // The window's shortcuts stay with the window while a text field has the focus.
    for (QAction *action : {mUndo, mRedo})
        action->setShortcutContext(Qt::ApplicationShortcut);
    connect(mUndo, &QAction::triggered, this, &EditMenu::undo);
    connect(mRedo, &QAction::triggered, this, &EditMenu::redo);
    connect(menu, &QMenu::aboutToShow, this, &EditMenu::refresh);
    qApp->installEventFilter(this);
    mData.Journal.setEnabled(true);
    mData.Journal.Changed = [this] { scheduleRefresh(); };
    refresh();
}

EditMenu::~EditMenu()
{
    mData.Journal.Changed = nullptr;
    mData.Journal.setEnabled(false);
}

bool EditMenu::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::ShortcutOverride) {
        const QKeySequence pressed(static_cast<QKeyEvent *>(event)->keyCombination());
        for (const QAction *action : {mUndo, mRedo}) {
            // Left unaccepted, the key goes on to the window's shortcut.
            if (action->shortcuts().contains(pressed))
                return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

void EditMenu::scheduleRefresh()
{
    // The journal tells of changes in the middle of an edit: the commands follow once it is over.
    if (mRefreshPending)
        return;
    mRefreshPending = true;
    QTimer::singleShot(0, this, [this] {
        mRefreshPending = false;
        refresh();
    });
}

void EditMenu::refresh()
{
    UndoJournal &journal = mData.Journal;
    const auto update = [](QAction *action, const QString &verb, bool can, const std::string &name) {
        action->setEnabled(can);
        action->setText(can && !name.empty() ? verb + QStringLiteral(": ") + QString::fromStdString(name)
                                             : verb);
    };
    update(mUndo, QStringLiteral("Отменить"), journal.canUndo(), journal.undoName());
    update(mRedo, QStringLiteral("Повторить"), journal.canRedo(), journal.redoName());
}

void EditMenu::undo()
{
    replay(true);
}

void EditMenu::redo()
{
    replay(false);
}

void EditMenu::replay(bool undoing)
{
    commitPendingInput();
    UndoJournal &journal = mData.Journal;
    std::function<void()> place;
    try {
        place = undoing ? journal.undo() : journal.redo();
    } catch (const std::exception &error) {
        if (Prompts *prompts = mData.prompts())
            showError(*prompts, error);
    }
    if (afterReplay)
        afterReplay();
    if (place)
        place();
    refresh();
}

} // namespace tarvena::editor
