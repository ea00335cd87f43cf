// Draw evaluation: the five digit boxes turned into the texts a settlement works with.
// Everything here is a pure function of the box texts, read by the caller.
#pragma once

#include <array>

#include "betting/bet_content.h"
#include "betting/text.h"

namespace bk {

// The texts of DigitBox1 to DigitBox5, left to right.
using DrawBoxes = std::array<Text, 5>;

// DrawNumber: the five box texts joined with nothing between them.
Text buildDrawNumber(const DrawBoxes& boxes);

// DrawSummary: big/small and odd/even of the last box, then dragon/tiger/tie of the
// first box against the last, each attribute text preceded by a space.
Text evaluateDraw(const DrawBoxes& boxes);

// DrawLine: "t1-t2-t3-t4-t5 " followed by the summary; no line break.
Text drawLine(const DrawBoxes& boxes, const Text& summary);

// Whether the draw has the attribute a group-C bet of this kind wins on. The summary
// and the settlement both ask here, so they cannot disagree. Kinds outside group C
// never win here.
bool drawHasAttribute(const DrawBoxes& boxes, BetKind kind);

}  // namespace bk
