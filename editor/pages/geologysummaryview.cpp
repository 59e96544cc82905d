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
    const char *label;
    const char *caption;
};

const SummaryRow kHorizons[] = {
    {"Label29", "Продуктивные горизонты"},
    {"Label71", "Отражающие горизонты, по которым подготовлен объект"},
};

const SummaryRow kDeterministic[] = {
    {"Label72", "Подготовленные ресурсы категории D0 нефти, млн т"},
    {"Label73", "Подготовленные ресурсы категории D0 растворенного газа, млн м3"},
    {"Label74", "Подготовленные ресурсы категории D0 газа, млн м3"},
    {"Label75", "Подготовленные ресурсы категории D0 газоконденсата, млн т"},
};

const SummaryRow kProbabilistic[] = {
    {"Label93", "Наиболее вероятная величина подготовленных ресурсов нефти (извлекаемых), млн т"},
    {"Label95", "Возможные пределы изменения подготовленных ресурсов нефти (извлекаемых), млн т"},
    {"Label97", "Наиболее вероятная величина подготовленных ресурсов растворенного газа, млн м3"},
    {"Label99", "Возможные пределы изменения подготовленных ресурсов растворенного газа, млн м3"},
    {"Label102", "Наиболее вероятная величина подготовленных ресурсов газа, млн м3"},
    {"Label101", "Возможные пределы изменения подготовленных ресурсов газа, млн м3"},
    {"Label106", "Наиболее вероятная величина подготовленных ресурсов газоконденсата (извлекаемых), млн т"},
    {"Label105", "Возможные пределы изменения подготовленных ресурсов газоконденсата (извлекаемых), млн т"},
};

const char kCaptionProperty[] = "tarvenaCaption";

// Rows of caption and value label in a grid; the values take what room is left and wrap a long list.
QGridLayout *addRows(QWidget *container, std::span<const SummaryRow> rows)
{
    auto *grid = new QGridLayout(container);
    grid->setColumnStretch(1, 1);
    for (const SummaryRow &row : rows) {
        const QString caption = QString::fromUtf8(row.caption);
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

void GeologySummaryView::setSummary(const std::vector<SummaryLabel> &labels)
{
    for (const SummaryLabel &shown : labels) {
        if (QLabel *target = label(QString::fromStdString(shown.name))) {
            const QString figure = fromCp1251(shown.text);
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
