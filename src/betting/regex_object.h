// The regular-expression object behind literal counting (settlement) and blank-line
// removal (statistics). It drives one of two engines:
//   - "VBScript.RegExp" through COM (Windows only), the engine the program was made for;
//   - a portable engine on the standard library, used everywhere else and on Windows
//     whenever "VBScript.RegExp" cannot be created (Windows is retiring VBScript, and a
//     missing engine would make every position and chain bet silently lose).
// Texts in and out are GBK; both engines see characters, never raw bytes.
#pragma once

#include <memory>
#include <string>

#include "betting/text.h"

namespace bk {

struct RegexOptions {
    bool caseSensitive = false;
    bool multiline = true;
    bool global = true;
};

enum class RegexStatus {
    ok,           // a match collection came back (possibly empty)
    rejected,     // the engine refused the pattern or failed while matching
    unavailable,  // the engine itself could not be created
};

// One engine. execute() compiles a fresh pattern each time, so nothing carries over
// from one call to the next; the other operations refer to the last execute().
class RegexEngine {
  public:
    virtual ~RegexEngine() = default;
    virtual const char* name() const = 0;
    virtual RegexStatus execute(const Text& pattern, const Text& subject,
                                const RegexOptions& options) = 0;
    // The last subject with its matches replaced ($1, $&, $$ ... as in the replacement
    // syntax of "VBScript.RegExp"); empty text when the last execute() failed.
    virtual Text replace(const Text& replacement) = 0;
    virtual int matchCount() const = 0;
    // Empty text before the first execute() or when the engine could not be created.
    virtual Text getPattern() const = 0;
    // The text of match n (from 1) and, when asked, its 0-based byte position in the
    // subject; empty text and -1 when there is no such match.
    virtual Text matchText(int n, int* bytePosition) const = 0;
};

constexpr const char* kComRegexProgId = "VBScript.RegExp";

std::unique_ptr<RegexEngine> makePortableRegexEngine();
#ifdef _WIN32
// Initialises COM on the calling thread for the engine's lifetime (balanced in its
// destructor). progId is replaceable so tests can make the creation fail.
std::unique_ptr<RegexEngine> makeComRegexEngine(const char* progId = kComRegexProgId);
#endif

enum class RegexEngineChoice {
    automatic,  // "VBScript.RegExp" where it exists, else the portable engine
    portable,
    com,  // "VBScript.RegExp" only, no fallback (Windows only; elsewhere: portable)
};

// Which engine the RegexObjects made from now on use. Process-wide, for tests and
// diagnostics; the program itself never changes it.
struct RegexEngineSetting {
    RegexEngineChoice choice = RegexEngineChoice::automatic;
    std::string comProgId = kComRegexProgId;
};
RegexEngineSetting regexEngineSetting();
void setRegexEngineSetting(const RegexEngineSetting& setting);

class RegexObject {
  public:
    RegexObject();  // the process-wide setting's engine
    explicit RegexObject(const RegexEngineSetting& setting);
    ~RegexObject();
    RegexObject(const RegexObject&) = delete;
    RegexObject& operator=(const RegexObject&) = delete;

    // True when a match collection came back; false when the pattern was rejected or
    // (with a forced COM engine) the engine could not be created. With quoteSubstitution
    // every "#引号" in the pattern stands for a double quote.
    bool execute(const Text& pattern, const Text& subject, bool caseSensitive = false,
                 bool multiline = true, bool global = true, bool quoteSubstitution = false);
    Text replace(const Text& replacement);
    int matchCount() const;
    Text getPattern() const;
    Text matchText(int n, int* bytePosition = nullptr) const;
    // The engine that ran (or will run) execute(): "VBScript.RegExp" or "portable".
    const char* engineName() const;

  private:
    RegexEngineSetting setting_;
    std::unique_ptr<RegexEngine> engine_;
};

// The literal with every character that the pattern syntax treats specially escaped,
// so the result matches exactly the literal text.
Text escapeLiteral(const Text& literal);

// Non-overlapping occurrences of literal (plain text) in subject, scanning from the left.
// An empty literal counts 0.
int countLiteral(const Text& subject, const Text& literal, bool caseSensitive = false);

// Drops one leading and one trailing "\r\n", then every blank line (a line break
// followed only by white space up to the next carriage return).
Text removeBlankLines(const Text& text);

}  // namespace bk
