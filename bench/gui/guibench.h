#pragma once
// What the editor's benchmarks share: prompts that answer every box without a window, as a user who
// says No to questions, and a main that runs the benchmarks with an application on the offscreen
// platform.
#include "editor/guiprompts.h"

#include <QApplication>

#include <benchmark/benchmark.h>

#include <functional>

namespace tarvena::bench {

class SilentPrompts : public editor::DeferringPrompts
{
protected:
    int show(const std::string &, const std::string &, Icon, int buttons) override
    {
        return (buttons & No) ? No : Ok;
    }
};

// Runs the benchmarks named on the command line; beforeExit releases what holds widgets, which must
// go before the application does.
inline int runGuiBenchmarks(int argc, char **argv, const std::function<void()> &beforeExit = {})
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    if (beforeExit)
        beforeExit();
    return 0;
}

} // namespace tarvena::bench
