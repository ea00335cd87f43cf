// Cases for countLiteral and removeBlankLines that every regular-expression engine must
// agree on. Shared by the portable tests and the Windows test that runs the same table
// through "VBScript.RegExp". Narrow literals are GBK (the tests compile with GBK).
#pragma once

#include <vector>

#include "betting/text.h"

namespace bk {
namespace regex_cases {

struct CountCase {
    const char* what;
    Text subject;
    Text literal;
    bool caseSensitive;
    int expected;
};

// GBK characters whose trail byte is an ASCII character that patterns treat specially.
#define BK_TRAIL_BACKSLASH "\x95\x5C"  // trail byte "\"
#define BK_TRAIL_BRACKET "\x94\x5B"    // trail byte "["
#define BK_TRAIL_BAR "\x97\x7C"        // trail byte "|"
#define BK_TRAIL_LETTER "\xC9\x77"     // trail byte "w"

inline std::vector<CountCase> countCases() {
    return {
        {"digit three times", "11231", "1", false, 3},
        {"pairs do not overlap", "11111", "11", false, 2},
        {"absent digit", "12345", "6", false, 0},
        {"group of digits", "12121", "121", false, 1},
        {"whole draw", "90817", "90817", false, 1},
        {"empty subject", "", "1", false, 0},
        {"empty literal", "123", "", false, 0},
        {"full stop is plain", "a.b.c", ".", false, 2},
        {"plus is plain", "1+1", "1+1", false, 1},
        {"backslash", "a\\b\\\\c", "\\", false, 3},
        {"two backslashes", "\\\\\\", "\\\\", false, 1},
        {"parentheses", "(x)(y)", ")(", false, 1},
        {"braces", "a{2}a{2}", "{2}", false, 2},
        {"closing brace alone", "}}", "}", false, 2},
        {"brackets", "[a][a]a", "[a]", false, 2},
        {"brackets with a range", "[1-3]2", "[1-3]", false, 1},
        {"question mark", "a?a?", "a?", false, 2},
        {"bar", "x|y|", "|", false, 2},
        {"star", "**a*", "**", false, 1},
        {"caret", "^x^", "^", false, 2},
        {"dollar", "$5$", "$", false, 2},
        {"dash", "1-2-3", "-", false, 2},
        {"every special at once", "x(1+2)*3.0?[^$]|\\y(1+2)*3.0?[^$]|\\", "(1+2)*3.0?[^$]|\\",
         false, 2},
        {"case folded by default", "aA", "a", false, 2},
        {"case folded both ways", "abAB", "B", false, 2},
        {"case kept when asked", "aA", "a", true, 1},
        {"full-width letters are not folded", "\xA3\xC1\xA3\xE1", "\xA3\xE1", false, 1},
        {"upper case kept when asked", "AAA", "a", true, 0},
        {"line breaks in the subject", "1\r\n1\n1", "1", false, 3},
        {"chinese literal", "大单大双大", "大", false, 3},
        {"chinese pair", "大单大双大单", "大单", false, 2},
        {"full-width digit",
         "\xA3\xB1\xA3\xB1"
         "1",
         "\xA3\xB1", false, 2},
        {"ASCII digit is not full-width", "\xA3\xB1", "1", false, 0},
        {"trail backslash is no backslash", BK_TRAIL_BACKSLASH BK_TRAIL_BACKSLASH, "\\", false, 0},
        {"real backslash after trail backslash", BK_TRAIL_BACKSLASH "\\", "\\", false, 1},
        {"literal with trail backslash", "a" BK_TRAIL_BACKSLASH "b" BK_TRAIL_BACKSLASH,
         BK_TRAIL_BACKSLASH, false, 2},
        {"literal with trail bracket", BK_TRAIL_BRACKET BK_TRAIL_BRACKET "[", BK_TRAIL_BRACKET,
         false, 2},
        {"trail bracket is no bracket", BK_TRAIL_BRACKET, "[", false, 0},
        {"trail bar is no bar", BK_TRAIL_BAR "|", "|", false, 1},
        {"literal with trail bar", BK_TRAIL_BAR "x" BK_TRAIL_BAR, BK_TRAIL_BAR, false, 2},
        {"trail letter is no letter", BK_TRAIL_LETTER "w", "W", false, 1},
    };
}

struct BlankLineCase {
    const char* what;
    Text input;
    Text expected;
};

inline std::vector<BlankLineCase> blankLineCases() {
    return {
        {"empty lines collapse", "a\r\n\r\n\r\nb", "a\r\nb"},
        {"a line of spaces is blank", "a\r\n   \r\nb", "a\r\nb"},
        {"tabs and spaces", "a\r\n\t \t\r\n\r\nb", "a\r\nb"},
        {"nothing to remove", "a\r\nb", "a\r\nb"},
        {"single line", "no blank lines", "no blank lines"},
        {"empty", "", ""},
        {"one leading and one trailing break go", "\r\n\r\nfirst\r\n\r\nsecond\r\n",
         "\r\nfirst\r\nsecond"},
        {"just a break", "\r\n", ""},
        {"two breaks", "\r\n\r\n", ""},
        {"three breaks", "\r\n\r\n\r\n", "\r\n"},
        {"trailing blank lines keep one break", "a\r\n\r\n\r\n", "a\r\n"},
        {"chinese lines", "第一行\r\n\r\n  \r\n第二行\r\n第三行", "第一行\r\n第二行\r\n第三行"},
        {"trail bytes that look like syntax", BK_TRAIL_BACKSLASH "\r\n\r\n" BK_TRAIL_BRACKET,
         BK_TRAIL_BACKSLASH "\r\n" BK_TRAIL_BRACKET},
        {"spaces inside a line stay", "a b\r\n \r\n c", "a b\r\n c"},
    };
}

}  // namespace regex_cases
}  // namespace bk
