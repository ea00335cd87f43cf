// The window's handlers and the input conveniences, on the headless face.
#include <gtest/gtest.h>

#include "shell_fixture.h"

namespace bk {
namespace {

using StartUp = ShellFixture;

TEST_F(StartUp, CreationLoadsOddsThenAdjustsSkinThenMakesTheDataFolder) {
    std::vector<int> hsv;
    double bigWhenAdjusted = 0;
    app.adjustSkinHsv = [&](int h, int s, int v) {
        hsv = {h, s, v};
        bigWhenAdjusted = app.odds.oddsBig;
        EXPECT_TRUE(fs.made.empty());
    };
    start();
    EXPECT_EQ(hsv, (std::vector<int>{120, 90, 40}));
    EXPECT_DOUBLE_EQ(bigWhenAdjusted, 1.9);
    // The run directory keeps its backslashes; the data folder is joined with a slash.
    EXPECT_EQ(app.dataDirectory, "D:\\tools\\calc/shuju");
    EXPECT_EQ(fs.made, std::vector<Text>{"D:\\tools\\calc/shuju"});
    const double defaults[] = {2, 4, 6, 8, 10, 4, 8, 16, 40, 65, 1.9, 1.9, 1.9, 2, 2, 6, 1.9};
    for (int i = 0; i < OddsTable::kSlotCount; ++i) EXPECT_DOUBLE_EQ(app.odds.slot(i), defaults[i]);
}

TEST_F(StartUp, AnExistingDataFolderIsKeptAndAFileInTheWayIsNoObstacle) {
    fs.dirs.insert("D:\\tools\\calc/shuju");
    fs.files["D:\\tools\\calc/shuju/2026年12月10日"] = "old";
    start();
    EXPECT_TRUE(fs.made.empty());
    EXPECT_EQ(fs.files["D:\\tools\\calc/shuju/2026年12月10日"], "old");

    HeadlessUi ui2;
    MemoryFileSystem fs2;
    fs2.files["D:\\tools\\calc/shuju"] = "";  // a plain file named shuju
    App app2{ui2, clock, random, fs2, "D:\\tools\\calc"};
    ui2.connect(app2);
    ui2.createMainWindow();
    EXPECT_EQ(app2.dataDirectory, "D:\\tools\\calc/shuju");
    EXPECT_TRUE(ui2.messages().empty());
}

using OddsConfirm = ShellFixture;

TEST_F(OddsConfirm, BoxesCountOnlyWhenConfirmed) {
    start();
    ui.setText(Ctl::OddsBigBox, "2");
    ui.setText(Ctl::OddsQiBox, "99");
    EXPECT_DOUBLE_EQ(app.odds.oddsBig, 1.9);
    ui.setCurrentPage(1);
    ui.userClick(Ctl::OddsConfirmButton);
    EXPECT_DOUBLE_EQ(app.odds.oddsBig, 2);
    ui.setText(Ctl::OddsTieBox, "");
    ui.setText(Ctl::OddsDragonBox, "5元");
    ui.userClick(Ctl::OddsConfirmButton);
    EXPECT_DOUBLE_EQ(app.odds.oddsTie, 0);
    EXPECT_DOUBLE_EQ(app.odds.oddsDragon, 5);
    // The hidden boxes "奇：" and "偶：" feed nothing; "二连一：" keeps its 4.
    const double expected[] = {2, 4, 6, 8, 10, 4, 8, 16, 40, 65, 2, 1.9, 1.9, 5, 2, 0, 1.9};
    for (int i = 0; i < OddsTable::kSlotCount; ++i) EXPECT_DOUBLE_EQ(app.odds.slot(i), expected[i]);
}

using WindowHandlers = ShellFixture;

TEST_F(WindowHandlers, ColumnToggleSetsTheWidthAfreshEachTime) {
    start();
    ui.setColumnWidth(Ctl::BillStatsList, 4, 120);  // resized by the user
    ui.userClick(Ctl::ShowColumnCheck);
    EXPECT_TRUE(ui.isChecked(Ctl::ShowColumnCheck));
    EXPECT_EQ(ui.columnWidth(Ctl::BillStatsList, 4), 0);
    ui.userClick(Ctl::ShowColumnCheck);
    EXPECT_EQ(ui.columnWidth(Ctl::BillStatsList, 4), 200);
    EXPECT_EQ(ui.columnWidth(Ctl::BillStatsList, 3), 200);
}

TEST_F(WindowHandlers, PageSwitchNeverReachesTheThirdPage) {
    start();
    for (int expected : {1, 0, 1, 0}) {
        ui.userClick(Ctl::PageSwitchButton);
        EXPECT_EQ(ui.currentPage(), expected);
        EXPECT_NE(ui.isVisible(Ctl::BillsList), ui.isVisible(Ctl::OddsConfirmButton));
        EXPECT_FALSE(ui.isVisible(Ctl::InertBillsList));
    }
}

using DigitBoxes = ShellFixture;

TEST_F(DigitBoxes, FiveDigitsTypedInOneGo) {
    start();
    ui.userClick(Ctl::DigitBox1);
    ui.userType("12345");
    const Ctl boxes[] = {Ctl::DigitBox1, Ctl::DigitBox2, Ctl::DigitBox3, Ctl::DigitBox4,
                         Ctl::DigitBox5};
    for (int i = 0; i < 5; ++i) EXPECT_EQ(ui.text(boxes[i]), Text(1, static_cast<char>('1' + i)));
    EXPECT_EQ(ui.focused(), Ctl::DigitBox5);
    // DigitBox5 has no jump: a further digit is refused unless its text is selected.
    ui.userType("9");
    EXPECT_EQ(ui.text(Ctl::DigitBox5), "5");

    // A second round over the filled boxes replaces each digit.
    ui.userClick(Ctl::DigitBox1);
    ui.userType("67890");
    EXPECT_EQ(ui.text(Ctl::DigitBox1), "6");
    EXPECT_EQ(ui.text(Ctl::DigitBox4), "9");
    EXPECT_EQ(ui.text(Ctl::DigitBox5), "0");
}

TEST_F(DigitBoxes, BackspaceEmptiesTheBoxAndMovesOnWithTheNextDigitSelected) {
    start();
    ui.userClick(Ctl::DigitBox1);
    ui.userType("12345");
    ui.userClick(Ctl::DigitBox2);
    auto [a, b] = ui.textSelection(Ctl::DigitBox2);
    EXPECT_EQ(b - a, 1u);  // the click selects the digit
    ui.userBackspace();
    EXPECT_EQ(ui.text(Ctl::DigitBox2), "");
    EXPECT_EQ(ui.focused(), Ctl::DigitBox3);
    std::tie(a, b) = ui.textSelection(Ctl::DigitBox3);
    EXPECT_EQ(ui.text(Ctl::DigitBox3).substr(a, b - a), "3");
}

TEST_F(DigitBoxes, ProgramSetTextMovesTheFocusToo) {
    start();
    ui.setText(Ctl::DigitBox3, "");
    EXPECT_EQ(ui.focused(), Ctl::DigitBox4);
    ui.setText(Ctl::DigitBox5, "1");
    EXPECT_EQ(ui.focused(), Ctl::DigitBox4);
}

using AutoFill = ShellFixture;

TEST_F(AutoFill, ANameWithABillFillsTheAddFieldsAnyOtherEmptiesThem) {
    start();
    // No bills: the boxes keep what they hold.
    ui.setText(Ctl::DepositEdit, "7");
    ui.setText(Ctl::PlayerNameEdit, "x");
    EXPECT_EQ(ui.text(Ctl::DepositEdit), "7");

    addBill("甲", "100", "大10", "100");
    addBill("乙", "200", "小20", "200");
    addBill("丙", "300", "1/5", "280");
    ui.userFocus(Ctl::PlayerNameEdit);
    ui.setText(Ctl::PlayerNameEdit, "");
    ui.userType("丙");
    EXPECT_EQ(ui.text(Ctl::DepositEdit), "300");
    EXPECT_EQ(ui.text(Ctl::BetContentEdit), "1/5");
    ui.userType("a");
    EXPECT_EQ(ui.text(Ctl::DepositEdit), "");
    EXPECT_EQ(ui.text(Ctl::BetContentEdit), "");
    // Exact bytes: a name that only differs in case is another name.
    addBill("Ab", "5", "单5", "5");
    ui.setText(Ctl::PlayerNameEdit, "ab");
    EXPECT_EQ(ui.text(Ctl::DepositEdit), "");
}

using CopyRows = ShellFixture;

TEST_F(CopyRows, AStatsRowClickOverwritesWhatAutoFillPut) {
    start();
    addBill("甲", "100", "大10", "100");
    addStatsRow("甲", "150", "小5");
    ui.setSelectedRow(Ctl::BillStatsList, 0);
    ui.userClick(Ctl::BillStatsList);
    EXPECT_EQ(ui.text(Ctl::PlayerNameEdit), "甲");
    EXPECT_EQ(ui.text(Ctl::DepositEdit), "150");
    EXPECT_EQ(ui.text(Ctl::BetContentEdit), "小5");

    ui.setSelectedRow(Ctl::BillStatsList, -1);
    ui.userClick(Ctl::BillStatsList);
    EXPECT_EQ(ui.text(Ctl::PlayerNameEdit), "");
    EXPECT_EQ(ui.text(Ctl::DepositEdit), "");
    EXPECT_EQ(ui.text(Ctl::BetContentEdit), "");
}

TEST_F(CopyRows, TheEditGroupFollowsEverySelectionChangeOfBillsList) {
    start();
    addBill("甲", "100", "大10", "120");
    addBill("乙", "200", "小20", "180");
    // Keyboard selection, no click.
    ui.userSelectRow(Ctl::BillsList, 1);
    EXPECT_EQ(ui.text(Ctl::EditNameBox), "乙");
    EXPECT_EQ(ui.text(Ctl::EditBalanceBox), "180");
    EXPECT_EQ(ui.text(Ctl::EditBetBox), "小20");
    ui.userSelectRow(Ctl::BillsList, 0);
    EXPECT_EQ(ui.text(Ctl::EditNameBox), "甲");
    // A click fills it from the selected row as before.
    ui.setText(Ctl::EditBetBox, "changed");
    ui.userClick(Ctl::BillsList);
    EXPECT_EQ(ui.text(Ctl::EditBetBox), "大10");
    // The selected bill leaves the list: nothing is selected, so nothing is shown.
    ui.deleteRow(Ctl::BillsList, 0);
    EXPECT_EQ(ui.text(Ctl::EditNameBox), "");
    EXPECT_EQ(ui.text(Ctl::EditBalanceBox), "");
}

struct Menus : ShellFixture {
    const Text todayPath = "D:\\tools\\calc/shuju/2026年12月11日";
    void SetUp() override {
        start();
        addBill("甲", "100", "大10", "100");
        addBill("乙", "200", "小20", "200");
        addStatsRow("甲", "150", "小5");
        addStatsRow("乙", "90", "");
        ui.setText(Ctl::ResultLog, "line\r\n");
        fs.files[todayPath] = "records";
        fs.files["D:\\tools\\calc/shuju/2026年12月10日"] = "yesterday";
    }
    void deleteAll() {
        ui.userRightClick(Ctl::BillsList);
        ASSERT_EQ(ui.userChooseMenu("全部删除"), HeadlessUi::Input::Done);
    }
};

TEST_F(Menus, DeleteAllAsksAndDoesNothingOnNo) {
    deleteAll();  // no answer queued: the default button, No
    ASSERT_EQ(ui.messages().size(), 1u);
    EXPECT_TRUE(ui.messages()[0].yesNo);
    EXPECT_EQ(ui.messages()[0].text, "确定删除全部账单并清空今日数据吗？");
    EXPECT_EQ(ui.rowCount(Ctl::BillsList), 2);
    EXPECT_EQ(fs.files[todayPath], "records");
}

TEST_F(Menus, DeleteAllOnYesEmptiesTheBillsAndTodaysLedgerOnly) {
    setCellColour(app, Ctl::BillsList, 0, 0, rgb(1, 2, 3), rgb(4, 5, 6), true);
    ui.queueAnswer(true);
    deleteAll();
    EXPECT_EQ(ui.rowCount(Ctl::BillsList), 0);
    EXPECT_EQ(fs.files[todayPath], "");
    EXPECT_EQ(fs.files["D:\\tools\\calc/shuju/2026年12月10日"], "yesterday");
    EXPECT_EQ(ui.rowCount(Ctl::BillStatsList), 2);
    EXPECT_EQ(ui.text(Ctl::ResultLog), "line\r\n");
    EXPECT_EQ(app.colours.records(Ctl::BillsList).size(), 1u);
    EXPECT_EQ(ui.messages().size(), 1u);

    // A day without a ledger file gets an empty one.
    clock.set(DateTime{2026, 12, 12, 0, 0, 1});
    ui.queueAnswer(true);
    deleteAll();
    EXPECT_EQ(fs.files.count("D:\\tools\\calc/shuju/2026年12月12日"), 1u);
}

TEST_F(Menus, AFailedEmptyingIsReported) {
    fs.failWrites = true;
    ui.queueAnswer(true);
    deleteAll();
    EXPECT_EQ(ui.rowCount(Ctl::BillsList), 0);
    EXPECT_EQ(fs.files[todayPath], "records");
    EXPECT_EQ(messageTexts(), (std::vector<Text>{"确定删除全部账单并清空今日数据吗？", "数据保存失败！"}));
}

TEST_F(Menus, StatsMenuDeletesTheSelectedRowOrAll) {
    ui.userRightClick(Ctl::BillStatsList);
    ui.userChooseMenu("点击删除 ");  // nothing selected: nothing deleted
    EXPECT_EQ(ui.rowCount(Ctl::BillStatsList), 2);
    ui.setSelectedRow(Ctl::BillStatsList, 0);
    ui.userRightClick(Ctl::BillStatsList);
    ui.userChooseMenu("点击删除 ");
    ASSERT_EQ(ui.rowCount(Ctl::BillStatsList), 1);
    EXPECT_EQ(ui.cell(Ctl::BillStatsList, 0, 1), "乙");
    ui.userRightClick(Ctl::BillStatsList);
    ui.userChooseMenu("点击全部清空");
    EXPECT_EQ(ui.rowCount(Ctl::BillStatsList), 0);
    EXPECT_EQ(ui.rowCount(Ctl::BillsList), 2);
    EXPECT_EQ(fs.files[todayPath], "records");
}

using Closing = ShellFixture;

TEST_F(Closing, ClosingTheMainWindowEmptiesTheColourRegistry) {
    start();
    addBill("甲", "100", "", "100");
    setCellColour(app, Ctl::BillsList, 0, 0, rgb(1, 2, 3), rgb(4, 5, 6), true);
    ui.closeMainWindow();
    EXPECT_FALSE(app.colours.hasEntry(Ctl::BillsList));
    EXPECT_FALSE(ui.windowOpen(Window::Main));
}

}  // namespace
}  // namespace bk
