// AddButton: a new bill from the three add fields, and the player's record in today's ledger.
#include "betting/bet_content.h"
#include "ledger/ledger_file.h"
#include "ledger/player_records.h"
#include "shell/events.h"

namespace bk {

namespace {

// Each bill gets its own random background behind white text in the columns the banker
// reads; the hidden and computed columns keep the list's colours.
void colourNewRow(App& app, int row) {
    const int red = app.random.nextByte();
    const int green = app.random.nextByte();
    const int blue = app.random.nextByte();
    const Colour background = rgb(red, green, blue);
    for (int col = 0; col <= 5; ++col)
        setCellColour(app, Ctl::BillsList, row, col, rgb(255, 255, 255), background, true);
}

// Column 8: what is left of the balance once this bet is staked.
void writeBalanceAfterStake(App& app, int row, const Text& betContent) {
    Ui& ui = app.ui;
    const Text stake = computeBetStake(betContent, ui.comboText(Ctl::SeparatorCombo));
    ui.setCell(Ctl::BillsList, row, 8,
               numberToText(textToNumber(ui.cell(Ctl::BillsList, row, 5)) - textToNumber(stake)));
}

}  // namespace

void onAddButton(App& app) {
    Ui& ui = app.ui;
    const Text name = ui.text(Ctl::PlayerNameEdit);
    const Text deposit = ui.text(Ctl::DepositEdit);
    const Text betContent = ui.text(Ctl::BetContentEdit);
    const Text symbol = ui.comboText(Ctl::SymbolCombo);

    if (name.empty() || deposit.empty()) {
        ui.showMessage("信息不完整！");
        return;
    }
    if (!checkBetContent(betContent)) {
        ui.showMessage("投注内容肯定有错的！");
        return;
    }
    const int rows = ui.rowCount(Ctl::BillsList);
    for (int r = 0; r < rows; ++r) {
        if (ui.cell(Ctl::BillsList, r, 0) == name) {
            ui.showMessage("该用户已存在！");
            return;
        }
    }
    if (breaksRecordField(name) || breaksRecordField(deposit) || breaksLedger(betContent)) {
        ui.showMessage(kMessageIllegalContent);
        return;
    }

    // An unreadable file finds no record; the new record is then not saved (see below).
    const DayLedger day(app);
    const std::vector<Text> pieces = cutRecordPieces(day.text(), kRecordMarker);
    const int found = findRecord(pieces, name);
    if (found >= 0) {
        // Known today (his row was deleted and he is added again): he keeps the deposit,
        // balance and gain of his record, whatever was typed.
        const Text& record = pieces[static_cast<std::size_t>(found)];
        ui.showMessage("账号已在数据，已自动添加！");
        ui.setText(Ctl::DepositEdit, readField(record, kLabelDeposit));
        const int row = ui.appendRow(Ctl::BillsList, name);
        ui.setCell(Ctl::BillsList, row, 1, ui.text(Ctl::DepositEdit));
        ui.setCell(Ctl::BillsList, row, 3, betContent);
        ui.setCell(Ctl::BillsList, row, 5, readField(record, kLabelBalance));
        ui.setCell(Ctl::BillsList, row, 7, symbol);
        ui.setCell(Ctl::BillsList, row, 4, readField(record, kLabelGain));
        colourNewRow(app, row);
        writeBalanceAfterStake(app, row, betContent);
        return;
    }

    const int row = ui.appendRow(Ctl::BillsList, name);
    ui.setCell(Ctl::BillsList, row, 1, deposit);
    ui.setCell(Ctl::BillsList, row, 3, betContent);
    ui.setCell(Ctl::BillsList, row, 5, deposit);
    ui.setCell(Ctl::BillsList, row, 7, symbol);
    writeBalanceAfterStake(app, row, betContent);
    colourNewRow(app, row);
    // Nothing has touched the file since it was read: the record goes after all it holds.
    if (!day.write(day.text() + newRecordText(name, deposit))) ui.showMessage(kMessageSaveFailed);
}

}  // namespace bk
