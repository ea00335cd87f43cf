#include "betting/gbk.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace bk {
namespace {

// Narrow literals in this file are compiled to GBK; u8 literals stay UTF-8.

struct DecodeCase {
    const char* what;
    Text gbk;
    std::u32string cps;
};

TEST(Gbk, DecodesKnownCharacters) {
    const std::vector<DecodeCase> cases = {
        {"empty", "", U""},
        {"ascii", "Ab1 ,/\\", U"Ab1 ,/\\"},
        {"chinese", "中文账单", U"中文账单"},
        {"chinese bytes", "\xD6\xD0", U"\u4E2D"},
        {"full-width digits", "\xA3\xB1\xA3\xB2\xA3\xB3", U"\uFF11\uFF12\uFF13"},
        {"full-width space", "\xA1\xA1", U"\u3000"},
        {"middle dot", "\xA1\xA4", U"\u00B7"},
        {"em dash", "\xA1\xAA", U"\u2014"},
        {"euro byte", "\x80", U"\u20AC"},
        {"trail byte below 0x80", "\x81\x40", U"\u4E02"},
        {"trail byte looks like a backslash", "\x95\x5C", U"\u661E"},
        {"mixed", "a中1", U"a\u4E2D1"},
    };
    for (const auto& c : cases) EXPECT_EQ(gbkToCodePoints(c.gbk), c.cps) << c.what;
}

TEST(Gbk, InvalidBytesBecomeOneReplacementEach) {
    const std::vector<DecodeCase> cases = {
        {"lone lead at the end", "a\xD6", U"a\uFFFD"},
        {"byte 0xFF",
         "\xFF"
         "a",
         U"\uFFFDa"},
        {"lead before a byte that cannot trail", "\x81 b", U"\uFFFD b"},
        {"lead before 0x7F", "\xA1\x7F", U"\uFFFD\x7F"},
        {"lead before 0xFF", "\xB0\xFF", U"\uFFFD\uFFFD"},
        {"well-formed pair without a character",
         "\xAA\xA1"
         "x",
         U"\uFFFD\uFFFDx"},
        {"truncated after a good character", "\xD6\xD0\xD6", U"\u4E2D\uFFFD"},
    };
    for (const auto& c : cases) EXPECT_EQ(gbkToCodePoints(c.gbk), c.cps) << c.what;
}

TEST(Gbk, EncodesAndReplacesWhatGbkCannotHold) {
    EXPECT_EQ(codePointsToGbk(U"中文, ok"), Text("中文, ok"));
    EXPECT_EQ(codePointsToGbk(U"\uFF11\u3000\u20AC"), Text("\xA3\xB1\xA1\xA1\x80"));
    EXPECT_EQ(codePointsToGbk(U"\u00E9"), Text("\xA8\xA6"));  // pinyin e-acute is in GBK
    EXPECT_EQ(codePointsToGbk(U"\u00C9x\U0001F600\uFFFD"), Text("?x??"));
    EXPECT_EQ(codePointToGbkCode(U'\u4E2D'), 0xD6D0);
    EXPECT_EQ(codePointToGbkCode(U'A'), 0x41);
    EXPECT_EQ(codePointToGbkCode(U'\u00C9'), -1);
    EXPECT_EQ(gbkPairToCodePoint(0xAA, 0xA1), -1);
    EXPECT_EQ(gbkPairToCodePoint(0x41, 0x41), -1);
}

// Every two-byte character of the table survives decode + encode, and every code point
// that encodes decodes back to itself: the reverse lookup agrees with the table.
TEST(Gbk, EveryCharacterRoundTrips) {
    int characters = 0;
    for (int lead = 0x81; lead <= 0xFE; ++lead) {
        for (int trail = 0x40; trail <= 0xFE; ++trail) {
            long cp = gbkPairToCodePoint(static_cast<unsigned char>(lead),
                                         static_cast<unsigned char>(trail));
            if (cp < 0) continue;
            ++characters;
            Text bytes{static_cast<char>(lead), static_cast<char>(trail)};
            ASSERT_EQ(gbkToCodePoints(bytes), std::u32string(1, static_cast<char32_t>(cp)))
                << std::hex << lead << " " << trail;
            ASSERT_EQ(codePointsToGbk(gbkToCodePoints(bytes)), bytes)
                << std::hex << lead << " " << trail;
        }
    }
    EXPECT_GT(characters, 21000);  // GBK holds 21,886 characters; a truncated table would not
    for (char32_t cp = 0; cp < 0x10000; ++cp) {
        long code = codePointToGbkCode(cp);
        if (code < 0) continue;
        Text bytes = codePointsToGbk(std::u32string(1, cp));
        ASSERT_EQ(gbkToCodePoints(bytes), std::u32string(1, cp)) << std::hex << cp;
    }
}

TEST(Gbk, Utf8Conversions) {
    EXPECT_EQ(gbkToUtf8("账单.txt"), std::string(u8"账单.txt"));
    EXPECT_EQ(gbkToUtf8("2016年2月28日"), std::string(u8"2016年2月28日"));
    EXPECT_EQ(gbkToUtf8("\xA3\xB1\x80"), std::string(u8"\uFF11\u20AC"));
    EXPECT_EQ(gbkToUtf8("a\xFF"), std::string(u8"a\uFFFD"));
    EXPECT_EQ(utf8ToGbk(u8"账单.txt"), Text("账单.txt"));
    EXPECT_EQ(utf8ToGbk(u8"大单10,1/10"), Text("大单10,1/10"));
    EXPECT_EQ(utf8ToGbk(gbkToUtf8("用户数据 中")), Text("用户数据 中"));
}

TEST(Gbk, MalformedUtf8BecomesQuestionMarks) {
    const std::vector<std::pair<std::string, Text>> cases = {
        {"\xC0\xAF", "??"},            // overlong '/'
        {"\xE0\x80\xAF", "???"},       // overlong '/' in three bytes
        {"\xED\xA0\x80", "???"},       // a surrogate
        {"\xE4\xB8", "??"},            // truncated 中
        {"\xE4\xB8z", "??z"},          // truncated before an ASCII byte, which survives
        {"\x80x", "?x"},               // a stray continuation byte
        {"\xF4\x90\x80\x80", "????"},  // above U+10FFFF
        {u8"\U0001F600!", "?!"},       // valid, but outside GBK
    };
    for (const auto& c : cases) EXPECT_EQ(utf8ToGbk(c.first), c.second) << c.first;
}

}  // namespace
}  // namespace bk
