#include "editor/loadingform.h"

#include "editor/busyanimation.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>

namespace tarvena {

namespace {
constexpr int kWidth = 272;
constexpr int kHeight = 94;
constexpr int kAnimationHeight = 60;
constexpr int kLabelHeight = 24;
} // namespace

TLoadingForm::TLoadingForm(QWidget *owner)
    : QFrame(owner, Qt::Dialog | Qt::FramelessWindowHint), mAnimation(new BusyAnimation(this)),
      mLabel1(new QLabel(QStringLiteral("Загрузка файла ..."), this))
{
    setObjectName(QStringLiteral("LoadingForm"));
    setFrameShape(QFrame::Box);
    setFixedSize(kWidth, kHeight);
    setCursor(Qt::WaitCursor);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAutoFillBackground(true);
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);

    mAnimation->setGeometry(1, 1, kWidth - 2, kAnimationHeight);
    mLabel1->setObjectName(QStringLiteral("Label1"));
    mLabel1->setAlignment(Qt::AlignCenter);
    QFont bold = mLabel1->font();
    bold.setBold(true);
    mLabel1->setFont(bold);
    mLabel1->setGeometry(1, kAnimationHeight + 2, kWidth - 2, kLabelHeight);
}

void TLoadingForm::pump()
{
    mAnimation->update();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void TLoadingForm::closeEvent(QCloseEvent *event)
{
    // Only its owner ends the window, by destroying it.
    event->ignore();
}

void TLoadingForm::keyPressEvent(QKeyEvent *)
{
    // Swallowed: Escape must not hide the window.
}

void TLoadingForm::showEvent(QShowEvent *event)
{
    QScreen *screen = parentWidget() ? parentWidget()->screen() : QGuiApplication::primaryScreen();
    if (screen)
        move(screen->availableGeometry().center() - rect().center());
    QFrame::showEvent(event);
}

LoadingScope::LoadingScope(QWidget *owner, const QString &text) : mForm(new TLoadingForm(owner))
{
    mForm->Label1()->setText(text);
    mForm->setAccessibleName(text);
    mForm->show();
    mForm->pump();
}

LoadingScope::~LoadingScope()
{
    delete mForm.data();
}

} // namespace tarvena
