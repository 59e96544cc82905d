#pragma once
// The prompts service: how data rules and commands tell the user something or ask a question.
// The editor shows message boxes; tests and the command line record or print. Texts are UTF-8.
#include <string>

namespace tarvena {

class Prompts
{
public:
    enum class Icon
    {
        None,
        Information,
        Warning,
        Error,
        Question
    };
    enum Button
    {
        Ok = 1,
        Yes = 2,
        No = 4,
        Cancel = 8
    };

    virtual ~Prompts() = default;
    // Shows a message box with a caption, a text (lines separated by "\n"), an icon and the buttons
    // given as an OR of Button; returns the button chosen.
    virtual int message(const std::string &caption, const std::string &text, Icon icon, int buttons) = 0;
};

} // namespace tarvena
