// The replay runner's Win32 face: the script runs on the GUI thread of the real program.
// Every user action is a real message to a real control (clicks as button presses and
// releases at a point of the control, typing as characters to the focused control), so
// the one-character limit, the number-only style, focus and selection are Windows' own.
// Message boxes are the program's own MessageBoxW calls, read and answered by a thread
// CBT hook. Popup menus are built as the program builds them but kept for the script's
// `menu` command instead of being tracked at the cursor.

// <windows.h> must come before the other Windows headers.
// clang-format off
#include <windows.h>
#include <commctrl.h>
// clang-format on

#include <memory>

#include "replay_face.h"
#include "shell/win32/code_page.h"
#include "shell/win32/message_box_hook.h"
#include "shell/win32/program.h"
#include "shell/win32/win32_ui.h"

namespace bk {

namespace {

POINT centreOf(HWND h) {
    RECT r{};
    GetClientRect(h, &r);
    return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

void leftClickAt(HWND h, POINT at) {
    const LPARAM p = MAKELPARAM(at.x, at.y);
    SendMessageW(h, WM_LBUTTONDOWN, MK_LBUTTON, p);
    SendMessageW(h, WM_LBUTTONUP, 0, p);
}

bool isEditKind(Ctl c) { return c != Ctl::None && controlInfo(c).kind == ControlKind::Edit; }

class Win32Face : public ReplayFace {
  public:
    Win32Face() : ui_(GetModuleHandleW(nullptr)) {}

    // Windows still open (a script that failed inside the statistics window) go without
    // reaching the program's state, which the interpreter has already released.
    ~Win32Face() override { ui_.destroyWindows(); }

    Ui& ui() override { return ui_; }

    void start(App& app, ReplayHost& host) override {
        ui_.setColourRegistry(&app.colours);
        ui_.setHandlers(programHandlers(app));
        ui_.setScriptedMenus(true);
        ui_.setModalLoop([&host] { host.runModal(); });
        hook_ = std::make_unique<MessageBoxHook>([&host](const SeenMessageBox& box) {
            host.messageShown(wideToGbk(box.text));
            if (!box.yesNo) return IDOK;
            return host.answerYesNo() ? IDYES : IDNO;
        });
        ui_.openMainWindow(SW_SHOWNORMAL);
        if (HWND main = ui_.hwnd(Ctl::MainWindow)) SetForegroundWindow(main);
        processPending();
    }

    void closeMainWindow() override {
        if (HWND main = ui_.hwnd(Ctl::MainWindow)) SendMessageW(main, WM_CLOSE, 0, 0);
        processPending();
    }

    bool statisticsWindowOpen() override { return ui_.statisticsWindowOpen(); }

    Action focus(Ctl c) override {
        switch (controlInfo(c).kind) {
            case ControlKind::Edit:
            case ControlKind::Button:
            case ControlKind::CheckBox:
            case ControlKind::ComboList:
            case ControlKind::ListView:
                break;
            default:
                return Action::Impossible;
        }
        if (!takesInput(c)) return Action::Ignored;
        dismissMenu();
        SetFocus(ui_.hwnd(c));
        return Action::Done;
    }

    Action type(const Text& gbk) override {
        dismissMenu();
        const std::wstring chars = gbkToWide(gbk);
        bool reached = false;
        for (std::size_t i = 0; i < chars.size(); ++i) {
            wchar_t ch = chars[i];
            // Enter is one key, whether the script wrote \r, \n or \r\n.
            if (ch == L'\r' && i + 1 < chars.size() && chars[i + 1] == L'\n') ++i;
            if (ch == L'\n') ch = L'\r';
            // Each key goes to the control that has the focus at that moment: a handler
            // may have moved it on after the previous character.
            const Ctl target = ui_.focused();
            if (!isEditKind(target) || !takesInput(target)) continue;
            reached = true;
            SendMessageW(ui_.hwnd(target), WM_CHAR, ch, 1);
        }
        return reached || chars.empty() ? Action::Done : Action::Ignored;
    }

    Action backspace() override {
        dismissMenu();
        const Ctl target = ui_.focused();
        if (!isEditKind(target) || !takesInput(target)) return Action::Ignored;
        HWND h = ui_.hwnd(target);
        SendMessageW(h, WM_KEYDOWN, VK_BACK, 1);
        SendMessageW(h, WM_CHAR, VK_BACK, 1);
        SendMessageW(h, WM_KEYUP, VK_BACK, 0xC0000001);
        return Action::Done;
    }

    Action click(Ctl c) override {
        dismissMenu();
        const ControlKind kind = controlInfo(c).kind;
        switch (kind) {
            case ControlKind::Button:
            case ControlKind::CheckBox:
            case ControlKind::Label:
            case ControlKind::Edit:
            case ControlKind::ListView:
                break;
            default:
                return Action::Impossible;
        }
        if (!takesInput(c)) return Action::Ignored;
        HWND h = ui_.hwnd(c);
        if (kind == ControlKind::ListView) {
            listClick(c, false);
        } else if (kind == ControlKind::Edit) {
            // Right of the text, as a click after the last character.
            RECT r{};
            GetClientRect(h, &r);
            leftClickAt(h, POINT{r.right - 2, (r.top + r.bottom) / 2});
        } else {
            leftClickAt(h, centreOf(h));
        }
        return Action::Done;
    }

    Action doubleClick(Ctl list) override {
        dismissMenu();
        if (controlInfo(list).kind != ControlKind::ListView) return Action::Impossible;
        if (!takesInput(list)) return Action::Ignored;
        listClick(list, true);
        return Action::Done;
    }

    Action rightClick(Ctl list) override {
        dismissMenu();
        if (controlInfo(list).kind != ControlKind::ListView) return Action::Impossible;
        if (!takesInput(list)) return Action::Ignored;
        HWND h = ui_.hwnd(list);
        const LPARAM at = MAKELPARAM(quietPoint(list).x, quietPoint(list).y);
        SetFocus(h);
        // The list watches the queue for the release while it tells a click from a drag.
        PostMessageW(h, WM_RBUTTONUP, 0, at);
        SendMessageW(h, WM_RBUTTONDOWN, MK_RBUTTON, at);
        return Action::Done;
    }

    Action chooseMenu(const Text& caption) override {
        return ui_.choosePoppedMenuItem(caption) ? Action::Done : Action::Impossible;
    }

    Action chooseCombo(Ctl combo, int index) override {
        dismissMenu();
        if (controlInfo(combo).kind != ControlKind::ComboList) return Action::Impossible;
        if (!takesInput(combo)) return Action::Ignored;
        if (index < 0 || index >= static_cast<int>(comboItems(combo).size()))
            return Action::Impossible;
        HWND h = ui_.hwnd(combo);
        SetFocus(h);
        SendMessageW(h, CB_SETCURSEL, index, 0);
        SendMessageW(GetParent(h), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(h), CBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(h));
        return Action::Done;
    }

    Action selectRow(Ctl list, int row) override {
        dismissMenu();
        if (controlInfo(list).kind != ControlKind::ListView) return Action::Impossible;
        if (!takesInput(list)) return Action::Ignored;
        if (row < -1 || row >= ui_.rowCount(list)) return Action::Impossible;
        ui_.setSelectedRow(list, row);
        return Action::Done;
    }

    bool cellColour(Ctl list, int row, int col, Colour& text, Colour& background) override {
        if (!ui_.hwnd(list) || row < 0 || row >= ui_.rowCount(list) || col < 0 ||
            col >= static_cast<int>(listColumns(list).size()))
            return false;
        ui_.drawnColours(list, row, col, text, background);
        return true;
    }

    void processPending() override {
        // Bounded, so that work that keeps posting more cannot hold the script forever.
        MSG msg;
        for (int i = 0; i < 10000 && PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE); ++i) {
            if (msg.message == WM_QUIT) continue;
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }

  private:
    // A control takes input when it is shown and enabled and its window is enabled (the
    // main window is not while the statistics window is open).
    bool takesInput(Ctl c) {
        HWND h = ui_.hwnd(c);
        if (!h || !ui_.isVisible(c) || !IsWindowEnabled(h)) return false;
        HWND top = GetAncestor(h, GA_ROOT);
        return top && IsWindowEnabled(top);
    }

    // Where a click leaves the selection as it is: on the selected row, or below the last
    // row when none is selected.
    POINT quietPoint(Ctl list) {
        HWND h = ui_.hwnd(list);
        const int selected = ui_.selectedRow(list);
        RECT r{};
        if (selected >= 0) {
            r.left = LVIR_BOUNDS;
            SendMessageW(h, LVM_ENSUREVISIBLE, selected, FALSE);
            SendMessageW(h, LVM_GETITEMRECT, selected, reinterpret_cast<LPARAM>(&r));
            return POINT{r.left + 10, (r.top + r.bottom) / 2};
        }
        RECT client{};
        GetClientRect(h, &client);
        int below = client.top + 30;  // under the column headers
        const int rows = ui_.rowCount(list);
        if (rows > 0) {
            r.left = LVIR_BOUNDS;
            SendMessageW(h, LVM_GETITEMRECT, rows - 1, reinterpret_cast<LPARAM>(&r));
            below = r.bottom + 3;
        }
        if (below >= client.bottom - 2) below = client.bottom - 3;
        return POINT{client.left + 10, below};
    }

    void listClick(Ctl list, bool twice) {
        HWND h = ui_.hwnd(list);
        const POINT at = quietPoint(list);
        leftClickAt(h, at);
        if (twice) {
            const LPARAM p = MAKELPARAM(at.x, at.y);
            SendMessageW(h, WM_LBUTTONDBLCLK, MK_LBUTTON, p);
            SendMessageW(h, WM_LBUTTONUP, 0, p);
        }
    }

    // Any other action closes a popped menu without a choice, as a click elsewhere does.
    void dismissMenu() { ui_.dismissPoppedMenu(); }

    Win32Ui ui_;
    std::unique_ptr<MessageBoxHook> hook_;
};

}  // namespace

std::unique_ptr<ReplayFace> makeReplayFace() { return std::make_unique<Win32Face>(); }

}  // namespace bk
