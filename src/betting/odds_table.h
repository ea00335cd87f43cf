// The odds table: seventeen multipliers, loaded from the odds page's boxes.
#pragma once

#include <array>

#include "betting/text.h"

namespace bk {

struct OddsTable {
    double oddsOneHitOne = 0, oddsOneHitTwo = 0, oddsOneHitThree = 0, oddsOneHitFour = 0,
           oddsOneHitFive = 0;
    double oddsTwoRunOne = 0, oddsTwoRunTwo = 0, oddsThreeRunOne = 0, oddsFourRunOne = 0,
           oddsFiveRunOne = 0;
    double oddsBig = 0, oddsSmall = 0, oddsOdd = 0, oddsDragon = 0, oddsTiger = 0, oddsTie = 0,
           oddsEven = 0;

    static constexpr int kSlotCount = 17;
    // Slots 1..17 in the table's order, as 0-based indexes.
    double& slot(int index);
    double slot(int index) const;
};

// The texts of the seventeen feeding boxes, in slot order, become the slots.
OddsTable oddsTableFromTexts(const std::array<Text, OddsTable::kSlotCount>& boxTexts);

}  // namespace bk
