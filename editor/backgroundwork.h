#pragma once
// Long file work (compressing or decompressing an attachment of hundreds of megabytes) runs on a
// worker thread so that the window keeps painting; the caller waits for it on the user-interface
// thread and touches tables only before and after.
#include <QString>

#include <functional>

class QWidget;

namespace tarvena::editor {

// Runs work on a worker thread and returns when it is done, rethrowing what it threw. When the work
// lasts, the progress window shows text meanwhile; user input waits until the work is over. The work
// must not touch tables or widgets.
void runInBackground(QWidget *owner, const QString &text, const std::function<void()> &work);

} // namespace tarvena::editor
