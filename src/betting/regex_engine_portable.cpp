// The portable engine: std::wregex (ECMAScript grammar, the family "VBScript.RegExp"
// belongs to) over characters decoded from GBK.
#include <exception>
#include <locale>
#include <regex>
#include <string>
#include <vector>

#include "betting/gbk.h"
#include "betting/regex_object.h"

namespace bk {
namespace {

// Bytes that do not decode stand for themselves as U+DC00 + byte, a range GBK never
// produces, so a replacement gives them back unchanged and no pattern character can
// match them by accident (a stray trail byte 0x5C is not a backslash).
constexpr wchar_t kRawByteBase = 0xDC00;

struct DecodedText {
    std::wstring chars;
    std::vector<std::size_t> byteAt;  // byte position of each character, plus the end
};

DecodedText decode(const Text& gbk) {
    DecodedText out;
    out.chars.reserve(gbk.size());
    out.byteAt.reserve(gbk.size() + 1);
    auto raw = [&](std::size_t at) {
        out.chars += static_cast<wchar_t>(kRawByteBase + static_cast<unsigned char>(gbk[at]));
        out.byteAt.push_back(at);
    };
    const std::size_t n = gbk.size();
    std::size_t i = 0;
    while (i < n) {
        const unsigned char c = static_cast<unsigned char>(gbk[i]);
        if (c < 0x80) {
            out.chars += static_cast<wchar_t>(c);
            out.byteAt.push_back(i);
            ++i;
            continue;
        }
        if (i + 1 < n) {
            const unsigned char t = static_cast<unsigned char>(gbk[i + 1]);
            const bool trail = (t >= 0x40 && t <= 0x7E) || (t >= 0x80 && t <= 0xFE);
            if (c >= 0x81 && c <= 0xFE && trail) {
                const long cp = gbkPairToCodePoint(c, t);
                if (cp >= 0) {
                    out.chars += static_cast<wchar_t>(cp);
                    out.byteAt.push_back(i);
                } else {
                    raw(i);
                    raw(i + 1);
                }
                i += 2;
                continue;
            }
        }
        if (c == 0x80) {
            // Code page 936 gives this single byte to the euro sign.
            out.chars += static_cast<wchar_t>(0x20AC);
            out.byteAt.push_back(i);
        } else {
            raw(i);
        }
        ++i;
    }
    out.byteAt.push_back(n);
    return out;
}

Text encode(const std::wstring& chars) {
    Text out;
    out.reserve(chars.size() * 2);
    for (wchar_t ch : chars) {
        const unsigned long u = static_cast<unsigned long>(ch);
        if (u >= kRawByteBase && u <= kRawByteBase + 0xFF) {
            out += static_cast<char>(u - kRawByteBase);
            continue;
        }
        appendGbk(out, static_cast<char32_t>(u));
    }
    return out;
}

// IgnoreCase folds the ASCII letters only, as the program's text operations do; the
// C library's wide case mapping differs between platforms and locales.
wchar_t foldCase(wchar_t c) {
    return (c >= L'A' && c <= L'Z') ? static_cast<wchar_t>(c + (L'a' - L'A')) : c;
}

// Character classes as "VBScript.RegExp" documents them: \s is [ \f\n\r\t\v], \d is
// [0-9], \w is [A-Za-z0-9_]. The C library's wide classes differ between platforms (some
// count full-width digits as digits), so nothing above ASCII belongs to a class here.
struct VbTraits : std::regex_traits<wchar_t> {
    char_type translate_nocase(char_type c) const { return foldCase(c); }
    bool isctype(char_type c, char_class_type f) const {
        if (static_cast<unsigned long>(c) >= 0x80) return false;
        return std::regex_traits<wchar_t>::isctype(c, f);
    }
};

using Regex = std::basic_regex<wchar_t, VbTraits>;
using Iterator = std::regex_iterator<std::wstring::const_iterator, wchar_t, VbTraits>;

struct Match {
    std::size_t start;
    std::size_t length;
};

class PortableRegexEngine : public RegexEngine {
  public:
    const char* name() const override { return "portable"; }

    RegexStatus execute(const Text& pattern, const Text& subject,
                        const RegexOptions& options) override {
        executed_ = false;
        matches_.clear();
        pattern_ = pattern;
        subject_ = decode(subject);
        options_ = options;
        try {
            auto flags = std::regex_constants::ECMAScript;
            if (!options.caseSensitive) flags |= std::regex_constants::icase;
            if (options.multiline) flags |= std::regex_constants::multiline;
            regex_.imbue(std::locale::classic());
            regex_.assign(decode(pattern).chars, flags);
            const std::wstring& s = subject_.chars;
            for (Iterator it(s.begin(), s.end(), regex_), end; it != end; ++it) {
                matches_.push_back({static_cast<std::size_t>(it->position(0)),
                                    static_cast<std::size_t>(it->length(0))});
                if (!options.global) break;
            }
        } catch (const std::exception&) {
            // A pattern the grammar refuses, or one too complex for this subject.
            matches_.clear();
            return RegexStatus::rejected;
        }
        executed_ = true;
        return RegexStatus::ok;
    }

    Text replace(const Text& replacement) override {
        if (!executed_) return Text();
        try {
            auto flags = std::regex_constants::format_default;
            if (!options_.global) flags |= std::regex_constants::format_first_only;
            return encode(
                std::regex_replace(subject_.chars, regex_, decode(replacement).chars, flags));
        } catch (const std::exception&) {
            return Text();
        }
    }

    int matchCount() const override { return static_cast<int>(matches_.size()); }

    Text getPattern() const override { return pattern_; }

    Text matchText(int n, int* bytePosition) const override {
        if (bytePosition) *bytePosition = -1;
        if (n < 1 || static_cast<std::size_t>(n) > matches_.size()) return Text();
        const Match& m = matches_[static_cast<std::size_t>(n) - 1];
        if (bytePosition) *bytePosition = static_cast<int>(subject_.byteAt[m.start]);
        return encode(subject_.chars.substr(m.start, m.length));
    }

  private:
    bool executed_ = false;
    Text pattern_;
    DecodedText subject_;
    RegexOptions options_;
    Regex regex_;
    std::vector<Match> matches_;
};

}  // namespace

std::unique_ptr<RegexEngine> makePortableRegexEngine() {
    return std::make_unique<PortableRegexEngine>();
}

}  // namespace bk
