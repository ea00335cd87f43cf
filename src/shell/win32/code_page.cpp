#include "shell/win32/code_page.h"

#include <windows.h>

namespace bk {

namespace {
constexpr UINT kGbk = 936;

bool convert(const Text& gbk, DWORD flags, std::wstring& out) {
    out.clear();
    if (gbk.empty()) return true;
    const int n =
        MultiByteToWideChar(kGbk, flags, gbk.data(), static_cast<int>(gbk.size()), nullptr, 0);
    if (n <= 0) return false;
    out.resize(static_cast<std::size_t>(n));
    return MultiByteToWideChar(kGbk, flags, gbk.data(), static_cast<int>(gbk.size()), &out[0], n) ==
           n;
}
}  // namespace

std::wstring gbkToWide(const Text& gbk) {
    std::wstring out;
    convert(gbk, 0, out);
    return out;
}

bool gbkToWideStrict(const Text& gbk, std::wstring& out) {
    return convert(gbk, MB_ERR_INVALID_CHARS, out);
}

Text wideToGbk(const wchar_t* wide, int length) {
    if (length <= 0) return Text();
    const int n = WideCharToMultiByte(kGbk, 0, wide, length, nullptr, 0, nullptr, nullptr);
    if (n <= 0) return Text();
    Text out(static_cast<std::size_t>(n), '\0');
    WideCharToMultiByte(kGbk, 0, wide, length, &out[0], n, nullptr, nullptr);
    return out;
}

Text wideToGbk(const std::wstring& wide) {
    return wideToGbk(wide.data(), static_cast<int>(wide.size()));
}

}  // namespace bk
