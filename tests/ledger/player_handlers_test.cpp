#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>

#include "../support/headless_program.h"
#include "ledger/bill_log.h"
#include "ledger/ledger_file.h"

namespace bk {
namespace {

using Messages = std::vector<Text>;

// A ledger write that fails still shows the change in the lists, and the banker is told
// once per button press.
TEST(PlayerHandlers, FailedLedgerWriteIsReportedOncePerPress) {
    HeadlessProgram p;
    p.add("甲", "100", "1/10");
    p.disk.refuseWrites = true;

    p.add("乙", "50");
    EXPECT_EQ(p.messages(), Messages{"数据保存失败！"});
    EXPECT_EQ(p.ui.rowCount(Ctl::BillsList), 2);
    EXPECT_EQ(p.ledger(), newRecordText("甲", "100"));

    p.pickBill(0);
    p.ui.setText(Ctl::RechargeAmountBox, "5");
    p.ui.userClick(Ctl::RechargeButton);
    p.ui.setText(Ctl::WithdrawAmountBox, "2");
    p.ui.userClick(Ctl::WithdrawButton);
    EXPECT_EQ(p.messages(), (Messages{"数据保存失败！", "数据保存失败！", "数据保存失败！"}));
    EXPECT_EQ(p.ui.text(Ctl::EditBalanceBox), "103");
    EXPECT_EQ(p.ui.cell(Ctl::BillsList, 0, 5), "103");
    EXPECT_EQ(p.ledger(), newRecordText("甲", "100"));

    // Modify never writes, so it has nothing to report.
    p.ui.setText(Ctl::EditBetBox, "2/5");
    p.ui.userClick(Ctl::ModifyButton);
    EXPECT_EQ(p.messages().size(), 3u);
}

// Nothing is written, so nothing can fail: a player restored from his record, and money
// moved for a player the day's file does not know.
TEST(PlayerHandlers, NoWriteNoFailureMessage) {
    HeadlessProgram p;
    p.add("甲", "100");
    p.ui.userSelectRow(Ctl::BillsList, 0);
    p.ui.deleteRow(Ctl::BillsList, 0);
    p.disk.refuseWrites = true;
    const int writesBefore = p.disk.writes;

    p.add("甲", "999", "1/10");
    EXPECT_EQ(p.messages(), Messages{"账号已在数据，已自动添加！"});
    EXPECT_EQ(p.ui.text(Ctl::DepositEdit), "100");
    EXPECT_EQ(p.ui.cell(Ctl::BillsList, 0, 1), "100");
    EXPECT_EQ(p.ui.cell(Ctl::BillsList, 0, 4), "0");
    EXPECT_EQ(p.ui.cell(Ctl::BillsList, 0, 8), "90");

    p.clock.set({2016, 2, 29, 0, 0, 1});  // after midnight: a new day's file
    p.pickBill(0);
    p.ui.setText(Ctl::RechargeAmountBox, "5");
    p.ui.userClick(Ctl::RechargeButton);
    EXPECT_EQ(p.ui.cell(Ctl::BillsList, 0, 5), "105");
    EXPECT_EQ(p.messages().size(), 1u);
    EXPECT_EQ(p.disk.writes, writesBefore);
}

// A restored player's deposit, balance and gain come from his record, whatever was typed.
TEST(PlayerHandlers, RestoredFromTheRecord) {
    HeadlessProgram p;
    p.disk.files[p.todayPath()] =
        "\r\n用户数据：\r\n用户名称：甲】\r\n押金：100】\r\n总余额：80】\r\n加成：-20】\r\n"
        "下注总额：20】\r\n\r\n2016年2月28日：充值5元\r\n";
    const Text before = p.ledger();
    p.add("甲", "7", "大5");
    EXPECT_EQ(p.messages(), Messages{"账号已在数据，已自动添加！"});
    EXPECT_EQ(p.ui.text(Ctl::DepositEdit), "100");
    const std::vector<Text> row = {"甲", "100", "", "大5", "-20", "80", "", "可以自定义", "75"};
    for (int col = 0; col < 9; ++col) EXPECT_EQ(p.ui.cell(Ctl::BillsList, 0, col), row[col]);
    EXPECT_EQ(p.ledger(), before);
}

// The same on the real disk: today's ledger name taken by a folder cannot be written.
TEST(PlayerHandlers, LedgerPathTakenByAFolder) {
    namespace fs = std::filesystem;
    const fs::path dir =
        fs::temp_directory_path() /
        ("bk_ledger_" +
         std::to_string(std::chrono::steady_clock::now().time_since_epoch().count()));
    ASSERT_TRUE(fs::create_directory(dir));
    HeadlessUi ui;
    FixedClock clock{DateTime{2016, 2, 28, 12, 0, 0}};
    auto random = makeRandomSource(1);
    auto disk = makeSystemFileSystem();
    App app(ui, clock, *random, *disk, dir.string());
    ui.connect(app);
    ui.createMainWindow();
    ASSERT_TRUE(disk->isDirectory(app.dataDirectory));
    ASSERT_TRUE(disk->makeDirectory(todayLedgerPath(app)));

    ui.setText(Ctl::PlayerNameEdit, "甲");
    ui.setText(Ctl::DepositEdit, "100");
    ui.userClick(Ctl::AddButton);
    ASSERT_EQ(ui.messages().size(), 1u);
    EXPECT_EQ(ui.messages()[0].text, "数据保存失败！");
    EXPECT_EQ(ui.rowCount(Ctl::BillsList), 1);
    EXPECT_TRUE(disk->isDirectory(todayLedgerPath(app)));
    ui.closeMainWindow();
    fs::remove_all(dir);
}

TEST(PlayerHandlers, FailedBillLogWriteIsShownOnTheGuiThread) {
    HeadlessProgram p;
    p.disk.refuseWrites = true;
    {
        auto writer = makeBillLogWriter(p.app);
        writer->enqueue("one");
        writer->enqueue("two");
        writer->drain();
        EXPECT_TRUE(p.messages().empty());  // not shown from the worker itself
    }
    p.ui.runPosted();
    EXPECT_EQ(p.messages(), (Messages{"账单保存失败！", "账单保存失败！"}));
}

// A ledger that is there but cannot be read is never rewritten from an empty text (that
// would drop every record of the day): each press says the change was not saved, once, and
// the lists change as they do when a write fails.
TEST(PlayerHandlers, UnreadableLedgerIsLeftAlone) {
    HeadlessProgram p;
    p.add("甲", "100", "1/10");
    const Text before = p.ledger();
    p.disk.unreadable.insert(p.todayPath());

    p.add("乙", "50");
    EXPECT_EQ(p.messages(), Messages{"数据保存失败！"});
    EXPECT_EQ(p.ui.rowCount(Ctl::BillsList), 2);

    p.pickBill(0);
    p.ui.setText(Ctl::RechargeAmountBox, "5");
    p.ui.userClick(Ctl::RechargeButton);
    p.ui.setText(Ctl::WithdrawAmountBox, "2");
    p.ui.userClick(Ctl::WithdrawButton);
    EXPECT_EQ(p.messages(), (Messages{"数据保存失败！", "数据保存失败！", "数据保存失败！"}));
    EXPECT_EQ(p.ui.text(Ctl::EditBalanceBox), "103");
    EXPECT_EQ(p.ui.cell(Ctl::BillsList, 0, 5), "103");
    EXPECT_EQ(p.ledger(), before);
}

// Midnight passing between the read and the write of one press: the press keeps to the
// day it read, so the new day's file never starts with the old day's records.
TEST(PlayerHandlers, PressAcrossMidnightKeepsToOneDay) {
    const DateTime lastSecond{2016, 2, 28, 23, 59, 59};
    const DateTime nextDay{2016, 2, 29, 0, 0, 0};
    const Text oldDay = newRecordText("甲", "100");
    struct Case {
        const char* what;
        Ctl button;
        Text dayAfter;  // the old day's file after the press
    } cases[] = {
        {"add", Ctl::AddButton, oldDay + newRecordText("乙", "50")},
        {"recharge", Ctl::RechargeButton,
         "\r\n用户数据：\r\n用户名称：甲】\r\n押金：100】\r\n总余额：105】\r\n加成：0】\r\n"
         "下注总额：0】\r\n\r\n2016年2月28日23时59分59秒：充值5元\r\n"},
        {"withdraw", Ctl::WithdrawButton,
         "\r\n用户数据：\r\n用户名称：甲】\r\n押金：100】\r\n总余额：98】\r\n加成：0】\r\n"
         "下注总额：0】\r\n\r\n2016年2月28日23时59分59秒：取走2元\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        HeadlessProgram p;
        p.clock.set(lastSecond);
        p.add("甲", "100");
        ASSERT_EQ(p.ledger(), oldDay);
        const Text oldPath = p.todayPath();
        p.pickBill(0);
        p.ui.setText(Ctl::PlayerNameEdit, "乙");
        p.ui.setText(Ctl::DepositEdit, "50");
        p.ui.setText(Ctl::RechargeAmountBox, "5");
        p.ui.setText(Ctl::WithdrawAmountBox, "2");

        p.disk.afterRead = [&p, nextDay] { p.clock.set(nextDay); };
        p.ui.userClick(c.button);
        EXPECT_EQ(p.disk.files[oldPath], c.dayAfter);
        EXPECT_EQ(p.disk.files.count(p.todayPath()), 0u) << "no file for the new day";
        EXPECT_TRUE(p.messages().empty());
    }
}

// A field label inside a name or deposit would be found before the field itself, so later
// updates would rewrite the name instead of the balance. Such texts are refused like the
// other texts the layout cannot hold: after the usual checks, and nothing changes.
TEST(PlayerHandlers, FieldLabelsInNameOrDepositAreRefused) {
    HeadlessProgram p;
    p.add("甲", "100");
    const Text before = p.ledger();
    const std::pair<Text, Text> refused[] = {
        {"a总余额：", "100"}, {"用户名称：b", "100"}, {"c", "押金：1"},
        {"d", "5加成："},     {"下注总额：e", "1"},
    };
    for (const auto& [name, deposit] : refused) p.add(name, deposit);
    Messages expected(5, "内容含有非法字符！");
    EXPECT_EQ(p.messages(), expected);
    EXPECT_EQ(p.ui.rowCount(Ctl::BillsList), 1);
    EXPECT_EQ(p.ledger(), before);

    // The usual checks still speak first.
    p.add("a总余额：", "");
    p.add("甲", "押金：1");
    expected.push_back("信息不完整！");
    expected.push_back("该用户已存在！");
    // Words of a label without its colon are plain text, and the record keeps working.
    p.add("总余额", "100");
    EXPECT_EQ(p.messages(), expected);
    p.pickBill(1);
    p.ui.setText(Ctl::RechargeAmountBox, "5");
    p.ui.userClick(Ctl::RechargeButton);
    EXPECT_NE(p.ledger().find("用户名称：总余额】\r\n押金：100】\r\n总余额：105】"), Text::npos);
}

}  // namespace
}  // namespace bk
