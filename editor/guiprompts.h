#pragma once
// The prompts service of the editor: every message box and question of the program is a QMessageBox
// shown here, so tests can put a recording implementation in its place.
#include "editor/runcommand.h" // the command runner, which most users of the prompts call
#include "model/prompts.h"

#include <QPointer>
#include <QWidget>

#include <exception>
#include <functional>
#include <string>
#include <vector>

namespace tarvena::editor {

// The program's name: the caption of the standard error box and of simple messages.
inline constexpr char kApplicationTitle[] = "Tarvena";

// A prompts service that can hold back notices (boxes with only an OK button) while an edit runs
// inside the table engine: a modal box there would run a nested event loop in the middle of an
// assignment. Held notices are shown in order when the outermost DeferredNoticesScope ends.
// Questions are never held.
class DeferringPrompts : public Prompts
{
public:
    int message(const std::string &caption, const std::string &text, Icon icon, int buttons) final;

    void beginDeferral() { ++mDeferrals; }
    // Ends one deferral; the last one shows what was held.
    void endDeferral();

protected:
    // Shows one box and returns the button chosen.
    virtual int show(const std::string &caption, const std::string &text, Icon icon, int buttons) = 0;

private:
    struct Notice
    {
        std::string caption;
        std::string text;
        Icon icon;
    };
    int mDeferrals = 0;
    std::vector<Notice> mHeld;
};

// Holds notices for the life of an edit; does nothing for prompts that cannot hold them.
class DeferredNoticesScope
{
public:
    explicit DeferredNoticesScope(Prompts &prompts);
    ~DeferredNoticesScope();
    DeferredNoticesScope(const DeferredNoticesScope &) = delete;
    DeferredNoticesScope &operator=(const DeferredNoticesScope &) = delete;

private:
    DeferringPrompts *mPrompts;
};

class GuiPrompts : public DeferringPrompts
{
public:
    // fallbackParent owns the boxes when no window of the program is active.
    explicit GuiPrompts(QWidget *fallbackParent = nullptr) : mFallbackParent(fallbackParent) {}
    void setFallbackParent(QWidget *parent) { mFallbackParent = parent; }

protected:
    int show(const std::string &caption, const std::string &text, Icon icon, int buttons) override;

private:
    QPointer<QWidget> mFallbackParent;
};

// The standard error box: the program's name as caption, the error icon and the error's own text.
void showError(Prompts &prompts, const std::string &text);
void showError(Prompts &prompts, const std::exception &error);
// A simple message: the program's name as caption, no icon, one OK button.
void showMessage(Prompts &prompts, const std::string &text);

} // namespace tarvena::editor
