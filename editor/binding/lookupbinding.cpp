#include "editor/binding/lookupbinding.h"

#include "editor/runcommand.h"
#include "editor/text.h"
#include "editor/wheelguard.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QSignalBlocker>

namespace tarvena::editor {

namespace {

std::optional<qint64> keyOf(const Field &field)
{
    if (field.IsNull())
        return std::nullopt;
    return field.AsInteger();
}

} // namespace

LookupBinding::LookupBinding(MemTable &table, const std::string &keyField, MemTable &view, Prompts &prompts,
                             QComboBox *combo)
    : FieldBinding(table, keyField, prompts, combo), mView(view), mCombo(combo)
{
    combo->setEditable(false);
    combo->installEventFilter(this);
    takeWheelOnlyWithFocus(combo);
    // activated comes from the user only: a pick in the list, the arrow keys, the wheel over the list
    // the user gave focus to.
    connect(combo, &QComboBox::activated, this, &LookupBinding::picked);
    mViewSubscription = TableSubscription(mView, [this](const TableChange &change) {
        if (change.kind == TableChange::LayoutChanged || change.kind == TableChange::RecordChanged) {
            fill();
            refresh();
        }
    });
    fill();
    refresh();
}

void LookupBinding::fill()
{
    const QSignalBlocker blocker(mCombo);
    mCombo->clear();
    const Field &id = mView.FieldByName("ID");
    const Field &name = mView.FieldByName("NAME");
    const int count = mView.RecordCount();
    for (int row = 0; row < count; ++row) {
        const Value key = mView.valueAt(row, id);
        const auto *whole = std::get_if<std::int64_t>(&key);
        mCombo->addItem(fromCp1251(mView.displayTextAt(row, name)),
                        whole ? QVariant(qint64(*whole)) : QVariant());
    }
}

void LookupBinding::show()
{
    const std::optional<qint64> key = keyOf(field());
    const int index = key ? mCombo->findData(QVariant(*key)) : -1;
    mCombo->setCurrentIndex(index);
    // A key that the view's filter hides still shows its name.
    mCombo->setPlaceholderText(index < 0 && key ? nameOfKey(*key) : QString());
}

QString LookupBinding::nameOfKey(qint64 key) const
{
    const int idIndex = mView.FieldByName("ID").dataIndex();
    const int nameIndex = mView.FieldByName("NAME").dataIndex();
    QString found;
    mView.forEachStoredInOrder([&](const std::vector<Value> &values, int) {
        if (!found.isEmpty())
            return;
        const auto *id = std::get_if<std::int64_t>(&values[std::size_t(idIndex)]);
        const auto *name = std::get_if<std::string>(&values[std::size_t(nameIndex)]);
        if (id && *id == key && name)
            found = fromCp1251(*name);
    });
    return found;
}

bool LookupBinding::write()
{
    if (mPending)
        field().SetAsInteger(*mPending);
    else
        field().Clear();
    return true;
}

void LookupBinding::picked(int index)
{
    const QVariant data = mCombo->itemData(index);
    choose(data.isValid() ? std::optional<qint64>(data.toLongLong()) : std::nullopt);
}

void LookupBinding::choose(std::optional<qint64> key)
{
    if (key == keyOf(field())) {
        refresh(); // the entry already chosen: no change, no rule
        return;
    }
    mPending = key;
    markDirty();
    // The pick and what the page's rules empty after it are one user action: one undo step.
    const CommandScope pick(CommandContext(prompts(), table()), true, control()->accessibleName());
    if (commit())
        emit userChanged();
}

bool LookupBinding::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == mCombo && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent *>(event)->key() == Qt::Key_Delete && mCombo->isEnabled()) {
        if (keyOf(field()))
            choose(std::nullopt);
        return true;
    }
    return FieldBinding::eventFilter(watched, event);
}

} // namespace tarvena::editor
