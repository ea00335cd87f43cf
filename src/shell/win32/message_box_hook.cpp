#include "shell/win32/message_box_hook.h"

#include <iterator>

namespace bk {

thread_local MessageBoxHook* MessageBoxHook::current_ = nullptr;

MessageBoxHook::MessageBoxHook(std::function<int(const SeenMessageBox&)> answer)
    : previous_(current_), answer_(std::move(answer)) {
    hook_ = SetWindowsHookExW(WH_CBT, cbtProc, nullptr, GetCurrentThreadId());
    current_ = this;
}

MessageBoxHook::~MessageBoxHook() {
    if (hook_) UnhookWindowsHookEx(hook_);
    current_ = previous_;
}

namespace {
constexpr UINT_PTR kReadTimer = 0xB4B4;
}

// The box is created and activated before its texts and buttons are set; it is read once
// its own message loop runs, through a timer on the box. Creation is watched as well as
// activation: a box of a program that is not in front may never be activated.
LRESULT CALLBACK MessageBoxHook::cbtProc(int code, WPARAM wParam, LPARAM lParam) {
    MessageBoxHook* self = current_;
    if ((code == HCBT_CREATEWND || code == HCBT_ACTIVATE) && self) {
        HWND dialog = reinterpret_cast<HWND>(wParam);
        wchar_t cls[16] = {};
        GetClassNameW(dialog, cls, static_cast<int>(std::size(cls)));
        if (lstrcmpW(cls, L"#32770") == 0 && !GetPropW(dialog, L"bk.seen")) {
            SetPropW(dialog, L"bk.seen", reinterpret_cast<HANDLE>(1));
            SetTimer(dialog, kReadTimer, 0, readAndAnswer);
        }
    }
    return CallNextHookEx(self ? self->hook_ : nullptr, code, wParam, lParam);
}

void CALLBACK MessageBoxHook::readAndAnswer(HWND dialog, UINT, UINT_PTR id, DWORD) {
    KillTimer(dialog, id);
    MessageBoxHook* self = current_;
    SeenMessageBox seen;
    wchar_t buffer[4096] = {};
    GetWindowTextW(dialog, buffer, static_cast<int>(std::size(buffer)));
    seen.caption = buffer;
    buffer[0] = 0;
    // The box's text is its static control 0xFFFF.
    GetDlgItemTextW(dialog, 0xFFFF, buffer, static_cast<int>(std::size(buffer)));
    seen.text = buffer;
    auto shown = [dialog](int button) {
        HWND h = GetDlgItem(dialog, button);
        return h && (GetWindowLongPtrW(h, GWL_STYLE) & WS_VISIBLE);
    };
    seen.yesNo = shown(IDYES) && shown(IDNO);
    for (int button : {IDOK, IDYES, IDNO, IDCANCEL}) {
        HWND h = GetDlgItem(dialog, button);
        if (shown(button) && (GetWindowLongPtrW(h, GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON)
            seen.defaultButton = button;
    }
    if (!seen.defaultButton) {
        const LRESULT def = SendMessageW(dialog, DM_GETDEFID, 0, 0);
        if (HIWORD(def) == DC_HASDEFID) seen.defaultButton = LOWORD(def);
    }
    seen.hasOwner = GetWindow(dialog, GW_OWNER) != nullptr;
    // The icon is a static control: id 0x14 on Windows, 0x440 in Wine's template.
    for (int icon : {0x14, 0x440}) {
        HWND h = GetDlgItem(dialog, icon);
        if (h && (GetWindowLongPtrW(h, GWL_STYLE) & WS_VISIBLE) &&
            SendMessageW(h, STM_GETICON, 0, 0))
            seen.hasIcon = true;
    }
    const int button = self && self->answer_ ? self->answer_(seen) : IDOK;
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0);
}

}  // namespace bk
