// Settling bet items against a draw: the stake each item puts down and what it pays.
#pragma once

#include "betting/bet_content.h"
#include "betting/odds_table.h"
#include "betting/regex_object.h"
#include "betting/text.h"
#include "settlement/draw.h"

namespace bk {

// The bill's gain cell (column 4 of its BillsList row). Settlement handlers implement it
// over the UI so that each payout shows in the cell the moment it is made.
class GainCell {
  public:
    virtual ~GainCell() = default;
    virtual Text read() const = 0;
    virtual void write(const Text& text) = 0;
};

// Counts the non-overlapping occurrences of a literal in a subject, from the left.
using LiteralCounter = int (*)(const Text& subject, const Text& literal, bool caseSensitive);

// The running totals of one bill; a fresh value for every bill.
struct BillTotals {
    double stakeSum = 0;   // StakeSum: every recognised amount, winners and losers alike
    double payoutSum = 0;  // PayoutSum: every payout, stake included
};

// The bill's result of this settlement.
inline double billNet(const BillTotals& totals) { return totals.payoutSum - totals.stakeSum; }

// What every item of one settlement run is settled against.
struct DrawContext {
    const OddsTable& odds;
    const DrawBoxes& boxes;
    const Text& drawNumber;  // buildDrawNumber(boxes), built once per run
    bool truncatePayouts;    // on when all bills are settled, off for the selected bill
    LiteralCounter count = countLiteral;
};

// Stakes and settles one item with each group that recognises it, adding to the totals
// and, for every win, to the gain cell.
void settleItem(const Text& item, const DrawContext& draw, GainCell& gain, BillTotals& totals);

// Every item of a bet content, cut at the separator, in order; the bill's totals.
BillTotals settleBetContent(const Text& content, const Text& separator, const DrawContext& draw,
                            GainCell& gain);

}  // namespace bk
