#pragma once
// Timing two pieces of work in turn within one benchmark, so that both meet the same load on a shared
// machine: each run adds its wall-clock and processor time (all threads) to the totals given.
#include <chrono>
#include <ctime>

namespace tarvena::bench {

template <typename Work> void timed(double &real, double &cpu, Work work)
{
    const auto start = std::chrono::steady_clock::now();
    const std::clock_t clock = std::clock();
    work();
    cpu += double(std::clock() - clock) / CLOCKS_PER_SEC;
    real += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

} // namespace tarvena::bench
