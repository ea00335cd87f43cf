// What the settlement handlers do that a scenario script cannot see: the gain and stake
// cells of a bill at the moment it leaves the list, and a ledger that cannot be written.
#include <gtest/gtest.h>

#include "../support/headless_program.h"
#include "ledger/ledger_file.h"

namespace bk {
namespace {

// The headless face, keeping the cells of every bill as it is removed from BillsList.
class WatchedUi : public HeadlessUi {
  public:
    void deleteRow(Ctl list, int row) override {
        if (list == Ctl::BillsList) {
            std::vector<Text> cells;
            for (int col = 0; col < 9; ++col) cells.push_back(cell(list, row, col));
            removed.push_back(cells);
        }
        HeadlessUi::deleteRow(list, row);
    }
    std::vector<std::vector<Text>> removed;
};

// Each reading of the clock takes the next of these times; the last one stays.
class SteppingClock : public Clock {
  public:
    DateTime now() const override {
        return readings[next < readings.size() ? next++ : readings.size() - 1];
    }
    std::vector<DateTime> readings{DateTime{2016, 2, 28, 12, 0, 0}};
    mutable std::size_t next = 0;
};

struct Program {
    Program() : random(makeRandomSource(1)), app(ui, clock, *random, disk, "run") {
        ui.connect(app);
        ui.createMainWindow();
    }
    void draw(const char* digits) {
        const Ctl boxes[5] = {Ctl::DigitBox1, Ctl::DigitBox2, Ctl::DigitBox3, Ctl::DigitBox4,
                              Ctl::DigitBox5};
        for (int i = 0; i < 5; ++i) ui.setText(boxes[i], Text(1, digits[i]));
    }
    // A bill as a restored player's row looks: the gain and stake cells may already hold
    // values from earlier settlements.
    int bill(const Text& name, const Text& content, const Text& gain, const Text& stake,
             const Text& balance) {
        const int row = ui.appendRow(Ctl::BillsList, name);
        ui.setCell(Ctl::BillsList, row, 1, "100");
        ui.setCell(Ctl::BillsList, row, 3, content);
        ui.setCell(Ctl::BillsList, row, 4, gain);
        ui.setCell(Ctl::BillsList, row, 5, balance);
        ui.setCell(Ctl::BillsList, row, 6, stake);
        return row;
    }
    Text ledgerPath(const DateTime& day = DateTime{2016, 2, 28}) const {
        return app.dataDirectory + "/" + dateText(day);
    }
    int messagesShown(const Text& text) const {
        int n = 0;
        for (const auto& m : ui.messages()) n += m.text == text;
        return n;
    }

    WatchedUi ui;
    SteppingClock clock;
    std::unique_ptr<RandomSource> random;
    MemoryDisk disk;
    App app;
};

TEST(SettleBills, GainStakeAndBalanceCellsOfTheSettledBill) {
    struct Case {
        const char* what;
        Ctl button;
        const char* separator;  // item of SeparatorCombo
        Text content, gain, stake, balance;
        Text gainAfter, stakeAfter, balanceAfter;
    };
    // Draw 1 2 3 4 7; 大15 pays 28.5 with oddsBig 1.9, cut to 28 when all bills are settled.
    const std::vector<Case> cases = {
        {"payouts cut per item", Ctl::CalculateButton, ",", "大15,大15", "5", "", "100", "61", "30",
         "126"},
        {"payouts keep fractions", Ctl::SingleCalculateButton, ",", "大15", "", "10", "100", "28.5",
         "25", "113.5"},
        {"a loss leaves the gain cell", Ctl::CalculateButton, " ", "5/10 小10", "7", "3", "50", "7",
         "23", "30"},
        {"no items: cells rewritten as numbers", Ctl::SingleCalculateButton, " ", "", "", "", "abc",
         "", "0", "0"},
        {"unknown items only", Ctl::CalculateButton, " ", "奇10 偶10", "", "", "40", "", "0", "40"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Program p;
        p.ui.userChooseCombo(Ctl::SeparatorCombo, c.separator == Text(",") ? 1 : 0);
        p.draw("12347");
        p.bill("甲", c.content, c.gain, c.stake, c.balance);
        p.ui.setSelectedRow(Ctl::BillsList, 0);
        p.ui.userClick(c.button);
        ASSERT_EQ(p.ui.removed.size(), 1u);
        EXPECT_EQ(p.ui.removed[0][4], c.gainAfter);
        EXPECT_EQ(p.ui.removed[0][6], c.stakeAfter);
        EXPECT_EQ(p.ui.removed[0][5], c.balanceAfter);
        EXPECT_EQ(p.ui.rowCount(Ctl::BillsList), 0);
    }
}

// Settling all bills writes the ledger once; when that write fails the banker hears of it
// once, and the lists show the settlement all the same.
TEST(SettleBills, FailedLedgerWriteReportedOncePerRun) {
    Program p;
    p.disk.files[p.ledgerPath()] =
        newRecordText("甲", "100") + newRecordText("乙", "100") + newRecordText("丙", "100");
    const Text before = p.disk.files[p.ledgerPath()];
    p.disk.refuseWrites = true;
    p.draw("38085");
    for (const char* name : {"甲", "乙", "丙"}) p.bill(name, "3/10", "", "", "100");

    p.ui.userClick(Ctl::CalculateButton);
    EXPECT_EQ(p.messagesShown("数据保存失败！"), 1);
    EXPECT_EQ(p.ui.messages().size(), 1u);
    EXPECT_EQ(p.ui.rowCount(Ctl::BillStatsList), 3);
    EXPECT_EQ(p.ui.rowCount(Ctl::BillsList), 0);
    EXPECT_EQ(p.disk.files[p.ledgerPath()], before);

    p.bill("甲", "3/10", "", "", "110");
    p.ui.setSelectedRow(Ctl::BillsList, 0);
    p.ui.userClick(Ctl::SingleCalculateButton);
    EXPECT_EQ(p.messagesShown("数据保存失败！"), 2);
    EXPECT_EQ(p.ui.rowCount(Ctl::BillStatsList), 4);
}

// A run in which no bill has a record today has nothing to write, so nothing can fail.
TEST(SettleBills, NothingWrittenWithoutRecords) {
    Program p;
    p.disk.refuseWrites = true;
    p.draw("38085");
    p.bill("甲", "3/10", "", "", "100");
    p.ui.userClick(Ctl::CalculateButton);
    EXPECT_EQ(p.disk.writes, 0);
    EXPECT_TRUE(p.ui.messages().empty());
    EXPECT_EQ(p.ui.rowCount(Ctl::BillStatsList), 1);
}

}  // namespace
}  // namespace bk

namespace bk {
namespace {

// A settlement that starts a second before midnight reads and writes the day it began
// with; the next day's file is not made from the previous day's records.
TEST(SettleBills, RunAcrossMidnightKeepsToOneDay) {
    for (Ctl button : {Ctl::CalculateButton, Ctl::SingleCalculateButton}) {
        Program p;
        const DateTime lastSecond{2016, 2, 28, 23, 59, 59};
        const DateTime nextDay{2016, 2, 29, 0, 0, 0};
        p.clock.readings = {lastSecond, nextDay};
        p.disk.files[p.ledgerPath(lastSecond)] = newRecordText("甲", "100");
        p.draw("38085");
        p.bill("甲", "3/10", "", "", "100");
        p.ui.setSelectedRow(Ctl::BillsList, 0);
        p.ui.userClick(button);
        EXPECT_EQ(p.disk.files.count(p.ledgerPath(nextDay)), 0u);
        EXPECT_NE(p.disk.files[p.ledgerPath(lastSecond)].find("总余额：110】"), Text::npos);
        EXPECT_TRUE(p.ui.messages().empty());
    }
}

}  // namespace
}  // namespace bk

namespace bk {
namespace {

// A ledger that is there but cannot be read is not rewritten: the records it holds are
// unknown, and writing the settlement's view of an empty day would drop them all. The
// banker hears of it once per settlement; the lists show the settlement all the same.
TEST(SettleBills, UnreadableLedgerIsLeftAlone) {
    for (Ctl button : {Ctl::CalculateButton, Ctl::SingleCalculateButton}) {
        Program p;
        p.disk.files[p.ledgerPath()] = newRecordText("甲", "100") + newRecordText("乙", "100");
        const Text before = p.disk.files[p.ledgerPath()];
        p.disk.unreadable.insert(p.ledgerPath());
        p.draw("38085");
        p.bill("甲", "3/10", "", "", "100");
        p.bill("乙", "3/10", "", "", "100");
        p.ui.setSelectedRow(Ctl::BillsList, 0);
        p.ui.userClick(button);
        EXPECT_EQ(p.messagesShown("数据保存失败！"), 1);
        EXPECT_EQ(p.ui.messages().size(), 1u);
        EXPECT_EQ(p.disk.files[p.ledgerPath()], before);
        EXPECT_EQ(p.disk.writes, 0);
        EXPECT_EQ(p.ui.removed.size(), button == Ctl::CalculateButton ? 2u : 1u);
        EXPECT_EQ(p.ui.removed[0][5], "110");
    }
}

}  // namespace
}  // namespace bk
