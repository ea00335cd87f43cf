// Text utilities: the conversions and byte-based text operations every part of the
// program relies on. Texts are GBK bytes; positions are 1-based byte positions and
// -1 means "not found". A byte >= 0x80 starts a two-byte character.
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace bk {

using Text = std::string;

// Doubles are compared with this tolerance everywhere in the program.
constexpr double kTolerance = 0.0000001;
inline bool greaterThan(double a, double b) { return a - b > kTolerance; }
inline bool lessThan(double a, double b) { return a - b < -kTolerance; }

inline bool isLeadByte(unsigned char c) { return c >= 0x80; }

// ---- conversions ----
double textToNumber(const Text& text);
Text numberToText(double value);
Text intToText(int value);

struct DateTime {
    int year = 1970, month = 1, day = 1, hour = 0, minute = 0, second = 0;
};
// The ledger's DateTimeText: 2016年2月8日9时5分7秒, with the zero tail of the time dropped.
Text dateTimeText(const DateTime& when);
// 2016年2月28日: the name of a day's ledger file.
Text dateText(const DateTime& when);

// ---- basic operations ----
int findText(const Text& text, const Text& sought, int start = 1, bool ignoreCase = false);
int findLastText(const Text& text, const Text& sought, bool ignoreCase = false);
// count < 0 means "all".
Text replaceText(const Text& text, const Text& sought, const Text& replacement = Text(),
                 int start = 1, int count = -1, bool caseSensitive = true);
// maxPieces < 0 means "unlimited".
std::vector<Text> splitText(const Text& text, const Text& separator = ",", int maxPieces = -1);
Text leftText(const Text& text, int n);
Text rightText(const Text& text, int n);
Text midText(const Text& text, int start, int n);
int textLength(const Text& text);
double numberModulo(double x, double y);

// True when `sought` occurs in `text` starting at a character boundary (exact bytes).
inline bool containsText(const Text& text, const Text& sought) {
    return findText(text, sought) > 0;
}

// ---- composite helpers ----
Text textAfterLast(const Text& text, const Text& marker);
Text textBetween(const Text& text, const Text& startMarker, const Text& endMarker, int start = 1,
                 bool caseSensitive = false);
using ReplacementPairs = std::vector<std::pair<Text, Text>>;
Text replaceSeries(const Text& text, const ReplacementPairs& pairs, int count = -1, int start = 1,
                   bool caseSensitive = false);

}  // namespace bk
