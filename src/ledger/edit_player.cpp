// The edit group: ModifyButton, RechargeButton, WithdrawButton, and the ledger side of
// recharges and withdrawals.
#include "betting/bet_content.h"
#include "ledger/ledger_file.h"
#include "ledger/player_records.h"
#include "shell/events.h"

namespace bk {

const char* const kMessageSaveFailed = "数据保存失败！";
const char* const kMessageIllegalContent = "内容含有非法字符！";

namespace {

// The new balance comes from the record's own stored value, not from the edit box.
bool recordMoney(App& app, const RecordUpdate& update) {
    const DayLedger day(app);
    if (!day.readable()) return false;  // the record may be there: not saved
    const std::optional<Text> updated = applyRecordUpdate(day.text(), update);
    if (!updated) return true;  // no record today: nothing to write
    return day.write(*updated);
}

// The selected bill, or -1 after telling the banker to pick one.
int selectedBill(App& app) {
    const int row = app.ui.selectedRow(Ctl::BillsList);
    if (row < 0) app.ui.showMessage("先选择用户！");
    return row;
}

}  // namespace

bool recordRecharge(App& app, const Text& name, const Text& amountText) {
    return recordMoney(app, rechargeUpdate(name, app.clock.now(), amountText));
}

bool recordWithdrawal(App& app, const Text& name, const Text& amountText) {
    return recordMoney(app, withdrawalUpdate(name, app.clock.now(), amountText));
}

void onModifyButton(App& app) {
    Ui& ui = app.ui;
    const int row = selectedBill(app);
    if (row < 0) return;
    const Text betContent = ui.text(Ctl::EditBetBox);
    // Not written to the ledger now, but a settlement copies it into the record's entry.
    if (breaksLedger(betContent)) {
        ui.showMessage(kMessageIllegalContent);
        return;
    }
    ui.setCell(Ctl::BillsList, row, 3, betContent);
    const double total = textToNumber(ui.cell(Ctl::BillsList, row, 5));
    const double stake =
        textToNumber(computeBetStake(betContent, ui.comboText(Ctl::SeparatorCombo)));
    ui.setCell(Ctl::BillsList, row, 8, numberToText(total - stake));
}

void onRechargeButton(App& app) {
    Ui& ui = app.ui;
    const int row = selectedBill(app);
    if (row < 0) return;
    const Text amountText = ui.text(Ctl::RechargeAmountBox);
    if (breaksLedger(amountText)) {
        ui.showMessage(kMessageIllegalContent);
        return;
    }
    ui.setText(Ctl::EditBalanceBox,
               numberToText(textToNumber(ui.text(Ctl::EditBalanceBox)) + textToNumber(amountText)));
    ui.setCell(Ctl::BillsList, row, 5, ui.text(Ctl::EditBalanceBox));
    if (!recordRecharge(app, ui.text(Ctl::EditNameBox), amountText))
        ui.showMessage(kMessageSaveFailed);
}

void onWithdrawButton(App& app) {
    Ui& ui = app.ui;
    const int row = selectedBill(app);
    if (row < 0) return;
    const Text amountText = ui.text(Ctl::WithdrawAmountBox);
    const double amount = textToNumber(amountText);
    const double balance = textToNumber(ui.text(Ctl::EditBalanceBox));
    if (greaterThan(amount, balance)) {
        ui.showMessage("钱不够啊！");
        return;
    }
    if (breaksLedger(amountText)) {
        ui.showMessage(kMessageIllegalContent);
        return;
    }
    ui.setText(Ctl::EditBalanceBox, numberToText(balance - amount));
    ui.setCell(Ctl::BillsList, row, 5, ui.text(Ctl::EditBalanceBox));
    if (!recordWithdrawal(app, ui.text(Ctl::EditNameBox), amountText))
        ui.showMessage(kMessageSaveFailed);
}

}  // namespace bk
