// Painting a list asks the colour registry once per visible cell. A day's BillsList holds
// one coloured row (six cells) per bill; the lookup should cost the same whether the day
// has a hundred bills or ten thousand.
#include <benchmark/benchmark.h>

#include "shell/row_colours.h"

namespace bk {
namespace {

RowColourRegistry dayOfBills(int bills) {
    RowColourRegistry r;
    for (int row = 0; row < bills; ++row)
        for (int col = 0; col <= 5; ++col)
            r.registerCell(Ctl::BillsList, row, col, rgb(255, 255, 255),
                           rgb(row % 256, (row / 256) % 256, col), true, rgb(0, 136, 255),
                           rgb(255, 255, 255));
    return r;
}

// One screenful: 15 rows of 9 columns around the middle of the list.
void PaintScreen(benchmark::State& state) {
    const int bills = static_cast<int>(state.range(0));
    const RowColourRegistry r = dayOfBills(bills);
    const int top = bills / 2;
    for (auto _ : state) {
        Colour text = 0, background = 0;
        int found = 0;
        for (int row = top; row < top + 15; ++row)
            for (int col = 0; col < 9; ++col) found += r.find(Ctl::BillsList, row, col, text, background);
        benchmark::DoNotOptimize(found);
        benchmark::DoNotOptimize(background);
    }
    state.SetItemsProcessed(state.iterations() * 15 * 9);
}
BENCHMARK(PaintScreen)->Arg(100)->Arg(1000)->Arg(10000);

// Colouring a new bill's six cells at the end of a long day.
void ColourNewBill(benchmark::State& state) {
    const int bills = static_cast<int>(state.range(0));
    RowColourRegistry r = dayOfBills(bills);
    int row = bills;
    for (auto _ : state) {
        for (int col = 0; col <= 5; ++col)
            r.registerCell(Ctl::BillsList, row, col, rgb(255, 255, 255), rgb(1, 2, 3), true,
                           rgb(0, 136, 255), rgb(255, 255, 255));
        ++row;
    }
}
BENCHMARK(ColourNewBill)->Arg(100)->Arg(1000)->Arg(10000);

}  // namespace
}  // namespace bk

BENCHMARK_MAIN();
