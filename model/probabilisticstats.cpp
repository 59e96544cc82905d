#include "model/probabilisticstats.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

namespace tarvena {
namespace {

constexpr int kBins = 4096;

// The draws counted in bins of equal width over [min, max] (the last bin holds max). Everything that
// needs the order of the draws is read from the counts, and from the draws of the few bins asked for.
class BinnedDraws
{
public:
    BinnedDraws(std::span<const double> draws, double min, double max)
        : mDraws(draws), mMin(min), mWidth((max - min) / kBins), mScale(kBins / (max - min)),
          mCounts(kBins, 0)
    {
        for (double x : draws)
            ++mCounts[bin(x)];
    }

    int bin(double x) const { return std::clamp(static_cast<int>((x - mMin) * mScale), 0, kBins - 1); }
    double centre(int b) const { return mMin + (b + 0.5) * mWidth; }
    std::size_t count(int b) const { return mCounts[b]; }

    // The bin of the 0-based rank in ascending order, and the number of draws in the bins below it.
    std::pair<int, std::size_t> binOfRank(std::size_t rank) const
    {
        std::size_t below = 0;
        for (int b = 0; b < kBins; ++b) {
            if (rank < below + mCounts[b])
                return {b, below};
            below += mCounts[b];
        }
        return {kBins - 1, below - mCounts[kBins - 1]};
    }

    // Keeps the draws of the bins asked for, in one pass.
    void keep(const std::vector<int> &bins)
    {
        mSlot.assign(kBins, -1);
        mKept.clear();
        for (int b : bins) {
            if (mSlot[b] < 0) {
                mSlot[b] = static_cast<int>(mKept.size());
                mKept.emplace_back().reserve(mCounts[b]);
            }
        }
        for (double x : mDraws) {
            const int s = mSlot[bin(x)];
            if (s >= 0)
                mKept[s].push_back(x);
        }
    }

    // The draw of the rank (its bin kept).
    double atRank(std::size_t rank)
    {
        const auto [b, below] = binOfRank(rank);
        std::vector<double> &values = mKept[mSlot[b]];
        const auto nth = values.begin() + static_cast<std::ptrdiff_t>(rank - below);
        std::nth_element(values.begin(), nth, values.end());
        return *nth;
    }

    // The share of draws not smaller than value (its bin kept).
    double shareNotBelow(double value) const
    {
        const int b = bin(value);
        std::size_t above = 0;
        for (int i = b + 1; i < kBins; ++i)
            above += mCounts[i];
        const auto notBelow = [value](double x) { return x >= value; };
        if (mSlot[b] >= 0) {
            const std::vector<double> &values = mKept[mSlot[b]];
            above += std::count_if(values.begin(), values.end(), notBelow);
        } else if (mCounts[b] > 0) {
            // A value between two neighbouring draws lies in a bin without draws; this is for safety.
            for (double x : mDraws)
                above += bin(x) == b && notBelow(x);
        }
        return static_cast<double>(above) / static_cast<double>(mDraws.size());
    }

private:
    std::span<const double> mDraws;
    double mMin, mWidth, mScale;
    std::vector<std::size_t> mCounts;
    std::vector<int> mSlot;
    std::vector<std::vector<double>> mKept;
};

// The peak of the Gaussian kernel density estimate with bandwidth h, evaluated on a grid over
// [min, max] from the binned draws (each bin's count at its centre, spread linearly onto the grid),
// refined by a parabola through the peak and its neighbours.
double densityPeak(const BinnedDraws &binned, double min, double max, double h)
{
    constexpr int G = kDensityGridPoints;
    const double step = (max - min) / (G - 1);
    std::vector<double> weights(G, 0.0);
    for (int b = 0; b < kBins; ++b) {
        const double position = (binned.centre(b) - min) / step;
        const int low = std::min(static_cast<int>(position), G - 2);
        const double fraction = position - low;
        weights[low] += (1 - fraction) * static_cast<double>(binned.count(b));
        weights[low + 1] += fraction * static_cast<double>(binned.count(b));
    }
    const int reach = std::min(G - 1, static_cast<int>(std::ceil(4 * h / step)));
    std::vector<double> kernel(reach + 1);
    for (int k = 0; k <= reach; ++k)
        kernel[k] = std::exp(-0.5 * (k * step / h) * (k * step / h));
    std::vector<double> density(G, 0.0);
    for (int j = 0; j < G; ++j) {
        double sum = weights[j] * kernel[0];
        const int from = std::max(j - reach, 0), to = std::min(j + reach, G - 1);
        for (int i = from; i <= to; ++i)
            sum += i == j ? 0 : weights[i] * kernel[std::abs(i - j)];
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

void DrawMoments::add(std::span<const double> block)
{
    if (block.empty())
        return;
    double sum = 0, low = block[0], high = block[0];
    for (double x : block) {
        sum += x;
        low = std::min(low, x);
        high = std::max(high, x);
    }
    const double n = static_cast<double>(block.size());
    const double blockMean = sum / n;
    double blockSquares = 0;
    for (double x : block)
        blockSquares += (x - blockMean) * (x - blockMean);
    if (count == 0) {
        min = low;
        max = high;
    } else {
        min = std::min(min, low);
        max = std::max(max, high);
    }
    const double total = count + n;
    const double delta = blockMean - mean;
    squares += blockSquares + delta * delta * count * n / total;
    mean += delta * n / total;
    count = total;
}

DrawSummary summarizeDraws(std::span<const double> draws)
{
    DrawMoments moments;
    moments.add(draws);
    return summarizeDraws(draws, moments);
}

DrawSummary summarizeDraws(std::span<const double> draws, const DrawMoments &moments)
{
    DrawSummary s;
    const std::size_t n = draws.size();
    if (n == 0)
        return s;
    s.min = moments.min;
    s.max = moments.max;
    s.mean = moments.mean;
    s.sigma = n > 1 ? std::sqrt(moments.squares / static_cast<double>(n - 1)) : 0;
    if (!(s.max > s.min)) {
        // Every draw is the same value: a fixed resource.
        s.sigma = 0;
        s.mean = s.p90 = s.p50 = s.p10 = s.mode = s.min;
        return s;
    }
    BinnedDraws binned(draws, s.min, s.max);
    // Quantiles at q interpolate between the order statistics around q (n - 1).
    const double q[] = {0.1, 0.25, 0.5, 0.75, 0.9};
    std::vector<int> bins;
    for (double level : q) {
        const auto low = static_cast<std::size_t>(std::floor(level * static_cast<double>(n - 1)));
        bins.push_back(binned.binOfRank(low).first);
        bins.push_back(binned.binOfRank(std::min(low + 1, n - 1)).first);
    }
    // Silverman's bandwidth from the quartiles read to a bin's width, so that the mode is known before
    // the one pass that keeps the draws of the bins of the quantiles, the mode and the mean.
    const double iqr = binned.centre(bins[6]) - binned.centre(bins[2]);
    const double spread = iqr > 0 ? std::min(s.sigma, iqr / 1.34) : s.sigma;
    const double bandwidth = 0.9 * spread * std::pow(static_cast<double>(n), -0.2);
    s.mode = bandwidth > 0 ? densityPeak(binned, s.min, s.max, bandwidth) : s.mean;
    bins.push_back(binned.bin(s.mode));
    bins.push_back(binned.bin(s.mean));
    binned.keep(bins);
    double value[5];
    for (int i = 0; i < 5; ++i) {
        const double position = q[i] * static_cast<double>(n - 1);
        const auto low = static_cast<std::size_t>(std::floor(position));
        const double a = binned.atRank(low), b = binned.atRank(std::min(low + 1, n - 1));
        value[i] = a + (position - std::floor(position)) * (b - a);
    }
    s.p90 = value[0];
    s.p50 = value[2];
    s.p10 = value[4];
    s.modeProbability = binned.shareNotBelow(s.mode);
    s.medianProbability = binned.shareNotBelow(s.p50);
    s.meanProbability = binned.shareNotBelow(s.mean);
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
