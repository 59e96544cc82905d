#include "editor/dialogs/probabilisticdialog.h"

#include "editor/text.h"
#include "model/datamodule.h"
#include "model/probabilisticinputs.h"

#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineSeries>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QVBoxLayout>
#include <QValueAxis>

#include <algorithm>

namespace tarvena::editor {
namespace {

QString number(std::optional<double> value)
{
    return value ? QString::number(*value, 'g', 6) : QString();
}

QString useText(const ParameterReport &report)
{
    switch (report.use) {
    case ParameterUse::Varied:
        return report.distribution == Distribution::Triangular
                   ? QStringLiteral("варьируется, треугольное (мода %1)").arg(number(report.mode))
                   : QStringLiteral("варьируется, равномерное");
    case ParameterUse::Fixed:
        return QStringLiteral("постоянный");
    case ParameterUse::Missing:
        break;
    }
    return QStringLiteral("не задан");
}

QTableWidget *table(const QStringList &headers, QWidget *parent)
{
    auto *t = new QTableWidget(0, static_cast<int>(headers.size()), parent);
    t->setHorizontalHeaderLabels(headers);
    t->setEditTriggers(QAbstractItemView::NoEditTriggers);
    t->setSelectionBehavior(QAbstractItemView::SelectRows);
    t->verticalHeader()->hide();
    t->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    return t;
}

void setRow(QTableWidget *t, int row, const QStringList &cells)
{
    for (int c = 0; c < cells.size(); ++c)
        t->setItem(row, c, new QTableWidgetItem(cells[c]));
}

// A vertical line across the chart at x, named for the legend.
QLineSeries *marker(const QString &name, double x, double top)
{
    auto *line = new QLineSeries;
    line->setName(name);
    line->append(x, 0);
    line->append(x, top);
    return line;
}

} // namespace

ProbabilisticDialog::ProbabilisticDialog(MemTable &horizons, ResourceFluid fluid, QWidget *parent)
    : QDialog(parent), mHorizons(horizons), mFluid(fluid)
{
    setObjectName(QStringLiteral("ProbabilisticDialog"));
    setWindowTitle(QStringLiteral("Вероятностная оценка ресурсов"));
    const ProductiveHorizon horizon = currentProductiveHorizon(horizons);
    mInputs = probabilisticInputs(fluid, horizon);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Горизонт: %1").arg(fromCp1251(horizon.name)), this));
    mInputTable = table({QStringLiteral("Параметр"), QStringLiteral("Минимум"), QStringLiteral("Максимум"),
                         QStringLiteral("Детерминистская оценка"), QStringLiteral("Участие")},
                        this);
    layout->addWidget(mInputTable);

    auto *settings = new QHBoxLayout;
    mDistribution = new QComboBox(this);
    mDistribution->addItems({QStringLiteral("Равномерное"), QStringLiteral("Треугольное")});
    mDraws = new QSpinBox(this);
    mDraws->setRange(1000, 10000000);
    mDraws->setSingleStep(10000);
    mDraws->setValue(SimulationSettings{}.draws);
    mFigure = new QComboBox(this);
    mFigure->addItems({QStringLiteral("Мода"), QStringLiteral("P50"), QStringLiteral("Среднее")});
    mCompute = new QPushButton(QStringLiteral("Рассчитать"), this);
    settings->addWidget(new QLabel(QStringLiteral("Распределение:"), this));
    settings->addWidget(mDistribution);
    settings->addWidget(new QLabel(QStringLiteral("Число испытаний:"), this));
    settings->addWidget(mDraws);
    settings->addWidget(new QLabel(QStringLiteral("Наиболее вероятное значение:"), this));
    settings->addWidget(mFigure);
    settings->addStretch();
    settings->addWidget(mCompute);
    layout->addLayout(settings);

    mResults = table({QStringLiteral("Ресурс"), QStringLiteral("Среднее"), QStringLiteral("σ"),
                      QStringLiteral("P90"), QStringLiteral("P50"), QStringLiteral("P10"),
                      QStringLiteral("Наиболее вероятное"), QStringLiteral("Вероятность")},
                     this);
    layout->addWidget(mResults);
    mNotes = new QLabel(this);
    mNotes->setWordWrap(true);
    layout->addWidget(mNotes);
    mChart = new QChartView(new QChart, this);
    mChart->setRenderHint(QPainter::Antialiasing);
    mChart->setMinimumHeight(280);
    layout->addWidget(mChart, 1);

    auto *buttons = new QDialogButtonBox(this);
    mWrite = buttons->addButton(QStringLiteral("Записать в паспорт"), QDialogButtonBox::AcceptRole);
    buttons->addButton(QStringLiteral("Отказ"), QDialogButtonBox::RejectRole);
    mWrite->setEnabled(false);
    layout->addWidget(buttons);

    connect(mCompute, &QPushButton::clicked, this, &ProbabilisticDialog::compute);
    connect(mWrite, &QPushButton::clicked, this, &ProbabilisticDialog::writeToPassport);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(mFigure, &QComboBox::currentIndexChanged, this, &ProbabilisticDialog::showResults);
    connect(mResults, &QTableWidget::currentCellChanged, this, [this](int row) { showChart(row); });
    resize(1100, 800);
    showInputs();
}

void ProbabilisticDialog::showInputs()
{
    mInputTable->setRowCount(static_cast<int>(mInputs.parameters.size()));
    for (std::size_t i = 0; i < mInputs.parameters.size(); ++i) {
        const ParameterRange &p = mInputs.parameters[i];
        const QString use = i < mEstimate.parameters.size() ? useText(mEstimate.parameters[i])
                            : p.ranged                      ? QString()
                                       : QStringLiteral("постоянный, без диапазона");
        setRow(mInputTable, static_cast<int>(i),
               {QString::fromStdString(p.symbol + ": " + p.minTitle),
                number(p.ranged ? p.min : p.deterministic), number(p.ranged ? p.max : p.deterministic),
                number(p.deterministic), use});
    }
}

void ProbabilisticDialog::compute()
{
    SimulationSettings settings;
    settings.draws = mDraws->value();
    settings.distribution =
        mDistribution->currentIndex() == 1 ? Distribution::Triangular : Distribution::Uniform;
    settings.keepDraws = true;
    mEstimate = simulateFluid(mInputs, settings);
    showInputs();
    showResults();
    mWrite->setEnabled(!mEstimate.resources.empty());
}

void ProbabilisticDialog::showResults()
{
    const auto figure = static_cast<WrittenFigure>(mFigure->currentIndex());
    mResults->setRowCount(static_cast<int>(mEstimate.resources.size()));
    for (std::size_t r = 0; r < mEstimate.resources.size(); ++r) {
        const ResourceEstimate &e = mEstimate.resources[r];
        const DrawSummary &s = e.summary;
        const WrittenValues w = writtenValues(s, figure);
        setRow(mResults, static_cast<int>(r),
               {QStringLiteral("%1, %2").arg(QString::fromUtf8(resourceName(e.resource)),
                                             QString::fromUtf8(resourceUnit(e.resource))),
                number(s.mean), number(s.sigma), number(s.p90), number(s.p50), number(s.p10), number(w.value),
                number(w.probability)});
    }
    QStringList notes;
    if (!mEstimate.refusal.empty())
        notes << QString::fromStdString(mEstimate.refusal);
    for (const std::string &note : mEstimate.notes)
        notes << QString::fromStdString(note);
    mNotes->setText(notes.join(QLatin1Char('\n')));
    if (!mEstimate.resources.empty())
        mResults->setCurrentCell(0, 0);
    showChart(mResults->currentRow());
}

void ProbabilisticDialog::showChart(int resource)
{
    auto *chart = new QChart;
    mChart->setChart(chart); // the view deletes the chart it had
    if (resource < 0 || resource >= static_cast<int>(mEstimate.resources.size()))
        return;
    const ResourceEstimate &e = mEstimate.resources[resource];
    const DrawSummary &s = e.summary;
    chart->setTitle(QString::fromUtf8(resourceName(e.resource)));
    constexpr int kBars = 60;
    std::vector<double> counts(kBars, 0);
    const double width = s.max > s.min ? (s.max - s.min) / kBars : 1;
    for (double x : e.draws)
        counts[std::min(kBars - 1, static_cast<int>((x - s.min) / width))] += 1;
    auto *histogram = new QLineSeries;
    histogram->setName(QStringLiteral("Плотность"));
    double top = 0;
    for (int b = 0; b < kBars; ++b) {
        const double density = counts[b] / (static_cast<double>(e.draws.size()) * width);
        histogram->append(s.min + b * width, density);
        histogram->append(s.min + (b + 1) * width, density);
        top = std::max(top, density);
    }
    std::vector<double> sorted = e.draws;
    std::sort(sorted.begin(), sorted.end());
    auto *exceedance = new QLineSeries;
    exceedance->setName(QStringLiteral("Вероятность превышения"));
    const std::size_t step = std::max<std::size_t>(1, sorted.size() / 200);
    for (std::size_t i = 0; i < sorted.size(); i += step)
        exceedance->append(sorted[i], 1 - static_cast<double>(i) / static_cast<double>(sorted.size()));
    exceedance->append(sorted.back(), 1 / static_cast<double>(sorted.size()));

    auto *x = new QValueAxis;
    x->setTitleText(QString::fromUtf8(resourceUnit(e.resource)));
    auto *density = new QValueAxis;
    density->setTitleText(QStringLiteral("Плотность"));
    density->setRange(0, top * 1.05);
    auto *probability = new QValueAxis;
    probability->setTitleText(QStringLiteral("Вероятность"));
    probability->setRange(0, 1);
    chart->addAxis(x, Qt::AlignBottom);
    chart->addAxis(density, Qt::AlignLeft);
    chart->addAxis(probability, Qt::AlignRight);
    const auto add = [&](QLineSeries *series, QValueAxis *vertical) {
        chart->addSeries(series);
        series->attachAxis(x);
        series->attachAxis(vertical);
    };
    add(histogram, density);
    add(exceedance, probability);
    const WrittenValues w = writtenValues(s, static_cast<WrittenFigure>(mFigure->currentIndex()));
    add(marker(QStringLiteral("P90"), s.p90, 1), probability);
    add(marker(QStringLiteral("P50"), s.p50, 1), probability);
    add(marker(QStringLiteral("P10"), s.p10, 1), probability);
    add(marker(QStringLiteral("Наиболее вероятное"), w.value, 1), probability);
    x->setRange(s.min, s.max > s.min ? s.max : s.min + 1);
}

void ProbabilisticDialog::writeToPassport()
{
    if (mEstimate.resources.empty())
        return;
    writeEstimate(mHorizons, mEstimate, static_cast<WrittenFigure>(mFigure->currentIndex()));
    accept();
}

QPushButton *probabilisticButton(MemTable &horizons, ResourceFluid fluid, QWidget *parent)
{
    auto *button = new QPushButton(QStringLiteral("Вероятностная оценка"), parent);
    button->setObjectName(QStringLiteral("ProbabilisticButton"));
    button->setToolTip(QStringLiteral(
        "Расчёт наиболее вероятных ресурсов, вероятности и отклонения по диапазонам параметров"));
    QObject::connect(button, &QPushButton::clicked, button, [&horizons, fluid, button] {
        if (horizons.RecordCount() == 0)
            return;
        ProbabilisticDialog dialog(horizons, fluid, button->window());
        dialog.compute();
        dialog.exec();
    });
    return button;
}

std::optional<ResourceFluid> probabilisticGridFluid(const char *gridName)
{
    const std::string name = gridName ? gridName : "";
    if (name == "JvDBGrid5")
        return ResourceFluid::Oil;
    if (name == "JvDBGrid7")
        return ResourceFluid::Gas;
    if (name == "JvDBGrid9")
        return ResourceFluid::Condensate;
    return std::nullopt;
}

void attachProbabilisticButton(QLabel *band, TDataModule2 &data, ResourceFluid fluid)
{
    auto *row = new QHBoxLayout(band);
    row->setContentsMargins(0, 0, 4, 0);
    row->addStretch();
    row->addWidget(probabilisticButton(data.POSIB_PRODUCT_HOR, fluid, band));
}

} // namespace tarvena::editor
