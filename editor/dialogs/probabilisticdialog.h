#pragma once
// "Вероятностная оценка ресурсов": the probabilistic resources of the current horizon for one fluid,
// simulated from the ranges of its probabilistic grid, with their distribution and exceedance curve;
// "Записать в паспорт" stores the most probable value, its probability and the deviation.
#include "model/probabilistic.h"

#include <QDialog>

#include <optional>

class QChartView;
class QComboBox;
class QLabel;
class QPushButton;
class QSpinBox;
class QTableWidget;

namespace tarvena {
class MemTable;
class TDataModule2;
} // namespace tarvena

namespace tarvena::editor {

class ProbabilisticDialog : public QDialog
{
    Q_OBJECT
public:
    ProbabilisticDialog(MemTable &horizons, ResourceFluid fluid, QWidget *parent = nullptr);

    void compute();
    // Writes the figures into the current horizon and posts it; nothing before a computation.
    void writeToPassport();
    const FluidEstimate &estimate() const { return mEstimate; }

    QPushButton *computeButton() const { return mCompute; }
    QPushButton *writeButton() const { return mWrite; }
    QComboBox *distributionBox() const { return mDistribution; }
    QComboBox *figureBox() const { return mFigure; }
    QSpinBox *drawsBox() const { return mDraws; }
    QTableWidget *resultsTable() const { return mResults; }

private:
    void showInputs();
    void showResults();
    void showChart(int resource);

    MemTable &mHorizons;
    ResourceFluid mFluid;
    FluidInputs mInputs;
    FluidEstimate mEstimate;
    QTableWidget *mInputTable;
    QComboBox *mDistribution;
    QComboBox *mFigure;
    QSpinBox *mDraws;
    QPushButton *mCompute;
    QTableWidget *mResults;
    QLabel *mNotes;
    QChartView *mChart;
    QPushButton *mWrite;
};

// The button "Вероятностная оценка" for a probabilistic grid's band; it opens the dialog for the
// table's current horizon.
QPushButton *probabilisticButton(MemTable &horizons, ResourceFluid fluid, QWidget *parent);
// The fluid of a probabilistic resource grid ("JvDBGrid5", "JvDBGrid7", "JvDBGrid9"); nothing for
// another grid or none.
std::optional<ResourceFluid> probabilisticGridFluid(const char *gridName);
// Puts the button at the right end of a grid's title band.
void attachProbabilisticButton(QLabel *band, TDataModule2 &data, ResourceFluid fluid);

} // namespace tarvena::editor
