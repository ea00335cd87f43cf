// Helpers for tests that drive real windows under Wine or Windows.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>

namespace bk::test {

// Runs the thread's messages until done() holds or the time is up; returns done().
inline bool pumpUntil(const std::function<bool()>& done, DWORD timeoutMs = 3000) {
    const DWORD start = GetTickCount();
    for (;;) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        if (done()) return true;
        if (GetTickCount() - start > timeoutMs) return done();
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}

// Runs every message already queued (and what they queue in turn, for a moment).
inline void pumpPending(DWORD ms = 30) {
    const DWORD start = GetTickCount();
    pumpUntil([&] { return GetTickCount() - start >= ms; }, ms + 100);
}

// Presses and releases the left button at a point of a window's client area.
inline void clickAt(HWND h, int x, int y) {
    const LPARAM at = MAKELPARAM(x, y);
    SendMessageW(h, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageW(h, WM_LBUTTONUP, 0, at);
}

// A right click on a list view: the list watches the queue for the release while it
// decides between a click and a drag, so the release is queued before the press is sent.
inline void rightClickAt(HWND h, LPARAM at) {
    PostMessageW(h, WM_RBUTTONUP, 0, at);
    SendMessageW(h, WM_RBUTTONDOWN, MK_RBUTTON, at);
}

// Types characters the way the keyboard's translated messages reach the focused control.
inline void typeChars(const wchar_t* chars) {
    for (const wchar_t* p = chars; *p; ++p) SendMessageW(GetFocus(), WM_CHAR, *p, 1);
}

// Reads a pixel of the screen, as a screenshot shows it.
inline COLORREF screenPixel(int x, int y) {
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = 1;
    bi.bmiHeader.biHeight = 1;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP dib = CreateDIBSection(memory, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, dib);
    BitBlt(memory, 0, 0, 1, 1, screen, x, y, SRCCOPY);
    GdiFlush();
    const auto bgra = *static_cast<const std::uint32_t*>(bits);
    SelectObject(memory, old);
    DeleteObject(dib);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return RGB((bgra >> 16) & 0xFF, (bgra >> 8) & 0xFF, bgra & 0xFF);
}

}  // namespace bk::test
