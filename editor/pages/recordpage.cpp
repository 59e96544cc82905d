#include "editor/pages/recordpage.h"

#include "editor/binding/lookupbinding.h"
#include "editor/binding/textbinding.h"
#include "editor/controlnaming.h"
#include "editor/dialogs/selectors.h"
#include "editor/nullablespinbox.h"
#include "editor/text.h"
#include "model/datamodule.h"
#include "model/field.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QScrollArea>
#include <QVBoxLayout>

#include <algorithm>

namespace tarvena::editor {

namespace {

// Columns of a row: caption, control, and the caption and control standing beside them.
constexpr int kCaptionColumn = 0;
constexpr int kControlColumn = 1;
constexpr int kBesideCaptionColumn = 2;
constexpr int kBesideControlColumn = 3;

// A text, list or selector alone in its row takes the whole row; a number keeps a number's width.
bool spansRow(std::span<const RecordField> controls, std::size_t index)
{
    const FieldKind kind = controls[index].kind;
    if (kind == FieldKind::WholeNumber || kind == FieldKind::DecimalNumber)
        return false;
    return index + 1 == controls.size() || controls[index + 1].placement == FieldPlacement::NewRow;
}

} // namespace

RecordPage::RecordPage(PageContext &context, const char *objectName, const QString &caption, QWidget *parent)
    : BookPage(context, objectName, caption, parent)
{
    // Long pages scroll rather than squeeze their controls in a small window.
    auto *scroll = new QScrollArea(this);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(true);
    // Tab goes from the page tab straight to the first control; the area still scrolls to the
    // control that takes focus.
    scroll->setFocusPolicy(Qt::NoFocus);
    auto *content = new QWidget(scroll);
    paintWhite(content);
    mContent = new QVBoxLayout(content);
    mContent->addStretch(1);
    scroll->setWidget(content);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(scroll);
}

MemTable &RecordPage::record() const
{
    return data().PASPORTS;
}

QWidget *RecordPage::control(const char *name) const
{
    const auto found = mControls.find(name);
    return found == mControls.end() ? nullptr : found->second;
}

QLabel *RecordPage::captionLabel(const char *name) const
{
    const auto found = mLabels.find(name);
    return found == mLabels.end() ? nullptr : found->second;
}

FieldBinding *RecordPage::binding(const char *name) const
{
    const auto found = mBindings.find(name);
    return found == mBindings.end() ? nullptr : found->second;
}

LookupBinding *RecordPage::lookup(const char *name) const
{
    return qobject_cast<LookupBinding *>(binding(name));
}

QWidget *RecordPage::addFields(RecordGroup group)
{
    const RecordGroupInfo &info = recordGroup(group);
    QWidget *container = nullptr;
    if (info.caption) {
        const QString caption = QString::fromUtf8(info.caption);
        auto *frame = new QGroupBox(caption);
        frame->setObjectName(QLatin1String(info.objectName));
        frame->setAccessibleName(caption);
        container = frame;
    } else {
        container = new QWidget;
    }
    addWidget(container);
    addControls(info.fields, container);
    followDependentControls();
    return container;
}

void RecordPage::addWidget(QWidget *widget)
{
    mContent->insertWidget(mContent->count() - 1, widget); // above the closing stretch
}

QGridLayout *RecordPage::gridOf(QWidget *container)
{
    QGridLayout *&grid = mGrids[container];
    if (!grid) {
        grid = new QGridLayout(container);
        grid->setColumnStretch(kControlColumn, 1);
        grid->setColumnStretch(kBesideControlColumn, 1);
    }
    return grid;
}

void RecordPage::addControls(std::span<const RecordField> controls, QWidget *container)
{
    QGridLayout *grid = gridOf(container);
    int row = grid->rowCount() - 1;
    for (std::size_t i = 0; i < controls.size(); ++i) {
        const RecordField &spec = controls[i];
        const bool beside = spec.placement != FieldPlacement::NewRow && row >= 0;
        if (!beside)
            row = grid->count() == 0 ? 0 : grid->rowCount();
        if (spec.heading && !beside)
            grid->addWidget(new QLabel(QString::fromUtf8(spec.heading), container), row++, kCaptionColumn, 1,
                            -1);
        // A control under its caption shares one cell with it.
        QWidget *cell = container;
        if (beside && spec.placement == FieldPlacement::Under) {
            cell = new QWidget(container);
            auto *stack = new QVBoxLayout(cell);
            stack->setContentsMargins(0, 0, 0, 0);
            grid->addWidget(cell, row, kBesideCaptionColumn, 1, 2);
            // The row's own caption and control line up with the control under the caption.
            for (int column : {kCaptionColumn, kControlColumn}) {
                if (QLayoutItem *item = grid->itemAtPosition(row, column))
                    item->setAlignment(Qt::AlignBottom);
            }
        }
        const QString caption = QString::fromUtf8(spec.caption);
        QLabel *label = nullptr;
        if (!caption.isEmpty()) {
            label = new QLabel(caption, cell);
            if (spec.labelName)
                label->setObjectName(QLatin1String(spec.labelName));
            if (cell != container)
                cell->layout()->addWidget(label);
            else
                grid->addWidget(label, row, beside ? kBesideCaptionColumn : kCaptionColumn);
        }
        QWidget *widget = makeControl(spec, cell);
        // A control without a caption of its own is known by its hint.
        const QString hint = QString::fromUtf8(spec.hint);
        nameControl(widget, spec.control, caption.isEmpty() ? hint : caption, hint, label);
        if (cell != container)
            cell->layout()->addWidget(widget);
        else if (beside)
            grid->addWidget(widget, row, kBesideControlColumn);
        else
            grid->addWidget(widget, row, kControlColumn, 1, spansRow(controls, i) ? -1 : 1);
        mControls[spec.control] = widget;
        mFields[spec.field] = &spec;
        if (label)
            mLabels[spec.control] = label;
    }
}

QWidget *RecordPage::makeControl(const RecordField &spec, QWidget *parent)
{
    Prompts &prompts = context().prompts;
    MemTable &table = record();
    FieldBinding *bound = nullptr;
    QWidget *widget = nullptr;
    switch (spec.kind) {
    case FieldKind::Text:
    case FieldKind::ReadOnly:
    case FieldKind::Calculated: {
        auto *edit = new QLineEdit(parent);
        edit->setReadOnly(!isTypedKind(spec.kind));
        bound = new TextBinding(table, spec.field, prompts, edit);
        widget = edit;
        break;
    }
    case FieldKind::List: {
        auto *combo = new QComboBox(parent);
        if (spec.dropDownRows > 0)
            combo->setMaxVisibleItems(spec.dropDownRows);
        bound = new LookupBinding(table, spec.field, data().dict(spec.dictionary), prompts, combo);
        widget = combo;
        break;
    }
    case FieldKind::WholeNumber:
    case FieldKind::DecimalNumber: {
        auto *spin = new NullableSpinBox(parent);
        spin->setMaximum(spec.maximum);
        spin->setDecimals(spec.kind == FieldKind::DecimalNumber ? spec.decimals : 0);
        bound = new TextBinding(table, spec.field, prompts, spin);
        widget = spin;
        break;
    }
    case FieldKind::Scale:
    case FieldKind::Unit: {
        auto *selector = new SelectorEdit(parent);
        const std::string shown = spec.field;
        bound = new SelectorBinding(table, shown, shown.substr(1), prompts, selector, chooserFor(spec.kind));
        widget = selector;
        break;
    }
    }
    mBindings[spec.control] = bound;
    return widget;
}

void RecordPage::alignCaptionColumns()
{
    int width = 0;
    for (const auto &[name, label] : mLabels) {
        for (const auto &[container, grid] : mGrids) {
            const int index = grid->indexOf(label);
            int row = 0, column = 0, rows = 0, columns = 0;
            if (index < 0)
                continue;
            grid->getItemPosition(index, &row, &column, &rows, &columns);
            if (column == kCaptionColumn)
                width = std::max(width, label->sizeHint().width());
        }
    }
    for (const auto &[container, grid] : mGrids)
        grid->setColumnMinimumWidth(kCaptionColumn, width);
}

SelectorBinding::Chooser RecordPage::chooserFor(FieldKind kind)
{
    return kind == FieldKind::Scale ? scaleChooser(context()) : unitChooser(context());
}

void RecordPage::setControlEnabled(const char *name, bool enabled)
{
    if (QWidget *widget = control(name))
        widget->setEnabled(enabled);
    if (QLabel *label = captionLabel(name))
        label->setEnabled(enabled);
}

SelectorBinding *RecordPage::selector(const char *name) const
{
    return qobject_cast<SelectorBinding *>(binding(name));
}

void RecordPage::emptyField(const char *fieldName)
{
    try {
        MemTable &table = record();
        Field &field = table.FieldByName(fieldName);
        // An empty field stays as it is: the record is not taken into edit for nothing.
        if (field.IsNull())
            return;
        if (table.State() == TableState::Browse)
            table.Edit();
        field.Clear();
    } catch (...) {
        // The rules that empty a dependent field ignore a failure: the control is still disabled.
    }
}

void RecordPage::followDependentControls()
{
    for (const controlrules::DependentControl &rule : controlrules::dependentControls()) {
        const auto decider = mFields.find(rule.decider);
        const auto dependent = mFields.find(rule.dependent);
        if (decider == mFields.end() || dependent == mFields.end() ||
            std::any_of(mRules.begin(), mRules.end(), [&](const Rule &known) { return known.rule == &rule; }))
            continue;
        const Rule followed{&rule, decider->second, dependent->second};
        mRules.push_back(followed);
        // Before a passport is opened the control stands as for a decider never chosen.
        setControlEnabled(followed.dependent->control,
                          controlrules::dependentState(rule.rule, Value()).enabled);
        if (controlrules::followsEveryChange(rule.rule))
            mFieldRules.emplace_back(&record().FieldByName(rule.decider), mRules.size() - 1);
        else
            connect(lookup(followed.decider->control), &LookupBinding::userChanged, this,
                    [this, followed] { applyRule(followed, false); });
    }
    if (!mRules.empty() && !mFieldChanges.table())
        mFieldChanges = TableSubscription(record(), [this](const TableChange &change) {
            // A record shown anew (an undone or redone step brings its values back without the
            // rules): the controls stand as its deciders say, and nothing is emptied.
            if (change.kind == TableChange::RecordChanged) {
                for (const Rule &rule : mRules)
                    setControlEnabled(rule.dependent->control,
                                      controlrules::dependentState(
                                          rule.rule->rule, record().FieldByName(rule.rule->decider).value())
                                          .enabled);
                return;
            }
            if (change.kind != TableChange::DataChanged)
                return;
            for (const auto &[field, index] : mFieldRules)
                if (field == change.field)
                    applyRule(mRules[index], false);
        });
}

void RecordPage::applyRule(const Rule &rule, bool opening)
{
    const controlrules::DependentState state =
        controlrules::dependentState(rule.rule->rule, record().FieldByName(rule.rule->decider).value());
    setControlEnabled(rule.dependent->control, state.enabled);
    if (state.emptied && (!opening || rule.rule->emptiedOnOpen))
        emptyField(rule.rule->dependent);
}

void RecordPage::afterOpen()
{
    for (const Rule &rule : mRules)
        if (controlrules::appliesOnOpen(rule.rule->rule))
            applyRule(rule, true);
}

} // namespace tarvena::editor
