#include "betting/odds_table.h"

namespace bk {

namespace {

// The slot order of the odds page, shared by both accessors.
using SlotMember = double OddsTable::*;
constexpr SlotMember kSlots[OddsTable::kSlotCount] = {
    &OddsTable::oddsOneHitOne,  &OddsTable::oddsOneHitTwo,   &OddsTable::oddsOneHitThree,
    &OddsTable::oddsOneHitFour, &OddsTable::oddsOneHitFive,  &OddsTable::oddsTwoRunOne,
    &OddsTable::oddsTwoRunTwo,  &OddsTable::oddsThreeRunOne, &OddsTable::oddsFourRunOne,
    &OddsTable::oddsFiveRunOne, &OddsTable::oddsBig,         &OddsTable::oddsSmall,
    &OddsTable::oddsOdd,        &OddsTable::oddsDragon,      &OddsTable::oddsTiger,
    &OddsTable::oddsTie,        &OddsTable::oddsEven,
};

}  // namespace

double& OddsTable::slot(int index) { return this->*kSlots[index]; }

double OddsTable::slot(int index) const { return this->*kSlots[index]; }

OddsTable oddsTableFromTexts(const std::array<Text, OddsTable::kSlotCount>& boxTexts) {
    OddsTable table;
    for (int i = 0; i < OddsTable::kSlotCount; ++i) table.slot(i) = textToNumber(boxTexts[i]);
    return table;
}

}  // namespace bk
