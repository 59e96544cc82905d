#include "exchange/gis/geodesicareas.h"

#include <algorithm>
#include <atomic>
#include <thread>

namespace tarvena::gis {

std::vector<double> geodesicAreasKm2(const std::vector<GeographicRing> &rings)
{
    std::vector<double> areas(rings.size());
    std::atomic<std::size_t> next = 0;
    // Each worker takes the next ring not yet measured, so a long ring does not hold up the rest.
    const auto work = [&] {
        for (std::size_t i; (i = next++) < rings.size();)
            areas[i] = geodesicAreaKm2(rings[i]);
    };
    const std::size_t helpers =
        std::min<std::size_t>(std::max(1u, std::thread::hardware_concurrency()), rings.size());
    std::vector<std::jthread> threads;
    for (std::size_t i = 1; i < helpers; ++i)
        threads.emplace_back(work);
    work();
    return areas;
}

} // namespace tarvena::gis
