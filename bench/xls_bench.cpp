// Engine 2 writing a large sheet (100,000 rows of contour coordinates and a header) against a floor
// run side by side: the same texts written to a file as plain lines. The ratio Workbook / Floor is
// the figure to watch.
#include "exchange/workbooks/sheetwriter.h"

#include <benchmark/benchmark.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>

using namespace tarvena;

namespace {

constexpr int Rows = 100000;

struct Texts
{
    std::vector<std::array<std::string, 3>> rows;
    Texts()
    {
        std::mt19937 random(5);
        std::uniform_real_distribution<double> coordinate(1e5, 1e7);
        char buffer[32];
        for (int i = 0; i < Rows; ++i) {
            std::array<std::string, 3> row;
            row[0] = std::to_string(i + 1);
            std::snprintf(buffer, sizeof buffer, "%.2f", coordinate(random));
            row[1] = buffer;
            std::snprintf(buffer, sizeof buffer, "%.2f", coordinate(random));
            row[2] = buffer;
            rows.push_back(row);
        }
    }
};

const Texts &texts()
{
    static const Texts t;
    return t;
}

std::string outputFile(const char *name)
{
    return (std::filesystem::temp_directory_path() / name).string();
}

void Floor(benchmark::State &state)
{
    const std::string file = outputFile("tarvena-bench-floor.txt");
    for (auto _ : state) {
        std::ofstream out(file, std::ios::binary);
        for (const auto &row : texts().rows)
            out << row[0] << '\t' << row[1] << '\t' << row[2] << '\n';
    }
    std::filesystem::remove(file);
}

void Workbook(benchmark::State &state)
{
    const std::string file = outputFile("tarvena-bench.xls");
    for (auto _ : state) {
        SheetWriter writer;
        writer.BeginSpreadsheet(file);
        writer.CurrentRow = 1;
        writer.WriteCell(1, 1, "N", true);
        writer.WriteCell(2, 1, "X", true);
        writer.WriteCell(3, 1, "Y", true);
        writer.SetColumnWidthChars(2, 20);
        writer.SetColumnWidthChars(3, 20);
        for (const auto &row : texts().rows) {
            ++writer.CurrentRow;
            writer.CurrentColumn = 1;
            for (const std::string &text : row)
                writer.WriteNext(text, false);
        }
        writer.FinishSpreadsheet();
    }
    std::filesystem::remove(file);
}

} // namespace

BENCHMARK(Floor)->Unit(benchmark::kMillisecond);
BENCHMARK(Workbook)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
