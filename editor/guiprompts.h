#pragma once
// The prompts service of the editor: every message box and question of the program is a QMessageBox
// shown here, so tests can put a recording implementation in its place.
#include "model/prompts.h"

#include <QPointer>
#include <QWidget>

#include <exception>

namespace tarvena::editor {

// The program's name: the caption of the standard error box and of simple messages.
inline constexpr char kApplicationTitle[] = "Tarvena";

class GuiPrompts : public Prompts
{
public:
    // fallbackParent owns the boxes when no window of the program is active.
    explicit GuiPrompts(QWidget *fallbackParent = nullptr) : mFallbackParent(fallbackParent) {}
    void setFallbackParent(QWidget *parent) { mFallbackParent = parent; }

    int message(const std::string &caption, const std::string &text, Icon icon, int buttons) override;

private:
    QPointer<QWidget> mFallbackParent;
};

// The standard error box: the program's name as caption, the error icon and the error's own text.
void showError(Prompts &prompts, const std::string &text);
void showError(Prompts &prompts, const std::exception &error);
// A simple message: the program's name as caption, no icon, one OK button.
void showMessage(Prompts &prompts, const std::string &text);

} // namespace tarvena::editor
