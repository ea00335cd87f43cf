#include "betting/text.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <cstring>

namespace bk {

namespace {

// Width of the character that starts at byte i: a lead byte with nothing after it
// stands alone, so a cut-off text never reads past its end.
size_t charWidth(const Text& text, size_t i) {
    return (isLeadByte(static_cast<unsigned char>(text[i])) && i + 1 < text.size()) ? 2 : 1;
}

unsigned char foldAscii(unsigned char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<unsigned char>(c - 'A' + 'a') : c;
}

bool bytesMatchAt(const Text& text, size_t at, const Text& sought, bool ignoreCase) {
    if (at + sought.size() > text.size()) return false;
    for (size_t k = 0; k < sought.size(); ++k) {
        unsigned char a = static_cast<unsigned char>(text[at + k]);
        unsigned char b = static_cast<unsigned char>(sought[k]);
        if (ignoreCase) {
            a = foldAscii(a);
            b = foldAscii(b);
        }
        if (a != b) return false;
    }
    return true;
}

// Full-width ASCII forms read like their one-byte forms, so a number typed with a
// Chinese input method still converts.
Text normaliseFullWidth(const Text& text) {
    Text out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size();) {
        unsigned char c = static_cast<unsigned char>(text[i]);
        if (isLeadByte(c) && i + 1 < text.size()) {
            unsigned char t = static_cast<unsigned char>(text[i + 1]);
            if (c == 0xA3 && t >= 0xA1 && t <= 0xFE) {
                out.push_back(static_cast<char>(t - 0x80));
            } else if (c == 0xA1 && t == 0xA1) {
                out.push_back(' ');
            } else if (c == 0xA1 && t == 0xAB) {
                out.push_back('~');
            } else if (c == 0xA1 && (t == 0xEE || t == 0xEF)) {
                out.push_back('*');
            } else {
                out.push_back(static_cast<char>(c));
                out.push_back(static_cast<char>(t));
            }
            i += 2;
        } else {
            out.push_back(static_cast<char>(c));
            ++i;
        }
    }
    return out;
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

}  // namespace

double textToNumber(const Text& text) {
    const Text s = normaliseFullWidth(text);
    size_t i = 0;
    while (i < s.size() && isBlank(s[i])) ++i;

    bool negative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
        negative = s[i] == '-';
        ++i;
    }

    // Only the recognised prefix is copied, with the exponent letter made plain 'e',
    // so the library parser never sees hex, "inf", "nan" or a locale's own decimal point.
    std::string clean;
    bool sawDigit = false, sawPoint = false;
    for (; i < s.size(); ++i) {
        if (isDigit(s[i])) {
            sawDigit = true;
            clean.push_back(s[i]);
        } else if (s[i] == '.' && !sawPoint) {
            sawPoint = true;
            clean.push_back('.');
        } else {
            break;
        }
    }
    if (!sawDigit) return 0.0;

    if (i < s.size() && (s[i] == 'e' || s[i] == 'E' || s[i] == 'd' || s[i] == 'D')) {
        size_t j = i + 1;
        std::string exponent = "e";
        if (j < s.size() && (s[j] == '+' || s[j] == '-')) exponent.push_back(s[j++]);
        size_t digitsStart = j;
        while (j < s.size() && isDigit(s[j])) exponent.push_back(s[j++]);
        // An exponent letter without digits is not part of the number ("1e" is 1).
        if (j > digitsStart) clean += exponent;
    }

    double value = 0.0;
    const char* first = clean.data();
    const char* last = first + clean.size();
    auto result = std::from_chars(first, last, value, std::chars_format::general);
    if (result.ec == std::errc::result_out_of_range) {
        // Too large or too small for a double: strtod rounds to infinity or zero as
        // IEEE arithmetic would; the clean copy holds nothing locale-dependent but the point.
        value = std::strtod(clean.c_str(), nullptr);
    }
    return negative ? -value : value;
}

Text numberToText(double value) {
    if (std::isnan(value)) return "nan";
    if (std::isinf(value)) return value < 0 ? "-inf" : "inf";

    // The C libraries disagree on the exponent's width in %g (glibc 1e+13, msvcrt
    // 1e+013), so only the correctly rounded digits are taken from the library and the
    // layout is ours: thirteen significant digits, exponent at least three digits.
    char buffer[64];
    auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific, 12);
    const std::string sci(buffer, result.ptr);

    Text out;
    size_t pos = 0;
    if (sci[pos] == '-') {
        out.push_back('-');
        ++pos;
    }
    std::string digits;
    for (; pos < sci.size() && sci[pos] != 'e'; ++pos) {
        if (isDigit(sci[pos])) digits.push_back(sci[pos]);
    }
    const int exponent = std::atoi(sci.c_str() + pos + 1);
    while (digits.size() > 1 && digits.back() == '0') digits.pop_back();

    if (exponent < -4 || exponent >= 13) {
        out.push_back(digits[0]);
        if (digits.size() > 1) {
            out.push_back('.');
            out.append(digits, 1, std::string::npos);
        }
        out.push_back('e');
        out.push_back(exponent < 0 ? '-' : '+');
        std::string e = std::to_string(exponent < 0 ? -exponent : exponent);
        while (e.size() < 3) e.insert(e.begin(), '0');
        out += e;
    } else if (exponent >= 0) {
        const size_t intDigits = static_cast<size_t>(exponent) + 1;
        if (digits.size() <= intDigits) {
            out += digits;
            out.append(intDigits - digits.size(), '0');
        } else {
            out.append(digits, 0, intDigits);
            out.push_back('.');
            out.append(digits, intDigits, std::string::npos);
        }
    } else {
        out += "0.";
        out.append(static_cast<size_t>(-exponent - 1), '0');
        out += digits;
    }
    return out;
}

Text intToText(int value) { return std::to_string(value); }

Text dateText(const DateTime& when) {
    return intToText(when.year) + "年" + intToText(when.month) + "月" + intToText(when.day) + "日";
}

Text dateTimeText(const DateTime& when) {
    Text out = dateText(when);
    if (when.second != 0) {
        out += intToText(when.hour) + "时" + intToText(when.minute) + "分" +
               intToText(when.second) + "秒";
    } else if (when.minute != 0) {
        out += intToText(when.hour) + "时" + intToText(when.minute) + "分";
    } else if (when.hour != 0) {
        out += intToText(when.hour) + "时";
    }
    return out;
}

int findText(const Text& text, const Text& sought, int start, bool ignoreCase) {
    const size_t from = start <= 1 ? 0 : static_cast<size_t>(start) - 1;
    if (from >= text.size()) return -1;
    if (sought.empty()) return 1;
    for (size_t i = from; i < text.size(); i += charWidth(text, i)) {
        if (bytesMatchAt(text, i, sought, ignoreCase)) return static_cast<int>(i) + 1;
    }
    return -1;
}

int findLastText(const Text& text, const Text& sought, bool ignoreCase) {
    if (text.empty()) return -1;
    if (sought.empty()) return 1;
    int found = -1;
    for (size_t i = 0; i < text.size(); i += charWidth(text, i)) {
        if (bytesMatchAt(text, i, sought, ignoreCase)) found = static_cast<int>(i) + 1;
    }
    return found;
}

Text replaceText(const Text& text, const Text& sought, const Text& replacement, int start,
                 int count, bool caseSensitive) {
    if (start < 1) start = 1;
    if (text.empty() || sought.empty() || static_cast<size_t>(start - 1) >= text.size() ||
        count == 0) {
        return text;
    }
    const size_t from = static_cast<size_t>(start) - 1;
    Text out(text, 0, from);
    int done = 0;
    size_t i = from;
    while (i < text.size()) {
        if (text.size() - i < sought.size()) break;
        if (bytesMatchAt(text, i, sought, !caseSensitive)) {
            out += replacement;
            i += sought.size();
            ++done;
            if (count > 0 && done >= count) break;
        } else {
            const size_t w = charWidth(text, i);
            out.append(text, i, w);
            i += w;
        }
    }
    out.append(text, i, std::string::npos);
    return out;
}

std::vector<Text> splitText(const Text& text, const Text& separator, int maxPieces) {
    std::vector<Text> pieces;
    if (text.empty() || maxPieces == 0) return pieces;
    if (separator.empty()) {
        pieces.push_back(text);
        return pieces;
    }
    const size_t limit = maxPieces < 0 ? static_cast<size_t>(-1) : static_cast<size_t>(maxPieces);
    size_t pieceStart = 0;
    size_t i = 0;
    while (i < text.size()) {
        if (bytesMatchAt(text, i, separator, false)) {
            pieces.emplace_back(text, pieceStart, i - pieceStart);
            if (pieces.size() >= limit) return pieces;
            i += separator.size();
            pieceStart = i;
        } else {
            i += charWidth(text, i);
        }
    }
    if (pieceStart < text.size()) pieces.emplace_back(text, pieceStart, std::string::npos);
    return pieces;
}

Text leftText(const Text& text, int n) {
    if (n <= 0) return Text();
    return text.substr(0, static_cast<size_t>(n));
}

Text rightText(const Text& text, int n) {
    if (n <= 0) return Text();
    const size_t k = static_cast<size_t>(n);
    return k >= text.size() ? text : text.substr(text.size() - k);
}

Text midText(const Text& text, int start, int n) {
    if (n <= 0 || start < 1 || static_cast<size_t>(start) > text.size()) return Text();
    return text.substr(static_cast<size_t>(start) - 1, static_cast<size_t>(n));
}

int textLength(const Text& text) { return static_cast<int>(text.size()); }

double numberModulo(double x, double y) { return std::fmod(x, y); }

Text textAfterLast(const Text& text, const Text& marker) {
    if (marker.empty()) return text;
    const int at = findLastText(text, marker);
    if (at < 0) return Text();
    return text.substr(static_cast<size_t>(at) - 1 + marker.size());
}

Text textBetween(const Text& text, const Text& startMarker, const Text& endMarker, int start,
                 bool caseSensitive) {
    const Text quote = "\"";
    const Text startMark = replaceText(startMarker, "#引号", quote);
    const Text endMark = replaceText(endMarker, "#引号", quote);

    const int startAt = findText(text, startMark, start, !caseSensitive);
    const int d = startAt > 0 ? startAt + textLength(startMark) : 1;
    const int endAt = findText(text, endMark, d, !caseSensitive);
    if (startAt < 0 || endAt < 0) return Text();
    return midText(text, d, endAt - d);
}

Text replaceSeries(const Text& text, const ReplacementPairs& pairs, int count, int start,
                   bool caseSensitive) {
    if (start <= 0) start = 1;
    Text out = text;
    for (const auto& pair : pairs) {
        if (pair.first.empty()) continue;
        out = replaceText(out, pair.first, pair.second, start, count, caseSensitive);
    }
    return out;
}

}  // namespace bk
