#include "betting/text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace bk {
namespace {

TEST(TextToNumber, ReadsTheLongestNumericPrefix) {
    struct Case {
        const char* text;
        double expected;
    };
    const Case cases[] = {
        {"10元", 10},
        {" 7", 7},
        {"\t\r\n\v\f 8", 8},
        {"-3.5x", -3.5},
        {"+4", 4},
        {"1e3", 1000},
        {"1d3", 1000},
        {"1D3", 1000},
        {"1E+3", 1000},
        {"25e-1", 2.5},
        {"abc", 0},
        {"", 0},
        {"-", 0},
        {".", 0},
        {"-.", 0},
        {".5", 0.5},
        {"5.", 5},
        {"1.2.3", 1.2},
        {"0x10", 0},
        {"1,000", 1},
        {"1e", 1},
        {"1e+", 1},
        {"2e1", 20},
        {"2元5角", 2},
        {"1.9倍", 1.9},
        {"infinity", 0},
        {"nan", 0},
        {"inf", 0},
        {"- 5", 0},
        {"007", 7},
        {"\xA3\xB1\xA3\xB0", 10},           // full-width 1 0
        {"\xA3\xB2\xA3\xAE\xA3\xB5", 2.5},  // full-width 2 . 5
        {"\xA3\xAD\xA3\xB3", -3},           // full-width minus 3
        {"\xA1\xA1"
         "3",
         3},                                // ideographic space, then 3
        {"\xA3\xB1\xA3\xE5\xA3\xB2", 100},  // full-width 1 e 2
        {"0.1", 0.1},
        {"123456789012345678901234567890", 123456789012345678901234567890.0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(textToNumber(c.text), c.expected) << "text: " << c.text;
    }
}

TEST(TextToNumber, KeepsSignOfZeroAndSaturatesOutOfRange) {
    EXPECT_TRUE(std::signbit(textToNumber("-0")));
    EXPECT_EQ(textToNumber("1e999"), std::numeric_limits<double>::infinity());
    EXPECT_EQ(textToNumber("-1e999"), -std::numeric_limits<double>::infinity());
    EXPECT_EQ(textToNumber("1e-999"), 0.0);
}

TEST(TextToNumber, LeadByteOfOtherCharactersIsNotNormalised) {
    // 0xA3 followed by a byte outside A1..FE is not a full-width ASCII form.
    EXPECT_EQ(textToNumber("\xA3\x40"
                           "5"),
              0);
    // A lone lead byte at the end must not read past the text.
    EXPECT_EQ(textToNumber("4\xA3"), 4);
}

TEST(NumberToText, ThirteenSignificantDigitsWithThreeDigitExponent) {
    struct Case {
        double value;
        const char* expected;
    };
    const Case cases[] = {
        {19, "19"},
        {1.9 * 10, "19"},
        {0.1 + 0.2, "0.3"},
        {5.699999999999999, "5.7"},
        {1.0 / 3, "0.3333333333333"},
        {2.0 / 3, "0.6666666666667"},
        {1234567890123.0, "1234567890123"},
        {12345678901234.0, "1.234567890123e+013"},
        {9999999999999.5, "1e+013"},
        {1e13, "1e+013"},
        {1e21, "1e+021"},
        {1e100, "1e+100"},
        {1e300, "1e+300"},
        {0.0001, "0.0001"},
        {0.00012345, "0.00012345"},
        {0.00001, "1e-005"},
        {-0.000012, "-1.2e-005"},
        {1e-300, "1e-300"},
        {-2.5, "-2.5"},
        {100, "100"},
        {0, "0"},
        {-0.0, "-0"},
        {0.0 * -3, "-0"},
        {28.5, "28.5"},
        {-28, "-28"},
        {1.5e-7, "1.5e-007"},
        {2147483648.0, "2147483648"},
        {123.456, "123.456"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(numberToText(c.value), c.expected) << "value: " << c.value;
    }
}

TEST(NumberToText, RoundTripsThroughText) {
    const double values[] = {0.3, 1.9, 28.5, -1234.5678, 1e-5, 7e15, 123456.789012};
    for (double v : values) {
        const Text once = numberToText(v);
        EXPECT_EQ(numberToText(textToNumber(once)), once);
    }
}

TEST(IntToText, PlainDecimal) {
    EXPECT_EQ(intToText(0), "0");
    EXPECT_EQ(intToText(-42), "-42");
    EXPECT_EQ(intToText(2147483647), "2147483647");
    EXPECT_EQ(intToText(-2147483647 - 1), "-2147483648");
}

TEST(DateTimeTextTest, DropsTheZeroTailOfTheTime) {
    struct Case {
        DateTime when;
        const char* expected;
    };
    const Case cases[] = {
        {{2016, 2, 8, 9, 5, 7}, "2016年2月8日9时5分7秒"},
        {{2016, 2, 8, 0, 0, 0}, "2016年2月8日"},
        {{2016, 2, 8, 9, 0, 0}, "2016年2月8日9时"},
        {{2016, 2, 8, 9, 30, 0}, "2016年2月8日9时30分"},
        {{2016, 12, 31, 0, 0, 5}, "2016年12月31日0时0分5秒"},
        {{2016, 12, 31, 0, 15, 0}, "2016年12月31日0时15分"},
        {{2016, 12, 31, 23, 0, 59}, "2016年12月31日23时0分59秒"},
    };
    for (const Case& c : cases) EXPECT_EQ(dateTimeText(c.when), c.expected);
    EXPECT_EQ(dateText({2016, 2, 28, 13, 14, 15}), "2016年2月28日");
}

TEST(FindText, PositionsAndStartRules) {
    EXPECT_EQ(findText("abcabc", "bc"), 2);
    EXPECT_EQ(findText("abcabc", "bc", 3), 5);
    EXPECT_EQ(findText("abcabc", "bc", 0), 2);
    EXPECT_EQ(findText("abcabc", "bc", -7), 2);
    EXPECT_EQ(findText("abcabc", "bc", 6), -1);
    EXPECT_EQ(findText("abcabc", "c", 6), 6);
    EXPECT_EQ(findText("abcabc", "c", 7), -1);
    EXPECT_EQ(findText("abc", "abcd"), -1);
    EXPECT_EQ(findText("", "a"), -1);
    EXPECT_EQ(findText("abc", "x"), -1);
}

TEST(FindText, EmptySoughtTextAndCase) {
    EXPECT_EQ(findText("abc", ""), 1);
    EXPECT_EQ(findText("abc", "", 3), 1);
    EXPECT_EQ(findText("abc", "", 4), -1);
    EXPECT_EQ(findText("", ""), -1);

    EXPECT_EQ(findText("xABc", "abC"), -1);
    EXPECT_EQ(findText("xABc", "abC", 1, true), 2);
    // Only ASCII letters fold: '@' and '`' sit next to the letters but are not letters.
    EXPECT_EQ(findText("@", "`", 1, true), -1);
    EXPECT_EQ(findText("[", "{", 1, true), -1);
}

TEST(FindText, MatchesStartOnlyAtCharacterBoundaries) {
    // 啊啊 is B0 A1 B0 A1; the bytes A1 B0 only straddle the two characters.
    const Text twoChars = "\xB0\xA1\xB0\xA1";
    EXPECT_EQ(findText(twoChars, "\xA1\xB0"), -1);
    EXPECT_EQ(findLastText(twoChars, "\xA1\xB0"), -1);
    EXPECT_EQ(findText(twoChars, "\xB0\xA1", 2), -1);  // from a trail byte: A1 B0 | A1
    EXPECT_EQ(findText(twoChars, "\xB0\xA1", 3), 3);
    // A trail byte that looks like ASCII is not a character: 乙 is D2 D2, 丂 is 81 40.
    EXPECT_EQ(findText("\x81\x40", "@"), -1);
    EXPECT_EQ(findText("x\x81\x40@", "@"), 4);
    // The match may end inside a character.
    EXPECT_EQ(findText("a\xB0\xA1", "a\xB0"), 1);
    // Characters are counted from the start position: from byte 2 the trail byte A1 is
    // read as a lead byte and swallows the b after it.
    EXPECT_EQ(findText("\xB0\xA1"
                       "b",
                       "b", 2),
              -1);
    EXPECT_EQ(findText("\xB0\xA1"
                       "xb",
                       "b", 2),
              4);
}

TEST(FindLastText, LastBoundaryMatch) {
    const Text text = Text("a") + "】" + "b" + "】";
    EXPECT_EQ(findLastText(text, "】"), 5);
    EXPECT_EQ(findLastText("abcabc", "ABC", true), 4);
    EXPECT_EQ(findLastText("abcabc", "ABC"), -1);
    EXPECT_EQ(findLastText("aaa", "aa"), 2);
    EXPECT_EQ(findLastText("", "a"), -1);
}

TEST(ReplaceText, Table) {
    struct Case {
        const char* text;
        const char* sought;
        const char* replacement;
        int start;
        int count;
        bool caseSensitive;
        const char* expected;
    };
    const Case cases[] = {
        {"aaa", "aa", "b", 1, -1, true, "ba"},
        {"abcabc", "b", "XX", 1, -1, true, "aXXcaXXc"},
        {"abcabc", "b", "", 1, -1, true, "acac"},
        {"abcabc", "b", "X", 3, -1, true, "abcaXc"},
        {"abcabc", "b", "X", 0, -1, true, "aXcaXc"},
        {"abcabc", "b", "X", 1, 1, true, "aXcabc"},
        {"abcabc", "b", "X", 1, 0, true, "abcabc"},
        {"abcabc", "b", "X", 7, -1, true, "abcabc"},
        {"abcabc", "c", "X", 6, -1, true, "abcabX"},
        {"abcABC", "b", "X", 1, -1, false, "aXcAXC"},
        {"abcABC", "b", "X", 1, -1, true, "aXcABC"},
        {"", "a", "X", 1, -1, true, ""},
        {"abc", "", "X", 1, -1, true, "abc"},
        {"ab", "abc", "X", 1, -1, true, "ab"},
        {"aa", "a", "aa", 1, -1, true, "aaaa"},  // inserted text is not searched again
        {"\xB0\xA1\xB0\xA1", "\xA1\xB0", "X", 1, -1, true, "\xB0\xA1\xB0\xA1"},
        {"\x81\x40@", "@", "X", 1, -1, true, "\x81\x40X"},
        {"押金：100】", "押金：", "", 1, -1, true, "100】"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(replaceText(c.text, c.sought, c.replacement, c.start, c.count, c.caseSensitive),
                  c.expected)
            << c.text << " / " << c.sought << " start " << c.start << " count " << c.count;
    }
}

TEST(SplitText, PiecesAndLimits) {
    using V = std::vector<Text>;
    EXPECT_EQ(splitText("a,,b,"), (V{"a", "", "b"}));
    EXPECT_EQ(splitText(",a"), (V{"", "a"}));
    EXPECT_EQ(splitText("a"), (V{"a"}));
    EXPECT_EQ(splitText(","), (V{""}));
    EXPECT_EQ(splitText(""), V{});
    EXPECT_EQ(splitText("x", ""), (V{"x"}));
    EXPECT_EQ(splitText("a,b", ",", 0), V{});
    EXPECT_EQ(splitText("a,b,c", ",", 2), (V{"a", "b"}));
    EXPECT_EQ(splitText("a,b,c", ",", 3), (V{"a", "b", "c"}));
    EXPECT_EQ(splitText("a,b", ",", 1), (V{"a"}));
    EXPECT_EQ(splitText("a--b--", "--"), (V{"a", "b"}));
    // 。 is A1 A3; 啊 is B0 A1: the separator's bytes straddle 啊 and the next character.
    EXPECT_EQ(splitText("1/10。2/20", "。"), (V{"1/10", "2/20"}));
    EXPECT_EQ(splitText("\xB0\xA1\xA3\xB0", "\xA1\xA3"), (V{"\xB0\xA1\xA3\xB0"}));
    // 丂 is 81 40 and 乇 is 81 74: the trail byte 't' must not cut.
    EXPECT_EQ(splitText("a\x81tb", "t"), (V{"a\x81tb"}));
    EXPECT_EQ(splitText("atb", "t"), (V{"a", "b"}));
}

TEST(LeftRightMid, ByteCounts) {
    EXPECT_EQ(leftText("abc", 2), "ab");
    EXPECT_EQ(leftText("abc", 5), "abc");
    EXPECT_EQ(leftText("abc", 0), "");
    EXPECT_EQ(leftText("abc", -1), "");
    EXPECT_EQ(rightText("abc", 2), "bc");
    EXPECT_EQ(rightText("abc", 9), "abc");
    EXPECT_EQ(rightText("abc", 0), "");
    EXPECT_EQ(midText("abcdef", 2, 3), "bcd");
    EXPECT_EQ(midText("abcdef", 5, 9), "ef");
    EXPECT_EQ(midText("abcdef", 0, 2), "");
    EXPECT_EQ(midText("abcdef", 7, 2), "");
    EXPECT_EQ(midText("abcdef", 1, 0), "");
    EXPECT_EQ(midText("啊b", 2, 2),
              "\xA1"
              "b");
    EXPECT_EQ(textLength("啊b"), 3);
    EXPECT_EQ(textLength(""), 0);
}

TEST(NumberModulo, SignFollowsDividend) {
    EXPECT_EQ(numberModulo(-3, 2), -1);
    EXPECT_EQ(numberModulo(3, 2), 1);
    EXPECT_EQ(numberModulo(4, 2), 0);
    EXPECT_EQ(numberModulo(7.5, 2), 1.5);
}

TEST(TextAfterLast, Cases) {
    EXPECT_EQ(textAfterLast("a/b/c", "/"), "c");
    EXPECT_EQ(textAfterLast("a/b/c", "|"), "");
    EXPECT_EQ(textAfterLast("a/b/", "/"), "");
    EXPECT_EQ(textAfterLast("a/b/c", ""), "a/b/c");
    EXPECT_EQ(textAfterLast("", "/"), "");
    EXPECT_EQ(textAfterLast("大大10", "大"), "10");
}

TEST(TextBetween, Cases) {
    const Text record = "\r\n用户数据：\r\n用户名称：张三】\r\n押金：100】\r\n总余额：90】\r\n";
    EXPECT_EQ(textBetween(record, "押金：", "】"), "100");
    EXPECT_EQ(textBetween(record, "总余额：", "】"), "90");
    EXPECT_EQ(textBetween(record, "加成：", "】"), "");
    EXPECT_EQ(textBetween(record, "押金：", "|"), "");
    EXPECT_EQ(textBetween("k=\"v\";", "k=#引号", "#引号"), "v");
    EXPECT_EQ(textBetween("[]", "[", "]"), "");
    EXPECT_EQ(textBetween("Name=Bob;", "name=", ";"), "Bob");
    EXPECT_EQ(textBetween("Name=Bob;", "name=", ";", 1, true), "");
    EXPECT_EQ(textBetween("a=1;a=2;", "a=", ";", 3), "2");
    EXPECT_EQ(textBetween("abc=", "=", ";"), "");
    EXPECT_EQ(textBetween("abc=", "c=", "x"), "");
}

TEST(ReplaceSeries, PairsInOrder) {
    const Text record = "总余额：90】\r\n加成：5】\r\n下注总额：10】\r\n";
    const ReplacementPairs pairs = {{"总余额：90】", "总余额：120】"},
                                    {"加成：5】", "加成：35】"},
                                    {"下注总额：10】", "下注总额：20】"}};
    EXPECT_EQ(replaceSeries(record, pairs, 1), "总余额：120】\r\n加成：35】\r\n下注总额：20】\r\n");
    EXPECT_EQ(replaceSeries("aXa", {{"a", "b"}}, 1), "bXa");
    EXPECT_EQ(replaceSeries("aXa", {{"a", "b"}}), "bXb");
    EXPECT_EQ(replaceSeries("aXa", {{"x", "y"}}), "aya");
    EXPECT_EQ(replaceSeries("aXa", {{"x", "y"}}, -1, 1, true), "aXa");
    // A later pair sees what an earlier one inserted; an empty sought text is skipped.
    EXPECT_EQ(replaceSeries("a", {{"a", "b"}, {"", "z"}, {"b", "c"}}), "c");
    EXPECT_EQ(replaceSeries("aa", {{"a", "b"}}, -1, 0), "bb");
    EXPECT_EQ(replaceSeries("aa", {{"a", "b"}}, -1, 2), "ab");
}

}  // namespace
}  // namespace bk
