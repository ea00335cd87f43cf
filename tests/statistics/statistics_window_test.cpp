#include <gtest/gtest.h>

#include "../support/headless_program.h"
#include "ledger/ledger_file.h"

namespace bk {
namespace {

Text recordWithGain(const Text& name, const Text& gain) {
    return "\r\n用户数据：\r\n用户名称：" + name + "】\r\n押金：10】\r\n总余额：10】\r\n加成：" +
           gain + "】\r\n下注总额：0】\r\n";
}

// The running income is cut toward zero after every player; the label shows it negated.
TEST(StatisticsWindow, IncomeAndWinDrawLoss) {
    struct Case {
        std::vector<Text> gains;
        Text label;
        std::vector<Text> verdicts;
    } cases[] = {
        {{"1.9", "1.9"}, "今日卖家收入：-2", {"胜", "胜"}},
        {{"0.5", "-0.5"}, "今日卖家收入：0", {"胜", "负"}},
        {{"-3.7", "1.2", "-0.9"}, "今日卖家收入：1", {"负", "胜", "负"}},
        {{"0.00000005", "0.0000002", "-0.0000002"}, "今日卖家收入：0", {"平", "胜", "负"}},
        {{"", "abc", "0"}, "今日卖家收入：0", {"平", "平", "平"}},
        {{}, "今日卖家收入：0", {}},
    };
    for (const Case& c : cases) {
        HeadlessProgram p;
        Text ledger;
        for (std::size_t i = 0; i < c.gains.size(); ++i)
            ledger += recordWithGain("p" + std::to_string(i), c.gains[i]);
        if (!ledger.empty()) p.disk.files[p.todayPath()] = ledger;
        bool shown = false;
        // The window lives only while its modal loop runs.
        p.ui.hooks.modalLoop = [&] {
            shown = true;
            EXPECT_EQ(p.ui.text(Ctl::SellerIncomeLabel), c.label) << c.gains.size();
            ASSERT_EQ(p.ui.rowCount(Ctl::PlayerStatsList), static_cast<int>(c.verdicts.size()));
            for (std::size_t i = 0; i < c.verdicts.size(); ++i) {
                const int row = static_cast<int>(i);
                EXPECT_EQ(p.ui.cell(Ctl::PlayerStatsList, row, 0), "p" + std::to_string(i));
                EXPECT_EQ(p.ui.cell(Ctl::PlayerStatsList, row, 2), c.gains[i]);
                EXPECT_EQ(p.ui.cell(Ctl::PlayerStatsList, row, 5), c.verdicts[i]) << c.gains[i];
            }
        };
        p.ui.userClick(Ctl::StatisticsButton);
        EXPECT_TRUE(shown);
    }
}

// History lines: the entries after the record's last field, blank lines dropped, one row each;
// a settlement entry's trailing blank lines make no rows.
TEST(StatisticsWindow, HistoryLines) {
    HeadlessProgram p;
    p.disk.files[p.todayPath()] =
        "\r\n" + recordWithGain("甲", "0") + "\r\n2016年2月28日9时：充值5元" +
        "\r\n2016年2月28日10时：投注开奖号码 1/10与1-2-3-4-5  大  单  虎    加成：10\r\n\r\n" +
        "\r\n2016年2月28日11时：取走3元\r\n\r\n\r\n" + recordWithGain("乙", "0") + "\r\n\r\n";
    std::vector<std::vector<Text>> seen;
    p.ui.hooks.modalLoop = [&] {
        for (int row : {0, 1, 0}) {
            p.ui.userSelectRow(Ctl::PlayerStatsList, row);
            p.ui.userDoubleClick(Ctl::PlayerStatsList);
            EXPECT_TRUE(p.ui.isVisible(Ctl::RecordsGroup));
            std::vector<Text> lines;
            for (int r = 0; r < p.ui.rowCount(Ctl::RecordsList); ++r)
                lines.push_back(p.ui.cell(Ctl::RecordsList, r, 0));
            seen.push_back(lines);
            p.ui.userClick(Ctl::BackButton);
            EXPECT_FALSE(p.ui.isVisible(Ctl::RecordsGroup));
        }
    };
    p.ui.userClick(Ctl::StatisticsButton);
    const std::vector<Text> first = {
        "2016年2月28日9时：充值5元",
        "2016年2月28日10时：投注开奖号码 1/10与1-2-3-4-5  大  单  虎    加成：10",
        "2016年2月28日11时：取走3元"};
    ASSERT_EQ(seen.size(), 3u);
    EXPECT_EQ(seen[0], first);
    EXPECT_EQ(seen[1], std::vector<Text>{});
    EXPECT_EQ(seen[2], first);
    EXPECT_EQ(p.app.todayRecordTexts.size(), 2u);
}

}  // namespace
}  // namespace bk
