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

// The single-character lookups behind the conversions, for callers that must treat
// undecodable bytes their own way.
// The character of a two-byte sequence, or -1 when the pair is not a GBK character.
long gbkPairToCodePoint(unsigned char lead, unsigned char trail);
// The GBK code of a code point: a value below 0x100 is one byte, a larger one is
// lead * 0x100 + trail; -1 when GBK has no such character.
long codePointToGbkCode(char32_t cp);
// Appends the GBK bytes of one code point to out ('?' when GBK cannot hold it).
void appendGbk(Text& out, char32_t cp);

}  // namespace bk
