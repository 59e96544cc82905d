#include "editor/pages/geologysummaryview.h"

#include "editor/text.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QVBoxLayout>

#include <algorithm>
#include <span>

namespace tarvena::editor {

namespace {

struct SummaryRow
{
    SummaryLine line;
    const char *label; // the value label's objectName
};

const SummaryRow kHorizons[] = {
    {SummaryLine::ProductiveHorizons, "Label29"},
    {SummaryLine::ReflectingHorizons, "Label71"},
};

const SummaryRow kDeterministic[] = {
    {SummaryLine::OilD0, "Label72"},
    {SummaryLine::DissolvedGasD0, "Label73"},
    {SummaryLine::GasD0, "Label74"},
    {SummaryLine::CondensateD0, "Label75"},
};

const SummaryRow kProbabilistic[] = {
    {SummaryLine::OilProbable, "Label93"},          {SummaryLine::OilRange, "Label95"},
    {SummaryLine::DissolvedGasProbable, "Label97"}, {SummaryLine::DissolvedGasRange, "Label99"},
    {SummaryLine::GasProbable, "Label102"},         {SummaryLine::GasRange, "Label101"},
    {SummaryLine::CondensateProbable, "Label106"},  {SummaryLine::CondensateRange, "Label105"},
};

const char kCaptionProperty[] = "tarvenaCaption";

// Rows of caption and value label in a grid; the values take what room is left and wrap a long list.
QGridLayout *addRows(QWidget *container, std::span<const SummaryRow> rows)
{
    auto *grid = new QGridLayout(container);
    grid->setColumnStretch(1, 1);
    for (const SummaryRow &row : rows) {
        const QString caption = QString::fromUtf8(summaryCaption(row.line));
        auto *captionLabel = new QLabel(caption, container);
        auto *value = new QLabel(container);
        value->setObjectName(QLatin1String(row.label));
        value->setAccessibleName(caption);
        value->setProperty(kCaptionProperty, caption);
        value->setWordWrap(true);
        value->setTextInteractionFlags(Qt::TextSelectableByMouse);
        const int line = grid->rowCount();
        grid->addWidget(captionLabel, line, 0);
        grid->addWidget(value, line, 1);
    }
    return grid;
}

QGroupBox *group(const QString &caption, const char *name, std::span<const SummaryRow> rows,
                 std::vector<QGridLayout *> &grids)
{
    auto *box = new QGroupBox(caption);
    box->setObjectName(QLatin1String(name));
    box->setAccessibleName(caption);
    grids.push_back(addRows(box, rows));
    return box;
}

} // namespace

GeologySummaryView::GeologySummaryView(QWidget *parent) : QWidget(parent)
{
    auto *horizons = new QWidget(this);
    addRows(horizons, kHorizons);
    std::vector<QGridLayout *> grids;
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(horizons);
    layout->addWidget(
        group(QStringLiteral(" Детерменированный подход "), "GroupBox6", kDeterministic, grids));
    layout->addWidget(group(QStringLiteral(" Вероятностный подход "), "GroupBox7", kProbabilistic, grids));
    // The figures of both approaches stand in one column.
    int captionWidth = 0;
    for (QGridLayout *grid : grids) {
        for (int row = 0; row < grid->rowCount(); ++row) {
            if (const QLayoutItem *caption = grid->itemAtPosition(row, 0))
                captionWidth = std::max(captionWidth, caption->sizeHint().width());
        }
    }
    for (QGridLayout *grid : grids)
        grid->setColumnMinimumWidth(0, captionWidth);
}

void GeologySummaryView::setSummary(const ResourceSummary &summary)
{
    for (const auto rows :
         {std::span<const SummaryRow>(kHorizons), std::span<const SummaryRow>(kDeterministic),
          std::span<const SummaryRow>(kProbabilistic)}) {
        for (const SummaryRow &row : rows) {
            QLabel *target = label(QLatin1String(row.label));
            const QString figure = fromCp1251(summaryText(summary, row.line));
            target->setText(figure);
            // A screen reader reads the name of a label: it carries the figure after its caption.
            const QString caption = target->property(kCaptionProperty).toString();
            target->setAccessibleName(figure.isEmpty() ? caption : caption + QStringLiteral(": ") + figure);
        }
    }
}

QLabel *GeologySummaryView::label(const QString &name) const
{
    return findChild<QLabel *>(name);
}

} // namespace tarvena::editor
