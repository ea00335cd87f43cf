#include "shell/win32/win32_ui.h"

#include <commctrl.h>

#include <iterator>
#include <memory>
#include <vector>

#include "shell/win32/code_page.h"

namespace bk {

namespace {

constexpr wchar_t kMainClass[] = L"BrackenmoorMain";
constexpr wchar_t kStatsClass[] = L"BrackenmoorStats";
constexpr wchar_t kPostClass[] = L"BrackenmoorPost";
constexpr wchar_t kCaption[] = L"信息：";
constexpr UINT kRunPosted = WM_APP + 1;
constexpr int kControlIdBase = 1000;
constexpr int kMenuIdBase = 40000;

int controlId(Ctl c) { return kControlIdBase + static_cast<int>(c); }

bool isListView(Ctl c) { return controlInfo(c).kind == ControlKind::ListView; }

std::wstring windowText(HWND h) {
    const int n = GetWindowTextLengthW(h);
    if (n <= 0) return std::wstring();
    std::wstring s(static_cast<std::size_t>(n) + 1, L'\0');
    const int got = GetWindowTextW(h, &s[0], n + 1);
    s.resize(static_cast<std::size_t>(got > 0 ? got : 0));
    return s;
}

}  // namespace

Win32Ui* Win32Ui::instance_ = nullptr;

Win32Ui::Win32Ui(HINSTANCE instance, int dpi) : instance_handle_(instance), dpi_(dpi) {
    instance_ = this;
    lastSelected_.fill(-1);
    for (const auto& info : controlMap())
        controls_[index(info.id)].shown = (info.flags & CF_Hidden) == 0;
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_LISTVIEW_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&icc);
    HDC screen = dpi_ > 0 ? nullptr : GetDC(nullptr);
    if (screen) {
        dpi_ = GetDeviceCaps(screen, LOGPIXELSY);
        ReleaseDC(nullptr, screen);
    }
    if (dpi_ <= 0) dpi_ = 96;
    registerClasses();
    createFonts();
    whiteBrush_ = CreateSolidBrush(RGB(255, 255, 255));
    postWindow_ = CreateWindowExW(0, kPostClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                  instance_handle_, nullptr);
}

Win32Ui::~Win32Ui() {
    destroyWindows();
    if (popped_) DestroyMenu(popped_);
    if (postWindow_) {
        // Work posted but never run is dropped with the face.
        MSG msg;
        while (PeekMessageW(&msg, postWindow_, kRunPosted, kRunPosted, PM_REMOVE))
            delete reinterpret_cast<std::function<void()>*>(msg.lParam);
        DestroyWindow(postWindow_);
    }
    for (std::size_t i = 1; i < fonts_.size(); ++i)
        if (fonts_[i]) DeleteObject(fonts_[i]);
    if (whiteBrush_) DeleteObject(whiteBrush_);
    if (instance_ == this) instance_ = nullptr;
}

void Win32Ui::registerClasses() {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = windowProc;
    wc.hInstance = instance_handle_;
    wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = kMainClass;
    RegisterClassExW(&wc);
    wc.lpszClassName = kStatsClass;
    RegisterClassExW(&wc);
    WNDCLASSEXW post{};
    post.cbSize = sizeof post;
    post.lpfnWndProc = postProc;
    post.hInstance = instance_handle_;
    post.lpszClassName = kPostClass;
    RegisterClassExW(&post);
}

void Win32Ui::createFonts() {
    fonts_[static_cast<int>(FontId::Default)] =
        static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    struct Named {
        FontId id;
        int px;
        bool bold;
    };
    for (const Named& f : {Named{FontId::Song12Bold, 12, true}, Named{FontId::Song16Bold, 16, true},
                           Named{FontId::Song21, 21, false}}) {
        fonts_[static_cast<int>(f.id)] =
            CreateFontW(-scaled(f.px), 0, 0, 0, f.bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE,
                        GB2312_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                        DEFAULT_PITCH | FF_DONTCARE, L"宋体");
    }
}

RECT Win32Ui::layoutRect(Ctl c) const {
    const ControlInfo& info = controlInfo(c);
    int x = info.x, y = info.y;
    if (info.kind != ControlKind::Window) {
        for (Ctl p = info.parent; p != Ctl::None; p = controlInfo(p).parent) {
            x += controlInfo(p).x;
            y += controlInfo(p).y;
        }
    }
    // Each number is scaled on its own, so every control keeps the size the map gives it.
    const int left = scaled(x), top = scaled(y);
    return RECT{left, top, left + scaled(info.w), top + scaled(info.h)};
}

Ctl Win32Ui::controlOf(HWND h) const {
    if (!h) return Ctl::None;
    // Children carry their control's id; the two windows are looked up by handle.
    const int i = GetDlgCtrlID(h) - kControlIdBase;
    if (i >= 0 && i < kControlCount && controls_[i].hwnd == h) return static_cast<Ctl>(i);
    if (h == controls_[index(Ctl::MainWindow)].hwnd) return Ctl::MainWindow;
    if (h == controls_[index(Ctl::StatisticsWindow)].hwnd) return Ctl::StatisticsWindow;
    return Ctl::None;
}

// ---------------------------------------------------------------- windows

HWND Win32Ui::createTopLevel(Ctl window, HWND owner) {
    const ControlInfo& info = controlInfo(window);
    const RECT r = layoutRect(window);
    const bool isMain = window == Ctl::MainWindow;
    creating_ = true;
    HWND h = CreateWindowExW(
        0, isMain ? kMainClass : kStatsClass, gbkToWide(info.caption).c_str(),
        WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPSIBLINGS, r.left, r.top,
        r.right - r.left, r.bottom - r.top, owner, nullptr, instance_handle_, this);
    creating_ = false;
    return h;
}

void Win32Ui::createControls(Window window, HWND parent) {
    for (const ControlInfo& info : controlMap()) {
        if (info.window != window || info.kind == ControlKind::Window) continue;
        const wchar_t* cls = WC_STATICW;
        DWORD style = WS_CHILD | WS_CLIPSIBLINGS;
        DWORD exStyle = 0;
        switch (info.kind) {
            case ControlKind::PageContainer:
                break;
            case ControlKind::GroupBox:
                cls = WC_BUTTONW;
                style |= BS_GROUPBOX;
                break;
            case ControlKind::Label:
                style |= SS_LEFT | ((info.flags & CF_Notify) ? SS_NOTIFY : 0);
                break;
            case ControlKind::Edit:
                cls = WC_EDITW;
                style |= WS_TABSTOP;
                exStyle |= WS_EX_CLIENTEDGE;
                if (info.flags & CF_Multiline)
                    style |= ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN;
                else
                    style |= ES_AUTOHSCROLL;
                if (info.flags & CF_IntegerInput) style |= ES_NUMBER;
                break;
            case ControlKind::Button:
                cls = WC_BUTTONW;
                style |= BS_PUSHBUTTON | BS_MULTILINE | WS_TABSTOP;
                break;
            case ControlKind::CheckBox:
                cls = WC_BUTTONW;
                style |= BS_AUTOCHECKBOX | WS_TABSTOP;
                break;
            case ControlKind::ComboList:
                cls = WC_COMBOBOXW;
                style |= CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP;
                break;
            case ControlKind::ListView:
                cls = WC_LISTVIEWW;
                style |= LVS_REPORT | LVS_SHOWSELALWAYS | LVS_SINGLESEL | WS_TABSTOP;
                exStyle |= WS_EX_CLIENTEDGE;
                break;
            case ControlKind::Window:
                break;
        }
        if (info.flags & CF_Disabled) style |= WS_DISABLED;
        RECT r = layoutRect(info.id);
        int height = r.bottom - r.top;
        // A drop-down list's height is that of its open list; the closed box sizes itself.
        if (info.kind == ControlKind::ComboList) height += scaled(160);
        HWND h = CreateWindowExW(exStyle, cls, gbkToWide(info.caption).c_str(), style, r.left,
                                 r.top, r.right - r.left, height, parent,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(controlId(info.id))),
                                 instance_handle_, nullptr);
        ControlState& state = controls_[index(info.id)];
        state.hwnd = h;
        state.oldProc = nullptr;
        if (!h) continue;
        SetWindowPos(h, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        SendMessageW(h, WM_SETFONT, reinterpret_cast<WPARAM>(fonts_[static_cast<int>(info.font)]),
                     FALSE);
        switch (info.kind) {
            case ControlKind::Edit:
                if (info.flags & CF_OneChar) SendMessageW(h, EM_LIMITTEXT, 1, 0);
                state.oldProc = reinterpret_cast<WNDPROC>(
                    SetWindowLongPtrW(h, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(editProc)));
                break;
            case ControlKind::ComboList:
                for (const Text& item : comboItems(info.id))
                    SendMessageW(h, CB_ADDSTRING, 0,
                                 reinterpret_cast<LPARAM>(gbkToWide(item).c_str()));
                SendMessageW(h, CB_SETCURSEL, 0, 0);
                break;
            case ControlKind::ListView: {
                SendMessageW(h, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT,
                             LVS_EX_FULLROWSELECT);
                int col = 0;
                for (const ListColumn& c : listColumns(info.id)) {
                    std::wstring title = gbkToWide(c.title);
                    LVCOLUMNW lvc{};
                    lvc.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
                    lvc.fmt = LVCFMT_LEFT;
                    lvc.cx = scaled(c.width);
                    lvc.pszText = &title[0];
                    lvc.iSubItem = col;
                    SendMessageW(h, LVM_INSERTCOLUMNW, col, reinterpret_cast<LPARAM>(&lvc));
                    ++col;
                }
                SendMessageW(h, LVM_SETTEXTCOLOR, 0, listTextColour(info.id));
                SendMessageW(h, LVM_SETTEXTBKCOLOR, 0, listBackgroundColour(info.id));
                SendMessageW(h, LVM_SETBKCOLOR, 0, listBackgroundColour(info.id));
                lastSelected_[index(info.id)] = -1;
                break;
            }
            default:
                break;
        }
    }
    applyVisibility();
}

void Win32Ui::forgetControls(Window window) {
    for (const ControlInfo& info : controlMap()) {
        if (info.window != window) continue;
        ControlState& state = controls_[index(info.id)];
        state.hwnd = nullptr;
        state.oldProc = nullptr;
        state.shown = (info.flags & CF_Hidden) == 0;
        lastSelected_[index(info.id)] = -1;
    }
}

bool Win32Ui::openMainWindow(int showCommand) {
    if (hwnd(Ctl::MainWindow)) return true;
    HWND main = createTopLevel(Ctl::MainWindow, nullptr);
    if (!main) return false;
    guarded([&] {
        if (handlers_.mainWindowCreated) handlers_.mainWindowCreated();
    });
    ShowWindow(main, showCommand);
    UpdateWindow(main);
    return true;
}

void Win32Ui::destroyWindows() {
    // The colour procedure empties the registry when MainWindow goes; the registry and
    // the handlers belong to program state that may already be gone.
    registry_ = nullptr;
    handlers_ = Win32Handlers{};
    modalLoop_ = nullptr;
    if (HWND stats = hwnd(Ctl::StatisticsWindow)) DestroyWindow(stats);
    if (HWND main = hwnd(Ctl::MainWindow)) DestroyWindow(main);
}

int Win32Ui::runMessageLoop() {
    MSG msg;
    BOOL got;
    while ((got = GetMessageW(&msg, nullptr, 0, 0)) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return got == 0 ? static_cast<int>(msg.wParam) : 1;
}

void Win32Ui::runStatisticsWindow() {
    HWND main = hwnd(Ctl::MainWindow);
    if (statisticsWindowOpen()) return;
    // Disabling the owner first is what makes the window modal: MainWindow takes no input
    // until the statistics window is gone.
    if (main) EnableWindow(main, FALSE);
    HWND stats = createTopLevel(Ctl::StatisticsWindow, main);
    if (!stats) {
        if (main) EnableWindow(main, TRUE);
        return;
    }
    guarded([&] {
        if (handlers_.statisticsWindowCreated) handlers_.statisticsWindowCreated();
    });
    ShowWindow(stats, SW_SHOWNORMAL);
    UpdateWindow(stats);
    if (modalLoop_) {
        modalLoop_();
        // The script has closed the window, as the banker does: through its close box.
        if (HWND still = hwnd(Ctl::StatisticsWindow)) SendMessageW(still, WM_CLOSE, 0, 0);
    }
    MSG msg;
    while (statisticsWindowOpen()) {
        const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got <= 0) {
            // The program is ending: leave the quit request for the outer loop.
            PostQuitMessage(got == 0 ? static_cast<int>(msg.wParam) : 1);
            break;
        }
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    if (main) EnableWindow(main, TRUE);
    if (HWND still = hwnd(Ctl::StatisticsWindow)) DestroyWindow(still);
    if (main) SetActiveWindow(main);
}

// ---------------------------------------------------------------- window procedures

template <typename F>
void Win32Ui::guarded(F&& f) {
    // No exception may cross a window procedure: it would unwind through system code.
    try {
        f();
    } catch (...) {
    }
}

void Win32Ui::raise(Ctl c, Event e) {
    if (creating_ || c == Ctl::None || !handlers_.event) return;
    guarded([&] { handlers_.event(c, e); });
}

LRESULT CALLBACK Win32Ui::windowProc(HWND h, UINT msg, WPARAM wParam, LPARAM lParam) {
    Win32Ui* ui = instance_;
    if (msg == WM_NCCREATE) {
        auto* cs = reinterpret_cast<CREATESTRUCTW*>(lParam);
        ui = static_cast<Win32Ui*>(cs->lpCreateParams);
        const bool isMain = lstrcmpW(cs->lpszClass, kMainClass) == 0;
        ui->controls_[index(isMain ? Ctl::MainWindow : Ctl::StatisticsWindow)].hwnd = h;
    }
    if (!ui) return DefWindowProcW(h, msg, wParam, lParam);
    const bool isMain = h == ui->hwnd(Ctl::MainWindow);
    switch (msg) {
        case WM_CREATE:
            ui->createControls(isMain ? Window::Main : Window::Stats, h);
            return 0;
        case WM_COMMAND:
            return ui->onCommand(h, wParam, lParam);
        case WM_NOTIFY:
            return ui->onNotify(h, wParam, lParam);
        case WM_CTLCOLORSTATIC: {
            const Ctl c = ui->controlOf(reinterpret_cast<HWND>(lParam));
            if (c != Ctl::None && (controlInfo(c).flags & CF_Transparent)) {
                SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT);
                return reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));
            }
            break;
        }
        case WM_CTLCOLOREDIT: {
            const Ctl c = ui->controlOf(reinterpret_cast<HWND>(lParam));
            if (c != Ctl::None && (controlInfo(c).flags & CF_RedText)) {
                HDC dc = reinterpret_cast<HDC>(wParam);
                SetTextColor(dc, RGB(255, 0, 0));
                SetBkColor(dc, RGB(255, 255, 255));
                return reinterpret_cast<LRESULT>(ui->whiteBrush_);
            }
            break;
        }
        case WM_CLOSE:
            if (isMain) {
                ui->guarded([&] {
                    if (ui->handlers_.mainWindowClosing) ui->handlers_.mainWindowClosing();
                });
            } else {
                // Enable the owner before the modal window goes, so that it gets activated.
                if (HWND main = ui->hwnd(Ctl::MainWindow)) EnableWindow(main, TRUE);
            }
            DestroyWindow(h);
            return 0;
        case WM_DESTROY:
            if (isMain) PostQuitMessage(0);
            return 0;
        case WM_NCDESTROY:
            ui->forgetControls(isMain ? Window::Main : Window::Stats);
            break;
        default:
            break;
    }
    return DefWindowProcW(h, msg, wParam, lParam);
}

LRESULT Win32Ui::onCommand(HWND window, WPARAM wParam, LPARAM lParam) {
    const HWND from = reinterpret_cast<HWND>(lParam);
    const UINT code = HIWORD(wParam);
    if (!from) {
        if (code == 0) onMenuCommand(LOWORD(wParam));
        return 0;
    }
    const Ctl c = controlOf(from);
    if (c == Ctl::None) return DefWindowProcW(window, WM_COMMAND, wParam, lParam);
    switch (controlInfo(c).kind) {
        case ControlKind::Edit:
            if (code == EN_CHANGE)
                raise(c, Event::TextChanged);
            else if (code == EN_SETFOCUS)
                raise(c, Event::GotFocus);
            break;
        case ControlKind::Button:
        case ControlKind::CheckBox:
            if (code == BN_CLICKED) raise(c, Event::Clicked);
            break;
        case ControlKind::Label:
            // A notifying label reports the press of the left button, not its release.
            if (code == STN_CLICKED) raise(c, Event::MouseDown);
            break;
        default:
            break;
    }
    return 0;
}

LRESULT Win32Ui::onNotify(HWND window, WPARAM wParam, LPARAM lParam) {
    const auto* hdr = reinterpret_cast<const NMHDR*>(lParam);
    const Ctl c = controlOf(hdr->hwndFrom);
    if (c == Ctl::None || !isListView(c)) return DefWindowProcW(window, WM_NOTIFY, wParam, lParam);
    switch (hdr->code) {
        case NM_CLICK:
            raise(c, Event::LeftClick);
            break;
        case NM_RCLICK:
            raise(c, Event::RightClick);
            break;
        case NM_DBLCLK:
            raise(c, Event::DoubleClick);
            break;
        case LVN_ITEMCHANGED: {
            const auto* change = reinterpret_cast<const NMLISTVIEW*>(lParam);
            if (!(change->uChanged & LVIF_STATE)) break;
            if ((change->uNewState & LVIS_FOCUSED) && !(change->uOldState & LVIS_FOCUSED))
                raise(c, Event::ItemFocused);
            if ((change->uNewState ^ change->uOldState) & LVIS_SELECTED) noteSelection(c);
            break;
        }
        default:
            return DefWindowProcW(window, WM_NOTIFY, wParam, lParam);
    }
    return 0;
}

// Windows reports a change of selection as a deselection and a selection; the program
// hears of it once per change of the selected row.
void Win32Ui::noteSelection(Ctl list) {
    const int now = selectedRow(list);
    int& last = lastSelected_[index(list)];
    if (now == last) return;
    last = now;
    raise(list, Event::SelectionChanged);
}

void Win32Ui::onMenuCommand(int id) {
    const int item = id - kMenuIdBase;
    for (Menu m : {Menu::One, Menu::Two})
        for (const MenuItemInfo& info : menuItems(m))
            if (static_cast<int>(info.item) == item) {
                if (handlers_.menu) guarded([&] { handlers_.menu(info.item); });
                return;
            }
}

LRESULT CALLBACK Win32Ui::editProc(HWND h, UINT msg, WPARAM wParam, LPARAM lParam) {
    Win32Ui* ui = instance_;
    const Ctl c = ui ? ui->controlOf(h) : Ctl::None;
    WNDPROC old = c != Ctl::None ? ui->controls_[index(c)].oldProc : nullptr;
    if (!old) return DefWindowProcW(h, msg, wParam, lParam);
    switch (msg) {
        case WM_CHAR:
            // The system's number-only style refuses the minus sign, which the integer
            // boxes accept; it goes in as typed text, so the box reports the change itself.
            if (wParam == L'-' && (controlInfo(c).flags & CF_IntegerInput)) {
                SendMessageW(h, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(L"-"));
                return 0;
            }
            break;
        case WM_LBUTTONUP: {
            // The box finishes its own click first, so what the handler selects stays.
            const LRESULT r = CallWindowProcW(old, h, msg, wParam, lParam);
            ui->raise(c, Event::MouseUp);
            return r;
        }
        default:
            break;
    }
    return CallWindowProcW(old, h, msg, wParam, lParam);
}

// The cell colouring procedure of MainWindow: answers the lists' custom drawing from the
// registry and passes every other message on unchanged.
LRESULT CALLBACK Win32Ui::cellColourProc(HWND h, UINT msg, WPARAM wParam, LPARAM lParam) {
    Win32Ui* ui = instance_;
    WNDPROC previous = ui ? ui->previousMainProc_ : nullptr;
    if (!previous) return DefWindowProcW(h, msg, wParam, lParam);
    if (msg == WM_CLOSE || msg == WM_DESTROY) {
        ui->subclassed_ = false;
        if (ui->registry_) ui->registry_->clear();
        SetWindowLongPtrW(h, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
        ui->previousMainProc_ = nullptr;
        return CallWindowProcW(previous, h, msg, wParam, lParam);
    }
    if (msg == WM_NOTIFY && reinterpret_cast<const NMHDR*>(lParam)->code == NM_CUSTOMDRAW) {
        auto* draw = reinterpret_cast<NMLVCUSTOMDRAW*>(lParam);
        const Ctl list = ui->controlOf(draw->nmcd.hdr.hwndFrom);
        // Only a list with its entry in the registry is drawn cell by cell.
        if (list != Ctl::None && ui->registry_ && ui->registry_->hasEntry(list)) {
            switch (draw->nmcd.dwDrawStage) {
                case CDDS_PREPAINT:
                case CDDS_ITEMPREPAINT:
                    return CDRF_NOTIFYITEMDRAW | CDRF_NOTIFYSUBITEMDRAW;
                case CDDS_ITEMPREPAINT | CDDS_SUBITEM: {
                    Colour text = listTextColour(list), background = listBackgroundColour(list);
                    ui->registry_->find(list, static_cast<int>(draw->nmcd.dwItemSpec),
                                        draw->iSubItem, text, background);
                    draw->clrText = text;
                    draw->clrTextBk = background;
                    break;
                }
                default:
                    break;
            }
        }
    }
    return CallWindowProcW(previous, h, msg, wParam, lParam);
}

LRESULT CALLBACK Win32Ui::postProc(HWND h, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == kRunPosted) {
        std::unique_ptr<std::function<void()>> fn(reinterpret_cast<std::function<void()>*>(lParam));
        if (instance_ && *fn) instance_->guarded(*fn);
        return 0;
    }
    return DefWindowProcW(h, msg, wParam, lParam);
}

// ---------------------------------------------------------------- texts

Text Win32Ui::text(Ctl c) const {
    HWND h = hwnd(c);
    if (!h || isListView(c)) return Text();
    return wideToGbk(windowText(h));
}

void Win32Ui::setText(Ctl c, const Text& t) {
    HWND h = hwnd(c);
    if (!h || isListView(c)) return;
    // A one-line edit box reports EN_CHANGE for this, as for typing; a multi-line one does
    // not, so its change is reported here.
    SetWindowTextW(h, gbkToWide(t).c_str());
    const ControlInfo& info = controlInfo(c);
    if (info.kind == ControlKind::Edit && (info.flags & CF_Multiline)) raise(c, Event::TextChanged);
}

bool Win32Ui::isChecked(Ctl c) const {
    HWND h = hwnd(c);
    return h && SendMessageW(h, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

int Win32Ui::comboIndex(Ctl c) const {
    HWND h = hwnd(c);
    return h ? static_cast<int>(SendMessageW(h, CB_GETCURSEL, 0, 0)) : -1;
}

Text Win32Ui::comboText(Ctl c) const {
    HWND h = hwnd(c);
    const int i = comboIndex(c);
    if (!h || i < 0) return Text();
    const LRESULT n = SendMessageW(h, CB_GETLBTEXTLEN, i, 0);
    if (n == CB_ERR || n <= 0) return Text();
    std::wstring s(static_cast<std::size_t>(n) + 1, L'\0');
    const LRESULT got = SendMessageW(h, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(&s[0]));
    s.resize(got > 0 ? static_cast<std::size_t>(got) : 0);
    return wideToGbk(s);
}

// ---------------------------------------------------------------- list views

int Win32Ui::rowCount(Ctl list) const {
    HWND h = hwnd(list);
    return h ? static_cast<int>(SendMessageW(h, LVM_GETITEMCOUNT, 0, 0)) : 0;
}

Text Win32Ui::cell(Ctl list, int row, int col) const {
    HWND h = hwnd(list);
    if (!h || row < 0 || row >= rowCount(list) || col < 0 ||
        col >= static_cast<int>(listColumns(list).size()))
        return Text();
    std::vector<wchar_t> buffer(256);
    for (;;) {
        LVITEMW item{};
        item.iSubItem = col;
        item.cchTextMax = static_cast<int>(buffer.size());
        item.pszText = buffer.data();
        const LRESULT n = SendMessageW(h, LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item));
        if (n < static_cast<LRESULT>(buffer.size()) - 1)
            return wideToGbk(buffer.data(), static_cast<int>(n));
        buffer.resize(buffer.size() * 2);
    }
}

void Win32Ui::setCell(Ctl list, int row, int col, const Text& t) {
    HWND h = hwnd(list);
    if (!h || row < 0 || row >= rowCount(list)) return;
    std::wstring wide = gbkToWide(t);
    LVITEMW item{};
    item.iSubItem = col;
    item.pszText = &wide[0];
    SendMessageW(h, LVM_SETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item));
}

int Win32Ui::appendRow(Ctl list, const Text& col0) {
    HWND h = hwnd(list);
    if (!h) return -1;
    std::wstring wide = gbkToWide(col0);
    LVITEMW item{};
    item.mask = LVIF_TEXT;
    item.iItem = rowCount(list);
    item.pszText = &wide[0];
    return static_cast<int>(SendMessageW(h, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
}

void Win32Ui::deleteRow(Ctl list, int row) {
    HWND h = hwnd(list);
    if (!h || row < 0 || row >= rowCount(list)) return;
    const int selected = selectedRow(list);
    SendMessageW(h, LVM_DELETEITEM, row, 0);
    // The selection stays with its row: deleting an earlier row only renumbers it, while
    // deleting the selected row ends the selection, which the program hears of.
    if (row == selected)
        noteSelection(list);
    else
        lastSelected_[index(list)] = selectedRow(list);
}

void Win32Ui::deleteAllRows(Ctl list) {
    HWND h = hwnd(list);
    if (!h) return;
    SendMessageW(h, LVM_DELETEALLITEMS, 0, 0);
    noteSelection(list);
}

int Win32Ui::selectedRow(Ctl list) const {
    HWND h = hwnd(list);
    return h ? static_cast<int>(
                   SendMessageW(h, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED))
             : -1;
}

void Win32Ui::setSelectedRow(Ctl list, int row) {
    HWND h = hwnd(list);
    if (!h || row >= rowCount(list)) return;
    LVITEMW item{};
    item.stateMask = LVIS_SELECTED;
    if (row < 0) {
        SendMessageW(h, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&item));
        return;
    }
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    item.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageW(h, LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&item));
    SendMessageW(h, LVM_ENSUREVISIBLE, row, FALSE);
}

int Win32Ui::columnWidth(Ctl list, int col) const {
    HWND h = hwnd(list);
    if (!h || col < 0 || col >= static_cast<int>(listColumns(list).size())) return 0;
    const int px = static_cast<int>(SendMessageW(h, LVM_GETCOLUMNWIDTH, col, 0));
    return MulDiv(px, 96, dpi_);
}

void Win32Ui::setColumnWidth(Ctl list, int col, int width) {
    HWND h = hwnd(list);
    if (!h || col < 0 || col >= static_cast<int>(listColumns(list).size())) return;
    SendMessageW(h, LVM_SETCOLUMNWIDTH, col, MAKELPARAM(scaled(width), 0));
}

void Win32Ui::redrawList(Ctl list) {
    HWND main = hwnd(Ctl::MainWindow);
    if (main && !subclassed_ && controlInfo(list).window == Window::Main) {
        previousMainProc_ = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrW(main, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(cellColourProc)));
        subclassed_ = true;
    }
    if (HWND h = hwnd(list))
        RedrawWindow(h, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

void Win32Ui::drawnColours(Ctl list, int row, int col, Colour& text, Colour& background) {
    HWND h = hwnd(list);
    text = listTextColour(list);
    background = listBackgroundColour(list);
    if (!h) return;
    text = static_cast<Colour>(SendMessageW(h, LVM_GETTEXTCOLOR, 0, 0));
    background = static_cast<Colour>(SendMessageW(h, LVM_GETTEXTBKCOLOR, 0, 0));
    HWND parent = GetParent(h);
    NMLVCUSTOMDRAW draw{};
    draw.nmcd.hdr.hwndFrom = h;
    draw.nmcd.hdr.idFrom = static_cast<UINT_PTR>(controlId(list));
    draw.nmcd.hdr.code = NM_CUSTOMDRAW;
    draw.nmcd.dwItemSpec = static_cast<DWORD_PTR>(row);
    draw.iSubItem = col;
    draw.clrText = text;
    draw.clrTextBk = background;
    // The stages a list goes through before it paints a cell.
    draw.nmcd.dwDrawStage = CDDS_PREPAINT;
    if (!(SendMessageW(parent, WM_NOTIFY, draw.nmcd.hdr.idFrom, reinterpret_cast<LPARAM>(&draw)) &
          CDRF_NOTIFYITEMDRAW))
        return;
    draw.nmcd.dwDrawStage = CDDS_ITEMPREPAINT;
    if (!(SendMessageW(parent, WM_NOTIFY, draw.nmcd.hdr.idFrom, reinterpret_cast<LPARAM>(&draw)) &
          CDRF_NOTIFYSUBITEMDRAW))
        return;
    draw.nmcd.dwDrawStage = CDDS_ITEMPREPAINT | CDDS_SUBITEM;
    SendMessageW(parent, WM_NOTIFY, draw.nmcd.hdr.idFrom, reinterpret_cast<LPARAM>(&draw));
    text = draw.clrText;
    background = draw.clrTextBk;
}

// ---------------------------------------------------------------- focus, pages, visibility

void Win32Ui::setFocus(Ctl c) {
    if (HWND h = hwnd(c)) SetFocus(h);
}

Ctl Win32Ui::focused() const {
    HWND f = GetFocus();
    Ctl c = controlOf(f);
    // The closed part of a drop-down list is the combo box itself.
    if (c == Ctl::None && f) c = controlOf(GetParent(f));
    return c;
}

void Win32Ui::selectAllText(Ctl edit) {
    if (HWND h = hwnd(edit)) SendMessageW(h, EM_SETSEL, 0, -1);
}

void Win32Ui::setCurrentPage(int page) {
    if (page == page_) return;
    page_ = page;
    applyVisibility();
}

void Win32Ui::setVisible(Ctl c, bool visible) {
    const ControlInfo& info = controlInfo(c);
    if (info.kind == ControlKind::Window) {
        if (HWND h = hwnd(c)) ShowWindow(h, visible ? SW_SHOW : SW_HIDE);
        return;
    }
    controls_[index(c)].shown = visible;
    applyVisibility();
}

bool Win32Ui::effectivelyShown(Ctl c) const {
    const ControlInfo& info = controlInfo(c);
    if (!controls_[index(c)].shown) return false;
    if (info.page >= 0 && info.page != page_) return false;
    return info.parent == Ctl::None || effectivelyShown(info.parent);
}

bool Win32Ui::isVisible(Ctl c) const {
    HWND h = hwnd(c);
    if (!h) return false;
    if (controlInfo(c).kind == ControlKind::Window) return IsWindowVisible(h) != FALSE;
    return (GetWindowLongPtrW(h, GWL_STYLE) & WS_VISIBLE) != 0;
}

void Win32Ui::applyVisibility() {
    for (const ControlInfo& info : controlMap()) {
        HWND h = hwnd(info.id);
        if (!h || info.kind == ControlKind::Window) continue;
        const bool want = effectivelyShown(info.id);
        const bool is = (GetWindowLongPtrW(h, GWL_STYLE) & WS_VISIBLE) != 0;
        if (want != is) ShowWindow(h, want ? SW_SHOWNA : SW_HIDE);
    }
}

// ---------------------------------------------------------------- menus, messages, threads

void Win32Ui::popupMenu(Menu m) {
    HMENU menu = CreatePopupMenu();
    if (!menu) return;
    for (const MenuItemInfo& item : menuItems(m))
        AppendMenuW(menu, MF_STRING,
                    static_cast<UINT_PTR>(kMenuIdBase + static_cast<int>(item.item)),
                    gbkToWide(item.caption).c_str());
    if (scriptedMenus_) {
        if (popped_) DestroyMenu(popped_);
        popped_ = menu;
        return;
    }
    POINT at{};
    GetCursorPos(&at);
    HWND owner = hwnd(Ctl::MainWindow);
    // The owner must be in front, or the menu does not close when the user clicks elsewhere.
    if (owner) SetForegroundWindow(owner);
    const int id = static_cast<int>(
        TrackPopupMenu(menu, TPM_RETURNCMD | TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON,
                       at.x + scaled(3), at.y + scaled(3), 0, owner, nullptr));
    if (owner) PostMessageW(owner, WM_NULL, 0, 0);
    DestroyMenu(menu);
    if (id) onMenuCommand(id);
}

void Win32Ui::dismissPoppedMenu() {
    if (popped_) DestroyMenu(popped_);
    popped_ = nullptr;
}

bool Win32Ui::choosePoppedMenuItem(const Text& caption) {
    if (!popped_) return false;
    HMENU menu = popped_;
    popped_ = nullptr;
    const std::wstring wanted = gbkToWide(caption);
    const int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        wchar_t buffer[256] = {};
        GetMenuStringW(menu, static_cast<UINT>(i), buffer, static_cast<int>(std::size(buffer)),
                       MF_BYPOSITION);
        if (wanted == buffer) {
            const UINT id = GetMenuItemID(menu, i);
            DestroyMenu(menu);
            // The choice reaches the window as a chosen menu command does.
            SendMessageW(hwnd(Ctl::MainWindow), WM_COMMAND, MAKEWPARAM(id, 0), 0);
            return true;
        }
    }
    DestroyMenu(menu);
    return false;
}

void Win32Ui::showMessage(const Text& t) {
    ++messageBoxes_;
    MessageBoxW(nullptr, gbkToWide(t).c_str(), kCaption, MB_OK | MB_TASKMODAL);
    --messageBoxes_;
}

bool Win32Ui::askYesNo(const Text& t) {
    ++messageBoxes_;
    const int answer = MessageBoxW(nullptr, gbkToWide(t).c_str(), kCaption,
                                   MB_YESNO | MB_DEFBUTTON2 | MB_TASKMODAL);
    --messageBoxes_;
    return answer == IDYES;
}

void Win32Ui::postToGui(std::function<void()> fn) {
    auto* boxed = new std::function<void()>(std::move(fn));
    if (!postWindow_ || !PostMessageW(postWindow_, kRunPosted, 0, reinterpret_cast<LPARAM>(boxed)))
        delete boxed;
}

}  // namespace bk
