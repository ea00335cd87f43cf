// Bet contents: cutting a content into items, recognising what each item bets on, the
// check made before a player is added, and the stake a content puts down.
//
// Recognition lives here once so that the stake shown when a bill is entered and the
// stake charged when it is settled can never disagree.
#pragma once

#include <optional>
#include <vector>

#include "betting/text.h"

namespace bk {

enum class BetKind {
    OneHit,
    TwoRun,
    ThreeRun,
    FourRun,
    FiveRun,
    Big,
    Small,
    Odd,
    Even,
    Dragon,
    Tiger,
    Tie,
};

// Group A: a bet on how often one digit is drawn ("3/10").
struct PositionBet {
    Text digit;  // one of "0".."9"
    double amount = 0;
};

// Group B: a bet that a run of digits is drawn ("二连80/10").
struct ChainBet {
    BetKind kind = BetKind::TwoRun;
    Text pattern;  // the ChainPattern: between the keyword and the first "/" after it
    double amount = 0;
};

// Group C: a bet on an attribute of the draw ("大10").
struct KeywordBet {
    BetKind kind = BetKind::Big;
    double amount = 0;
};

// What one item bets on. The three groups are tested independently, so one item can
// hold up to three bets; an item that holds none is ignored everywhere.
struct RecognisedItem {
    std::optional<PositionBet> position;
    std::optional<ChainBet> chain;
    std::optional<KeywordBet> keyword;
};

RecognisedItem recogniseItem(const Text& item);

// The BetItems of a content, cut at the separator (matched at character boundaries).
std::vector<Text> cutBetContent(const Text& content, const Text& separator);

// True when no comma-cut item names a position beyond 9 before its first "/".
bool checkBetContent(const Text& content);

// The billStake of a content cut at the separator, as a number.
double betStake(const Text& content, const Text& separator);
// The billStake as number text, as the bill's cells show it.
Text computeBetStake(const Text& content, const Text& separator);

}  // namespace bk
