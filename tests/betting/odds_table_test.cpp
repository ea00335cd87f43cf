#include "betting/odds_table.h"

#include <gtest/gtest.h>

namespace bk {
namespace {

using BoxTexts = std::array<Text, OddsTable::kSlotCount>;

const BoxTexts kDefaults = {"2",  "4",   "6",   "8",   "10", "4", "8", "16", "40",
                            "65", "1.9", "1.9", "1.9", "2",  "2", "6", "1.9"};

TEST(OddsTable, DefaultTextsFillTheNamedSlotsInOrder) {
    const OddsTable t = oddsTableFromTexts(kDefaults);
    EXPECT_EQ(t.oddsOneHitOne, 2);
    EXPECT_EQ(t.oddsOneHitTwo, 4);
    EXPECT_EQ(t.oddsOneHitThree, 6);
    EXPECT_EQ(t.oddsOneHitFour, 8);
    EXPECT_EQ(t.oddsOneHitFive, 10);
    EXPECT_EQ(t.oddsTwoRunOne, 4);
    EXPECT_EQ(t.oddsTwoRunTwo, 8);
    EXPECT_EQ(t.oddsThreeRunOne, 16);
    EXPECT_EQ(t.oddsFourRunOne, 40);
    EXPECT_EQ(t.oddsFiveRunOne, 65);
    EXPECT_EQ(t.oddsBig, 1.9);
    EXPECT_EQ(t.oddsSmall, 1.9);
    EXPECT_EQ(t.oddsOdd, 1.9);
    EXPECT_EQ(t.oddsDragon, 2);
    EXPECT_EQ(t.oddsTiger, 2);
    EXPECT_EQ(t.oddsTie, 6);
    EXPECT_EQ(t.oddsEven, 1.9);
}

TEST(OddsTable, SlotIndexesAreDistinctAndWritable) {
    OddsTable t;
    for (int i = 0; i < OddsTable::kSlotCount; ++i) t.slot(i) = 100 + i;
    const OddsTable& view = t;
    for (int i = 0; i < OddsTable::kSlotCount; ++i) EXPECT_EQ(view.slot(i), 100 + i);
    EXPECT_EQ(t.oddsOneHitOne, 100);
    EXPECT_EQ(t.oddsBig, 110);
    EXPECT_EQ(t.oddsEven, 116);
}

TEST(OddsTable, BoxTextsConvertWithoutComplaint) {
    BoxTexts texts = kDefaults;
    texts[0] = "";
    texts[1] = " 3";
    texts[2] = "\xA3\xB2\xA3\xAE\xA3\xB5";  // full-width 2.5
    texts[3] = "5元";
    texts[4] = "2e1";
    texts[5] = "abc";
    texts[6] = "-1.5";
    texts[10] = "1.9倍";
    const OddsTable t = oddsTableFromTexts(texts);
    EXPECT_EQ(t.oddsOneHitOne, 0);
    EXPECT_EQ(t.oddsOneHitTwo, 3);
    EXPECT_EQ(t.oddsOneHitThree, 2.5);
    EXPECT_EQ(t.oddsOneHitFour, 5);
    EXPECT_EQ(t.oddsOneHitFive, 20);
    EXPECT_EQ(t.oddsTwoRunOne, 0);
    EXPECT_EQ(t.oddsTwoRunTwo, -1.5);
    EXPECT_EQ(t.oddsBig, 1.9);
}

}  // namespace
}  // namespace bk
