// "VBScript.RegExp" and the portable engine side by side: both must give the results of
// one shared table, and the program must fall back to the portable engine when the COM
// object cannot be created.
#include <gtest/gtest.h>
#include <objbase.h>
#include <windows.h>

#include <string>
#include <vector>

#include "../betting/regex_cases.h"
#include "betting/regex_object.h"

namespace bk {
namespace {

RegexEngineSetting settingFor(RegexEngineChoice choice, const char* progId = kComRegexProgId) {
    RegexEngineSetting s;
    s.choice = choice;
    s.comProgId = progId;
    return s;
}

// A ProgID no system registers: creation fails as it does where VBScript is removed.
constexpr const char* kMissingProgId = "Brackenmoor.NoSuchRegExp";

// True when this thread has no COM initialisation left over (CoInitialize would be the
// first one). Leaves the thread as it found it.
bool comUninitialisedOnThisThread() {
    const HRESULT hr = CoInitialize(nullptr);
    if (SUCCEEDED(hr)) CoUninitialize();
    return hr == S_OK;
}

class RegexEngines : public ::testing::Test {
  protected:
    void SetUp() override {
        saved_ = regexEngineSetting();
        ASSERT_TRUE(comUninitialisedOnThisThread());
    }
    void TearDown() override { setRegexEngineSetting(saved_); }

    // Runs the shared table with the process-wide setting, through the same free functions
    // the settlement and the statistics window call.
    static void expectSharedCases(const char* label) {
        for (const auto& c : regex_cases::countCases()) {
            EXPECT_EQ(countLiteral(c.subject, c.literal, c.caseSensitive), c.expected)
                << label << ": " << c.what;
        }
        for (const auto& c : regex_cases::blankLineCases()) {
            EXPECT_EQ(removeBlankLines(c.input), c.expected) << label << ": " << c.what;
        }
    }

  private:
    RegexEngineSetting saved_;
};

TEST_F(RegexEngines, ComEngineIsThere) {
    RegexObject re(settingFor(RegexEngineChoice::com));
    ASSERT_TRUE(re.execute("1", "11231"));
    EXPECT_STREQ(re.engineName(), "VBScript.RegExp");
    EXPECT_EQ(re.matchCount(), 3);
    EXPECT_EQ(re.getPattern(), "1");
}

TEST_F(RegexEngines, BothEnginesGiveTheSharedResults) {
    for (RegexEngineChoice choice :
         {RegexEngineChoice::com, RegexEngineChoice::portable, RegexEngineChoice::automatic}) {
        setRegexEngineSetting(settingFor(choice));
        expectSharedCases(RegexObject().engineName());
    }
    // Every object balanced its COM initialisation.
    EXPECT_TRUE(comUninitialisedOnThisThread());
}

TEST_F(RegexEngines, FallsBackWhenTheComObjectCannotBeCreated) {
    {
        // Without the fallback the missing object fails every execute (and would count 0).
        RegexObject forced(settingFor(RegexEngineChoice::com, kMissingProgId));
        EXPECT_FALSE(forced.execute("1", "11231"));
        EXPECT_EQ(forced.matchCount(), 0);
        EXPECT_EQ(forced.getPattern(), "");

        RegexObject automatic(settingFor(RegexEngineChoice::automatic, kMissingProgId));
        ASSERT_TRUE(automatic.execute("1", "11231"));
        EXPECT_STREQ(automatic.engineName(), "portable");
        EXPECT_EQ(automatic.matchCount(), 3);
    }

    setRegexEngineSetting(settingFor(RegexEngineChoice::automatic, kMissingProgId));
    expectSharedCases("fallback");
    EXPECT_TRUE(comUninitialisedOnThisThread());
}

TEST_F(RegexEngines, ComBalancedOnAThreadAlreadyInitialised) {
    ASSERT_EQ(CoInitialize(nullptr), S_OK);
    EXPECT_EQ(countLiteral("11231", "1"), 3);
    {
        RegexObject re(settingFor(RegexEngineChoice::automatic, kMissingProgId));
        EXPECT_TRUE(re.execute("a", "a"));
    }
    // Our own initialisation is still in force: a further one only adds a count.
    EXPECT_EQ(CoInitialize(nullptr), S_FALSE);
    CoUninitialize();
    CoUninitialize();
    EXPECT_TRUE(comUninitialisedOnThisThread());
}

// The object's other operations agree between the engines on general patterns too.
struct OperationCase {
    const char* what;
    Text pattern;
    Text subject;
    bool caseSensitive;
    bool global;
    Text replacement;
};

TEST_F(RegexEngines, OperationsAgree) {
    const std::vector<OperationCase> cases = {
        {"groups in the replacement", "(\\d)/(\\d+)", "1/10,2/20", false, true, "$2:$1"},
        {"whole match and dollar", "\\d+", "a12b3", false, true, "[$&]$$"},
        {"first match only", "\\d", "a1b2", false, false, "#"},
        {"chinese", "大(单|双)", "大单10,大双5,小单3", false, true, "豹$1"},
        {"chinese positions", "中.", "a中1b中2", false, true, "x"},
        {"case folded", "ab", "AB ab Ab", false, true, "-"},
        {"case kept", "ab", "AB ab Ab", true, true, "-"},
        {"range folded", "[a-c]+", "ABCD abcd", false, true, "#"},
        {"classes", "\\s+\\w", "a  b\t\tc", false, true, "_"},
        {"anchors per line", "^\\d", "1a\r\n2b\n3c", false, true, "#"},
        {"blank-line pattern", "\\n\\s*\\r", "a\r\n \r\n\r\nb\r\nc", false, true, ""},
        {"no match", "z", "abc", false, true, "y"},
        {"trail bytes in subject", "\\\\|\\[", BK_TRAIL_BACKSLASH "\\" BK_TRAIL_BRACKET "[", false,
         true, "!"},
    };
    for (const auto& c : cases) {
        RegexObject com(settingFor(RegexEngineChoice::com));
        RegexObject portable(settingFor(RegexEngineChoice::portable));
        ASSERT_TRUE(com.execute(c.pattern, c.subject, c.caseSensitive, true, c.global)) << c.what;
        ASSERT_TRUE(portable.execute(c.pattern, c.subject, c.caseSensitive, true, c.global))
            << c.what;
        ASSERT_STREQ(com.engineName(), "VBScript.RegExp");
        EXPECT_EQ(com.getPattern(), portable.getPattern()) << c.what;
        ASSERT_EQ(com.matchCount(), portable.matchCount()) << c.what;
        for (int n = 1; n <= com.matchCount(); ++n) {
            int comAt = -2, portableAt = -3;
            EXPECT_EQ(com.matchText(n, &comAt), portable.matchText(n, &portableAt))
                << c.what << " match " << n;
            EXPECT_EQ(comAt, portableAt) << c.what << " match " << n;
        }
        EXPECT_EQ(com.replace(c.replacement), portable.replace(c.replacement)) << c.what;
    }
}

TEST_F(RegexEngines, BothRejectABadPattern) {
    for (RegexEngineChoice choice : {RegexEngineChoice::com, RegexEngineChoice::portable}) {
        RegexObject re(settingFor(choice));
        EXPECT_FALSE(re.execute("(", "abc")) << re.engineName();
        EXPECT_EQ(re.matchCount(), 0) << re.engineName();
        EXPECT_EQ(re.replace("x"), "") << re.engineName();
    }
}

}  // namespace
}  // namespace bk
