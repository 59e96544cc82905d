#include "editor/guiprompts.h"

#include <QApplication>
#include <QMessageBox>

namespace tarvena::editor {

namespace {

QMessageBox::Icon boxIcon(Prompts::Icon icon)
{
    switch (icon) {
    case Prompts::Icon::Information:
        return QMessageBox::Information;
    case Prompts::Icon::Warning:
        return QMessageBox::Warning;
    case Prompts::Icon::Error:
        return QMessageBox::Critical;
    case Prompts::Icon::Question:
        return QMessageBox::Question;
    case Prompts::Icon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

struct ButtonPair
{
    Prompts::Button ours;
    QMessageBox::StandardButton box;
};

constexpr ButtonPair kButtons[] = {
    {Prompts::Ok, QMessageBox::Ok},
    {Prompts::Yes, QMessageBox::Yes},
    {Prompts::No, QMessageBox::No},
    {Prompts::Cancel, QMessageBox::Cancel},
};

} // namespace

int DeferringPrompts::message(const std::string &caption, const std::string &text, Icon icon, int buttons)
{
    if (mDeferrals > 0 && (buttons & ~Ok) == 0) {
        mHeld.push_back({caption, text, icon});
        return Ok;
    }
    return show(caption, text, icon, buttons);
}

void DeferringPrompts::endDeferral()
{
    if (mDeferrals == 0 || --mDeferrals > 0)
        return;
    // A box shown here may start another edit that holds notices of its own; those wait their turn.
    while (!mHeld.empty() && mDeferrals == 0) {
        const Notice notice = mHeld.front();
        mHeld.erase(mHeld.begin());
        show(notice.caption, notice.text, notice.icon, Ok);
    }
}

DeferredNoticesScope::DeferredNoticesScope(Prompts &prompts)
    : mPrompts(dynamic_cast<DeferringPrompts *>(&prompts))
{
    if (mPrompts)
        mPrompts->beginDeferral();
}

DeferredNoticesScope::~DeferredNoticesScope()
{
    if (!mPrompts)
        return;
    try {
        mPrompts->endDeferral();
    } catch (...) {
        // Showing a notice must not turn the edit's outcome into a crash.
    }
}

int GuiPrompts::show(const std::string &caption, const std::string &text, Icon icon, int buttons)
{
    QWidget *parent = QApplication::activeModalWidget();
    if (!parent)
        parent = QApplication::activeWindow();
    if (!parent)
        parent = mFallbackParent;

    QMessageBox box(boxIcon(icon), QString::fromStdString(caption), QString::fromStdString(text),
                    QMessageBox::NoButton, parent);
    QMessageBox::StandardButtons standard;
    for (const ButtonPair &pair : kButtons) {
        if (buttons & pair.ours)
            standard |= pair.box;
    }
    box.setStandardButtons(standard ? standard : QMessageBox::Ok);
    const int chosen = box.exec();
    for (const ButtonPair &pair : kButtons) {
        if (chosen == pair.box)
            return pair.ours;
    }
    // Closed without a button (only possible when the box offers an escape button).
    return (buttons & No) ? No : (buttons & Cancel) ? Cancel : Ok;
}

void showError(Prompts &prompts, const std::string &text)
{
    prompts.message(kApplicationTitle, text, Prompts::Icon::Error, Prompts::Ok);
}

void showError(Prompts &prompts, const std::exception &error)
{
    showError(prompts, std::string(error.what()));
}

void showMessage(Prompts &prompts, const std::string &text)
{
    prompts.message(kApplicationTitle, text, Prompts::Icon::None, Prompts::Ok);
}

} // namespace tarvena::editor
