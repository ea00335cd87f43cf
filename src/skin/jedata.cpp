// jedata.dll: the program's window-skin library.
//
// Attaching installs a CBT hook on the calling thread. Every window that thread creates
// from then on, and every window it already has, is subclassed; the subclass answers the
// WM_CTLCOLOR* messages that controls send to their parent with the skin's brushes and
// paints the background of plain surfaces (windows of the program's own classes whose class
// background is one of the system's face or window colours). The window's own procedure runs first for the colour
// messages: an answer of its own (a brush that is not the system's default) is kept, so the
// skin only replaces colours nobody chose.
//
// After a successful attach the library pins itself in memory: subclassed windows call into
// it for the rest of the process, so it must never be unloaded under them.
#include <windows.h>
#include <commctrl.h>

#include <initializer_list>

#include "skin/skin_api.h"
#include "skin/skin_palette.h"

using bk::skin::Palette;
using bk::skin::Rgb;

namespace {

constexpr UINT_PTR kSubclassId = 0x4A454441;  // "JEDA"
constexpr DWORD_PTR kPaintSurface = 1;       // subclass data: this window's background is ours

// What the subclass procedure paints with. Brushes replaced by a later palette are kept
// one generation longer, so a control that fetched a brush on the GUI thread while another
// thread adjusted the colours never draws with a deleted one.
struct Paint {
    HBRUSH face = nullptr, field = nullptr;
    COLORREF faceColour = 0, faceText = 0, fieldColour = 0, fieldText = 0;
};

SRWLOCK g_lock = SRWLOCK_INIT;
bool g_attached = false;
Palette g_base;
Paint g_current;
Paint g_retired;
HHOOK g_hook = nullptr;
DWORD g_hookThread = 0;

COLORREF toColorRef(Rgb c) { return RGB(c.r, c.g, c.b); }

void deletePaint(Paint& p) {
    if (p.face) DeleteObject(p.face);
    if (p.field) DeleteObject(p.field);
    p = Paint{};
}

bool makePaint(const Palette& palette, Paint& out) {
    Paint p;
    p.faceColour = toColorRef(palette.colour[bk::skin::Face]);
    p.faceText = toColorRef(palette.colour[bk::skin::FaceText]);
    p.fieldColour = toColorRef(palette.colour[bk::skin::Field]);
    p.fieldText = toColorRef(palette.colour[bk::skin::FieldText]);
    p.face = CreateSolidBrush(p.faceColour);
    p.field = CreateSolidBrush(p.fieldColour);
    if (!p.face || !p.field) {
        deletePaint(p);
        return false;
    }
    out = p;
    return true;
}

// Caller holds the lock exclusively. Takes ownership of the new paint.
void installPaint(const Paint& p) {
    deletePaint(g_retired);
    g_retired = g_current;
    g_current = p;
}

bool currentPaint(Paint& out) {
    AcquireSRWLockShared(&g_lock);
    bool ok = g_attached;
    if (ok) out = g_current;
    ReleaseSRWLockShared(&g_lock);
    return ok;
}

// The brushes DefWindowProc and DefDlgProc answer with: a window that returns one of
// these has not chosen a colour of its own.
bool isDefaultBrush(LRESULT r) {
    HBRUSH b = reinterpret_cast<HBRUSH>(r);
    return b == nullptr || b == GetSysColorBrush(COLOR_3DFACE) ||
           b == GetSysColorBrush(COLOR_WINDOW);
}

// The common controls register their classes for every module (CS_GLOBALCLASS); they paint
// their own backgrounds, and a list view painted in the face colour would read as disabled.
// user32's own controls leave the class background empty, so they never count as surfaces.
bool isSharedControlClass(HWND hwnd) {
    return (GetClassLongPtrW(hwnd, GCL_STYLE) & CS_GLOBALCLASS) != 0;
}

// A surface is a window of the program's own class that leaves its background to the
// system's face or window colour: the skin paints it instead.
bool isSurface(HWND hwnd) {
    auto brush = static_cast<INT_PTR>(GetClassLongPtrW(hwnd, GCLP_HBRBACKGROUND));
    if (brush == 0) return false;
    bool systemColour = false;
    for (int index : {COLOR_3DFACE, COLOR_WINDOW}) {
        if (brush == index + 1 || brush == reinterpret_cast<INT_PTR>(GetSysColorBrush(index))) {
            systemColour = true;
        }
    }
    return systemColour && !isSharedControlClass(hwnd);
}

LRESULT CALLBACK skinProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id,
                          DWORD_PTR data) {
    switch (msg) {
        case WM_CTLCOLORMSGBOX:
        case WM_CTLCOLORDLG:
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORLISTBOX: {
            LRESULT own = DefSubclassProc(hwnd, msg, wp, lp);
            Paint p;
            if (!isDefaultBrush(own) || !currentPaint(p)) return own;
            bool field = msg == WM_CTLCOLOREDIT || msg == WM_CTLCOLORLISTBOX;
            HDC dc = reinterpret_cast<HDC>(wp);
            SetTextColor(dc, field ? p.fieldText : p.faceText);
            SetBkColor(dc, field ? p.fieldColour : p.faceColour);
            return reinterpret_cast<LRESULT>(field ? p.field : p.face);
        }
        case WM_ERASEBKGND: {
            Paint p;
            if ((data & kPaintSurface) && currentPaint(p)) {
                RECT rc;
                GetClientRect(hwnd, &rc);
                FillRect(reinterpret_cast<HDC>(wp), &rc, p.face);
                return 1;
            }
            break;
        }
        case WM_NCDESTROY:
            RemoveWindowSubclass(hwnd, skinProc, id);
            break;
        default:
            break;
    }
    return DefSubclassProc(hwnd, msg, wp, lp);
}

void skinWindow(HWND hwnd) {
    if (GetWindowThreadProcessId(hwnd, nullptr) != GetCurrentThreadId()) return;
    SetWindowSubclass(hwnd, skinProc, kSubclassId, isSurface(hwnd) ? kPaintSurface : 0);
}

LRESULT CALLBACK cbtProc(int code, WPARAM wp, LPARAM lp) {
    if (code == HCBT_CREATEWND) skinWindow(reinterpret_cast<HWND>(wp));
    return CallNextHookEx(nullptr, code, wp, lp);
}

BOOL CALLBACK skinChild(HWND hwnd, LPARAM) {
    skinWindow(hwnd);
    return TRUE;
}

BOOL CALLBACK skinTopLevel(HWND hwnd, LPARAM) {
    skinWindow(hwnd);
    EnumChildWindows(hwnd, skinChild, 0);
    return TRUE;
}

BOOL CALLBACK repaintIfOurs(HWND hwnd, LPARAM) {
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    if (pid == GetCurrentProcessId()) {
        RedrawWindow(hwnd, nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
    }
    return TRUE;
}

void repaintProcessWindows() { EnumWindows(repaintIfOurs, 0); }

// Reads and checks the skin file. Returns SKIN_OK, SKIN_E_FILE or SKIN_E_FORMAT.
int loadPalette(const char* path, Palette& palette) {
    HANDLE f = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (f == INVALID_HANDLE_VALUE) return SKIN_E_FILE;
    int result = SKIN_E_FILE;
    LARGE_INTEGER length;
    if (GetFileSizeEx(f, &length)) {
        if (length.QuadPart > static_cast<LONGLONG>(bk::skin::kMaxSkinFileSize)) {
            result = SKIN_E_FORMAT;  // refused unread: no skin is that large
        } else {
            DWORD want = static_cast<DWORD>(length.QuadPart), got = 0;
            char* buffer = static_cast<char*>(HeapAlloc(GetProcessHeap(), 0, want + 1));
            if (buffer && ReadFile(f, buffer, want, &got, nullptr) && got == want) {
                result = bk::skin::parsePalette(buffer, got, palette) ? SKIN_OK : SKIN_E_FORMAT;
            }
            if (buffer) HeapFree(GetProcessHeap(), 0, buffer);
        }
    }
    CloseHandle(f);
    return result;
}

}  // namespace

extern "C" int WINAPI SkinH_AttachEx(const char* skinPath, const char* second) {
    if (skinPath == nullptr || (second != nullptr && second[0] != '\0')) return SKIN_E_ARGUMENT;
    Palette palette;
    int result = loadPalette(skinPath, palette);
    if (result != SKIN_OK) return result;
    Paint paint;
    if (!makePaint(palette, paint)) return SKIN_E_SYSTEM;

    DWORD thread = GetCurrentThreadId();
    AcquireSRWLockExclusive(&g_lock);
    if (!g_hook || g_hookThread != thread) {
        HHOOK hook = SetWindowsHookExW(WH_CBT, cbtProc, nullptr, thread);
        if (!hook) {
            result = SKIN_E_SYSTEM;
        } else {
            // One GUI thread wears the skin: a hook left on an earlier thread goes.
            if (g_hook) UnhookWindowsHookEx(g_hook);
            g_hook = hook;
            g_hookThread = thread;
        }
    }
    if (result == SKIN_OK) {
        HMODULE pinned;
        GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_PIN | GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS,
                           reinterpret_cast<LPCWSTR>(&skinProc), &pinned);
        g_base = palette;
        installPaint(paint);
        g_attached = true;
    } else {
        deletePaint(paint);
    }
    ReleaseSRWLockExclusive(&g_lock);

    if (result == SKIN_OK) {
        EnumThreadWindows(thread, skinTopLevel, 0);
        repaintProcessWindows();
    }
    return result;
}

extern "C" int WINAPI SkinH_AdjustHSV(int hue, int saturation, int value) {
    AcquireSRWLockExclusive(&g_lock);
    int result = SKIN_OK;
    Paint paint;
    if (!g_attached) {
        result = SKIN_E_NOT_ATTACHED;
    } else if (!makePaint(bk::skin::shiftPalette(g_base, hue, saturation, value), paint)) {
        result = SKIN_E_SYSTEM;
    } else {
        installPaint(paint);
    }
    ReleaseSRWLockExclusive(&g_lock);
    if (result == SKIN_OK) repaintProcessWindows();
    return result;
}

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) {
    if (reason == DLL_PROCESS_ATTACH) {
        DisableThreadLibraryCalls(instance);
    } else if (reason == DLL_PROCESS_DETACH && reserved == nullptr) {
        // Unloaded by FreeLibrary: only possible when no attach succeeded (it pins the
        // library), so no window is left calling in.
        deletePaint(g_current);
        deletePaint(g_retired);
    }
    return TRUE;
}
