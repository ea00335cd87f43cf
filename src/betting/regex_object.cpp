#include "betting/regex_object.h"

#include <mutex>
#include <utility>

namespace bk {
namespace {

std::mutex settingMutex;
RegexEngineSetting currentSetting;

std::unique_ptr<RegexEngine> makeEngine(const RegexEngineSetting& setting) {
#ifdef _WIN32
    if (setting.choice != RegexEngineChoice::portable) {
        return makeComRegexEngine(setting.comProgId.c_str());
    }
#else
    (void)setting;
#endif
    return makePortableRegexEngine();
}

bool isTrailByte(unsigned char c) { return (c >= 0x40 && c <= 0x7E) || (c >= 0x80 && c <= 0xFE); }

}  // namespace

RegexEngineSetting regexEngineSetting() {
    std::lock_guard<std::mutex> lock(settingMutex);
    return currentSetting;
}

void setRegexEngineSetting(const RegexEngineSetting& setting) {
    std::lock_guard<std::mutex> lock(settingMutex);
    currentSetting = setting;
}

RegexObject::RegexObject() : RegexObject(regexEngineSetting()) {}

RegexObject::RegexObject(const RegexEngineSetting& setting)
    : setting_(setting), engine_(makeEngine(setting)) {}

RegexObject::~RegexObject() = default;

bool RegexObject::execute(const Text& pattern, const Text& subject, bool caseSensitive,
                          bool multiline, bool global, bool quoteSubstitution) {
    const Text effective = quoteSubstitution ? replaceText(pattern, "#引号", "\"") : pattern;
    RegexOptions options;
    options.caseSensitive = caseSensitive;
    options.multiline = multiline;
    options.global = global;
    RegexStatus status = engine_->execute(effective, subject, options);
    if (status == RegexStatus::unavailable && setting_.choice == RegexEngineChoice::automatic) {
        // Releasing the COM engine here also ends its COM initialisation on this thread.
        engine_ = makePortableRegexEngine();
        status = engine_->execute(effective, subject, options);
    }
    return status == RegexStatus::ok;
}

Text RegexObject::replace(const Text& replacement) { return engine_->replace(replacement); }

int RegexObject::matchCount() const { return engine_->matchCount(); }

Text RegexObject::getPattern() const { return engine_->getPattern(); }

Text RegexObject::matchText(int n, int* bytePosition) const {
    return engine_->matchText(n, bytePosition);
}

const char* RegexObject::engineName() const { return engine_->name(); }

Text escapeLiteral(const Text& literal) {
    // "}" and "-" need no escape: an escaped "{" leaves "}" plain, and "-" is special
    // only inside brackets, which are escaped.
    static const Text kSpecial = "\\(){[]?.|+*^$";
    Text out;
    out.reserve(literal.size() * 2);
    for (std::size_t i = 0; i < literal.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(literal[i]);
        // A two-byte character is copied whole: its trail byte may look like "\", "[",
        // "|" and so on, and escaping it would break the character (and the pattern).
        // The pair is recognised the way the code page decodes it.
        if (c >= 0x81 && c <= 0xFE && i + 1 < literal.size() &&
            isTrailByte(static_cast<unsigned char>(literal[i + 1]))) {
            out += literal[i];
            out += literal[++i];
            continue;
        }
        if (kSpecial.find(static_cast<char>(c)) != Text::npos) out += '\\';
        out += static_cast<char>(c);
    }
    return out;
}

int countLiteral(const Text& subject, const Text& literal, bool caseSensitive) {
    // An empty pattern would "match" between every two characters; no bet asks for it.
    if (literal.empty()) return 0;
    RegexObject regex;
    if (!regex.execute(escapeLiteral(literal), subject, caseSensitive, true, true, false)) {
        return 0;
    }
    return regex.matchCount();
}

Text removeBlankLines(const Text& text) {
    RegexObject regex;
    Text rest = text;
    if (leftText(rest, 2) == "\r\n") rest.erase(0, 2);
    if (rightText(rest, 2) == "\r\n") rest.erase(rest.size() - 2);
    // A line feed, any run of white space, a carriage return: removing the match joins
    // the line before a run of blank lines to the line after it with one break.
    if (!regex.execute("\\n\\s*\\r", rest)) return rest;
    return regex.replace(Text());
}

}  // namespace bk
