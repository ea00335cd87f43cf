#include "ledger/ledger_file.h"

#include "shell/app.h"

namespace bk {

const char* const kRecordMarker = "用户数据：";
const char* const kRecordMarkerShort = "用户数据";

const char* const kLabelName = "用户名称：";
const char* const kLabelDeposit = "押金：";
const char* const kLabelBalance = "总余额：";
const char* const kLabelGain = "加成：";
const char* const kLabelStake = "下注总额：";

namespace {

const char* const kFieldEnd = "】";

Text recordKey(const Text& name) { return kLabelName + name + kFieldEnd; }

// The field label L with its old value V, replaced by L + new value at the first place where
// L + V stands. The first L of a record is its field (fields precede every entry), and no label
// holds an ASCII byte, so this is the place the old value was read from.
Text replaceField(const Text& piece, const FieldReplacement& field) {
    const Text oldValue = readField(piece, field.label);
    const Text newValue = field.compute ? field.compute(oldValue) : field.value;
    const Text sought = field.label + oldValue;
    const int pos = findText(piece, sought);
    if (pos < 1) return piece;
    Text out = piece.substr(0, static_cast<std::size_t>(pos - 1));
    out += field.label;
    out += newValue;
    out.append(piece, static_cast<std::size_t>(pos - 1) + sought.size(), Text::npos);
    return out;
}

}  // namespace

Text ledgerFileName(const DateTime& when) { return dateText(when); }

Text newRecordText(const Text& name, const Text& deposit) {
    return "\r\n用户数据：\r\n用户名称：" + name + "】\r\n押金：" + deposit + "】\r\n总余额：" +
           deposit + "】\r\n加成：0】\r\n下注总额：0】\r\n";
}

std::vector<PieceSpan> cutRecordSpans(const Text& ledger, const Text& marker) {
    std::vector<PieceSpan> spans;
    if (ledger.empty() || marker.empty()) {
        if (!ledger.empty()) spans.push_back({0, ledger.size()});
        return spans;
    }
    std::size_t start = 0;  // always a character boundary
    for (;;) {
        const int pos =
            start < ledger.size() ? findText(ledger, marker, static_cast<int>(start) + 1) : -1;
        if (pos < 1) break;
        const std::size_t at = static_cast<std::size_t>(pos - 1);
        spans.push_back({start, at - start});
        start = at + marker.size();
    }
    if (start < ledger.size()) spans.push_back({start, ledger.size() - start});
    return spans;
}

std::vector<Text> cutRecordPieces(const Text& ledger, const Text& marker) {
    std::vector<Text> pieces;
    for (const PieceSpan& s : cutRecordSpans(ledger, marker))
        pieces.push_back(ledger.substr(s.offset, s.length));
    return pieces;
}

int findRecord(const std::vector<Text>& pieces, const Text& name) {
    const Text key = recordKey(name);
    for (std::size_t i = 0; i < pieces.size(); ++i)
        if (findText(pieces[i], key) > 0) return static_cast<int>(i);
    return -1;
}

Text readField(const Text& piece, const Text& label) {
    const int at = findText(piece, label);
    if (at < 1) return Text();
    const std::size_t from = static_cast<std::size_t>(at - 1) + label.size();
    if (from >= piece.size()) return Text();
    const int end = findText(piece, kFieldEnd, static_cast<int>(from) + 1);
    if (end < 1) return Text();
    return piece.substr(from, static_cast<std::size_t>(end - 1) - from);
}

Text settlementEntry(const DateTime& when, const Text& betContent, const Text boxes[5],
                     const Text& drawSummary, const Text& billNetText) {
    return "\r\n" + dateTimeText(when) + "：投注开奖号码 " + betContent + "与" + boxes[0] + "-" +
           boxes[1] + "-" + boxes[2] + "-" + boxes[3] + "-" + boxes[4] + " " + drawSummary +
           "    加成：" + billNetText + "\r\n\r\n";
}

Text rechargeEntry(const DateTime& when, const Text& amountText) {
    return "\r\n" + dateTimeText(when) + "：充值" + amountText + "元";
}

Text withdrawalEntry(const DateTime& when, const Text& amountText) {
    return "\r\n" + dateTimeText(when) + "：取走" + amountText + "元";
}

Text applyUpdateToPiece(const Text& piece, const RecordUpdate& update) {
    Text out = piece;
    if (update.entry && update.entryFirst) out += *update.entry;
    for (const FieldReplacement& field : update.fields) out = replaceField(out, field);
    if (update.entry && !update.entryFirst) out += *update.entry;
    return out;
}

std::optional<Text> applyRecordUpdate(const Text& ledger, const RecordUpdate& update) {
    const std::vector<PieceSpan> spans = cutRecordSpans(ledger, kRecordMarkerShort);
    const Text key = recordKey(update.name);
    for (const PieceSpan& span : spans) {
        const Text piece = ledger.substr(span.offset, span.length);
        if (findText(piece, key) < 1) continue;
        // The record is rewritten where it was found. Searching the file for the piece's text
        // instead (ignoring letter case, as a plain replace would) could land on another
        // player's record whose name differs only in case.
        Text out = ledger.substr(0, span.offset);
        out += applyUpdateToPiece(piece, update);
        out.append(ledger, span.offset + span.length, Text::npos);
        out += "\r\n";
        return out;
    }
    return std::nullopt;
}

bool breaksLedger(const Text& text) {
    return text.find_first_of("\r\n") != Text::npos || findText(text, kFieldEnd) > 0 ||
           findText(text, kRecordMarkerShort) > 0;
}

bool breaksRecordField(const Text& text) {
    if (breaksLedger(text)) return true;
    for (const char* label : {kLabelName, kLabelDeposit, kLabelBalance, kLabelGain, kLabelStake})
        if (findText(text, label) > 0) return true;
    return false;
}

Text todayLedgerPath(const App& app) {
    return app.dataDirectory + "/" + ledgerFileName(app.clock.now());
}

DayLedger::DayLedger(const App& app) : fs_(app.fs), path_(todayLedgerPath(app)) {
    const ReadResult read = fs_.readWhole(path_, text_);
    readable_ = read != ReadResult::Failed;
    if (read != ReadResult::Read) text_.clear();
}

bool DayLedger::write(const Text& ledger) const {
    return readable_ && fs_.writeWhole(path_, ledger);
}

Text readTodayLedger(const App& app) {
    Text text;
    if (app.fs.readWhole(todayLedgerPath(app), text) != ReadResult::Read) text.clear();
    return text;
}

bool writeTodayLedger(App& app, const Text& ledger) {
    return app.fs.writeWhole(todayLedgerPath(app), ledger);
}

namespace {

RecordUpdate moneyUpdate(const Text& name, Text entry, double sign, const Text& amountText) {
    RecordUpdate u;
    u.name = name;
    u.entry = std::move(entry);
    u.entryFirst = true;
    const double amount = textToNumber(amountText);
    u.fields.push_back({kLabelBalance, Text(), [sign, amount](const Text& old) {
                            return numberToText(sign > 0 ? textToNumber(old) + amount
                                                         : textToNumber(old) - amount);
                        }});
    return u;
}

}  // namespace

RecordUpdate rechargeUpdate(const Text& name, const DateTime& when, const Text& amountText) {
    return moneyUpdate(name, rechargeEntry(when, amountText), +1, amountText);
}

RecordUpdate withdrawalUpdate(const Text& name, const DateTime& when, const Text& amountText) {
    return moneyUpdate(name, withdrawalEntry(when, amountText), -1, amountText);
}

RecordUpdate settlementUpdate(const Text& name, const Text& balanceText, double payoutSum,
                              double stakeSum, std::optional<Text> entry) {
    RecordUpdate u;
    u.name = name;
    u.fields.push_back({kLabelBalance, balanceText, nullptr});
    u.fields.push_back({kLabelGain, Text(), [payoutSum, stakeSum](const Text& old) {
                            return numberToText((textToNumber(old) + payoutSum) - stakeSum);
                        }});
    u.fields.push_back({kLabelStake, Text(), [stakeSum](const Text& old) {
                            return numberToText(stakeSum + textToNumber(old));
                        }});
    u.entry = std::move(entry);
    return u;
}

}  // namespace bk
