#include "editor/dialogs/editscaleform.h"

#include "editor/dialogs/dialoglayout.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace tarvena::editor {

namespace {

struct ScaleItem
{
    const char *text;
    int denominator;
};

const ScaleItem kItems[TEditScaleForm::kItemCount] = {
    {"Значение не задано", 0}, {"1:10 000", 10000},   {"1:25 000", 25000},   {"1:50 000", 50000},
    {"1:100 000", 100000},     {"1:200 000", 200000}, {"1:250 000", 250000}, {"Другой      1:", 0},
};

} // namespace

TEditScaleForm::TEditScaleForm(QWidget *parent)
    : QDialog(parent), mGroup(new QButtonGroup(this)), mEdit(new QLineEdit), mOk(new QPushButton("Ok")),
      mCancel(new QPushButton(QStringLiteral("Отказ")))
{
    setObjectName(QStringLiteral("EditScaleForm"));
    setWindowTitle(QStringLiteral("Выбор масштаба"));

    auto *box = new QGroupBox(QStringLiteral(" Масштаб "));
    box->setObjectName(QStringLiteral("RadioGroup1"));
    box->setAccessibleName(box->title());
    auto *items = new QGridLayout(box);
    for (int i = 0; i < kItemCount; ++i) {
        auto *button = new QRadioButton(QString::fromUtf8(kItems[i].text), box);
        button->setObjectName(QStringLiteral("RadioItem%1").arg(i));
        button->setAccessibleName(button->text());
        mGroup->addButton(button, i);
        items->addWidget(button, i, 0);
        mItems[std::size_t(i)] = button;
    }
    mEdit->setObjectName(QStringLiteral("Edit1"));
    mEdit->setAccessibleName(item(kOtherItem)->text().trimmed());
    items->addWidget(mEdit, kOtherItem, 1);
    // Typing a denominator means the free item: the box counts only while that item is chosen.
    connect(mEdit, &QLineEdit::textEdited, this, [this] { item(kOtherItem)->setChecked(true); });

    connect(mOk, &QPushButton::clicked, this, &TEditScaleForm::Button1Click);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(box);
    layout->addLayout(confirmButtons(this, mOk, mCancel));
    layout->setSizeConstraint(QLayout::SetFixedSize);
    setValue(0);
}

void TEditScaleForm::setValue(int denominator)
{
    mEdit->clear();
    for (int i = 0; i < kOtherItem; ++i) {
        if (kItems[i].denominator == denominator) {
            item(i)->setChecked(true);
            return;
        }
    }
    item(kOtherItem)->setChecked(true);
    mEdit->setText(QString::number(denominator));
}

int TEditScaleForm::selectedItem() const
{
    return mGroup->checkedId();
}

void TEditScaleForm::Button1Click()
{
    const int selected = selectedItem();
    if (selected == kOtherItem) {
        bool ok = false;
        const int typed = mEdit->text().trimmed().toInt(&ok, 10);
        mValue = ok ? typed : 0;
    } else {
        mValue = selected >= 0 ? kItems[selected].denominator : 0;
    }
    accept();
}

void TEditScaleForm::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    centreOnScreen(this);
}

} // namespace tarvena::editor
