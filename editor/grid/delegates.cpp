#include "editor/grid/delegates.h"

#include "editor/binding/selectorbinding.h"
#include "editor/grid/tablemodel.h"
#include "editor/text.h"
#include "editor/wheelguard.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QScopedValueRollback>
#include <QToolButton>

#include <utility>

namespace tarvena::editor {

namespace {

// The entries a list column offers: the lookup table's visible rows, name and key.
void fillList(QComboBox *combo, const Field &shown)
{
    MemTable &source = *shown.LookupDataSet;
    const Field &key = source.FieldByName(shown.LookupKeyFields);
    const Field &name = source.FieldByName(shown.LookupResultField);
    const int count = source.RecordCount();
    for (int row = 0; row < count; ++row) {
        const Value id = source.valueAt(row, key);
        const auto *whole = std::get_if<std::int64_t>(&id);
        if (whole)
            combo->addItem(fromCp1251(source.displayTextAt(row, name)), QVariant(qint64(*whole)));
    }
}

bool isEditKey(const QKeyEvent *event)
{
    return event->key() == Qt::Key_F2 && event->modifiers() == Qt::NoModifier;
}

} // namespace

GridDelegate::GridDelegate(TableModel *model, QObject *parent) : QStyledItemDelegate(parent), mModel(model) {}

QWidget *GridDelegate::createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                                    const QModelIndex &index) const
{
    QWidget *editor = makeEditor(parent, option, index);
    // Read by the accessibility bus as the column it edits.
    if (editor)
        editor->setAccessibleName(
            mModel->headerData(index.column(), Qt::Horizontal, Qt::DisplayRole).toString().simplified());
    mEditor = editor;
    mEditorIndex = index;
    mInPlace = false;
    mRefused = false;
    return editor;
}

void GridDelegate::destroyEditor(QWidget *editor, const QModelIndex &index) const
{
    if (editor == mEditor) {
        mEditor.clear();
        mEditorIndex = QPersistentModelIndex();
    }
    QStyledItemDelegate::destroyEditor(editor, index);
}

bool GridDelegate::isRowKey(const QKeyEvent *event)
{
    return (event->key() == Qt::Key_Insert && event->modifiers() == Qt::NoModifier) ||
           (event->key() == Qt::Key_Delete && event->modifiers() == Qt::ControlModifier);
}

bool GridDelegate::eventFilter(QObject *object, QEvent *event)
{
    if (auto *edit = qobject_cast<QLineEdit *>(object); edit && edit == mEditor) {
        // A message box about the text being judged takes focus: the cell stays open behind it.
        if (event->type() == QEvent::FocusOut && mJudging)
            return false;
        if (textEditorEvent(edit, event))
            return true;
    }
    if (event->type() == QEvent::ShortcutOverride || event->type() == QEvent::KeyPress) {
        auto *key = static_cast<QKeyEvent *>(event);
        if (isRowKey(key)) {
            if (event->type() == QEvent::KeyPress)
                emit rowKeyPressed(key);
            event->accept();
            return event->type() == QEvent::KeyPress;
        }
    }
    return QStyledItemDelegate::eventFilter(object, event);
}

bool GridDelegate::textEditorEvent(QLineEdit *edit, QEvent *event)
{
    switch (event->type()) {
    case QEvent::ShortcutOverride:
        // F2 is also the window's Save key: a cell not yet edited in place takes it to edit, one being
        // edited leaves it to saving.
        if (isEditKey(static_cast<QKeyEvent *>(event)) && !mInPlace) {
            event->accept();
            return true;
        }
        return false;
    case QEvent::KeyPress:
        mRefusalTold = false; // another try: a refusal is told again
        if (isEditKey(static_cast<QKeyEvent *>(event)) && !mInPlace) {
            editInPlace(edit);
            return true;
        }
        return false;
    case QEvent::MouseButtonDblClick:
        editInPlace(edit);
        return true;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseMove:
        // A click on a cell that is not being edited in place leaves its value selected.
        if (mInPlace)
            return false;
        edit->setFocus(Qt::MouseFocusReason);
        return true;
    default:
        return false;
    }
}

void GridDelegate::editInPlace(QLineEdit *edit) const
{
    mInPlace = true;
    edit->deselect();
    edit->end(false);
}

void GridDelegate::selectForReplacing() const
{
    if (auto *edit = qobject_cast<QLineEdit *>(mEditor.data())) {
        mInPlace = false;
        edit->selectAll();
    }
}

void GridDelegate::dropRefusal() const
{
    mRefused = false;
    if (auto *edit = qobject_cast<QLineEdit *>(mEditor.data()))
        edit->setModified(false);
}

void GridDelegate::resetEditor(QWidget *editor, const QModelIndex &index) const
{
    if (auto *edit = qobject_cast<QLineEdit *>(editor)) {
        edit->setModified(false);
        if (editor == mEditor)
            mRefused = false;
    }
    setEditorData(editor, index);
}

bool GridDelegate::editorDirty() const
{
    auto *edit = qobject_cast<QLineEdit *>(mEditor.data());
    return edit && edit->isModified();
}

QWidget *GridDelegate::makeEditor(QWidget *parent, const QStyleOptionViewItem &option,
                                  const QModelIndex &index) const
{
    const ColumnSpec &spec = mModel->column(index.column());
    const Field &field = mModel->field(index.column());
    switch (spec.kind) {
    case FieldKind::List: {
        auto *combo = new QComboBox(parent);
        combo->setObjectName(QStringLiteral("cellList"));
        takeWheelOnlyWithFocus(combo);
        if (field.LookupDataSet)
            fillList(combo, field);
        // A pick is written at once, as the rules that follow it expect.
        connect(combo, &QComboBox::activated, this,
                [this, combo] { emit const_cast<GridDelegate *>(this)->commitData(combo); });
        return combo;
    }
    case FieldKind::Unit:
    case FieldKind::Scale: {
        auto *selector = new SelectorEdit(parent);
        selector->setObjectName(QStringLiteral("cellSelector"));
        const int column = index.column();
        connect(selector, &SelectorEdit::buttonClicked, this,
                [this, column] { emit editButtonClicked(column); });
        return selector;
    }
    case FieldKind::Text:
    case FieldKind::WholeNumber: // a cell takes a number as typed text, with the field's own rules
    case FieldKind::DecimalNumber: {
        auto *edit = new QLineEdit(parent);
        edit->setObjectName(QStringLiteral("cellEdit"));
        edit->setFrame(false);
        edit->setValidator(new Cp1251Validator(field.ValidChars, edit));
        if (field.DataType() == FieldType::String && field.Size() > 0)
            edit->setMaxLength(field.Size());
        connect(edit, &QLineEdit::textEdited, this, [this, edit] {
            edit->setModified(true); // before the row's repaint, which leaves typed text alone
            mInPlace = true;         // the caret now follows clicks
            mRefused = false;        // not judged yet
            emit typingStarted();
        });
        return edit;
    }
    case FieldKind::ReadOnly:
    case FieldKind::Calculated:
        break;
    }
    return QStyledItemDelegate::createEditor(parent, option, index);
}

void GridDelegate::setEditorData(QWidget *editor, const QModelIndex &index) const
{
    if (auto *combo = qobject_cast<QComboBox *>(editor)) {
        const QVariant key = index.data(Qt::EditRole);
        combo->setCurrentIndex(key.isValid() ? combo->findData(key) : -1);
        return;
    }
    if (auto *selector = qobject_cast<SelectorEdit *>(editor)) {
        selector->edit()->setText(index.data(Qt::DisplayRole).toString());
        return;
    }
    if (auto *edit = qobject_cast<QLineEdit *>(editor)) {
        // The view refreshes open editors whenever their row repaints; what the user is typing stays,
        // also while the model judges it (a message box lets the row repaint meanwhile).
        if (edit->isModified() || (edit == mEditor && mJudging))
            return;
        const QString text = index.data(Qt::EditRole).toString();
        if (edit->text() != text) {
            edit->setText(text);
            if (edit == mEditor && !mInPlace)
                edit->selectAll();
        }
        return;
    }
    QStyledItemDelegate::setEditorData(editor, index);
}

void GridDelegate::setModelData(QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const
{
    if (auto *combo = qobject_cast<QComboBox *>(editor)) {
        if (combo->currentIndex() >= 0)
            model->setData(index, combo->currentData(), Qt::EditRole);
        return;
    }
    if (qobject_cast<SelectorEdit *>(editor))
        return; // written by the dialog behind the button
    if (auto *edit = qobject_cast<QLineEdit *>(editor)) {
        // An untouched cell writes nothing, so passing through a row does not start an edit.
        if (!edit->isModified() || (edit == mEditor && mRefused && mRefusalTold))
            return;
        edit->setModified(false);
        bool taken = false;
        {
            const QScopedValueRollback<bool> judging(mJudging, true);
            taken = model->setData(index, edit->text(), Qt::EditRole);
        }
        if (taken && edit == mEditor)
            setEditorData(edit, index); // the value as stored
        const auto close = std::exchange(mCloseAfterJudging, std::nullopt);
        if (taken && close && edit == mEditor)
            QMetaObject::invokeMethod(
                const_cast<GridDelegate *>(this),
                [this, edit = QPointer<QLineEdit>(edit), hint = *close] {
                    if (edit && edit == mEditor)
                        emit const_cast<GridDelegate *>(this)->closeEditor(edit, hint);
                },
                Qt::QueuedConnection);
        if (taken || edit != mEditor)
            return;
        // Refused and told: the text stays, marked as typed, so the row's repaint leaves it alone.
        edit->setModified(true);
        mRefused = true;
        mRefusalTold = true;
        QMetaObject::invokeMethod(
            const_cast<GridDelegate *>(this), [this] { mRefusalTold = false; }, Qt::QueuedConnection);
        return;
    }
    QStyledItemDelegate::setModelData(editor, model, index);
}

} // namespace tarvena::editor
