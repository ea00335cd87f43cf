// The scenario runner itself: parsing, escapes, output and exit codes, the modal loop.
// Script texts are written as u8 literals: scripts are UTF-8 while the program's own
// literals are GBK.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "betting/gbk.h"
#include "interpreter.h"
#include "replay_face.h"
#include "script.h"

namespace bk {
namespace {

TEST(ReplayParse, MalformedLinesAreNamedByTheirNumber) {
    struct Case {
        const char* script;
        int line;
    };
    const Case cases[] = {
        {u8"# comment\n\nfrobnicate\n", 3},
        {u8"click Nowhere\n", 1},
        {u8"click BillsGroup\n", 1},         // a group cannot be clicked
        {u8"focus HelpLabel\n", 1},          // a label cannot take the focus
        {u8"select PlayerNameEdit 0\n", 1},  // not a list
        {u8"select BillsList x\n", 1},
        {u8"select BillsList -2\n", 1},
        {u8"key enter\n", 1},
        {u8"answer maybe\n", 1},
        {u8"clock 2026-13-01 00:00:00\n", 1},
        {u8"clock 2026-12-01\n", 1},
        {u8"close\nset PlayerNameEdit a\\q\n", 2},  // unknown escape
        {u8"type abc\\\n", 1},                      // a lone backslash at the end
        {u8"expect colour BillsList 0 0 FFFFFF red\n", 1},
        {u8"expect odds 1 2 3\n", 1},
        {u8"expect odds 1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17 18\n", 1},
        {u8"expect size ledger\n", 1},
        {u8"expect file journal x\n", 1},
        {u8"expect visible BillsList maybe\n", 1},
        {u8"select  BillsList 0\n", 1},  // words are separated by one space
        {u8"wait now\n", 1},
        {u8"dump nothing\n", 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.script);
        std::vector<Command> out;
        ParseError error{0, ""};
        EXPECT_FALSE(parseScript(c.script, out, error));
        EXPECT_EQ(error.line, c.line);
        EXPECT_FALSE(error.message.empty());
    }
}

TEST(ReplayParse, TextsRunToTheEndOfTheLineWithTheirEscapes) {
    std::vector<Command> cmds;
    ParseError error{0, ""};
    ASSERT_TRUE(parseScript(u8"set PlayerNameEdit \\sa\\tb\\\\c\\r\\n\r\n"
                            u8"expect text PlayerNameEdit  two  blanks \n"
                            u8"expect text odds:大：\n"
                            u8"menu 点击删除 \n"
                            u8"expect cell BillsList 2 3 大10 小5\n"
                            u8"expect colour BillsList 0 1 0088FF *\n"
                            u8"select BillsList -1\n",
                            cmds, error))
        << error.message;
    ASSERT_EQ(cmds.size(), 7u);
    EXPECT_EQ(cmds[0].text, " a\tb\\c\r\n");  // the CR of a CRLF line end is not text
    EXPECT_EQ(cmds[1].text, " two  blanks ");
    EXPECT_EQ(cmds[2].control, Ctl::OddsBigBox);
    EXPECT_EQ(cmds[2].text, "");
    EXPECT_EQ(cmds[3].text, "点击删除 ");  // GBK, trailing blank kept
    EXPECT_EQ(cmds[4].row, 2);
    EXPECT_EQ(cmds[4].col, 3);
    EXPECT_EQ(cmds[4].text, "大10 小5");
    ASSERT_TRUE(cmds[5].colours[0].has_value());
    EXPECT_EQ(*cmds[5].colours[0], rgb(0, 0x88, 0xFF));
    EXPECT_FALSE(cmds[5].colours[1].has_value());
    EXPECT_EQ(cmds[6].row, -1);
}

TEST(ReplayParse, EscapedOutputReadsBackAsTheSameText) {
    const Text texts[] = {" a\tb\\c\r\n ", "押金：100】\r\n", "", "  ", "a b"};
    for (const Text& t : texts) {
        std::vector<Command> cmds;
        ParseError error{0, ""};
        ASSERT_TRUE(parseScript("set PlayerNameEdit " + escapeText(t) + "\n", cmds, error));
        EXPECT_EQ(cmds[0].text, t);
    }
    EXPECT_EQ(escapeText(" a b "), "\\sa b\\s");
}

struct ReplayRun : ::testing::Test {
    std::filesystem::path dir;
    std::ostringstream out, notes;

    void SetUp() override {
        dir = std::filesystem::temp_directory_path() /
              ("bk-replay-test-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
               "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(dir);
        std::filesystem::create_directories(dir);
    }
    void TearDown() override { std::filesystem::remove_all(dir); }

    int run(const std::string& script) {
        std::vector<Command> cmds;
        ParseError error{0, ""};
        EXPECT_TRUE(parseScript(script, cmds, error)) << error.message;
        auto face = makeHeadlessReplayFace();
        return runScenario(cmds, *face, utf8ToGbk(dir.string()), out, notes);
    }
};

TEST_F(ReplayRun, MessagesArePrintedAndTheFirstFailureEndsTheRun) {
    const int code = run(u8"click HelpLabel\n"
                         u8"expect page 1\n"
                         u8"click HelpLabel\n");
    EXPECT_EQ(code, 1);
    EXPECT_EQ(out.str(),
              u8"message: 押金：带进来的钱\\r\\n投注内容：用空格进行分开\\r\\n玩法名称：1/钱，二连/钱，"
              u8"三连/钱，四连/钱，五连/钱，小钱，大钱，单钱，双钱，龙钱，虎钱，和钱\n"
              u8"FAIL line 2: page: expected 1, found 0\n");
}

TEST_F(ReplayRun, MessagesAreExpectedOldestFirst) {
    EXPECT_EQ(run(u8"click HelpLabel\n"
                  u8"rightclick BillsList\n"
                  u8"menu 全部删除\n"
                  u8"expect message 确定删除全部账单并清空今日数据吗？\n"),
              1);  // the help message is the oldest
    EXPECT_NE(out.str().find(u8"FAIL line 4: message: expected \"确定删除"), std::string::npos);

    out.str("");
    EXPECT_EQ(run(u8"click HelpLabel\nexpect nomessage\n"), 1);
    EXPECT_NE(out.str().find("FAIL line 2: expected no message, found 1"), std::string::npos);

    out.str("");
    EXPECT_EQ(run(u8"expect message x\n"), 1);
    EXPECT_NE(out.str().find("found no message"), std::string::npos);

    // A message nobody expects does not fail the run.
    EXPECT_EQ(run(u8"click HelpLabel\n"), 0);
}

TEST_F(ReplayRun, AnswersGoToYesNoBoxesInOrder) {
    // The first "全部删除" takes the queued no, the second the yes; the help box in
    // between takes none.
    EXPECT_EQ(run(u8"clock 2026-12-11 08:00:00\n"
                  u8"answer no\n"
                  u8"answer yes\n"
                  u8"rightclick BillsList\n"
                  u8"menu 全部删除\n"
                  u8"expect size ledger -1\n"
                  u8"click HelpLabel\n"
                  u8"rightclick BillsList\n"
                  u8"menu 全部删除\n"
                  u8"expect size ledger 0\n"),
              0)
        << out.str();
    EXPECT_TRUE(std::filesystem::exists(dir / std::filesystem::u8path(u8"shuju/2026年12月11日")));
}

TEST_F(ReplayRun, TheStatisticsWindowRunsTheScriptUntilClose) {
    EXPECT_EQ(run(u8"click StatisticsButton\n"
                  u8"expect visible PlayerStatsList yes\n"
                  u8"click PageSwitchButton\n"  // MainWindow is disabled meanwhile
                  u8"close\n"
                  u8"expect page 0\n"
                  u8"click PageSwitchButton\n"
                  u8"expect page 1\n"
                  u8"click StatisticsButton\n"),  // the script may end with it open
              0)
        << out.str();
    EXPECT_NE(notes.str().find("note line 3: click PageSwitchButton takes no input now"),
              std::string::npos);

    out.str("");
    EXPECT_EQ(run(u8"click StatisticsButton\nexpect page 1\nclick HelpLabel\n"), 1);
    EXPECT_EQ(out.str(), "FAIL line 2: page: expected 1, found 0\n");

    out.str("");
    EXPECT_EQ(run(u8"expect text SellerIncomeLabel x\n"), 1);
    EXPECT_NE(out.str().find("which is not open"), std::string::npos);
}

TEST_F(ReplayRun, AfterClosingOnlyTheFilesRemain) {
    EXPECT_EQ(run(u8"close\nexpect size billlog -1\nexpect odds 2 4 6 8 10 4 8 16 40 65 1.9 "
                  u8"1.9 1.9 2 2 6 1.9\nexpect page 0\n"),
              1);
    EXPECT_EQ(out.str(), "FAIL line 4: the program has ended (MainWindow was closed)\n");
}

TEST_F(ReplayRun, AnActionWithNothingToActOnFails) {
    EXPECT_EQ(run(u8"menu 全部删除\n"), 1);
    EXPECT_NE(out.str().find("FAIL line 1: cannot choose menu item"), std::string::npos);
    out.str("");
    EXPECT_EQ(run(u8"select BillsList 0\n"), 1);
    out.str("");
    EXPECT_EQ(run(u8"choose SeparatorCombo 5\n"), 1);
    out.str("");
    EXPECT_EQ(run(u8"choose SeparatorCombo 4\nexpect text SeparatorCombo t\n"), 0) << out.str();
}

TEST_F(ReplayRun, DumpsCanBePastedBackAsExpectations) {
    EXPECT_EQ(run(u8"set ResultLog a\\r\\nb \n"
                  u8"dump ResultLog\n"
                  u8"dump BillsList\n"
                  u8"expect colour BillsList 0 0 * *\n"),
              1);
    EXPECT_EQ(out.str(),
              "ResultLog: a\\r\\nb\\s\n"
              "BillsList: 0 rows\n"
              "FAIL line 4: colour of cell 0,0 of BillsList: there is no such cell\n");
}

}  // namespace
}  // namespace bk
