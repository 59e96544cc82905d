#pragma once
// A drop-down list bound to a coded field: it shows the NAME of a dictionary view's entries in the
// view's order and stores the picked entry's ID. Only the user's pick of another entry, a step with
// the arrow keys or Delete on a filled list count as a change; loading a passport, moving between
// records and a program's change of the field never run the list's rule.
#include "editor/binding/fieldbinding.h"

#include <optional>

class QComboBox;

namespace tarvena::editor {

class LookupBinding : public FieldBinding
{
    Q_OBJECT
public:
    LookupBinding(MemTable &table, const std::string &keyField, MemTable &view, Prompts &prompts,
                  QComboBox *combo);

    MemTable &view() const { return mView; }

signals:
    // The user chose another entry, or emptied the list with Delete; the field holds it already.
    void userChanged();

protected:
    void show() override;
    bool write() override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void fill();
    void picked(int index);
    void choose(std::optional<qint64> key);
    // The entry's name even when the view's filter hides it.
    QString nameOfKey(qint64 key) const;

    MemTable &mView;
    QComboBox *mCombo;
    TableSubscription mViewSubscription;
    std::optional<qint64> mPending;
};

} // namespace tarvena::editor
