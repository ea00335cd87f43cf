#include "betting/bet_content.h"

#include <gtest/gtest.h>

namespace bk {
namespace {

TEST(BetContent, CheckAndStakeTable) {
    struct Case {
        const char* separator;
        const char* content;
        bool accepted;
        const char* stake;
    };
    const Case cases[] = {
        {" ", "", true, "0"},
        {",", "", true, "0"},
        {",", "1/10,2/20,大5", true, "35"},
        {" ", "1/10 2/20", true, "30"},
        {",", "9/10", true, "10"},
        {",", "10/5", false, "5"},
        {",", "1/10,12/10", false, "20"},
        {",", "二连12/10", true, "10"},
        {",", "1/2/10", true, "10"},
        {",", "大10", true, "10"},
        {",", "大大10", true, "10"},
        {",", "大单10", true, "0"},
        {",", "大1/10", true, "11"},
        {",", "a/10", true, "0"},
        {",", "大-5", true, "-5"},
        {"t", "1/10t2/20", true, "30"},
        {"t", "1/10tt2/20", true, "30"},
        {"。", "1/10。2/20", true, "30"},
        {".", "1/10.2/20", true, "30"},
        // The check cuts at commas even when the separator is a space.
        {" ", "1/10 12/10", true, "20"},
        {" ", "1/10,12/10", false, "10"},  // one item: 1/ with the amount after the last /
        // 9 plus less than the tolerance still counts as 9.
        {",", "9.00000001/10", true, "10"},
        {",", "9.0001/10", false, "10"},
        {",", "-3/10", true, "10"},  // -3 does not exceed 9; the item holds 3/
        {",", "奇10,偶10,abc", true, "0"},
        {",", "1/0.1,2/0.2", true, "0.3"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(checkBetContent(c.content), c.accepted) << c.content;
        EXPECT_EQ(computeBetStake(c.content, c.separator), c.stake)
            << c.content << " cut at '" << c.separator << "'";
    }
}

TEST(BetContent, CuttingAtTheSeparator) {
    using V = std::vector<Text>;
    EXPECT_EQ(cutBetContent("", " "), V{});
    EXPECT_EQ(cutBetContent(" 1/10", " "), (V{"", "1/10"}));
    EXPECT_EQ(cutBetContent("1/10  2/5 ", " "), (V{"1/10", "", "2/5"}));
    // 。 is A1 A3; here its bytes straddle 啊 (B0 A1) and the full-width 0 (A3 B0).
    EXPECT_EQ(cutBetContent("啊\xA3\xB0", "。"), (V{"啊\xA3\xB0"}));
    // A trail byte equal to 't' is not a separator: 乇 is 81 74.
    EXPECT_EQ(cutBetContent("\x81tx", "t"), (V{"\x81tx"}));
}

TEST(RecogniseItem, PositionGroup) {
    struct Case {
        const char* item;
        const char* digit;
        double amount;
    };
    const Case cases[] = {
        {"3/10", "3", 10}, {"11/10", "1", 10}, {"10/5", "0", 5},    {"1/2/10", "1", 10},
        {"9/abc", "9", 0}, {"0/", "0", 0},     {"大1/10", "1", 10},
    };
    for (const Case& c : cases) {
        const RecognisedItem r = recogniseItem(c.item);
        ASSERT_TRUE(r.position) << c.item;
        EXPECT_EQ(r.position->digit, c.digit) << c.item;
        EXPECT_EQ(r.position->amount, c.amount) << c.item;
    }
    for (const char* item : {"a/10", "/10", "二连12/10", "三连2/5", "12", "大10", ""}) {
        EXPECT_FALSE(recogniseItem(item).position) << item;
    }
}

TEST(RecogniseItem, ChainGroup) {
    struct Case {
        const char* item;
        BetKind kind;
        const char* pattern;
        double amount;
    };
    const Case cases[] = {
        {"二连80/10", BetKind::TwoRun, "80", 10},
        {"三连808/10", BetKind::ThreeRun, "808", 10},
        {"四连1234/2.5", BetKind::FourRun, "1234", 2.5},
        {"五连38085/10", BetKind::FiveRun, "38085", 10},
        {"三连80/10", BetKind::ThreeRun, "80", 10},
        {"二连/10", BetKind::TwoRun, "", 10},
        {"二连12", BetKind::TwoRun, "", 0},
        {"五连二连11/3", BetKind::TwoRun, "11", 3},  // 二连 is tested first
        {"二连1/2/3", BetKind::TwoRun, "1", 3},      // pattern stops at the first "/"
        {"x/二连12/7", BetKind::TwoRun, "12", 7},    // the "/" must follow the keyword
    };
    for (const Case& c : cases) {
        const RecognisedItem r = recogniseItem(c.item);
        ASSERT_TRUE(r.chain) << c.item;
        EXPECT_EQ(r.chain->kind, c.kind) << c.item;
        EXPECT_EQ(r.chain->pattern, c.pattern) << c.item;
        EXPECT_EQ(r.chain->amount, c.amount) << c.item;
        EXPECT_FALSE(r.position) << c.item;
    }
    EXPECT_FALSE(recogniseItem("二10").chain);
    EXPECT_FALSE(recogniseItem("连10").chain);
}

TEST(RecogniseItem, KeywordGroup) {
    struct Case {
        const char* item;
        BetKind kind;
        double amount;
    };
    const Case cases[] = {
        {"大10", BetKind::Big, 10},  {"小10", BetKind::Small, 10},  {"单10", BetKind::Odd, 10},
        {"双10", BetKind::Even, 10}, {"龙10", BetKind::Dragon, 10}, {"虎10", BetKind::Tiger, 10},
        {"和10", BetKind::Tie, 10},  {"大大10", BetKind::Big, 10},  {"大单10", BetKind::Big, 0},
        {"单大7", BetKind::Big, 7},  {"小双4", BetKind::Small, 0},  {"大1/10", BetKind::Big, 1},
        {"和", BetKind::Tie, 0},     {"10大", BetKind::Big, 0},
    };
    for (const Case& c : cases) {
        const RecognisedItem r = recogniseItem(c.item);
        ASSERT_TRUE(r.keyword) << c.item;
        EXPECT_EQ(r.keyword->kind, c.kind) << c.item;
        EXPECT_EQ(r.keyword->amount, c.amount) << c.item;
    }
    for (const char* item : {"奇10", "偶10", "abc", "3/10", ""}) {
        EXPECT_FALSE(recogniseItem(item).keyword) << item;
    }
}

}  // namespace
}  // namespace bk
