#pragma once
// The base of the pages that edit the single passport record (pages 1 to 4 and the hidden page 12):
// it builds its controls from the rows of the record catalogue, names them for the accessibility
// bus, binds each to its field of PASPORTS and lays them out in rows, optionally in framed groups.
// The dependent controls among them follow their deciding controls by the table of control rules.
#include "editor/binding/selectorbinding.h"
#include "editor/pages/bookpage.h"
#include "model/controlrules.h"
#include "model/memtable.h"
#include "model/recordfields.h"

#include <map>
#include <span>
#include <string>
#include <utility>
#include <vector>

class QGridLayout;
class QGroupBox;
class QLabel;
class QVBoxLayout;

namespace tarvena {
class Field;
}

namespace tarvena::editor {

class FieldBinding;
class LookupBinding;

class RecordPage : public BookPage
{
    Q_OBJECT
public:
    RecordPage(PageContext &context, const char *objectName, const QString &caption,
               QWidget *parent = nullptr);

    MemTable &record() const;
    QWidget *control(const char *name) const;
    template <class W> W *control(const char *name) const { return qobject_cast<W *>(control(name)); }
    // The label that carries a control's caption; nullptr for a control without one.
    QLabel *captionLabel(const char *name) const;
    FieldBinding *binding(const char *name) const;
    LookupBinding *lookup(const char *name) const;
    SelectorBinding *selector(const char *name) const;

    // The record was opened: the dependent controls take the state of its values.
    void afterOpen() override;

protected:
    // Adds the controls of a part of the record in tab order below what the page holds so far, in a
    // frame with the group's caption where the catalogue gives one. Returns their container.
    QWidget *addFields(RecordGroup group);
    // A widget of the page's own (a summary, a note) below what the page holds so far.
    void addWidget(QWidget *widget);
    // Gives the captions of every group one width, so that the controls of all groups line up.
    void alignCaptionColumns();
    // Enables or disables a control together with its caption label.
    void setControlEnabled(const char *name, bool enabled);
    // Empties a field of the record; a failure is ignored, as the page rules want it.
    void emptyField(const char *fieldName);

    // The dialog behind the button of a scale or unit field: the map scale editor or the picker.
    virtual SelectorBinding::Chooser chooserFor(FieldKind kind);

private:
    void addControls(std::span<const RecordField> controls, QWidget *container);
    QWidget *makeControl(const RecordField &spec, QWidget *parent);
    QGridLayout *gridOf(QWidget *container);
    // Starts the rules whose deciding and dependent controls are both on the page now.
    void followDependentControls();

    // A rule of the control rules with the page's controls that show its two fields.
    struct Rule
    {
        const controlrules::DependentControl *rule;
        const RecordField *decider;
        const RecordField *dependent;
    };
    void applyRule(const Rule &rule, bool opening);

    QVBoxLayout *mContent;
    std::map<std::string, QWidget *> mControls;
    std::map<std::string, QLabel *> mLabels;
    std::map<std::string, FieldBinding *> mBindings;
    std::map<QWidget *, QGridLayout *> mGrids;
    std::map<std::string, const RecordField *> mFields; // by the field shown
    std::vector<Rule> mRules;                           // the rules the page follows, in their order
    // The rules (by index) that follow every change of their decider's field, and the subscription
    // they hear by.
    std::vector<std::pair<const Field *, std::size_t>> mFieldRules;
    TableSubscription mFieldChanges;
};

} // namespace tarvena::editor
