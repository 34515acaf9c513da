// SPDX-License-Identifier: MIT
// The calculation sheet's hot operations, with the heap allocations each one makes.
#include <benchmark/benchmark.h>

#include <array>
#include <atomic>
#include <chrono>
#include <cstdlib>
#include <new>
#include <string_view>

#include "sheet/calculate.h"
#include "sheet/cell_sheet.h"
#include "sheet/number_text.h"

namespace {

std::atomic<long> allocations{0};

}  // namespace

// Counting every allocation of this binary shows whether a pass touches the heap at all.
void* operator new(std::size_t size) {
  allocations.fetch_add(1, std::memory_order_relaxed);
  if (void* memory = std::malloc(size == 0 ? 1 : size)) return memory;
  throw std::bad_alloc();
}
void operator delete(void* memory) noexcept { std::free(memory); }
void operator delete(void* memory, std::size_t) noexcept { std::free(memory); }

namespace {

using sheet::Column;

constexpr std::array<std::string_view, 7> kTypicalTexts = {"",       "4",   "2.5",  "1500",
                                                           "0.4000", "abc", "12abc"};

void FillEveryRow(sheet::CellSheet& cells) {
  for (int row = 0; row < sheet::kRowCount; ++row) {
    cells.SetText({Column::Text1, row}, "4");
    cells.SetText({Column::Text2, row}, "200");
    cells.SetText({Column::Text3, row}, "50");
    cells.SetText({Column::Text4, row}, "10");
    cells.SetText({Column::Text6, row}, "1500");
  }
}

// Reports heap allocations per iteration since `before`.
void ReportAllocations(benchmark::State& state, long before) {
  state.counters["allocs/op"] = benchmark::Counter(static_cast<double>(allocations.load() - before),
                                                   benchmark::Counter::kAvgIterations);
}

void BM_ParseNumber(benchmark::State& state) {
  const std::string_view text = kTypicalTexts[static_cast<std::size_t>(state.range(0))];
  std::string label(1, '"');
  label.append(text).push_back('"');
  state.SetLabel(label);
  for (auto _ : state) benchmark::DoNotOptimize(sheet::ParseNumber(text));
}
BENCHMARK(BM_ParseNumber)->DenseRange(0, kTypicalTexts.size() - 1);

// A value far from any half of the last decimal, and one a few units below a half, which
// takes the 15-digit rounding.
constexpr std::array<double, 2> kFormattedValues = {0.063, 9.231149999999999};

void BM_FormatFixed(benchmark::State& state) {
  const std::string_view pattern = state.range(0) == 0 ? sheet::VolumeFormat : sheet::AmountFormat;
  double value = kFormattedValues[static_cast<std::size_t>(state.range(1))];
  state.SetLabel(std::string(pattern) + " " + std::to_string(value));
  for (auto _ : state) {
    benchmark::DoNotOptimize(value);
    benchmark::DoNotOptimize(sheet::FormatFixed(value, pattern));
  }
}
BENCHMARK(BM_FormatFixed)->ArgsProduct({{0, 1}, {0, 1}});

// A whole pass over a sheet with every row filled (argument 1) or an empty one (0).
void BM_Calculate(benchmark::State& state) {
  sheet::CellSheet cells;
  const bool filled = state.range(0) != 0;
  state.SetLabel(filled ? "eight rows filled" : "empty sheet");
  if (filled) FillEveryRow(cells);
  sheet::Calculate(cells);
  const long before = allocations.load();
  for (auto _ : state) sheet::Calculate(cells);
  ReportAllocations(state, before);
}
BENCHMARK(BM_Calculate)->Arg(1)->Arg(0);

// Timed by hand: refilling the sheet between clears must not count.
void BM_ClearAllCalculated(benchmark::State& state) {
  sheet::CellSheet cells;
  for (auto _ : state) {
    FillEveryRow(cells);
    sheet::Calculate(cells);
    const auto start = std::chrono::steady_clock::now();
    cells.ClearAll();
    const auto end = std::chrono::steady_clock::now();
    state.SetIterationTime(std::chrono::duration<double>(end - start).count());
  }
}
BENCHMARK(BM_ClearAllCalculated)->UseManualTime();

// A user's edit of a volume cell: the change runs the blanking rule over the column.
void BM_SetTextResultColumn(benchmark::State& state) {
  sheet::CellSheet cells;
  FillEveryRow(cells);
  sheet::Calculate(cells);
  bool odd = false;
  for (auto _ : state) {
    cells.SetText({Column::Text5, 3}, (odd = !odd) ? "5" : "6");
  }
}
BENCHMARK(BM_SetTextResultColumn);

}  // namespace

BENCHMARK_MAIN();
