#include "settlement/draw.h"

#include <gtest/gtest.h>

namespace bk {
namespace {

int occurrences(const Text& text, const Text& part) {
    int n = 0;
    for (int at = findText(text, part); at > 0; at = findText(text, part, at + 1)) ++n;
    return n;
}

TEST(Draw, WorkedExamples) {
    struct Case {
        DrawBoxes boxes;
        const char* summary;
    };
    const Case cases[] = {
        {{"3", "8", "0", "8", "5"}, " 大  单  虎"},
        {{"7", "1", "2", "0", "7"}, " 大  单  和"},
        {{"9", "0", "0", "0", "4"}, " 小  双  龙"},
        {{"1", "0", "0", "0", "5"}, " 大  单  虎"},  // 5 is big
        {{"4", "0", "0", "0", "0"}, " 小  双  龙"},  // 0 is small and even
        // A letter counts as 0 in the numeric tests, but differs from "0" as text.
        {{"a", "1", "2", "3", "0"}, " 小  双 "},
        {{"a", "1", "2", "3", "a"}, " 小  双  和"},
        {{"\xA3\xB9", "1", "2", "3", "9"}, " 大  单 "},  // full-width 9 equals 9 but is no tie
    };
    for (const Case& c : cases) {
        EXPECT_EQ(evaluateDraw(c.boxes), c.summary) << buildDrawNumber(c.boxes);
    }
}

TEST(Draw, NumberAndLine) {
    const DrawBoxes boxes = {"3", "8", "0", "8", "5"};
    EXPECT_EQ(buildDrawNumber(boxes), "38085");
    EXPECT_EQ(drawLine(boxes, evaluateDraw(boxes)), "3-8-0-8-5  大  单  虎");
    EXPECT_EQ(drawLine({"", "", "", "", ""}, ""), "---- ");
}

TEST(Draw, EveryDigitPairHasExactlyOneAttributeOfEachKind) {
    for (int first = 0; first <= 9; ++first) {
        for (int last = 0; last <= 9; ++last) {
            const DrawBoxes boxes = {intToText(first), "0", "0", "0", intToText(last)};
            const Text s = evaluateDraw(boxes);
            const int size = occurrences(s, "大") + occurrences(s, "小");
            const int parity = occurrences(s, "单") + occurrences(s, "双");
            const int versus = occurrences(s, "龙") + occurrences(s, "虎") + occurrences(s, "和");
            EXPECT_EQ(size, 1) << first << " " << last << ": " << s;
            EXPECT_EQ(parity, 1) << first << " " << last << ": " << s;
            EXPECT_EQ(versus, 1) << first << " " << last << ": " << s;
            EXPECT_EQ(occurrences(s, "大") == 1, last >= 5);
            EXPECT_EQ(occurrences(s, "单") == 1, last % 2 == 1);
            EXPECT_EQ(occurrences(s, "龙") == 1, first > last);
            EXPECT_EQ(occurrences(s, "和") == 1, first == last);
        }
    }
}

}  // namespace
}  // namespace bk
