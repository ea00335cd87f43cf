// Every cell and ledger value passes through the number conversions, and a settlement
// runs every item of every bill: these measure the per-value and per-bill costs.
#include <benchmark/benchmark.h>

#include "betting/bet_content.h"
#include "betting/text.h"
#include "settlement/draw.h"
#include "settlement/settle_item.h"

namespace {

void BM_TextToNumber(benchmark::State& state) {
    const bk::Text texts[] = {"1.9", "  -1234.5678元", "\xA3\xB1\xA3\xB0", "1e+013", "abc"};
    for (auto _ : state) {
        for (const bk::Text& t : texts) benchmark::DoNotOptimize(bk::textToNumber(t));
    }
}
BENCHMARK(BM_TextToNumber);

void BM_NumberToText(benchmark::State& state) {
    const double values[] = {19, 0.1 + 0.2, 1.0 / 3, 1e13, -28.5};
    for (auto _ : state) {
        for (double v : values) benchmark::DoNotOptimize(bk::numberToText(v));
    }
}
BENCHMARK(BM_NumberToText);

class NullGain : public bk::GainCell {
  public:
    bk::Text read() const override { return text; }
    void write(const bk::Text& t) override { text = t; }
    bk::Text text;
};

// A bill of state.range(0) items mixing the three groups.
void BM_SettleBill(benchmark::State& state) {
    const char* forms[] = {"3/10", "二连80/10", "大15", "1/2/10", "和10", "三连808/5"};
    bk::Text content;
    for (int i = 0; i < state.range(0); ++i) {
        if (i) content += " ";
        content += forms[i % 6];
    }
    const bk::OddsTable odds =
        bk::oddsTableFromTexts({"2", "4", "6", "8", "10", "4", "8", "16", "40", "65", "1.9", "1.9",
                                "1.9", "2", "2", "6", "1.9"});
    const bk::DrawBoxes boxes = {"3", "8", "0", "8", "5"};
    const bk::Text number = bk::buildDrawNumber(boxes);
    const bk::DrawContext draw{odds, boxes, number, true};
    for (auto _ : state) {
        NullGain gain;
        benchmark::DoNotOptimize(bk::settleBetContent(content, " ", draw, gain));
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_SettleBill)->Arg(6)->Arg(60);

}  // namespace

BENCHMARK_MAIN();
