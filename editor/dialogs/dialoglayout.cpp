#include "editor/dialogs/dialoglayout.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QPushButton>
#include <QScreen>

namespace tarvena::editor {

QHBoxLayout *confirmButtons(QDialog *dialog, QPushButton *confirm, QPushButton *cancel)
{
    confirm->setObjectName(QStringLiteral("Button1"));
    confirm->setDefault(true);
    cancel->setObjectName(QStringLiteral("Button2"));
    QObject::connect(cancel, &QPushButton::clicked, dialog, &QDialog::reject);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(confirm);
    buttons->addWidget(cancel);
    return buttons;
}

void centreOnScreen(QWidget *dialog)
{
    if (const QScreen *screen = dialog->screen())
        dialog->move(screen->availableGeometry().center() - dialog->rect().center());
}

} // namespace tarvena::editor
