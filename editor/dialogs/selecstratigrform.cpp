#include "editor/dialogs/selecstratigrform.h"

#include "editor/dialogs/dialoglayout.h"
#include "editor/dialogs/dictionarylist.h"
#include "model/memtable.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <string>

namespace tarvena::editor {

namespace {

constexpr int kWidth = 380;
constexpr int kHeight = 520;

QLabel *listCaption(const QString &text, const char *name)
{
    auto *label = new QLabel(text);
    label->setObjectName(QLatin1String(name));
    label->setAlignment(Qt::AlignCenter);
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    return label;
}

std::int64_t keyOf(const MemTable &view)
{
    return view.FieldByName("ID").AsInteger();
}

} // namespace

TSelecStratigrForm::TSelecStratigrForm(MemTable &systems, MemTable &units, QWidget *parent)
    : QDialog(parent), mSystems(systems), mUnits(units), mSystemList(new DictionaryList(systems, "DBGrid1")),
      mUnitList(new DictionaryList(units, "DBGrid2")), mChoose(new QPushButton(QStringLiteral("Выбрать"))),
      mCancel(new QPushButton(QStringLiteral("Отказ")))
{
    setObjectName(QStringLiteral("SelecStratigrForm"));
    setWindowTitle(QStringLiteral("Выбор стратиграфического индекса"));
    setFixedSize(kWidth, kHeight);

    QLabel *systemsCaption = listCaption(QStringLiteral("Выбор системы"), "Label1");
    QLabel *unitsCaption = listCaption(QStringLiteral("Выбор индекса"), "Label2");
    systemsCaption->setBuddy(mSystemList);
    unitsCaption->setBuddy(mUnitList);
    mSystemList->setAccessibleName(systemsCaption->text());
    mUnitList->setAccessibleName(unitsCaption->text());
    // Only a click narrows the indices; moving through the systems with the keys does not.
    connect(mSystemList, &QAbstractItemView::clicked, this, &TSelecStratigrForm::DBGrid1CellClick);

    connect(mChoose, &QPushButton::clicked, this, &QDialog::accept);
    QHBoxLayout *buttons = confirmButtons(this, mChoose, mCancel);
    buttons->addStretch(1);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(systemsCaption);
    layout->addWidget(mSystemList, 1);
    layout->addWidget(unitsCaption);
    layout->addWidget(mUnitList, 1);
    layout->addLayout(buttons);
}

TSelecStratigrForm::~TSelecStratigrForm()
{
    FormDestroy();
}

void TSelecStratigrForm::position(int key)
{
    mUnits.SetFiltered(false);
    mUnits.Locate("ID", Value(std::int64_t(key)));
    mSystems.Locate("ID", Value(mUnits.FieldByName("PARENT_ID").AsInteger()));
    DBGrid1CellClick();
    mUnits.Locate("ID", Value(std::int64_t(key)));
}

void TSelecStratigrForm::DBGrid1CellClick()
{
    mUnits.SetFilter("PARENT_ID=" + std::to_string(keyOf(mSystems)));
    mUnits.SetFiltered(true);
}

void TSelecStratigrForm::FormDestroy()
{
    try {
        if (!mUnits.Filtered())
            return;
        // The view stays on the unit it showed last.
        const bool any = !mUnits.IsEmpty();
        const Value key = mUnits.FieldByName("ID").value();
        mUnits.SetFiltered(false);
        if (any)
            mUnits.Locate("ID", key);
    } catch (...) {
        // Undoing a filter only shows more entries; a view that fails to refresh must not stop a close.
    }
}

int TSelecStratigrForm::currentUnit() const
{
    return mUnits.IsEmpty() ? 0 : int(keyOf(mUnits));
}

void TSelecStratigrForm::done(int result)
{
    if (result == QDialog::Accepted)
        mResult = currentUnit();
    FormDestroy();
    QDialog::done(result);
}

void TSelecStratigrForm::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    centreOnScreen(this);
}

} // namespace tarvena::editor
