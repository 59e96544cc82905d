#include "app/aboutbox.h"

#include "app/updatecheck.h"
#include "app/version.h"
#include "editor/dialogservice.h"
#include "model/prompts.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

// The picture lives in the library's resources, which a static link only keeps when named.
static void initAppResources()
{
    Q_INIT_RESOURCE(tarvena);
}

namespace tarvena {

namespace {

constexpr int kImageSize = 96;

QLabel *namedLabel(const char *name, const QString &text, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    label->setAccessibleName(text);
    return label;
}

void setBold(QLabel *label, int pointSizeDelta = 0)
{
    QFont font = label->font();
    font.setBold(true);
    if (pointSizeDelta)
        font.setPointSize(font.pointSize() + pointSizeDelta);
    label->setFont(font);
}

} // namespace

TAboutBox::TAboutBox(Prompts &prompts, editor::DialogService &dialogs, QWidget *parent)
    : QDialog(parent), mPrompts(prompts), mDialogs(dialogs), mUpdateCheck(new UpdateCheck(this)),
      mProductName(namedLabel("ProductName", QStringLiteral("TARVENA"), this)),
      mVersion(namedLabel("Version", QString(), this)), mImage1(namedLabel("Image1", QString(), this)),
      mMaker(namedLabel("Maker", QStringLiteral("Разработка и сопровождение: команда Tarvena"), this)),
      mButton2(new QPushButton(QStringLiteral("Проверить наличие обновлений"), this))
{
    initAppResources();
    setObjectName(QStringLiteral("AboutBox"));
    setWindowTitle(QStringLiteral("О программе"));
    setAccessibleName(windowTitle());
    setAutoFillBackground(true);
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);

    setBold(mProductName, 6);
    setBold(mVersion);
    const QPixmap picture(QStringLiteral(":/tarvena/logo.png"));
    mImage1->setFixedSize(kImageSize, kImageSize);
    mImage1->setAlignment(Qt::AlignCenter);
    mImage1->setPixmap(picture.scaled(kImageSize, kImageSize, Qt::KeepAspectRatio, Qt::SmoothTransformation));
    mImage1->setAccessibleName(QStringLiteral("TARVENA"));
    mButton2->setObjectName(QStringLiteral("Button2"));
    mButton2->setAccessibleName(mButton2->text());
    mButton2->setAutoDefault(false);

    auto *texts = new QVBoxLayout;
    texts->addWidget(mProductName);
    texts->addWidget(mVersion);
    texts->addStretch();
    texts->addWidget(mMaker);
    auto *top = new QHBoxLayout;
    top->setSpacing(16);
    top->addWidget(mImage1, 0, Qt::AlignTop);
    top->addLayout(texts);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(mButton2);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 16, 16, 12);
    layout->setSpacing(14);
    layout->addLayout(top);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(mButton2, &QPushButton::clicked, this, &TAboutBox::Button2Click);
    connect(mUpdateCheck, &UpdateCheck::finished, this, &TAboutBox::updateAnswered);
    FormCreate();
}

TAboutBox::~TAboutBox() = default;

void TAboutBox::FormCreate()
{
    mVersion->setText(QStringLiteral("Версия ") + fileVersion());
    mVersion->setAccessibleName(mVersion->text());
}

void TAboutBox::showEvent(QShowEvent *event)
{
    if (QScreen *screen = parentWidget() ? parentWidget()->screen() : QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    QDialog::showEvent(event);
}

void TAboutBox::done(int result)
{
    mUpdateCheck->cancel();
    mButton2->setEnabled(true);
    QDialog::done(result);
}

void TAboutBox::Button2Click()
{
    // The box stays responsive while the server is asked; a second click waits for the first answer.
    mButton2->setEnabled(false);
    mUpdateCheck->start(updateServerUrl(kVersionQueryPath));
}

void TAboutBox::updateAnswered(bool answered, const QString &serverVersion)
{
    mButton2->setEnabled(true);
    if (!answered) {
        mPrompts.message("Ошибка", "На удалось определить версию файла на сервере :(", Prompts::Icon::Error,
                         Prompts::Ok);
        return;
    }
    const QString localVersion = productVersion();
    if (localVersion == serverVersion) {
        mPrompts.message("Информация", "Установлена последняя версия!", Prompts::Icon::Information,
                         Prompts::Ok);
        return;
    }
    const QString question = QStringLiteral("Ваша версия: ") + localVersion +
                             QStringLiteral("\nВерсия на сервере: ") + serverVersion +
                             QStringLiteral("\nОбновить?");
    if (mPrompts.message("Информация", question.toStdString(), Prompts::Icon::Question,
                         Prompts::Yes | Prompts::No) != Prompts::Yes)
        return;
    // When the download cannot be opened the box stays open and nothing is said.
    if (mDialogs.openUrl(updateServerUrl(kSetupDownloadPath)))
        done(ResultYes);
}

} // namespace tarvena
