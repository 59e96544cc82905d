#pragma once
// Stand-ins for the user: a prompts service that records each message box and answers from a
// script, and a dialog service that answers file dialogs and the desktop's "open" from a script.
#include "editor/dialogservice.h"
#include "editor/guiprompts.h"
#include "model/prompts.h"

#include <QMetaType>
#include <QUrl>

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace tarvena::testing {

struct PromptCall
{
    std::string caption;
    std::string text;
    Prompts::Icon icon;
    int buttons;
};

// Holds notices during edits as the program's prompts do, so tests see when a notice is told.
class RecordingPrompts : public editor::DeferringPrompts
{
public:
    std::vector<PromptCall> calls;
    // Answers in order; when they run out a question is answered No, a message Ok.
    std::deque<int> answers;
    // Runs as each box is shown, to see the program's state at that moment.
    std::function<void(const PromptCall &)> onShow;

protected:
    int show(const std::string &caption, const std::string &text, Icon icon, int buttons) override
    {
        calls.push_back({caption, text, icon, buttons});
        if (onShow)
            onShow(calls.back());
        if (!answers.empty()) {
            const int answer = answers.front();
            answers.pop_front();
            return answer;
        }
        return (buttons & No) ? No : Ok;
    }
};

class ScriptedDialogs : public editor::DialogService
{
public:
    // File names the dialogs return in order; when they run out the dialog is cancelled.
    std::deque<QString> openAnswers;
    std::deque<QString> saveAnswers;
    std::vector<editor::FileDialogSettings> openAsked;
    std::vector<editor::FileDialogSettings> saveAsked;
    std::vector<QUrl> openedUrls;
    // Input boxes: the answers in order (nullopt: cancelled; cancelled when they run out), and what
    // each box showed: caption, prompt and initial text.
    std::deque<std::optional<QString>> inputAnswers;
    std::vector<QStringList> inputAsked;
    bool openUrlSucceeds = true;
    // The scale editor's and the picker's answers in order (nullopt cancels); when they run out the
    // dialog is cancelled. The values each was opened on are kept.
    std::deque<std::optional<int>> scaleAnswers;
    std::deque<std::optional<int>> unitAnswers;
    std::vector<int> scaleAsked;
    std::vector<int> unitAsked;

    QString openFileName(QWidget *, const editor::FileDialogSettings &settings) override
    {
        openAsked.push_back(settings);
        return next(openAnswers);
    }
    QString saveFileName(QWidget *, const editor::FileDialogSettings &settings) override
    {
        saveAsked.push_back(settings);
        return next(saveAnswers);
    }
    QString existingFolder(QWidget *, const QString &, const QString &) override { return {}; }
    std::optional<QString> inputText(QWidget *, const QString &caption, const QString &prompt,
                                     const QString &text) override
    {
        inputAsked.push_back({caption, prompt, text});
        if (inputAnswers.empty())
            return std::nullopt;
        std::optional<QString> answer = inputAnswers.front();
        inputAnswers.pop_front();
        return answer;
    }
    bool openUrl(const QUrl &url) override
    {
        openedUrls.push_back(url);
        return openUrlSucceeds;
    }
    std::optional<int> editScale(QWidget *, int current) override
    {
        scaleAsked.push_back(current);
        return next(scaleAnswers);
    }
    std::optional<int> selectStratigraphicUnit(QWidget *, TDataModule2 &, int current) override
    {
        unitAsked.push_back(current);
        return next(unitAnswers);
    }

private:
    template <class T> static T next(std::deque<T> &answers)
    {
        if (answers.empty())
            return {};
        T answer = answers.front();
        answers.pop_front();
        return answer;
    }
};

} // namespace tarvena::testing

Q_DECLARE_METATYPE(tarvena::Prompts::Icon)
