#include "ledger/ledger_file.h"

#include <gtest/gtest.h>

namespace bk {
namespace {

const DateTime kNoon{2016, 2, 8, 12, 30, 5};

// The record update as a plain text replace would do it: find the piece, rewrite its fields,
// then replace the first occurrence of the piece in the whole file, ignoring letter case.
// Agrees with applyRecordUpdate whenever no two records differ only in letter case.
std::optional<Text> updateByReplace(const Text& ledger, const RecordUpdate& u) {
    std::vector<Text> pieces = cutRecordPieces(ledger, kRecordMarkerShort);
    int i = findRecord(pieces, u.name);
    if (i < 0) return std::nullopt;
    const Text p = pieces[i];
    Text p2 = p;
    if (u.entry && u.entryFirst) p2 += *u.entry;
    for (const FieldReplacement& f : u.fields) {
        Text old = textBetween(p2, f.label, "】");
        Text value = f.compute ? f.compute(old) : f.value;
        p2 = replaceSeries(p2, {{f.label + old, f.label + value}}, 1);
    }
    if (u.entry && !u.entryFirst) p2 += *u.entry;
    return replaceSeries(ledger, {{p, p2}}, 1) + "\r\n";
}

RecordUpdate recharge(const Text& name, const Text& amount) {
    return rechargeUpdate(name, kNoon, amount);
}

RecordUpdate withdrawal(const Text& name, const Text& amount) {
    return withdrawalUpdate(name, kNoon, amount);
}

RecordUpdate settlement(const Text& name, const Text& balance, double payout, double stake,
                        bool withEntry) {
    std::optional<Text> entry;
    if (withEntry) {
        const Text boxes[5] = {"3", "8", "0", "8", "5"};
        entry = settlementEntry(kNoon, "3/10", boxes, " 大  单  虎", numberToText(payout - stake));
    }
    return settlementUpdate(name, balance, payout, stake, entry);
}

TEST(LedgerRecord, NewRecordAndFileNameAreByteExact) {
    EXPECT_EQ(newRecordText("张三", "100"),
              "\r\n用户数据：\r\n用户名称：张三】\r\n押金：100】\r\n总余额：100】\r\n"
              "加成：0】\r\n下注总额：0】\r\n");
    EXPECT_EQ(ledgerFileName({2016, 2, 28, 23, 59, 59}), "2016年2月28日");
    EXPECT_EQ(ledgerFileName({2026, 12, 1, 0, 0, 0}), "2026年12月1日");
}

TEST(LedgerRecord, EntriesAreByteExact) {
    const Text boxes[5] = {"3", "8", "0", "8", "5"};
    EXPECT_EQ(settlementEntry({2016, 2, 8, 9, 5, 7}, "3/10", boxes, " 大  单  虎", "10"),
              "\r\n2016年2月8日9时5分7秒：投注开奖号码 3/10与3-8-0-8-5  大  单  虎    加成：10"
              "\r\n\r\n");
    EXPECT_EQ(rechargeEntry({2016, 2, 8, 0, 0, 0}, "50.0"), "\r\n2016年2月8日：充值50.0元");
    EXPECT_EQ(withdrawalEntry({2016, 2, 8, 9, 0, 0}, ""), "\r\n2016年2月8日9时：取走元");
}

TEST(LedgerPieces, CuttingRules) {
    struct Case {
        Text text;
        Text marker;
        std::vector<Text> pieces;
    } cases[] = {
        {"", kRecordMarker, {}},
        {"abc", kRecordMarker, {"abc"}},
        {"\r\n用户数据：x", kRecordMarker, {"\r\n", "x"}},
        {"\r\n用户数据：x", kRecordMarkerShort, {"\r\n", "：x"}},
        {"用户数据：用户数据：", kRecordMarker, {"", ""}},
        {"a用户数据：", kRecordMarker, {"a"}},
        // The marker's bytes starting on a trail byte (after 0xB0) are not a marker.
        {"\xB0\xD3\xC3\xBB\xA7\xCA\xFD\xBE\xDD\xA3",
         kRecordMarkerShort,
         {"\xB0\xD3\xC3\xBB\xA7\xCA\xFD\xBE\xDD\xA3"}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(cutRecordPieces(c.text, c.marker), c.pieces) << c.text;
        // The spans describe the same pieces.
        std::vector<Text> fromSpans;
        for (const PieceSpan& s : cutRecordSpans(c.text, c.marker))
            fromSpans.push_back(c.text.substr(s.offset, s.length));
        EXPECT_EQ(fromSpans, c.pieces) << c.text;
    }
}

TEST(LedgerPieces, BothMarkersGiveTheSameRecords) {
    const Text ledger = newRecordText("A", "1") + newRecordText("AB", "2") + "\r\n\r\n";
    auto full = cutRecordPieces(ledger, kRecordMarker);
    auto shortCut = cutRecordPieces(ledger, kRecordMarkerShort);
    ASSERT_EQ(full.size(), 3u);
    ASSERT_EQ(shortCut.size(), 3u);
    for (int i = 1; i < 3; ++i) {
        EXPECT_EQ(full[i].rfind("\r\n用户名称：", 0), 0u);
        EXPECT_EQ("：" + full[i], shortCut[i]);
    }
}

TEST(LedgerPieces, FindRecordAndReadField) {
    const Text ledger =
        newRecordText("AB", "100") + newRecordText("A", "abc") + newRecordText("ab", "7");
    auto pieces = cutRecordPieces(ledger, kRecordMarker);
    EXPECT_EQ(findRecord(pieces, "AB"), 1);
    EXPECT_EQ(findRecord(pieces, "A"), 2);  // a prefix of AB finds only its own record
    EXPECT_EQ(findRecord(pieces, "ab"), 3);
    EXPECT_EQ(findRecord(pieces, "aB"), -1);
    EXPECT_EQ(findRecord(pieces, "B"), -1);
    EXPECT_EQ(readField(pieces[2], kLabelDeposit), "abc");
    EXPECT_EQ(readField(pieces[2], kLabelBalance), "abc");
    EXPECT_EQ(readField(pieces[2], kLabelGain), "0");
    EXPECT_EQ(readField(pieces[3], kLabelName), "ab");
    EXPECT_EQ(readField("押金：12", kLabelDeposit), "");  // no end mark
    EXPECT_EQ(readField("总余额：5】", kLabelDeposit), "");
    EXPECT_EQ(readField("押金：】", kLabelDeposit), "");
}

TEST(LedgerUpdate, RechargeOnTheLastRecordEndsWithOneLineBreak) {
    const Text ledger = newRecordText("甲", "100") + newRecordText("乙", "200");
    auto out = applyRecordUpdate(ledger, recharge("乙", "50.0"));
    ASSERT_TRUE(out);
    EXPECT_EQ(*out,
              newRecordText("甲", "100") +
                  "\r\n用户数据：\r\n用户名称：乙】\r\n押金：200】\r\n总余额：250】\r\n"
                  "加成：0】\r\n下注总额：0】\r\n\r\n2016年2月8日12时30分5秒：充值50.0元\r\n");
}

TEST(LedgerUpdate, WithdrawalOnAMiddleRecordStandsBeforeTheNextMarker) {
    const Text ledger = newRecordText("甲", "100") + newRecordText("乙", "200");
    auto out = applyRecordUpdate(ledger, withdrawal("甲", "30"));
    ASSERT_TRUE(out);
    EXPECT_EQ(
        *out,
        "\r\n用户数据：\r\n用户名称：甲】\r\n押金：100】\r\n总余额：70】\r\n加成：0】\r\n"
        "下注总额：0】\r\n\r\n\r\n2016年2月8日12时30分5秒：取走30元用户数据：\r\n用户名称：乙】"
        "\r\n押金：200】\r\n总余额：200】\r\n加成：0】\r\n下注总额：0】\r\n\r\n");
    auto pieces = cutRecordPieces(*out, kRecordMarker);
    EXPECT_EQ(findRecord(pieces, "甲"), 1);
    EXPECT_EQ(findRecord(pieces, "乙"), 2);
}

TEST(LedgerUpdate, EveryUpdateAddsOneLineBreakAtTheEnd) {
    Text ledger = newRecordText("甲", "100") + newRecordText("乙", "200");
    for (int i = 0; i < 3; ++i) ledger = *applyRecordUpdate(ledger, recharge("甲", "1"));
    EXPECT_EQ(ledger.substr(ledger.size() - 11), "0】\r\n\r\n\r\n\r\n");
    auto pieces = cutRecordPieces(ledger, kRecordMarker);
    EXPECT_EQ(readField(pieces[1], kLabelBalance), "103");
    EXPECT_EQ(readField(pieces[2], kLabelBalance), "200");
}

TEST(LedgerUpdate, NonNumericBalanceCountsAsZeroAndMissingRecordChangesNothing) {
    const Text ledger = newRecordText("甲", "abc");
    auto out = applyRecordUpdate(ledger, withdrawal("甲", "20"));
    ASSERT_TRUE(out);
    EXPECT_EQ(readField(cutRecordPieces(*out, kRecordMarker)[1], kLabelBalance), "-20");
    EXPECT_EQ(readField(cutRecordPieces(*out, kRecordMarker)[1], kLabelDeposit), "abc");
    EXPECT_FALSE(applyRecordUpdate(ledger, recharge("乙", "5")));
    EXPECT_FALSE(applyRecordUpdate("", recharge("甲", "5")));
}

TEST(LedgerUpdate, SettlementReplacesThreeFieldsThenAppendsItsEntry) {
    const Text ledger = newRecordText("甲", "100") + "\r\n";
    auto withEntry = applyRecordUpdate(ledger, settlement("甲", "110", 20, 10, true));
    auto without = applyRecordUpdate(ledger, settlement("甲", "110", 20, 10, false));
    const Text fields =
        "\r\n用户数据：\r\n用户名称：甲】\r\n押金：100】\r\n总余额：110】\r\n加成：10】\r\n"
        "下注总额：10】\r\n\r\n";
    EXPECT_EQ(*without, fields + "\r\n");
    EXPECT_EQ(*withEntry, fields +
                              "\r\n2016年2月8日12时30分5秒：投注开奖号码 3/10与3-8-0-8-5  大  单  "
                              "虎    加成：10\r\n\r\n\r\n");
}

// The update lands on the record it found, even when another record's text differs from it
// only in the letter case of the name.
TEST(LedgerUpdate, NamesDifferingOnlyInCaseAreSeparateRecords) {
    const Text ab = newRecordText("AB", "100");
    const Text lower = newRecordText("ab", "100");
    const Text ledger = ab + lower;
    for (const RecordUpdate& u : {recharge("ab", "5"), settlement("ab", "90", 0, 10, true)}) {
        auto out = applyRecordUpdate(ledger, u);
        ASSERT_TRUE(out);
        EXPECT_EQ(out->substr(0, ab.size()), ab);  // AB untouched
        auto pieces = cutRecordPieces(*out, kRecordMarker);
        ASSERT_EQ(pieces.size(), 3u);
        EXPECT_EQ(readField(pieces[1], kLabelName), "AB");
        EXPECT_EQ(readField(pieces[2], kLabelName), "ab");
        EXPECT_NE(readField(pieces[2], kLabelBalance), "100");
    }
    // And the other way round.
    auto out = applyRecordUpdate(lower + ab, recharge("AB", "5"));
    EXPECT_EQ(out->substr(0, lower.size()), lower);
    EXPECT_EQ(readField(cutRecordPieces(*out, kRecordMarker)[2], kLabelBalance), "105");
}

// Wherever letter case plays no part, the in-place update writes the same bytes as replacing
// the piece's first occurrence in the file.
TEST(LedgerUpdate, SameBytesAsReplacingThePieceText) {
    const Text day = "\r\n" + newRecordText("甲", "100") + newRecordText("A", "5") +
                     newRecordText("AB", "x1") + "\r\n\r\n" + newRecordText("用户", "0");
    std::vector<RecordUpdate> updates = {
        recharge("A", "12.5"),
        withdrawal("AB", "3"),
        settlement("甲", "77", 4, 9, true),
        recharge("用户", ""),
        settlement("A", "1", 0, 0, false),
        withdrawal("甲", "-50"),
        recharge("nobody", "1"),
    };
    Text viaPlace = day, viaReplace = day;
    for (const RecordUpdate& u : updates) {
        auto a = applyRecordUpdate(viaPlace, u);
        auto b = updateByReplace(viaReplace, u);
        ASSERT_EQ(a.has_value(), b.has_value()) << u.name;
        if (!a) continue;
        EXPECT_EQ(*a, *b) << u.name;
        viaPlace = *a;
        viaReplace = *b;
    }
    EXPECT_NE(viaPlace, day);
}

}  // namespace
}  // namespace bk

namespace bk {
namespace {

TEST(LedgerRecord, TextsThatWouldBreakTheLayout) {
    struct Case {
        Text text;
        bool breaks;
    } cases[] = {
        {"张三", false},
        {"", false},
        {"1/10 大5", false},
        {"a】", true},
        {"x用户数据", true},
        {"用户数", false},
        {"a\rb", true},
        {"a\n", true},
        {"\xB0\xA1\xBF\x40", false},  // 】's bytes, misaligned
    };
    for (const Case& c : cases) EXPECT_EQ(breaksLedger(c.text), c.breaks) << c.text;
}

}  // namespace
}  // namespace bk

namespace bk {
namespace {

// A name or deposit holding a field label would be found by Read field before the field.
TEST(LedgerRecord, NamesAndDepositsThatWouldBeMisread) {
    struct Case {
        Text text;
        bool breaks;
    } cases[] = {
        {"张三", false},
        {"a总余额：", true},
        {"用户名称：b", true},
        {"押金：", true},
        {"1加成：2", true},
        {"下注总额：", true},
        // The words without their colon are no label.
        {"总余额", false},
        {"：加成", false},
        {"\xD7\xDC\xD3\xE0\xB6\xEE\xA3", false},  // half a colon
        // And whatever the layout itself cannot hold.
        {"a】", true},
        {"用户数据", true},
    };
    for (const Case& c : cases) EXPECT_EQ(breaksRecordField(c.text), c.breaks) << c.text;
}

}  // namespace
}  // namespace bk
