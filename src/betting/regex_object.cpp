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
    // A literal longer than the subject cannot occur in it, and skipping the engine then
    // also spares it patterns of any length typed into a bet.
    if (literal.empty() || literal.size() > subject.size()) return 0;
    RegexObject regex;
    if (!regex.execute(escapeLiteral(literal), subject, caseSensitive, true, true, false)) {
        return 0;
    }
    return regex.matchCount();
}

namespace {

// White space as the pattern class \s of "VBScript.RegExp" knows it. All of these are
// below 0x40, so none can be the trail byte of a GBK character.
bool isPatternSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// What replacing every match of \n\s*\r by nothing does, in one pass: in each run of
// white space, the stretch from its first line feed to its last carriage return (when
// the return comes later) goes. The standard library's backtracking matcher recurses
// once per character that \s* takes, so a long enough run of blanks overflows the
// stack; this pass has no such limit.
Text collapseBlankLines(const Text& text) {
    Text out;
    out.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        if (!isPatternSpace(text[i])) {
            out += text[i++];
            continue;
        }
        std::size_t end = i;
        while (end < text.size() && isPatternSpace(text[end])) ++end;
        const std::size_t lineFeed = text.find('\n', i);
        const std::size_t lastReturn = text.rfind('\r', end - 1);
        if (lineFeed < end && lastReturn != Text::npos && lastReturn > lineFeed) {
            out.append(text, i, lineFeed - i);
            out.append(text, lastReturn + 1, end - lastReturn - 1);
        } else {
            out.append(text, i, end - i);
        }
        i = end;
    }
    return out;
}

}  // namespace

Text removeBlankLines(const Text& text) {
    Text rest = text;
    if (leftText(rest, 2) == "\r\n") rest.erase(0, 2);
    if (rightText(rest, 2) == "\r\n") rest.erase(rest.size() - 2);
#ifdef _WIN32
    const RegexEngineSetting setting = regexEngineSetting();
    if (setting.choice != RegexEngineChoice::portable) {
        RegexEngineSetting comOnly = setting;
        comOnly.choice = RegexEngineChoice::com;
        RegexObject regex(comOnly);
        // A line feed, any run of white space, a carriage return: removing the match
        // joins the line before a run of blank lines to the line after it with one break.
        if (regex.execute("\\n\\s*\\r", rest)) return regex.replace(Text());
    }
#endif
    // Without "VBScript.RegExp" the same replacement is made without a pattern engine.
    return collapseBlankLines(rest);
}

}  // namespace bk
