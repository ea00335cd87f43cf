// Opening the statistics window on the headless face over a real ledger file: one record
// per player, each with the entry of one settlement. Timed: the click on StatisticsButton,
// from reading the ledger to the filled window closed again.
#include <benchmark/benchmark.h>

#include "headless_day.h"

namespace bk {
namespace {

void BM_OpenStatisticsWindow(benchmark::State& state) {
    const int records = static_cast<int>(state.range(0));
    Day day;
    day.prepareBills(records);
    day.ui().userClick(Ctl::CalculateButton);
    int rowsShown = 0;
    day.ui().hooks.modalLoop = [&] { rowsShown = day.ui().rowCount(Ctl::PlayerStatsList); };
    for (auto _ : state) {
        day.ui().userClick(Ctl::StatisticsButton);
        benchmark::ClobberMemory();
    }
    if (rowsShown != records) state.SkipWithError("the window did not list every record");
    state.SetComplexityN(records);
}
BENCHMARK(BM_OpenStatisticsWindow)
    ->Arg(100)
    ->Arg(1000)
    ->Arg(10000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);

}  // namespace
}  // namespace bk

BENCHMARK_MAIN();
