#include "settlement/settle_bills.h"

#include <optional>
#include <unordered_map>

#include "betting/regex_object.h"
#include "ledger/ledger_batch.h"
#include "ledger/ledger_file.h"
#include "ledger/player_records.h"
#include "settlement/settle_item.h"
#include "shell/events.h"

namespace bk {

namespace {

const char* const kMessageDrawMissing = "信息缺漏！";
const char* const kMessageNoSelection = "在上面的账单选择个要计算的";
constexpr Ctl kDigitBoxes[] = {Ctl::DigitBox1, Ctl::DigitBox2, Ctl::DigitBox3, Ctl::DigitBox4,
                              Ctl::DigitBox5};

// BillsList columns a settlement reads or writes.
constexpr int kBillName = 0;
constexpr int kBillDeposit = 1;
constexpr int kBillContent = 3;
constexpr int kBillGain = 4;
constexpr int kBillBalance = 5;
constexpr int kBillStake = 6;  // hidden: the stakes of every settlement of the bill

// BillStatsList columns.
constexpr int kStatsName = 1;
constexpr int kStatsBalance = 2;
constexpr int kStatsDraw = 3;
constexpr int kStatsContent = 4;
constexpr int kStatsNet = 5;

class ListGainCell : public GainCell {
  public:
    ListGainCell(Ui& ui, int row) : ui_(ui), row_(row) {}
    Text read() const override { return ui_.cell(Ctl::BillsList, row_, kBillGain); }
    void write(const Text& text) override { ui_.setCell(Ctl::BillsList, row_, kBillGain, text); }

  private:
    Ui& ui_;
    int row_;
};

DrawBoxes readDrawBoxes(const Ui& ui) {
    return {ui.text(Ctl::DigitBox1), ui.text(Ctl::DigitBox2), ui.text(Ctl::DigitBox3),
            ui.text(Ctl::DigitBox4), ui.text(Ctl::DigitBox5)};
}

// Rebuilds the summary and adds the draw's line to ResultLog; returns the line.
Text evaluateAndLogDraw(App& app, const DrawBoxes& boxes) {
    app.drawSummary = evaluateDraw(boxes);
    const Text line = drawLine(boxes, app.drawSummary);
    app.ui.setText(Ctl::ResultLog, app.ui.text(Ctl::ResultLog) + line + "\r\n");
    return line;
}

// Books the bill's totals in its stake and balance columns; returns the new balance text.
Text bookBill(Ui& ui, int row, const BillTotals& totals) {
    const double stake = textToNumber(ui.cell(Ctl::BillsList, row, kBillStake));
    ui.setCell(Ctl::BillsList, row, kBillStake, numberToText(stake + totals.stakeSum));
    const double balance = textToNumber(ui.cell(Ctl::BillsList, row, kBillBalance));
    const Text balanceText = numberToText(balance + (totals.payoutSum - totals.stakeSum));
    ui.setCell(Ctl::BillsList, row, kBillBalance, balanceText);
    return balanceText;
}

void writeStatsRow(Ui& ui, int row, const HistoryRow& values, const Text& netText) {
    ui.setCell(Ctl::BillStatsList, row, kStatsName, values.name);
    ui.setCell(Ctl::BillStatsList, row, kStatsBalance, values.balance);
    ui.setCell(Ctl::BillStatsList, row, kStatsDraw, values.drawLine);
    ui.setCell(Ctl::BillStatsList, row, kStatsContent, values.betContent);
    ui.setCell(Ctl::BillStatsList, row, kStatsNet, netText);
}

// Adds a statistics row numbered one more than the rows before it; returns its index.
int appendStatsRow(Ui& ui) {
    const int count = ui.rowCount(Ctl::BillStatsList);
    return ui.appendRow(Ctl::BillStatsList, numberToText(count + 1.0));
}

// BillStatsList rows by player name. Settling all bills overwrites every row of the player;
// looking them up here keeps a run linear in the number of bills.
class StatsRowsByName {
  public:
    explicit StatsRowsByName(const Ui& ui) {
        const int rows = ui.rowCount(Ctl::BillStatsList);
        for (int k = 0; k < rows; ++k)
            rows_[ui.cell(Ctl::BillStatsList, k, kStatsName)].push_back(k);
    }
    std::vector<int>& operator[](const Text& name) { return rows_[name]; }

  private:
    std::unordered_map<Text, std::vector<int>> rows_;
};

BillRow billRowCells(const Ui& ui, int row) {
    return {ui.cell(Ctl::BillsList, row, kBillName), ui.cell(Ctl::BillsList, row, kBillDeposit),
            ui.cell(Ctl::BillsList, row, kBillContent), ui.cell(Ctl::BillsList, row, kBillBalance)};
}

}  // namespace

bool checkDrawComplete(const App& app) {
    for (Ctl box : kDigitBoxes) {
        if (app.ui.text(box).empty()) return false;
    }
    return true;
}

namespace {

// The draw checks of both buttons, once their own have passed: every box filled, and no
// box holding a text that would break the ledger's entries (a digit box takes any one
// character, and a "】" in a settlement entry would end the record's fields early, so the
// statistics window would lose the player's earlier history). Says why and returns false.
bool drawReadyToSettle(App& app) {
    if (!checkDrawComplete(app)) {
        app.ui.showMessage(kMessageDrawMissing);
        return false;
    }
    for (Ctl box : kDigitBoxes) {
        if (breaksLedger(app.ui.text(box))) {
            app.ui.showMessage(kMessageIllegalContent);
            return false;
        }
    }
    return true;
}

}  // namespace

void settleAll(App& app) {
    Ui& ui = app.ui;
    if (!drawReadyToSettle(app)) return;
    const DrawBoxes boxes = readDrawBoxes(ui);
    const Text drawNumber = buildDrawNumber(boxes);
    const Text line = evaluateAndLogDraw(app, boxes);
    const DrawContext draw{app.odds, boxes, drawNumber, true, countLiteral};

    // The ledger is read at the first bill that needs it and written once after the last:
    // the bytes are those that rewriting the file bill by bill would leave.
    std::optional<DayLedger> day;
    std::optional<LedgerBatch> ledger;
    std::optional<StatsRowsByName> statsRows;
    std::vector<SettledBill> settled;
    const int bills = ui.rowCount(Ctl::BillsList);
    for (int r = 0; r < bills; ++r) {
        const Text separator = ui.comboText(Ctl::SeparatorCombo);
        const Text content = ui.cell(Ctl::BillsList, r, kBillContent);
        if (content.empty()) continue;

        ListGainCell gain(ui, r);
        const BillTotals totals = settleBetContent(content, separator, draw, gain);
        const Text balance = bookBill(ui, r, totals);
        const Text name = ui.cell(Ctl::BillsList, r, kBillName);
        const Text net = numberToText(billNet(totals));
        const HistoryRow stats{name, balance, line, content};

        if (!statsRows) statsRows.emplace(ui);
        std::vector<int>& rows = (*statsRows)[name];
        if (rows.empty()) rows.push_back(appendStatsRow(ui));
        for (int k : rows) writeStatsRow(ui, k, stats, net);

        if (!ledger) {
            day.emplace(app);
            ledger.emplace(day->text());
        }
        ledger->apply(settlementUpdate(
            name, balance, totals.payoutSum, totals.stakeSum,
            settlementEntry(app.clock.now(), content, boxes.data(), app.drawSummary, net)));

        settled.push_back({r, stats});
    }
    // An unreadable ledger finds no records and is left as it is; its players' records
    // are not brought up to date, which the banker must hear of.
    if (day && (!day->readable() || (ledger->changed() && !day->write(ledger->text())))) {
        ui.showMessage(kMessageSaveFailed);
    }
    logAllBills(app, settled);
}

void settleSelected(App& app) {
    Ui& ui = app.ui;
    const int row = ui.selectedRow(Ctl::BillsList);
    if (row < 0) {
        ui.showMessage(kMessageNoSelection);
        return;
    }
    if (!drawReadyToSettle(app)) return;
    const DrawBoxes boxes = readDrawBoxes(ui);
    const Text drawNumber = buildDrawNumber(boxes);
    const DrawContext draw{app.odds, boxes, drawNumber, false, countLiteral};
    const Text separator = ui.comboText(Ctl::SeparatorCombo);
    const Text content = ui.cell(Ctl::BillsList, row, kBillContent);

    // An empty bet content is settled all the same: no items, nothing staked or paid.
    ListGainCell gain(ui, row);
    const BillTotals totals = settleBetContent(content, separator, draw, gain);
    const Text line = evaluateAndLogDraw(app, boxes);
    const Text balance = bookBill(ui, row, totals);
    const Text name = ui.cell(Ctl::BillsList, row, kBillName);
    const HistoryRow stats{name, balance, line, content};
    writeStatsRow(ui, appendStatsRow(ui), stats, numberToText(billNet(totals)));

    const DayLedger day(app);
    const auto updated = applyRecordUpdate(
        day.text(), settlementUpdate(name, balance, totals.payoutSum, totals.stakeSum, {}));
    if (!day.readable() || (updated && !day.write(*updated))) ui.showMessage(kMessageSaveFailed);

    logSelectedBill(app, {row, stats});
}

void logAllBills(App& app, const std::vector<SettledBill>& settled) {
    Ui& ui = app.ui;
    const int bills = ui.rowCount(Ctl::BillsList);
    // Both sections list the newest row first. A bill passed over for its empty bet content
    // is still listed but has no history block: the history shows, for each settled bill,
    // the statistics written for that bill's player.
    Text billBlocks;
    for (int r = bills - 1; r >= 0; --r) {
        billBlocks += billBlock(billRowCells(ui, r), DepositLabel::Deposit);
    }
    Text historyBlocks;
    for (auto it = settled.rbegin(); it != settled.rend(); ++it) {
        historyBlocks += historyBlock(it->stats);
    }
    const Text billsText = billSection(app.clock.now(), billBlocks);
    const Text history = historySection(app.clock.now(), historyBlocks);
    if (app.billLog) app.billLog->enqueue(billLogEntry(billsText, history));

    // Bottom up, so that the rows still to go keep their indexes.
    for (auto it = settled.rbegin(); it != settled.rend(); ++it)
        ui.deleteRow(Ctl::BillsList, it->row);
}

void logSelectedBill(App& app, const SettledBill& settled) {
    Ui& ui = app.ui;
    const Text bills = billSection(app.clock.now(),
                                   billBlock(billRowCells(ui, settled.row), DepositLabel::Balance));
    const Text history = historySection(app.clock.now(), historyBlock(settled.stats));
    if (app.billLog) app.billLog->enqueue(billLogEntry(bills, history));

    ui.deleteRow(Ctl::BillsList, settled.row);
    ui.setText(Ctl::PlayerNameEdit, "");
    ui.setText(Ctl::DepositEdit, "");
    ui.setText(Ctl::BetContentEdit, "");
}

}  // namespace bk
