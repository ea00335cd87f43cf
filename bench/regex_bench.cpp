// Cost of the two operations built on the regular-expression object where
// "VBScript.RegExp" is absent: countLiteral runs once per position or chain bet item of
// every bill at each settlement, removeBlankLines once per player the statistics window shows.
#include <benchmark/benchmark.h>

#include "betting/regex_object.h"

namespace {

void BM_CountLiteralDigit(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(bk::countLiteral("11231", "1"));
}
BENCHMARK(BM_CountLiteralDigit);

void BM_CountLiteralGroup(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(bk::countLiteral("90817", "817"));
}
BENCHMARK(BM_CountLiteralGroup);

// A player's history of n lines with a blank line after every third.
void BM_RemoveBlankLines(benchmark::State& state) {
    bk::Text history = "\r\n";
    for (int i = 0; i < state.range(0); ++i) {
        history += "2016年2月8日9时5分7秒 结算 大10,1/10 盈亏 20\r\n";
        if (i % 3 == 2) history += "  \r\n";
    }
    for (auto _ : state) benchmark::DoNotOptimize(bk::removeBlankLines(history));
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(history.size()));
}
BENCHMARK(BM_RemoveBlankLines)->Arg(10)->Arg(1000);

}  // namespace

BENCHMARK_MAIN();
