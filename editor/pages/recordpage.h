#pragma once
// The base of the pages that edit the single passport record (pages 1 to 4 and the hidden page 12):
// it builds its controls from a table of ControlSpec rows, names them for the accessibility bus,
// binds each to its field of PASPORTS and lays them out in rows, optionally in framed groups.
#include "editor/binding/selectorbinding.h"
#include "editor/pages/bookpage.h"
#include "editor/pages/controlspec.h"

#include <map>
#include <span>
#include <string>

class QGridLayout;
class QGroupBox;
class QLabel;
class QVBoxLayout;

namespace tarvena {
class MemTable;
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

protected:
    // Adds the controls in tab order, to the page or to a group made by addGroup.
    void addControls(std::span<const ControlSpec> controls, QGroupBox *group = nullptr);
    // A framed group with its caption, below what the page holds so far.
    QGroupBox *addGroup(const QString &caption, const char *objectName = nullptr);
    // A widget of the page's own (a summary, a note) below what the page holds so far.
    void addWidget(QWidget *widget);
    // Gives the captions of every group one width, so that the controls of all groups line up.
    void alignCaptionColumns();
    // Enables or disables a control together with its caption label.
    void setControlEnabled(const char *name, bool enabled);
    // Empties a field of the record; a failure is ignored, as the page rules want it.
    void emptyField(const char *fieldName);

    // The dialog behind the button of a scale or unit field: the map scale editor or the picker.
    virtual SelectorBinding::Chooser chooserFor(ControlKind kind);

private:
    QWidget *makeControl(const ControlSpec &spec, QWidget *parent);
    QGridLayout *gridOf(QWidget *container);

    QVBoxLayout *mContent;
    std::map<std::string, QWidget *> mControls;
    std::map<std::string, QLabel *> mLabels;
    std::map<std::string, FieldBinding *> mBindings;
    std::map<QWidget *, QGridLayout *> mGrids;
};

} // namespace tarvena::editor
