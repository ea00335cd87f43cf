// The one-pass ledger update must leave exactly the bytes that applying the updates one by
// one to the whole text (read, update, write per bill) leaves.
#include "ledger/ledger_batch.h"

#include <gtest/gtest.h>

namespace bk {
namespace {

const DateTime kMorning{2016, 2, 8, 9, 5, 7};
const Text kBoxes[5] = {"3", "8", "0", "8", "5"};

RecordUpdate settlement(const Text& name, const Text& balance, double payout, double stake,
                        const Text& betContent, bool withEntry) {
    std::optional<Text> entry;
    if (withEntry) {
        entry = settlementEntry(kMorning, betContent, kBoxes, " 大  单  虎",
                                numberToText(payout - stake));
    }
    return settlementUpdate(name, balance, payout, stake, entry);
}

RecordUpdate recharge(const Text& name, const Text& amount) {
    return rechargeUpdate(name, kMorning, amount);
}

// Applies the updates one at a time to the whole text, checking the batch after each one.
void expectSameAsOneByOne(Text ledger, const std::vector<RecordUpdate>& updates) {
    LedgerBatch batch(ledger);
    bool anyApplied = false;
    for (std::size_t i = 0; i < updates.size(); ++i) {
        const auto next = applyRecordUpdate(ledger, updates[i]);
        if (next) ledger = *next;
        anyApplied = anyApplied || next.has_value();
        EXPECT_EQ(batch.apply(updates[i]), next.has_value()) << "update " << i;
        ASSERT_EQ(batch.text(), ledger) << "after update " << i << " (" << updates[i].name << ")";
        EXPECT_EQ(batch.changed(), anyApplied);
    }
}

// A day with several players, entries in a middle record, line breaks left by earlier
// updates both at the end and before a later record, and names that differ only in case.
Text busyDay() {
    Text t = newRecordText("A", "100") + newRecordText("AB", "50") + newRecordText("ab", "50");
    t = *applyRecordUpdate(t, recharge("AB", "20"));
    t = *applyRecordUpdate(t, recharge("A", "5"));
    t += newRecordText("张三", "300") + newRecordText("Zed", "abc");
    t = *applyRecordUpdate(t, recharge("Zed", "1"));
    return t;
}

TEST(LedgerBatch, SettlementSequenceMatchesOneByOne) {
    std::vector<RecordUpdate> updates = {
        settlement("AB", "130", 20, 10, "3/10", true),
        settlement("nobody", "0", 0, 10, "1/10", true),  // no record: file left as it is
        settlement("Zed", "9", 40, 10, "8/10", true),    // last record: its piece holds the tail
        settlement("ab", "40", 0, 10, "1/10", true),     // must not land on AB
        settlement("A", "95", 0, 10, "大单10", true),
        settlement("张三", "310.5", 28.5, 15, "大15", false),
        settlement("AB", "150", 30, 10, "二连80/10", true),  // the same player again
        settlement("Zed", "8", 0, 1, "1/1", true),
    };
    expectSameAsOneByOne(busyDay(), updates);
}

TEST(LedgerBatch, EdgeTexts) {
    struct Case {
        const char* what;
        Text ledger;
        std::vector<RecordUpdate> updates;
    };
    const std::vector<Case> cases = {
        {"empty file", "", {settlement("A", "1", 0, 1, "1/1", true)}},
        {"file ending in the marker",
         newRecordText("A", "1") + "用户数据",
         {settlement("A", "2", 2, 1, "1/1", true), settlement("A", "3", 2, 1, "1/1", true)}},
        {"text before the first record holding a key",
         "用户名称：A】" + newRecordText("A", "7"),
         {settlement("A", "8", 2, 1, "1/1", true)}},
        // An entry that brings a player's key into an earlier record moves where that
        // player's next update lands: the first piece holding the key wins.
        {"entry adding a key to an earlier record",
         newRecordText("P", "1") + newRecordText("Q", "1"),
         {settlement("P", "1", 0, 0, "用户名称：Q】", true),
          settlement("Q", "5", 4, 0, "1/1", true)}},
        // An entry holding the marker cuts the file anew.
        {"entry holding the marker",
         newRecordText("P", "1") + newRecordText("Q", "1"),
         {settlement("P", "1", 0, 0, "x用户数据：\r\n用户名称：Q】", true),
          settlement("Q", "5", 4, 0, "1/1", true), settlement("P", "2", 1, 0, "1/1", true)}},
        // A name the index cannot answer for is found by scanning.
        {"name holding the field end",
         newRecordText("x】y", "1") + newRecordText("x", "2"),
         {settlement("x】y", "3", 2, 0, "1/1", true), settlement("x", "4", 2, 0, "1/1", true)}},
        // A lone lead byte at the end of an entry joins the marker that follows it.
        {"entry ending in half a character",
         newRecordText("P", "1") + newRecordText("Q", "1"),
         {settlement("P", "1", 0, 0, "a\xB0", false), settlement("P", "1", 0, 0, "\xB0", true),
          settlement("Q", "5", 4, 0, "1/1", true)}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        expectSameAsOneByOne(c.ledger, c.updates);
    }
}

}  // namespace
}  // namespace bk
