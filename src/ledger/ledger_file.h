// The daily ledger file as pure functions on texts, and a thin store around them.
// A file is a run of player records, each a marker line, five fields ("label value】")
// and a growing list of entries; the README shows a record as first written.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <vector>

#include "betting/text.h"

namespace bk {

struct App;
class FileSystem;

// ---- pure functions ----
// 2016年2月28日
Text ledgerFileName(const DateTime& when);
// "\r\n用户数据：\r\n用户名称：" + name + "】\r\n押金：" + deposit + "】\r\n总余额：" + deposit +
// "】\r\n加成：0】\r\n下注总额：0】\r\n"
Text newRecordText(const Text& name, const Text& deposit);

// The two record markers: pieces of the full marker start "\r\n用户名称：", of the short one
// "：\r\n用户名称：".
extern const char* const kRecordMarker;       // "用户数据："
extern const char* const kRecordMarkerShort;  // "用户数据"
// Cutting rules: empty text -> no pieces; every marker ends a piece; the tail is a piece only
// when not empty; markers match at character boundaries only.
std::vector<Text> cutRecordPieces(const Text& ledger, const Text& marker);

// Key "用户名称：" + name + "】", exact bytes. Index of the first piece holding it, or -1.
int findRecord(const std::vector<Text>& pieces, const Text& name);
// Text between the first occurrence of label and the next "】"; empty if either is missing.
Text readField(const Text& piece, const Text& label);

// Field labels.
extern const char* const kLabelName;     // "用户名称："
extern const char* const kLabelDeposit;  // "押金："
extern const char* const kLabelBalance;  // "总余额："
extern const char* const kLabelGain;     // "加成："
extern const char* const kLabelStake;    // "下注总额："

// Entries appended to a record.
Text settlementEntry(const DateTime& when, const Text& betContent, const Text boxes[5],
                     const Text& drawSummary, const Text& billNetText);
Text rechargeEntry(const DateTime& when, const Text& amountText);
Text withdrawalEntry(const DateTime& when, const Text& amountText);

// A field's new value: either a fixed text, or computed from the value stored in the record
// (a recharge adds to the stored balance, a settlement to the stored gain and stake), since
// only the update itself sees the record's current text.
struct FieldReplacement {
    Text label;
    Text value;
    std::function<Text(const Text& oldValue)> compute;  // when set, value is ignored
};
// One record update: the field replacements (in order) and the entry to append.
// entryFirst: recharge/withdrawal append the entry before replacing the balance; a settlement
// replaces its three fields first and appends its entry after.
struct RecordUpdate {
    Text name;
    std::vector<FieldReplacement> fields;
    std::optional<Text> entry;
    bool entryFirst = false;
};
// Applies one update to the whole ledger text, as the program writes it: the player's record
// (found with the short marker, exact name) rewritten in place and "\r\n" appended to the end
// of the file. nullopt when the player has no record (the file stays as it was).
std::optional<Text> applyRecordUpdate(const Text& ledger, const RecordUpdate& update);
// The piece-level half of it: the record's piece as the update leaves it.
Text applyUpdateToPiece(const Text& piece, const RecordUpdate& update);

// The updates the program makes. A recharge or withdrawal appends its entry, then moves the
// record's own stored balance by the amount. A settlement writes the bill's new balance, adds
// payouts minus stake to the stored gain and the stake to the stored total stake, then appends
// its entry (none for the selected bill).
RecordUpdate rechargeUpdate(const Text& name, const DateTime& when, const Text& amountText);
RecordUpdate withdrawalUpdate(const Text& name, const DateTime& when, const Text& amountText);
RecordUpdate settlementUpdate(const Text& name, const Text& balanceText, double payoutSum,
                              double stakeSum, std::optional<Text> entry);

// Where a piece lies in the text it was cut from (0-based byte offset and length).
struct PieceSpan {
    std::size_t offset;
    std::size_t length;
};
// Same cutting rules as cutRecordPieces, giving the places instead of copies.
std::vector<PieceSpan> cutRecordSpans(const Text& ledger, const Text& marker);

// True when a text would break the file's layout if stored: a "】" would end its field early,
// "用户数据" would start a record, and a line break would split an entry's line.
bool breaksLedger(const Text& text);
// For the texts stored as fields (name, deposit): breaksLedger, or a field label inside, which
// Read field would find before the field itself, so that an update of the balance would
// rewrite the name instead.
bool breaksRecordField(const Text& text);

// ---- store (today's file of app.dataDirectory, app.clock, app.fs) ----
Text todayLedgerPath(const App& app);

// Today's ledger as one handler run sees it. The path is formed once, when the run reads the
// file, and the run writes back to that same path: a run that spans midnight must not carry
// one day's records into the next day's file.
class DayLedger {
  public:
    explicit DayLedger(const App& app);
    // The file's text; empty when there is no file yet, or when it could not be read.
    const Text& text() const { return text_; }
    // False when the file is there but could not be read: its records are unknown.
    bool readable() const { return readable_; }
    // Replaces the whole file. Refused after a failed read, since the new text was made
    // without the records the file holds. False when nothing was written; the caller then
    // reports "数据保存失败！" once per handler run.
    bool write(const Text& ledger) const;

  private:
    FileSystem& fs_;
    Text path_;
    Text text_;
    bool readable_ = false;
};

// Read-only views of the day (a missing or unreadable file shows as an empty day).
Text readTodayLedger(const App& app);
// Replaces today's file outright, for callers that do not build on its old content.
bool writeTodayLedger(App& app, const Text& ledger);

}  // namespace bk
