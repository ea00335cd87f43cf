// GBK <-> UTF-16 at the Windows boundary. The program keeps GBK bytes everywhere; every W
// function call converts with code page 936 explicitly, so the program behaves the same
// whatever the system's ANSI code page is.
#pragma once

#include <string>

#include "betting/text.h"

namespace bk {

// Invalid GBK sequences decode as U+FFFD (the system's default), never dropping the rest.
std::wstring gbkToWide(const Text& gbk);
Text wideToGbk(const std::wstring& wide);
Text wideToGbk(const wchar_t* wide, int length);

// For paths: false when the text is not valid GBK (a file name must round-trip exactly).
bool gbkToWideStrict(const Text& gbk, std::wstring& out);

}  // namespace bk
