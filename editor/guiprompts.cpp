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

int GuiPrompts::message(const std::string &caption, const std::string &text, Icon icon, int buttons)
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
