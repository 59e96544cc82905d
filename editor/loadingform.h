#pragma once
// TLoadingForm: the small progress window shown while a long operation runs on the user-interface
// thread. It has no title bar, cannot be closed by the user and shows a busy animation over Label1.
#include "model/progress.h"

#include <QFrame>
#include <QPointer>

class QLabel;

namespace tarvena {

class BusyAnimation;

class TLoadingForm : public QFrame
{
    Q_OBJECT
public:
    explicit TLoadingForm(QWidget *owner = nullptr);

    QLabel *Label1() const { return mLabel1; }
    // Lets the window system paint the window and the animation between steps of the work.
    void pump();

protected:
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    BusyAnimation *mAnimation;
    QLabel *mLabel1;
};

// The progress window protocol: created with its text and shown when the scope begins, destroyed
// when the scope ends, also when the work throws.
class LoadingScope
{
public:
    LoadingScope(QWidget *owner, const QString &text);
    ~LoadingScope();
    LoadingScope(const LoadingScope &) = delete;
    LoadingScope &operator=(const LoadingScope &) = delete;

    TLoadingForm *form() const { return mForm; }
    void pump()
    {
        if (mForm)
            mForm->pump();
    }

private:
    QPointer<TLoadingForm> mForm;
};

// The progress window as the core's progress: shown while it lives, repainted at every step.
class ProgressWindow : public Progress
{
public:
    ProgressWindow(QWidget *owner, const QString &text) : mLoading(owner, text) {}
    void advanced(int, int) override { mLoading.pump(); }
    LoadingScope &loading() { return mLoading; }

private:
    LoadingScope mLoading;
};

} // namespace tarvena
