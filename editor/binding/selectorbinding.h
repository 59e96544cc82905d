#pragma once
// A value that is chosen, never typed: read-only text with a button beside it. The text shows a
// display field (a scale's "1:N", a stratigraphic unit's name); the button asks a chooser (the map
// scale editor, the stratigraphy picker) for a new value of the underlying key field, writes it and
// posts the record at once. A cancelled choice writes nothing, but still posts pending edits.
#include "editor/binding/fieldbinding.h"

#include <QWidget>

#include <functional>
#include <optional>

class QKeyEvent;
class QLineEdit;
class QToolButton;

namespace tarvena::editor {

// The read-only text and its button. As on a drop-down list, Alt+Down, F4 and Enter on the text
// open the dialog too, and Tab reaches the button right after the text.
class SelectorEdit : public QWidget
{
    Q_OBJECT
public:
    explicit SelectorEdit(QWidget *parent = nullptr);
    QLineEdit *edit() const { return mEdit; }
    QToolButton *button() const { return mButton; }

signals:
    void buttonClicked();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    static bool isOpeningKey(const QKeyEvent *event);

    QLineEdit *mEdit;
    QToolButton *mButton;
};

class SelectorBinding : public FieldBinding
{
    Q_OBJECT
public:
    // Given the key field, returns the value chosen, or nullopt when the user cancelled.
    using Chooser = std::function<std::optional<Value>(Field &keyField)>;

    SelectorBinding(MemTable &table, const std::string &shownField, const std::string &keyField,
                    Prompts &prompts, SelectorEdit *selector, Chooser chooser);

    Field &keyField() const { return mKeyField; }
    // What the button does: choose, write, post.
    void choose();

protected:
    void show() override;
    bool write() override; // nothing is typed: the choice is written by choose()

private:
    SelectorEdit *mSelector;
    Field &mKeyField;
    Chooser mChooser;
};

// What a selector's button does, on a record page or in a grid cell: asks the chooser for a new value
// of the key field of the table's current record, writes it and posts the record. A cancelled choice
// writes nothing but still posts the record's pending edits. What the table refuses is told. The
// choice is one undo step named step.
void chooseAndPost(MemTable &table, Field &keyField, const SelectorBinding::Chooser &chooser,
                   Prompts &prompts, const QString &step);

} // namespace tarvena::editor
