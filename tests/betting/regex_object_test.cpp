#include "betting/regex_object.h"

#include <gtest/gtest.h>

#include "regex_cases.h"

namespace bk {
namespace {

RegexEngineSetting portableSetting() {
    RegexEngineSetting s;
    s.choice = RegexEngineChoice::portable;
    return s;
}

TEST(CountLiteral, SharedCases) {
    for (const auto& c : regex_cases::countCases()) {
        EXPECT_EQ(countLiteral(c.subject, c.literal, c.caseSensitive), c.expected) << c.what;
    }
}

TEST(RemoveBlankLines, SharedCases) {
    for (const auto& c : regex_cases::blankLineCases()) {
        EXPECT_EQ(removeBlankLines(c.input), c.expected) << c.what;
    }
}

// Texts far longer than any the program makes, as a damaged ledger file could hold:
// the answers stay right and nothing overflows.
TEST(RemoveBlankLines, LongRunsOfBlanks) {
    const Text blanks(300000, ' ');
    EXPECT_EQ(removeBlankLines("a\r\n" + blanks + "\r\n" + blanks + "\r\nb"), "a\r\nb");
    EXPECT_EQ(removeBlankLines("a\r\n" + blanks + "b"), "a\r\n" + blanks + "b");
    Text manyLines;
    for (int i = 0; i < 50000; ++i) manyLines += "\r\n \t";
    EXPECT_EQ(removeBlankLines("x" + manyLines + "\r\ny"), "x\r\ny");
}

TEST(CountLiteral, LongLiteralsAndSubjects) {
    EXPECT_EQ(countLiteral("12345", Text(200000, '1')), 0);
    EXPECT_EQ(countLiteral(Text(100000, '7') + "1", "1"), 1);
    EXPECT_EQ(countLiteral(Text(100001, '7'), "77"), 50000);
}

TEST(EscapeLiteral, EscapesSyntaxButNotTrailBytes) {
    const std::vector<std::pair<Text, Text>> cases = {
        {"1", "1"},
        {"\\", "\\\\"},
        {"(a){b}[c]", "\\(a\\)\\{b}\\[c\\]"},
        {"?.|+*^$", "\\?\\.\\|\\+\\*\\^\\$"},
        {"1-2", "1-2"},
        {"\\(", "\\\\\\("},
        {"\x95\x5C(", "\x95\x5C\\("},  // a character whose trail byte is "\"
        {"\x94\x5B\x97\x7C", "\x94\x5B\x97\x7C"},
        {"\x81", "\x81"},      // a lone lead byte at the end
        {"\x81(", "\x81\\("},  // "(" cannot be a trail byte, so it is a character
    };
    for (const auto& c : cases) EXPECT_EQ(escapeLiteral(c.first), c.second) << c.first;
}

TEST(RegexObject, OptionsOfExecute) {
    RegexObject re(portableSetting());
    EXPECT_STREQ(re.engineName(), "portable");
    EXPECT_EQ(re.getPattern(), "");
    EXPECT_EQ(re.matchCount(), 0);

    ASSERT_TRUE(re.execute("a", "aAa"));
    EXPECT_EQ(re.matchCount(), 3);
    EXPECT_EQ(re.getPattern(), "a");
    ASSERT_TRUE(re.execute("a", "aAa", true));
    EXPECT_EQ(re.matchCount(), 2);
    ASSERT_TRUE(re.execute("a", "aAa", false, true, false));
    EXPECT_EQ(re.matchCount(), 1);

    // Multiline: ^ and $ at every line; without it, only at the ends of the subject.
    ASSERT_TRUE(re.execute("^x$", "x\ny\nx"));
    EXPECT_EQ(re.matchCount(), 2);
    ASSERT_TRUE(re.execute("^x$", "x\ny\nx", false, false));
    EXPECT_EQ(re.matchCount(), 0);

    // A collection with no matches still counts as success.
    ASSERT_TRUE(re.execute("z", "abc"));
    EXPECT_EQ(re.matchCount(), 0);
}

TEST(RegexObject, RejectedPatternFailsQuietly) {
    RegexObject re(portableSetting());
    ASSERT_TRUE(re.execute("b", "abc"));
    for (const Text& bad : {Text("("), Text("[a"), Text("a{2,1}"), Text("*a")}) {
        EXPECT_FALSE(re.execute(bad, "abc")) << bad;
        EXPECT_EQ(re.matchCount(), 0) << bad;
        EXPECT_EQ(re.replace("x"), "") << bad;
    }
}

TEST(RegexObject, QuoteSubstitution) {
    RegexObject re(portableSetting());
    const Text subject = "say \"hi\" and \"ho\"";
    ASSERT_TRUE(re.execute("#引号h.#引号", subject, false, true, true, true));
    EXPECT_EQ(re.matchCount(), 2);
    EXPECT_EQ(re.getPattern(), "\"h.\"");
    ASSERT_TRUE(re.execute("#引号h.#引号", subject));
    EXPECT_EQ(re.matchCount(), 0);
}

TEST(RegexObject, Replace) {
    RegexObject re(portableSetting());
    ASSERT_TRUE(re.execute("(\\d)/(\\d+)", "1/10,2/20"));
    EXPECT_EQ(re.replace("$2:$1"), "10:1,20:2");
    EXPECT_EQ(re.replace("[$&]$$"), "[1/10]$,[2/20]$");
    ASSERT_TRUE(re.execute("(\\d)/(\\d+)", "1/10,2/20", false, true, false));
    EXPECT_EQ(re.replace("x"), "x,2/20");
    // Chinese text in subject, pattern and replacement comes back as GBK.
    ASSERT_TRUE(re.execute("大(单|双)", "大单10,大双5,小单3"));
    EXPECT_EQ(re.replace("豹$1"), "豹单10,豹双5,小单3");
}

TEST(RegexObject, ReplaceKeepsBytesThatDoNotDecode) {
    RegexObject re(portableSetting());
    const Text subject =
        "\xFF"
        "a\xAA\xA1"
        "b\x81";
    ASSERT_TRUE(re.execute("a|b", subject));
    EXPECT_EQ(re.matchCount(), 2);
    EXPECT_EQ(re.replace("x"),
              "\xFF"
              "x\xAA\xA1"
              "x\x81");
    // The stray pair's trail byte 0x41 is not the letter A.
    ASSERT_TRUE(re.execute("A", "\xAA\x41"));
    EXPECT_EQ(re.matchCount(), 0);
    EXPECT_EQ(re.replace("x"), "\xAA\x41");
}

TEST(RegexObject, MatchTextGivesBytePositions) {
    RegexObject re(portableSetting());
    ASSERT_TRUE(re.execute("中(\\d)", "a中1b中2"));
    ASSERT_EQ(re.matchCount(), 2);
    int position = 0;
    EXPECT_EQ(re.matchText(1, &position), "中1");
    EXPECT_EQ(position, 1);
    EXPECT_EQ(re.matchText(2, &position), "中2");
    EXPECT_EQ(position, 5);
    EXPECT_EQ(re.matchText(3, &position), "");
    EXPECT_EQ(position, -1);
    EXPECT_EQ(re.matchText(0), "");
}

// Behaviour of our own engine where the platform engines are not guaranteed to agree.
TEST(PortableEngine, CaseFoldingAndClassesAreAscii) {
    RegexObject re(portableSetting());
    ASSERT_TRUE(re.execute("\xA6\xC1", "\xA6\xA1\xA6\xC1"));  // Greek alpha / Alpha
    EXPECT_EQ(re.matchCount(), 1);
    ASSERT_TRUE(re.execute("[a-c]", "ABCD"));
    EXPECT_EQ(re.matchCount(), 3);
    // \d and \s are ASCII only: a full-width digit is no digit, a full-width space no space.
    ASSERT_TRUE(re.execute("\\d", "1\xA3\xB1"));
    EXPECT_EQ(re.matchCount(), 1);
    ASSERT_TRUE(re.execute("\\s", " \xA1\xA1"));
    EXPECT_EQ(re.matchCount(), 1);
    ASSERT_TRUE(re.execute("\\w+", "ab_9\xD6\xD0"));
    EXPECT_EQ(re.matchText(1), "ab_9");
}

TEST(RegexEngineSetting, ForcingPortableAppliesToCountLiteral) {
    const RegexEngineSetting saved = regexEngineSetting();
    setRegexEngineSetting(portableSetting());
    EXPECT_STREQ(RegexObject().engineName(), "portable");
    EXPECT_EQ(countLiteral("11231", "1"), 3);
    setRegexEngineSetting(saved);
}

}  // namespace
}  // namespace bk
