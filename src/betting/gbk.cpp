#include "betting/gbk.h"

#include <algorithm>
#include <cstdint>
#include <utility>
#include <vector>

namespace bk {
namespace {

constexpr int kGbkFirstLead = 0x81;
constexpr int kGbkRows = 0xFE - kGbkFirstLead + 1;
constexpr int kGbkTrails = 190;  // 0x40..0x7E and 0x80..0xFE

const std::uint16_t kGbkTable[kGbkRows * kGbkTrails] = {
#include "betting/gbk_table.inc"
};

// Windows' code page 936 gives the otherwise unused single byte 0x80 to the euro sign.
constexpr unsigned char kEuroByte = 0x80;
constexpr char32_t kEuro = 0x20AC;
constexpr char32_t kReplacement = 0xFFFD;

int trailIndex(unsigned char trail) {
    if (trail >= 0x40 && trail <= 0x7E) return trail - 0x40;
    if (trail >= 0x80 && trail <= 0xFE) return trail - 0x80 + (0x7F - 0x40);
    return -1;
}

bool isGbkLead(unsigned char c) { return c >= kGbkFirstLead && c <= 0xFE; }

struct ReverseEntry {
    char32_t cp;
    std::uint16_t code;
};

const std::vector<ReverseEntry>& reverseTable() {
    static const std::vector<ReverseEntry> table = [] {
        std::vector<ReverseEntry> t;
        t.reserve(22000);
        for (int row = 0; row < kGbkRows; ++row) {
            for (int col = 0; col < kGbkTrails; ++col) {
                std::uint16_t cp = kGbkTable[row * kGbkTrails + col];
                if (cp == 0) continue;
                int trail = col < 0x3F ? 0x40 + col : 0x80 + (col - 0x3F);
                t.push_back({cp, static_cast<std::uint16_t>(((kGbkFirstLead + row) << 8) | trail)});
            }
        }
        // Stable: should two codes ever share a code point, the lower code wins.
        std::stable_sort(t.begin(), t.end(),
                         [](const ReverseEntry& a, const ReverseEntry& b) { return a.cp < b.cp; });
        return t;
    }();
    return table;
}

void appendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// Strict UTF-8: overlong forms, surrogates and values above U+10FFFF are refused,
// one U+FFFD for each byte that does not start a well-formed sequence.
std::u32string utf8ToCodePoints(const std::string& utf8) {
    std::u32string out;
    out.reserve(utf8.size());
    const std::size_t n = utf8.size();
    std::size_t i = 0;
    while (i < n) {
        unsigned char c = static_cast<unsigned char>(utf8[i]);
        if (c < 0x80) {
            out += c;
            ++i;
            continue;
        }
        int extra;
        char32_t cp;
        char32_t minimum;
        if (c >= 0xC2 && c <= 0xDF) {
            extra = 1, cp = c & 0x1F, minimum = 0x80;
        } else if (c >= 0xE0 && c <= 0xEF) {
            extra = 2, cp = c & 0x0F, minimum = 0x800;
        } else if (c >= 0xF0 && c <= 0xF4) {
            extra = 3, cp = c & 0x07, minimum = 0x10000;
        } else {
            out += kReplacement;
            ++i;
            continue;
        }
        bool ok = i + extra < n;
        for (int k = 1; ok && k <= extra; ++k) {
            unsigned char t = static_cast<unsigned char>(utf8[i + k]);
            if ((t & 0xC0) != 0x80)
                ok = false;
            else
                cp = (cp << 6) | (t & 0x3F);
        }
        if (ok && (cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))) ok = false;
        if (!ok) {
            out += kReplacement;
            ++i;
            continue;
        }
        out += cp;
        i += extra + 1;
    }
    return out;
}

}  // namespace

long gbkPairToCodePoint(unsigned char lead, unsigned char trail) {
    if (!isGbkLead(lead)) return -1;
    int col = trailIndex(trail);
    if (col < 0) return -1;
    std::uint16_t cp = kGbkTable[(lead - kGbkFirstLead) * kGbkTrails + col];
    return cp == 0 ? -1 : static_cast<long>(cp);
}

long codePointToGbkCode(char32_t cp) {
    if (cp < 0x80) return static_cast<long>(cp);
    if (cp == kEuro) return kEuroByte;
    const auto& table = reverseTable();
    auto it = std::lower_bound(table.begin(), table.end(), cp,
                               [](const ReverseEntry& e, char32_t v) { return e.cp < v; });
    if (it == table.end() || it->cp != cp) return -1;
    return it->code;
}

std::u32string gbkToCodePoints(const Text& gbk) {
    std::u32string out;
    out.reserve(gbk.size());
    const std::size_t n = gbk.size();
    for (std::size_t i = 0; i < n; ++i) {
        unsigned char c = static_cast<unsigned char>(gbk[i]);
        if (c < 0x80) {
            out += c;
        } else if (c == kEuroByte) {
            out += kEuro;
        } else if (!isGbkLead(c) || i + 1 == n ||
                   trailIndex(static_cast<unsigned char>(gbk[i + 1])) < 0) {
            // A lone or misplaced lead byte: what follows it is read afresh.
            out += kReplacement;
        } else {
            long cp = gbkPairToCodePoint(c, static_cast<unsigned char>(gbk[i + 1]));
            if (cp < 0) {
                // A well-formed pair without a character: both bytes are spent.
                out += kReplacement;
                out += kReplacement;
            } else {
                out += static_cast<char32_t>(cp);
            }
            ++i;
        }
    }
    return out;
}

void appendGbk(Text& out, char32_t cp) {
    const long code = codePointToGbkCode(cp);
    if (code < 0) {
        out += '?';
    } else if (code < 0x100) {
        out += static_cast<char>(code);
    } else {
        out += static_cast<char>(code >> 8);
        out += static_cast<char>(code & 0xFF);
    }
}

Text codePointsToGbk(const std::u32string& cps) {
    Text out;
    out.reserve(cps.size() * 2);
    for (char32_t cp : cps) appendGbk(out, cp);
    return out;
}

std::string gbkToUtf8(const Text& gbk) {
    std::string out;
    out.reserve(gbk.size() * 3 / 2);
    for (char32_t cp : gbkToCodePoints(gbk)) appendUtf8(out, cp);
    return out;
}

Text utf8ToGbk(const std::string& utf8) { return codePointsToGbk(utf8ToCodePoints(utf8)); }

}  // namespace bk
