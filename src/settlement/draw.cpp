#include "settlement/draw.h"

#include <cmath>

namespace bk {

Text buildDrawNumber(const DrawBoxes& boxes) {
    return boxes[0] + boxes[1] + boxes[2] + boxes[3] + boxes[4];
}

bool drawHasAttribute(const DrawBoxes& boxes, BetKind kind) {
    // Box texts that are not digits take part as whatever they convert to (0 for a
    // letter); the tie alone compares the texts themselves.
    const double first = textToNumber(boxes[0]);
    const double last = textToNumber(boxes[4]);
    switch (kind) {
        case BetKind::Big:
            return greaterThan(last, 4);
        case BetKind::Small:
            return lessThan(last, 5);
        case BetKind::Odd:
            return std::fabs(numberModulo(last, 2)) > kTolerance;
        case BetKind::Even:
            return !(std::fabs(numberModulo(last, 2)) > kTolerance);
        case BetKind::Dragon:
            return greaterThan(first, last);
        case BetKind::Tiger:
            return lessThan(first, last);
        case BetKind::Tie:
            return boxes[0] == boxes[4];
        default:
            return false;
    }
}

Text evaluateDraw(const DrawBoxes& boxes) {
    struct Attribute {
        BetKind kind;
        const char* text;
    };
    static const Attribute kAttributes[] = {
        {BetKind::Big, " 大 "},  {BetKind::Small, " 小 "}, {BetKind::Odd, " 单 "},
        {BetKind::Even, " 双 "}, {BetKind::Dragon, " 龙"}, {BetKind::Tiger, " 虎"},
        {BetKind::Tie, " 和"},
    };
    Text summary;
    for (const Attribute& a : kAttributes) {
        if (drawHasAttribute(boxes, a.kind)) summary += a.text;
    }
    return summary;
}

Text drawLine(const DrawBoxes& boxes, const Text& summary) {
    return boxes[0] + "-" + boxes[1] + "-" + boxes[2] + "-" + boxes[3] + "-" + boxes[4] + " " +
           summary;
}

}  // namespace bk
