#include "editor/dialogs/selectexporttypeform.h"

#include "editor/controlnaming.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace tarvena::editor {

namespace {

QPushButton *resultButton(QDialog *form, const char *name, const QString &caption, int result)
{
    auto *button = new QPushButton(caption, form);
    nameControl(button, name, caption, QString());
    button->setAutoDefault(false);
    QObject::connect(button, &QPushButton::clicked, form, [form, result] { form->done(result); });
    return button;
}

} // namespace

TSelectExportTypeForm::TSelectExportTypeForm(const EngineAvailability &engines, QWidget *parent)
    : QDialog(parent,
              Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("SelectExportTypeForm"));
    setWindowTitle(QStringLiteral("Выбор типа экспорта"));

    mLabel1 = new QLabel(QStringLiteral("Выберите тип экспорта. Выбранный пакет должен стоять у вас на "
                                        "компьютере иначе произойдет ошибка."),
                         this);
    mLabel1->setObjectName(QStringLiteral("Label1"));
    mLabel1->setWordWrap(true);
    mLabel1->setMinimumWidth(360);

    mButton1 = resultButton(this, "Button1", QStringLiteral("Microsoft Excel"), ResultYes);
    mButton2 = resultButton(this, "Button2", QStringLiteral("OpenOffice Calc"), ResultNo);
    mButton3 = resultButton(this, "Button3", QStringLiteral("Отказ"), ResultCancel);
    mButton1->setEnabled(engines.excel);
    mButton2->setEnabled(engines.openOffice);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(mButton1);
    buttons->addWidget(mButton2);
    buttons->addWidget(mButton3);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(mLabel1);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void TSelectExportTypeForm::reject()
{
    done(ResultCancel);
}

void TSelectExportTypeForm::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (const QScreen *screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

} // namespace tarvena::editor
