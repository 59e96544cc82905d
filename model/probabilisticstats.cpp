#include "model/probabilisticstats.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

namespace tarvena {
namespace {

constexpr int kBins = 4096;

// Bins of equal width over [min, max]; the last bin holds max.
struct Binning
{
    double min;
    double scale;
    int of(double x) const { return std::min(static_cast<int>((x - min) * scale), kBins - 1); }
};

// Order statistics of the given 0-based ranks (ascending) without sorting: count the draws per bin,
// then keep only the draws of the bins where the ranks fall and select within them.
template <std::size_t N>
std::array<double, N> orderStatistics(std::span<const double> draws, const Binning &bins,
                                      const std::array<std::size_t, N> &ranks)
{
    std::vector<std::size_t> counts(kBins, 0);
    for (double x : draws)
        ++counts[bins.of(x)];
    std::array<int, N> binOfRank{};
    std::array<std::size_t, N> before{};
    std::size_t cumulative = 0;
    std::size_t r = 0;
    for (int b = 0; b < kBins && r < N; ++b) {
        while (r < N && ranks[r] < cumulative + counts[b]) {
            binOfRank[r] = b;
            before[r] = cumulative;
            ++r;
        }
        cumulative += counts[b];
    }
    std::vector<int> slot(kBins, -1);
    std::vector<std::vector<double>> kept;
    for (std::size_t i = 0; i < N; ++i) {
        if (slot[binOfRank[i]] < 0) {
            slot[binOfRank[i]] = static_cast<int>(kept.size());
            kept.emplace_back().reserve(counts[binOfRank[i]]);
        }
    }
    for (double x : draws) {
        const int s = slot[bins.of(x)];
        if (s >= 0)
            kept[s].push_back(x);
    }
    std::array<double, N> result{};
    for (std::size_t i = 0; i < N; ++i) {
        std::vector<double> &values = kept[slot[binOfRank[i]]];
        const auto nth = values.begin() + static_cast<std::ptrdiff_t>(ranks[i] - before[i]);
        std::nth_element(values.begin(), nth, values.end());
        result[i] = *nth;
    }
    return result;
}

// Quantiles at q (ascending), interpolated between the order statistics around q (n - 1).
template <std::size_t N>
std::array<double, N> quantiles(std::span<const double> draws, const Binning &bins,
                                const std::array<double, N> &q)
{
    const std::size_t n = draws.size();
    std::array<std::size_t, 2 * N> ranks{};
    for (std::size_t i = 0; i < N; ++i) {
        const auto low = static_cast<std::size_t>(std::floor(q[i] * static_cast<double>(n - 1)));
        ranks[2 * i] = low;
        ranks[2 * i + 1] = std::min(low + 1, n - 1);
    }
    const auto values = orderStatistics(draws, bins, ranks);
    std::array<double, N> result{};
    for (std::size_t i = 0; i < N; ++i) {
        const double position = q[i] * static_cast<double>(n - 1);
        const double fraction = position - std::floor(position);
        result[i] = values[2 * i] + fraction * (values[2 * i + 1] - values[2 * i]);
    }
    return result;
}

// The peak of the Gaussian kernel density estimate with bandwidth h, evaluated on a grid over
// [min, max] from the draws binned linearly onto the grid, refined by a parabola through the peak.
double densityPeak(std::span<const double> draws, double min, double max, double h)
{
    constexpr int G = kDensityGridPoints;
    const double step = (max - min) / (G - 1);
    std::vector<double> weights(G, 0.0);
    for (double x : draws) {
        const double position = (x - min) / step;
        const int low = std::min(static_cast<int>(position), G - 2);
        const double fraction = position - low;
        weights[low] += 1 - fraction;
        weights[low + 1] += fraction;
    }
    const int reach = std::min(G - 1, static_cast<int>(std::ceil(4 * h / step)));
    std::vector<double> kernel(reach + 1);
    for (int k = 0; k <= reach; ++k)
        kernel[k] = std::exp(-0.5 * (k * step / h) * (k * step / h));
    std::vector<double> density(G, 0.0);
    for (int j = 0; j < G; ++j) {
        double sum = weights[j] * kernel[0];
        const int last = std::min(reach, std::max(j, G - 1 - j));
        for (int k = 1; k <= last; ++k) {
            if (j >= k)
                sum += weights[j - k] * kernel[k];
            if (j + k < G)
                sum += weights[j + k] * kernel[k];
        }
        density[j] = sum;
    }
    const int peak = static_cast<int>(std::max_element(density.begin(), density.end()) - density.begin());
    double offset = 0;
    if (peak > 0 && peak < G - 1) {
        const double left = density[peak - 1], middle = density[peak], right = density[peak + 1];
        const double curvature = left - 2 * middle + right;
        if (curvature < 0)
            offset = 0.5 * (left - right) / curvature;
    }
    return min + (peak + offset) * step;
}

} // namespace

DrawSummary summarizeDraws(std::span<const double> draws)
{
    DrawSummary s;
    const std::size_t n = draws.size();
    if (n == 0)
        return s;
    double sum = 0;
    s.min = draws[0];
    s.max = draws[0];
    for (double x : draws) {
        sum += x;
        s.min = std::min(s.min, x);
        s.max = std::max(s.max, x);
    }
    s.mean = sum / static_cast<double>(n);
    double squares = 0;
    for (double x : draws)
        squares += (x - s.mean) * (x - s.mean);
    s.sigma = n > 1 ? std::sqrt(squares / static_cast<double>(n - 1)) : 0;
    if (!(s.max > s.min)) {
        // Every draw is the same value: a fixed resource.
        s.sigma = 0;
        s.mean = s.p90 = s.p50 = s.p10 = s.mode = s.min;
        return s;
    }
    const Binning bins{s.min, kBins / (s.max - s.min)};
    const auto q = quantiles<5>(draws, bins, {0.1, 0.25, 0.5, 0.75, 0.9});
    s.p90 = q[0];
    s.p50 = q[2];
    s.p10 = q[4];
    const double spread = q[3] - q[1] > 0 ? std::min(s.sigma, (q[3] - q[1]) / 1.34) : s.sigma;
    const double bandwidth = 0.9 * spread * std::pow(static_cast<double>(n), -0.2);
    s.mode = bandwidth > 0 ? densityPeak(draws, s.min, s.max, bandwidth) : s.p50;
    std::size_t notBelowMode = 0, notBelowMedian = 0, notBelowMean = 0;
    for (double x : draws) {
        notBelowMode += x >= s.mode;
        notBelowMedian += x >= s.p50;
        notBelowMean += x >= s.mean;
    }
    s.modeProbability = static_cast<double>(notBelowMode) / static_cast<double>(n);
    s.medianProbability = static_cast<double>(notBelowMedian) / static_cast<double>(n);
    s.meanProbability = static_cast<double>(notBelowMean) / static_cast<double>(n);
    return s;
}

double shareNotBelow(std::span<const double> draws, double value)
{
    if (draws.empty())
        return 0;
    const auto count = std::count_if(draws.begin(), draws.end(), [value](double x) { return x >= value; });
    return static_cast<double>(count) / static_cast<double>(draws.size());
}

WrittenValues writtenValues(const DrawSummary &summary, WrittenFigure figure)
{
    switch (figure) {
    case WrittenFigure::Median:
        return {summary.p50, summary.medianProbability, summary.sigma};
    case WrittenFigure::Mean:
        return {summary.mean, summary.meanProbability, summary.sigma};
    case WrittenFigure::Mode:
        break;
    }
    return {summary.mode, summary.modeProbability, summary.sigma};
}

} // namespace tarvena
