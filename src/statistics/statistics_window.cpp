// StatisticsWindow: the day's players from today's ledger, the banker's income, and one
// player's history lines on request.
#include <cmath>

#include "betting/regex_object.h"
#include "ledger/ledger_file.h"
#include "shell/events.h"

namespace bk {

namespace {

const char* winDrawLoss(double gain) {
    if (greaterThan(gain, 0)) return "胜";
    if (lessThan(gain, 0)) return "负";
    return "平";
}

}  // namespace

void onStatisticsWindowCreated(App& app) {
    Ui& ui = app.ui;
    std::vector<Text> pieces = cutRecordPieces(readTodayLedger(app), kRecordMarker);
    if (!pieces.empty()) pieces.erase(pieces.begin());  // the text before the first record
    app.todayRecordTexts = std::move(pieces);

    // A whole number: the running sum is cut toward zero after every player, so fractions
    // of different players never add up.
    double sellerIncome = 0;
    for (const Text& record : app.todayRecordTexts) {
        const int row = ui.appendRow(Ctl::PlayerStatsList, readField(record, kLabelName));
        ui.setCell(Ctl::PlayerStatsList, row, 1, readField(record, kLabelDeposit));
        const Text gainText = readField(record, kLabelGain);
        ui.setCell(Ctl::PlayerStatsList, row, 2, gainText);
        ui.setCell(Ctl::PlayerStatsList, row, 3, readField(record, kLabelBalance));
        ui.setCell(Ctl::PlayerStatsList, row, 4, readField(record, kLabelStake));
        const double gain = textToNumber(gainText);
        ui.setCell(Ctl::PlayerStatsList, row, 5, winDrawLoss(gain));
        sellerIncome = std::trunc(sellerIncome + gain);
    }
    // The players' gain is the banker's loss. 0 - 0 keeps a zero income from reading "-0".
    ui.setText(Ctl::SellerIncomeLabel, "今日卖家收入：" + numberToText(0.0 - sellerIncome));
}

void onPlayerStatsDoubleClick(App& app) {
    Ui& ui = app.ui;
    const int row = ui.selectedRow(Ctl::PlayerStatsList);
    if (row < 0) {
        ui.showMessage("请选择！");
        return;
    }
    ui.deleteAllRows(Ctl::RecordsList);
    ui.setVisible(Ctl::RecordsGroup, true);
    const std::size_t index = static_cast<std::size_t>(row);
    const Text record = index < app.todayRecordTexts.size() ? app.todayRecordTexts[index] : Text();
    // The entries follow the last field; each begins with a line break.
    const Text entries = removeBlankLines(textAfterLast(record, "】"));
    std::vector<Text> lines = splitText(entries, "\r\n");
    for (std::size_t i = 1; i < lines.size(); ++i) ui.appendRow(Ctl::RecordsList, lines[i]);
}

void onBackButton(App& app) { app.ui.setVisible(Ctl::RecordsGroup, false); }

}  // namespace bk
