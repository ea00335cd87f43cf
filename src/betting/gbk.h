// GBK (code page 936) <-> Unicode. The program keeps GBK bytes; these conversions serve
// the portable regular-expression engine (which works on code points), the Linux file
// system (UTF-8 names) and the scenario runner (UTF-8 scripts and output).
#pragma once

#include <string>

#include "betting/text.h"

namespace bk {

// Decodes GBK into code points. A byte sequence that is not valid GBK decodes to
// U+FFFD per offending byte, so every byte of the input is accounted for.
std::u32string gbkToCodePoints(const Text& gbk);
// Encodes code points as GBK; a code point GBK cannot hold becomes '?'.
Text codePointsToGbk(const std::u32string& cps);

std::string gbkToUtf8(const Text& gbk);
Text utf8ToGbk(const std::string& utf8);

}  // namespace bk
