#include "settlement/settle_item.h"

#include <cmath>

namespace bk {

namespace {

void pay(double odds, double amount, const DrawContext& draw, GainCell& gain, BillTotals& totals) {
    double payout = odds * amount;
    // Cut toward zero in double precision: a 32-bit integer would wrap for payouts of
    // two billion or more and credit the bill a wildly wrong sum.
    if (draw.truncatePayouts) payout = std::trunc(payout);
    gain.write(numberToText(textToNumber(gain.read()) + payout));
    totals.payoutSum += payout;
}

double oneHitOdds(const OddsTable& odds, int count) {
    switch (count) {
        case 1:
            return odds.oddsOneHitOne;
        case 2:
            return odds.oddsOneHitTwo;
        case 3:
            return odds.oddsOneHitThree;
        case 4:
            return odds.oddsOneHitFour;
        case 5:
            return odds.oddsOneHitFive;
        default:
            return 0;
    }
}

// The odds a chain pays with for this count, or false when the count does not win.
bool chainOdds(const OddsTable& odds, BetKind kind, int count, double& out) {
    if (kind == BetKind::TwoRun && count == 2) {
        out = odds.oddsTwoRunTwo;
        return true;
    }
    if (count != 1) return false;
    switch (kind) {
        case BetKind::TwoRun:
            out = odds.oddsTwoRunOne;
            return true;
        case BetKind::ThreeRun:
            out = odds.oddsThreeRunOne;
            return true;
        case BetKind::FourRun:
            out = odds.oddsFourRunOne;
            return true;
        case BetKind::FiveRun:
            out = odds.oddsFiveRunOne;
            return true;
        default:
            return false;
    }
}

double keywordOdds(const OddsTable& odds, BetKind kind) {
    switch (kind) {
        case BetKind::Big:
            return odds.oddsBig;
        case BetKind::Small:
            return odds.oddsSmall;
        case BetKind::Odd:
            return odds.oddsOdd;
        case BetKind::Even:
            return odds.oddsEven;
        case BetKind::Dragon:
            return odds.oddsDragon;
        case BetKind::Tiger:
            return odds.oddsTiger;
        case BetKind::Tie:
            return odds.oddsTie;
        default:
            return 0;
    }
}

}  // namespace

void settleItem(const Text& item, const DrawContext& draw, GainCell& gain, BillTotals& totals) {
    const RecognisedItem bets = recogniseItem(item);

    if (bets.position) {
        totals.stakeSum += bets.position->amount;
        const int n = draw.count(draw.drawNumber, bets.position->digit, false);
        if (n >= 1 && n <= 5)
            pay(oneHitOdds(draw.odds, n), bets.position->amount, draw, gain, totals);
    }

    if (bets.chain) {
        totals.stakeSum += bets.chain->amount;
        const int n = draw.count(draw.drawNumber, bets.chain->pattern, false);
        double odds = 0;
        if (chainOdds(draw.odds, bets.chain->kind, n, odds)) {
            pay(odds, bets.chain->amount, draw, gain, totals);
        }
    }

    if (bets.keyword) {
        totals.stakeSum += bets.keyword->amount;
        if (drawHasAttribute(draw.boxes, bets.keyword->kind)) {
            pay(keywordOdds(draw.odds, bets.keyword->kind), bets.keyword->amount, draw, gain,
                totals);
        }
    }
}

BillTotals settleBetContent(const Text& content, const Text& separator, const DrawContext& draw,
                            GainCell& gain) {
    BillTotals totals;
    for (const Text& item : cutBetContent(content, separator)) settleItem(item, draw, gain, totals);
    return totals;
}

}  // namespace bk
