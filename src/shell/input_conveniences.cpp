// The banker's shortcuts: the draw digits typed in one go, the add fields filled from a
// listed bill, rows copied into the add and edit fields, and the two right-click menus.
#include "ledger/ledger_file.h"
#include "ledger/player_records.h"
#include "shell/events.h"

namespace bk {

namespace {

Ctl nextDigitBox(Ctl box) {
    switch (box) {
        case Ctl::DigitBox1: return Ctl::DigitBox2;
        case Ctl::DigitBox2: return Ctl::DigitBox3;
        case Ctl::DigitBox3: return Ctl::DigitBox4;
        case Ctl::DigitBox4: return Ctl::DigitBox5;
        default: return Ctl::None;
    }
}

// Columns of BillsList.
constexpr int kBillName = 0, kBillDeposit = 1, kBillBet = 3, kBillTotal = 5;
// Columns of BillStatsList.
constexpr int kStatsName = 1, kStatsBalance = 2, kStatsBet = 4;

}  // namespace

void onDigitBoxFocusOrClick(App& app, Ctl box) {
    // With the digit selected, the next typed digit replaces it despite the box's
    // one-character limit.
    app.ui.selectAllText(box);
}

void onDigitBoxTextChanged(App& app, Ctl box) {
    const Ctl next = nextDigitBox(box);
    if (next == Ctl::None) return;
    app.ui.setFocus(next);
    app.ui.selectAllText(next);
}

void autoFillFromName(App& app) {
    Ui& ui = app.ui;
    const Text name = ui.text(Ctl::PlayerNameEdit);
    const int rows = ui.rowCount(Ctl::BillsList);
    for (int row = 0; row < rows; ++row) {
        if (ui.cell(Ctl::BillsList, row, kBillName) == name) {
            ui.setText(Ctl::DepositEdit, ui.cell(Ctl::BillsList, row, kBillDeposit));
            ui.setText(Ctl::BetContentEdit, ui.cell(Ctl::BillsList, row, kBillBet));
            return;
        }
        ui.setText(Ctl::DepositEdit, Text());
        ui.setText(Ctl::BetContentEdit, Text());
    }
}

void copyBillStatsRowToAddFields(App& app) {
    Ui& ui = app.ui;
    const int row = ui.selectedRow(Ctl::BillStatsList);
    // The name goes first: its autoFillFromName may fill the other two boxes, which are
    // then overwritten from the row.
    ui.setText(Ctl::PlayerNameEdit, row < 0 ? Text() : ui.cell(Ctl::BillStatsList, row, kStatsName));
    ui.setText(Ctl::DepositEdit, row < 0 ? Text() : ui.cell(Ctl::BillStatsList, row, kStatsBalance));
    ui.setText(Ctl::BetContentEdit, row < 0 ? Text() : ui.cell(Ctl::BillStatsList, row, kStatsBet));
}

void copyBillsRowToEditFields(App& app) {
    Ui& ui = app.ui;
    const int row = ui.selectedRow(Ctl::BillsList);
    ui.setText(Ctl::EditNameBox, row < 0 ? Text() : ui.cell(Ctl::BillsList, row, kBillName));
    ui.setText(Ctl::EditBalanceBox, row < 0 ? Text() : ui.cell(Ctl::BillsList, row, kBillTotal));
    ui.setText(Ctl::EditBetBox, row < 0 ? Text() : ui.cell(Ctl::BillsList, row, kBillBet));
}

void onDeleteAllBills(App& app) {
    // One slip on the menu would lose every player's record of the day: ask first.
    if (!app.ui.askYesNo("确定删除全部账单并清空今日数据吗？")) return;
    const Text path = todayLedgerPath(app);
    app.ui.deleteAllRows(Ctl::BillsList);
    // The list is empty either way; a file that could not be emptied is said so, since
    // its records would come back when those players are added again.
    if (!app.fs.writeWhole(path, Text())) app.ui.showMessage(kMessageSaveFailed);
}

void onDeleteSelectedStatsRow(App& app) {
    const int row = app.ui.selectedRow(Ctl::BillStatsList);
    if (row >= 0) app.ui.deleteRow(Ctl::BillStatsList, row);
}

void onClearStatsRows(App& app) { app.ui.deleteAllRows(Ctl::BillStatsList); }

}  // namespace bk
