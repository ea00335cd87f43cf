// The main window's own handlers: page switch, the statistics window, the column toggle,
// the help message, and loading the odds from the odds page.
#include <array>

#include "shell/events.h"

namespace bk {

namespace {

// The boxes that feed the odds slots, in slot order.
constexpr std::array<Ctl, OddsTable::kSlotCount> kOddsBoxes = {
    Ctl::OddsOneHitOneBox,  Ctl::OddsOneHitTwoBox,  Ctl::OddsOneHitThreeBox, Ctl::OddsOneHitFourBox,
    Ctl::OddsOneHitFiveBox, Ctl::OddsTwoRunOneBox,  Ctl::OddsTwoRunTwoBox,   Ctl::OddsThreeRunOneBox,
    Ctl::OddsFourRunOneBox, Ctl::OddsFiveRunOneBox, Ctl::OddsBigBox,         Ctl::OddsSmallBox,
    Ctl::OddsOddBox,        Ctl::OddsDragonBox,     Ctl::OddsTigerBox,       Ctl::OddsTieBox,
    Ctl::OddsEvenBox,
};

constexpr int kBetContentColumn = 4;

}  // namespace

void onPageSwitch(App& app) { app.ui.setCurrentPage(app.ui.currentPage() == 0 ? 1 : 0); }

void onStatisticsButton(App& app) { app.ui.runStatisticsWindow(); }

void onShowColumnCheck(App& app) {
    // Checking "显示" hides the column; the width is set afresh either way, so a column
    // the user resized comes back at its own width.
    app.ui.setColumnWidth(Ctl::BillStatsList, kBetContentColumn,
                          app.ui.isChecked(Ctl::ShowColumnCheck) ? 0 : 200);
}

void onHelpLabel(App& app) {
    app.ui.showMessage(
        "押金：带进来的钱\r\n"
        "投注内容：用空格进行分开\r\n"
        "玩法名称：1/钱，二连/钱，三连/钱，四连/钱，五连/钱，小钱，大钱，单钱，双钱，龙钱，虎钱，和钱");
}

void loadOddsTable(App& app) {
    std::array<Text, OddsTable::kSlotCount> texts;
    for (std::size_t i = 0; i < kOddsBoxes.size(); ++i) texts[i] = app.ui.text(kOddsBoxes[i]);
    app.odds = oddsTableFromTexts(texts);
}

void onOddsConfirm(App& app) { loadOddsTable(app); }

}  // namespace bk
