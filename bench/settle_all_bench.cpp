// Settling all bills on the headless face with a real ledger file in a temporary folder:
// one player per bill, each recorded in today's ledger, a bet content of three items.
// Timed: the click on CalculateButton, from the checks to the ledger written and the
// settled bills gone from the list.
#include <benchmark/benchmark.h>

#include "headless_day.h"

namespace bk {
namespace {

void BM_SettleAllBills(benchmark::State& state) {
    const int bills = static_cast<int>(state.range(0));
    Day day;
    for (auto _ : state) {
        state.PauseTiming();
        day.prepareBills(bills);
        state.ResumeTiming();
        day.ui().userClick(Ctl::CalculateButton);
        benchmark::ClobberMemory();
    }
    if (day.ui().rowCount(Ctl::BillsList) != 0) state.SkipWithError("bills were left unsettled");
    state.SetComplexityN(bills);
    state.counters["bills"] = bills;
}
BENCHMARK(BM_SettleAllBills)
    ->Arg(100)
    ->Arg(1000)
    ->Arg(10000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);

}  // namespace
}  // namespace bk

BENCHMARK_MAIN();
