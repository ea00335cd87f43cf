#include "settlement/settle_item.h"

#include <gtest/gtest.h>

#include <vector>

namespace bk {
namespace {

class MemoryGainCell : public GainCell {
  public:
    explicit MemoryGainCell(Text initial = Text()) : text(std::move(initial)) {}
    Text read() const override { return text; }
    void write(const Text& t) override {
        text = t;
        writes.push_back(t);
    }
    Text text;
    std::vector<Text> writes;
};

OddsTable defaultOdds() {
    return oddsTableFromTexts({"2", "4", "6", "8", "10", "4", "8", "16", "40", "65", "1.9", "1.9",
                               "1.9", "2", "2", "6", "1.9"});
}

DrawBoxes boxesOf(const char* digits) {
    DrawBoxes boxes;
    for (int i = 0; i < 5; ++i) boxes[i] = Text(1, digits[i]);
    return boxes;
}

struct Outcome {
    BillTotals totals;
    Text gain;
    size_t gainWrites = 0;
};

Outcome settle(const Text& item, const char* digits, bool truncate, Text gainBefore = Text()) {
    const OddsTable odds = defaultOdds();
    const DrawBoxes boxes = boxesOf(digits);
    const Text number = buildDrawNumber(boxes);
    const DrawContext draw{odds, boxes, number, truncate};
    MemoryGainCell cell(std::move(gainBefore));
    Outcome out;
    settleItem(item, draw, cell, out.totals);
    out.gain = cell.text;
    out.gainWrites = cell.writes.size();
    return out;
}

TEST(SettleItem, RulesTable) {
    struct Case {
        const char* item;
        const char* draw;
        double stake;
        double paidExact;      // truncatePayouts off
        double paidTruncated;  // truncatePayouts on
    };
    const Case cases[] = {
        {"3/10", "38085", 10, 20, 20},
        {"8/10", "38085", 10, 40, 40},
        {"1/10", "38085", 10, 0, 0},
        {"11/10", "11234", 10, 40, 40},   // a bet on 1, drawn twice
        {"10/5", "38085", 5, 10, 10},     // a bet on 0 with 5
        {"1/2/10", "13333", 10, 20, 20},  // on 1, not 2; amount after the last /
        {"1/2/10", "23333", 10, 0, 0},
        {"5/10", "55555", 10, 100, 100},  // five times: oddsOneHitFive
        {"3/10", "33303", 10, 80, 80},    // four times: oddsOneHitFour
        {"3/10", "33300", 10, 60, 60},    // three times: oddsOneHitThree
        {"二连80/10", "38085", 10, 40, 40},
        {"二连08/10", "38085", 10, 40, 40},
        {"二连58/10", "38085", 10, 0, 0},
        {"二连11/10", "11111", 10, 80, 80},  // non-overlapping count is 2
        {"二连11/10", "11123", 10, 40, 40},
        {"三连808/10", "38085", 10, 160, 160},
        {"四连3808/10", "38085", 10, 400, 400},
        {"五连38085/10", "38085", 10, 650, 650},
        {"三连80/10", "38085", 10, 160, 160},  // only the count of 80 matters
        {"三连11/10", "11111", 10, 0, 0},      // twice pays only for a TwoRun
        {"二连/10", "38085", 10, 0, 0},        // an empty pattern stakes and loses
        {"三连", "38085", 0, 0, 0},
        {"二连12/10", "22345", 10, 0, 0},  // holds 2/ but is no OneHit bet
        {"大15", "12347", 15, 28.5, 28},
        {"大-15", "12347", -15, -28.5, -28},
        {"小10", "12344", 10, 19, 19},
        {"小10", "12345", 10, 0, 0},
        {"单10", "38085", 10, 19, 19},
        {"双10", "38085", 10, 0, 0},
        {"双10", "90004", 10, 19, 19},
        {"龙10", "90004", 10, 20, 20},
        {"虎10", "38085", 10, 20, 20},
        {"龙10", "71207", 10, 0, 0},
        {"虎10", "71207", 10, 0, 0},
        {"和10", "71207", 10, 60, 60},
        {"和10", "38085", 10, 0, 0},
        {"大1/10", "12347", 11, 21.9, 21},  // 20 on the digit 1, 1.9 (or 1) on 大
        {"大大10", "38085", 10, 19, 19},
        {"大单10", "38085", 0, 0, 0},
        {"奇10", "38085", 0, 0, 0},
        {"偶10", "38085", 0, 0, 0},
        {"abc", "38085", 0, 0, 0},
        {"", "38085", 0, 0, 0},
        {"大0.5", "12347", 0.5, 0.95, 0},
    };
    for (const Case& c : cases) {
        for (bool truncate : {false, true}) {
            const Outcome out = settle(c.item, c.draw, truncate);
            const double paid = truncate ? c.paidTruncated : c.paidExact;
            EXPECT_DOUBLE_EQ(out.totals.stakeSum, c.stake)
                << c.item << " on " << c.draw << " truncate " << truncate;
            EXPECT_DOUBLE_EQ(out.totals.payoutSum, paid)
                << c.item << " on " << c.draw << " truncate " << truncate;
            EXPECT_DOUBLE_EQ(billNet(out.totals), paid - c.stake) << c.item;
            if (paid != 0) {
                EXPECT_EQ(out.gain, numberToText(paid)) << c.item;
            }
        }
    }
}

TEST(SettleItem, GainCellIsWrittenOnWinsOnly) {
    // A loss leaves the cell untouched.
    Outcome out = settle("1/10", "38085", false, "");
    EXPECT_EQ(out.gainWrites, 0u);
    EXPECT_EQ(out.gain, "");
    // A win adds to what the cell holds; a cell that is not a number counts as 0.
    out = settle("3/10", "38085", false, "5");
    EXPECT_EQ(out.gain, "25");
    out = settle("3/10", "38085", false, "x");
    EXPECT_EQ(out.gain, "20");
    // A win that pays nothing still writes its zero payout.
    out = settle("大单10", "38085", false, "");
    EXPECT_EQ(out.gainWrites, 1u);
    EXPECT_EQ(out.gain, "0");
    // Each winning group writes once: a digit win, then an attribute win.
    out = settle("大1/10", "12347", false, "");
    EXPECT_EQ(out.gainWrites, 2u);
    EXPECT_EQ(out.gain, "21.9");
}

TEST(SettleItem, LargePayoutsAreNotWrappedWhenTruncated) {
    // 1.9 x 2,000,000,000 is beyond a 32-bit integer.
    Outcome out = settle("大2000000000", "12347", true);
    EXPECT_EQ(out.totals.payoutSum, 3800000000.0);
    EXPECT_EQ(out.gain, "3800000000");
    out = settle("大-2000000000.5", "12347", true);
    EXPECT_EQ(out.totals.payoutSum, -3800000000.0);
    out = settle("8/1e12", "38085", true);
    EXPECT_EQ(out.totals.payoutSum, 4e12);
    EXPECT_EQ(billNet(out.totals), 3e12);
    // Just inside the 32-bit range nothing changes.
    out = settle("大1130254551", "12347", true);
    EXPECT_EQ(out.totals.payoutSum, 2147483646.0);
}

TEST(SettleBetContent, ItemsAccumulateInOrder) {
    const OddsTable odds = defaultOdds();
    const DrawBoxes boxes = boxesOf("38085");
    const Text number = buildDrawNumber(boxes);
    const DrawContext draw{odds, boxes, number, false};
    MemoryGainCell cell;
    const BillTotals totals = settleBetContent("3/10 8/10 1/10  大5", " ", draw, cell);
    EXPECT_EQ(totals.stakeSum, 35);
    EXPECT_EQ(totals.payoutSum, 20 + 40 + 9.5);
    EXPECT_EQ(cell.writes, (std::vector<Text>{"20", "60", "69.5"}));
    // The stake charged equals the stake shown when the bill was entered.
    EXPECT_EQ(numberToText(totals.stakeSum), computeBetStake("3/10 8/10 1/10  大5", " "));

    MemoryGainCell untouched;
    const BillTotals none = settleBetContent("", " ", draw, untouched);
    EXPECT_EQ(none.stakeSum, 0);
    EXPECT_EQ(none.payoutSum, 0);
    EXPECT_TRUE(untouched.writes.empty());
}

}  // namespace
}  // namespace bk
