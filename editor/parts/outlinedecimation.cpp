#include "editor/parts/outlinedecimation.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace tarvena::editor {

QList<QPointF> decimatedOutline(const std::vector<double> &x, const std::vector<double> &y, double minX,
                                double maxX, int columns)
{
    const std::size_t count = std::min(x.size(), y.size());
    QList<QPointF> result;
    if (count <= 2 * std::size_t(std::max(columns, 0)) || !(maxX > minX)) {
        result.reserve(qsizetype(count));
        for (std::size_t i = 0; i < count; ++i)
            result.append(QPointF(x[i], y[i]));
        return result;
    }
    const double scale = columns / (maxX - minX);
    const auto column = [&](std::size_t i) {
        return std::clamp(static_cast<int>(std::floor((x[i] - minX) * scale)), 0, columns - 1);
    };
    result.reserve(4 * columns);
    std::size_t begin = 0;
    while (begin < count) {
        const int own = column(begin);
        std::size_t lowest = begin, highest = begin, end = begin + 1;
        for (; end < count && column(end) == own; ++end) {
            if (y[end] < y[lowest])
                lowest = end;
            if (y[end] > y[highest])
                highest = end;
        }
        // The run's four points in their order, each once.
        std::array<std::size_t, 4> kept{begin, lowest, highest, end - 1};
        std::sort(kept.begin(), kept.end());
        for (std::size_t k = 0; k < kept.size(); ++k)
            if (k == 0 || kept[k] != kept[k - 1])
                result.append(QPointF(x[kept[k]], y[kept[k]]));
        begin = end;
    }
    return result;
}

} // namespace tarvena::editor
