#pragma once
// Figures of a sample of simulated resources: moments, quantiles and the most probable value.
#include <span>

namespace tarvena {

struct DrawSummary
{
    double mean = 0;
    double sigma = 0; // standard deviation of the sample (divisor n - 1)
    double p90 = 0;   // exceeded with probability 0.9: the 10th percentile
    double p50 = 0;
    double p10 = 0;
    double mode = 0; // peak of a Gaussian kernel density estimate (Silverman's bandwidth) on a fine grid
    // Shares of draws not smaller than the mode, the median and the mean.
    double modeProbability = 1;
    double medianProbability = 1;
    double meanProbability = 1;
    double min = 0;
    double max = 0;
};

// Which figure is written to the passport as the most probable value.
enum class WrittenFigure
{
    Mode,
    Median,
    Mean
};

struct WrittenValues
{
    double value = 0;
    double probability = 1;
    double sigma = 0;
};
WrittenValues writtenValues(const DrawSummary &summary, WrittenFigure figure);

// Points of the density estimate's grid; the mode is read to a fraction of its step.
inline constexpr int kDensityGridPoints = 1024;

// Count, mean, sum of squared deviations and extremes of draws, gathered block by block while they
// are drawn (blocks merged as in the pairwise update of Chan, Golub and LeVeque).
struct DrawMoments
{
    double count = 0;
    double mean = 0;
    double squares = 0;
    double min = 0;
    double max = 0;
    void add(std::span<const double> block);
};

// Quantiles are exact order statistics (interpolated between neighbours), found in linear time.
// An empty sample gives a summary of zeros. The moments, when given, are those of the same draws.
DrawSummary summarizeDraws(std::span<const double> draws);
DrawSummary summarizeDraws(std::span<const double> draws, const DrawMoments &moments);

// The share of draws not smaller than value.
double shareNotBelow(std::span<const double> draws, double value);

} // namespace tarvena
