// Growth of the table engine's operations: each runs at 10,000 and 100,000 records, and the ratio of
// the two times should stay near 10 (linear), far from 100 (quadratic). BM_BaselineScan reads the same
// number of records from a plain vector: its own ratio shows how much of the growth the memory
// hierarchy adds once 100,000 records no longer fit the caches, so read the engine's ratios beside it.
#include "model/memtable.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <random>
#include <string>
#include <vector>

using namespace tarvena;

namespace {

// A contour-point table: ten horizons' points, HEAD_ID = i % 10.
std::unique_ptr<MemTable> makePoints(int count)
{
    auto table = std::make_unique<MemTable>("KONTUR");
    table->addField("ID", FieldType::Integer).Required = true;
    table->addField("HEAD_ID", FieldType::Integer);
    table->addField("X", FieldType::Float);
    table->addField("Y", FieldType::Float);
    table->addField("NAME", FieldType::String, 16);
    table->Open();
    Field &id = table->FieldByName("ID");
    Field &head = table->FieldByName("HEAD_ID");
    Field &x = table->FieldByName("X");
    Field &y = table->FieldByName("Y");
    Field &name = table->FieldByName("NAME");
    std::mt19937 rng(7);
    table->DisableControls();
    for (int i = 0; i < count; ++i) {
        table->Append();
        id.SetAsInteger(i);
        head.SetAsInteger(i % 10);
        x.SetAsFloat(55.0 + i * 1e-6);
        y.SetAsFloat(37.0 - i * 1e-6);
        name.SetAsString("p" + std::to_string(rng() % 100000));
        table->Post();
    }
    table->EnableControls();
    return table;
}

void sizes(benchmark::internal::Benchmark *b)
{
    b->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
}

void BM_BaselineScan(benchmark::State &state)
{
    std::vector<std::vector<Value>> rows;
    for (std::int64_t i = 0; i < state.range(0); ++i)
        rows.push_back(
            {i, i % 10, 55.0 + i * 1e-6, 37.0 - i * 1e-6, std::string("p") + std::to_string(i % 100000)});
    for (auto _ : state) {
        double sum = 0;
        for (const std::vector<Value> &row : rows) {
            if (std::get<std::int64_t>(row[1]) == 3)
                sum += std::get<double>(row[2]);
        }
        benchmark::DoNotOptimize(sum);
    }
}
BENCHMARK(BM_BaselineScan)->Apply(sizes);

void BM_Append(benchmark::State &state)
{
    for (auto _ : state) {
        auto table = makePoints(static_cast<int>(state.range(0)));
        benchmark::DoNotOptimize(table->RecordCount());
    }
}
BENCHMARK(BM_Append)->Apply(sizes);

void BM_FilteredScan(benchmark::State &state)
{
    auto table = makePoints(static_cast<int>(state.range(0)));
    table->SetFilter("HEAD_ID=3");
    table->SetFiltered(true);
    Field &x = table->FieldByName("X");
    for (auto _ : state) {
        double sum = 0;
        for (table->First(); !table->Eof(); table->Next())
            sum += x.AsFloat();
        benchmark::DoNotOptimize(sum);
    }
}
BENCHMARK(BM_FilteredScan)->Apply(sizes);

// The loop of a grid or an export: position by number, ask the count at every step.
void BM_FilteredRecordCount(benchmark::State &state)
{
    auto table = makePoints(static_cast<int>(state.range(0)));
    table->SetFilter("HEAD_ID=3 OR HEAD_ID=4");
    table->SetFiltered(true);
    for (auto _ : state) {
        long steps = 0;
        for (int row = 1; row <= table->RecordCount(); ++row) {
            table->SetRecNo(row);
            steps += table->RecNo();
        }
        benchmark::DoNotOptimize(steps);
    }
}
BENCHMARK(BM_FilteredRecordCount)->Apply(sizes);

// Clearing a horizon's contour: delete the first visible point until none is left.
void BM_DeleteFirstVisible(benchmark::State &state)
{
    for (auto _ : state) {
        state.PauseTiming();
        auto table = makePoints(static_cast<int>(state.range(0)));
        table->SetFilter("HEAD_ID=3");
        table->SetFiltered(true);
        state.ResumeTiming();
        while (!table->IsEmpty()) {
            table->First();
            table->Delete();
        }
        benchmark::DoNotOptimize(table->storedRecordCount());
    }
}
BENCHMARK(BM_DeleteFirstVisible)->Apply(sizes);

void BM_SortOn(benchmark::State &state)
{
    auto table = makePoints(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        table->SortOn("NAME");
        table->SortOn("");
    }
}
BENCHMARK(BM_SortOn)->Apply(sizes);

void BM_Locate(benchmark::State &state)
{
    const auto count = state.range(0);
    auto table = makePoints(static_cast<int>(count));
    for (auto _ : state)
        benchmark::DoNotOptimize(table->Locate("ID", std::int64_t{count - 1}));
}
BENCHMARK(BM_Locate)->Apply(sizes);

} // namespace

BENCHMARK_MAIN();
