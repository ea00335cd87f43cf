// The Win32 face on its own: windows built from the control map, Windows' notifications
// turned into events, the port's operations, message boxes and cell colours. The handlers
// here only record what reached them.

// <windows.h> must come before the other Windows headers.
// clang-format off
#include <windows.h>
#include <commctrl.h>
// clang-format on

#include "shell/win32/win32_ui.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "shell/win32/code_page.h"
#include "shell/win32/message_box_hook.h"
#include "win32_test_support.h"

namespace bk {
namespace {

using test::clickAt;
using test::pumpPending;
using test::pumpUntil;
using test::screenPixel;
using test::typeChars;

std::wstring textOf(HWND h) {
    wchar_t buffer[512] = {};
    GetWindowTextW(h, buffer, static_cast<int>(std::size(buffer)));
    return buffer;
}

std::wstring classOf(HWND h) {
    wchar_t buffer[64] = {};
    GetClassNameW(h, buffer, static_cast<int>(std::size(buffer)));
    return buffer;
}

class FaceTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ui_.setColourRegistry(&registry_);
        ui_.setHandlers(Win32Handlers{
            [this](Ctl c, Event e) {
                events_.emplace_back(c, e);
                if (onEvent_) onEvent_(c, e);
            },
            [this](MenuItem item) { menus_.push_back(item); },
            [this] { ++created_; },
            [this] { ++closing_; },
            [this] { ++statsCreated_; },
        });
        ASSERT_TRUE(ui_.openMainWindow(SW_SHOWNORMAL));
        main_ = ui_.hwnd(Ctl::MainWindow);
        SetForegroundWindow(main_);
        pumpPending();
        events_.clear();
    }

    int count(Ctl c, Event e) const {
        return static_cast<int>(std::count(events_.begin(), events_.end(), std::make_pair(c, e)));
    }

    RECT clientRectOf(Ctl c) {
        RECT r{};
        GetWindowRect(ui_.hwnd(c), &r);
        MapWindowPoints(nullptr, GetParent(ui_.hwnd(c)), reinterpret_cast<POINT*>(&r), 2);
        return r;
    }

    Win32Ui ui_{GetModuleHandleW(nullptr)};
    RowColourRegistry registry_;
    HWND main_ = nullptr;
    std::vector<std::pair<Ctl, Event>> events_;
    std::function<void(Ctl, Event)> onEvent_;
    std::vector<MenuItem> menus_;
    int created_ = 0, closing_ = 0, statsCreated_ = 0;
};

// Every control of a window against its row of the map.
void checkAgainstMap(Win32Ui& ui, Window window) {
    HWND top = ui.hwnd(window == Window::Main ? Ctl::MainWindow : Ctl::StatisticsWindow);
    ASSERT_TRUE(top);
    for (const ControlInfo& info : controlMap()) {
        if (info.window != window) continue;
        SCOPED_TRACE(info.scriptName);
        HWND h = ui.hwnd(info.id);
        ASSERT_TRUE(h);
        const LONG_PTR style = GetWindowLongPtrW(h, GWL_STYLE);
        if (info.kind == ControlKind::Window) {
            RECT r{};
            GetWindowRect(h, &r);
            EXPECT_EQ(r.left, ui.scaled(info.x));
            EXPECT_EQ(r.top, ui.scaled(info.y));
            EXPECT_EQ(r.right - r.left, ui.scaled(info.w));
            EXPECT_EQ(r.bottom - r.top, ui.scaled(info.h));
            EXPECT_EQ(textOf(h), gbkToWide(info.caption));
            continue;
        }
        EXPECT_EQ(GetParent(h), top);
        // Place and size: offsets summed over the containers, then scaled.
        int x = info.x, y = info.y;
        for (Ctl p = info.parent; p != Ctl::None; p = controlInfo(p).parent) {
            x += controlInfo(p).x;
            y += controlInfo(p).y;
        }
        RECT r{};
        GetWindowRect(h, &r);
        MapWindowPoints(nullptr, top, reinterpret_cast<POINT*>(&r), 2);
        EXPECT_EQ(r.left, ui.scaled(x));
        EXPECT_EQ(r.top, ui.scaled(y));
        EXPECT_EQ(r.right - r.left, ui.scaled(info.w));
        if (info.kind != ControlKind::ComboList) {  // a closed drop-down list sizes itself
            EXPECT_EQ(r.bottom - r.top, ui.scaled(info.h));
        }

        EXPECT_EQ((style & WS_DISABLED) != 0, (info.flags & CF_Disabled) != 0);
        const bool onOtherPage = info.page > 0;
        bool hiddenByContainer = false;
        for (Ctl p = info.parent; p != Ctl::None; p = controlInfo(p).parent)
            hiddenByContainer |= (controlInfo(p).flags & CF_Hidden) || controlInfo(p).page > 0;
        const bool shown = !(info.flags & CF_Hidden) && !onOtherPage && !hiddenByContainer;
        EXPECT_EQ((style & WS_VISIBLE) != 0, shown);

        // Fonts: the named ones are 宋体 with the GB2312 character set.
        HFONT font = reinterpret_cast<HFONT>(SendMessageW(h, WM_GETFONT, 0, 0));
        LOGFONTW lf{};
        ASSERT_TRUE(font && GetObjectW(font, sizeof lf, &lf));
        struct {
            FontId id;
            int px;
            int weight;
        } const named[] = {{FontId::Song12Bold, 12, FW_BOLD},
                           {FontId::Song16Bold, 16, FW_BOLD},
                           {FontId::Song21, 21, FW_NORMAL}};
        bool isNamed = false;
        for (const auto& n : named) {
            if (n.id != info.font) continue;
            isNamed = true;
            EXPECT_EQ(std::wstring(lf.lfFaceName), L"宋体");
            EXPECT_EQ(lf.lfCharSet, GB2312_CHARSET);
            EXPECT_EQ(lf.lfHeight, -ui.scaled(n.px));
            EXPECT_EQ(lf.lfWeight, n.weight);
        }
        if (!isNamed) {
            EXPECT_EQ(font, GetStockObject(DEFAULT_GUI_FONT));
        }

        switch (info.kind) {
            case ControlKind::GroupBox:
                EXPECT_EQ(classOf(h), L"Button");
                EXPECT_EQ(style & BS_TYPEMASK, BS_GROUPBOX);
                EXPECT_EQ(textOf(h), gbkToWide(info.caption));
                break;
            case ControlKind::Label:
                EXPECT_EQ(classOf(h), L"Static");
                EXPECT_EQ((style & SS_NOTIFY) != 0, (info.flags & CF_Notify) != 0);
                EXPECT_EQ(textOf(h), gbkToWide(info.caption));
                break;
            case ControlKind::Button:
                EXPECT_EQ(classOf(h), L"Button");
                EXPECT_EQ(style & BS_TYPEMASK, BS_PUSHBUTTON);
                EXPECT_EQ(textOf(h), gbkToWide(info.caption));
                break;
            case ControlKind::CheckBox:
                EXPECT_EQ(style & BS_TYPEMASK, BS_AUTOCHECKBOX);
                EXPECT_EQ(SendMessageW(h, BM_GETCHECK, 0, 0), BST_UNCHECKED);
                EXPECT_EQ(textOf(h), gbkToWide(info.caption));
                break;
            case ControlKind::Edit:
                EXPECT_EQ(classOf(h), L"Edit");
                EXPECT_EQ(textOf(h), gbkToWide(info.caption));
                EXPECT_EQ((style & ES_NUMBER) != 0, (info.flags & CF_IntegerInput) != 0);
                EXPECT_EQ((style & ES_MULTILINE) != 0, (info.flags & CF_Multiline) != 0);
                EXPECT_EQ(style & (WS_VSCROLL | WS_HSCROLL), 0);
                if (info.flags & CF_OneChar) {
                    EXPECT_EQ(SendMessageW(h, EM_GETLIMITTEXT, 0, 0), 1);
                }
                break;
            case ControlKind::ComboList: {
                EXPECT_EQ(style & 3, CBS_DROPDOWNLIST);
                const auto& items = comboItems(info.id);
                ASSERT_EQ(SendMessageW(h, CB_GETCOUNT, 0, 0), static_cast<LRESULT>(items.size()));
                for (std::size_t i = 0; i < items.size(); ++i) {
                    wchar_t item[64] = {};
                    SendMessageW(h, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(item));
                    EXPECT_EQ(std::wstring(item), gbkToWide(items[i]));
                }
                EXPECT_EQ(SendMessageW(h, CB_GETCURSEL, 0, 0), 0);
                break;
            }
            case ControlKind::ListView: {
                EXPECT_EQ(style & LVS_TYPEMASK, LVS_REPORT);
                EXPECT_TRUE(style & LVS_SHOWSELALWAYS);
                EXPECT_TRUE(style & LVS_SINGLESEL);
                const auto& columns = listColumns(info.id);
                HWND header = reinterpret_cast<HWND>(SendMessageW(h, LVM_GETHEADER, 0, 0));
                ASSERT_EQ(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0),
                          static_cast<LRESULT>(columns.size()));
                for (std::size_t i = 0; i < columns.size(); ++i) {
                    wchar_t title[64] = {};
                    LVCOLUMNW col{};
                    col.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
                    col.pszText = title;
                    col.cchTextMax = static_cast<int>(std::size(title));
                    ASSERT_TRUE(SendMessageW(h, LVM_GETCOLUMNW, i, reinterpret_cast<LPARAM>(&col)));
                    EXPECT_EQ(std::wstring(title), gbkToWide(columns[i].title));
                    EXPECT_EQ(col.cx, ui.scaled(columns[i].width));
                    EXPECT_EQ(col.fmt & LVCFMT_JUSTIFYMASK, LVCFMT_LEFT);
                }
                EXPECT_EQ(static_cast<Colour>(SendMessageW(h, LVM_GETTEXTCOLOR, 0, 0)),
                          listTextColour(info.id));
                EXPECT_EQ(static_cast<Colour>(SendMessageW(h, LVM_GETTEXTBKCOLOR, 0, 0)),
                          listBackgroundColour(info.id));
                break;
            }
            default:
                break;
        }
    }
}

TEST_F(FaceTest, BothWindowsAreBuiltFromTheControlMap) {
    EXPECT_EQ(created_, 1);
    EXPECT_TRUE(events_.empty()) << "creating the controls raised events";
    checkAgainstMap(ui_, Window::Main);

    // The statistics window, checked from inside its modal loop.
    bool checked = false;
    ui_.postToGui([&] {
        checked = true;
        EXPECT_EQ(statsCreated_, 1);
        EXPECT_FALSE(IsWindowEnabled(main_)) << "MainWindow takes input behind the modal window";
        checkAgainstMap(ui_, Window::Stats);
        EXPECT_FALSE(ui_.isVisible(Ctl::RecordsGroup));
        EXPECT_FALSE(ui_.isVisible(Ctl::RecordsList));
        EXPECT_TRUE(ui_.isVisible(Ctl::PlayerStatsList));
        PostMessageW(ui_.hwnd(Ctl::StatisticsWindow), WM_CLOSE, 0, 0);
    });
    ui_.runStatisticsWindow();
    EXPECT_TRUE(checked);
    EXPECT_FALSE(ui_.statisticsWindowOpen());
    EXPECT_EQ(ui_.hwnd(Ctl::PlayerStatsList), nullptr);
    EXPECT_TRUE(IsWindowEnabled(main_));
}

// At 120 dots per inch every place, size, font and column is scaled by 1.25, once; the
// port still speaks the map's units.
TEST(ScaledFace, LayoutFollowsTheResolution) {
    Win32Ui ui(GetModuleHandleW(nullptr), 120);
    ASSERT_EQ(ui.scaled(800), 1000);
    ASSERT_TRUE(ui.openMainWindow(SW_SHOWNORMAL));
    checkAgainstMap(ui, Window::Main);
    EXPECT_EQ(ui.columnWidth(Ctl::BillStatsList, 4), 200);
    ui.setColumnWidth(Ctl::BillStatsList, 4, 80);
    EXPECT_EQ(SendMessageW(ui.hwnd(Ctl::BillStatsList), LVM_GETCOLUMNWIDTH, 4, 0), 100);
    EXPECT_EQ(ui.columnWidth(Ctl::BillStatsList, 4), 80);
}

TEST_F(FaceTest, ShowingTheRecordsGroupCoversTheStatisticsList) {
    bool checked = false;
    ui_.postToGui([&] {
        checked = true;
        ui_.setVisible(Ctl::RecordsGroup, true);
        EXPECT_TRUE(ui_.isVisible(Ctl::RecordsList));
        EXPECT_TRUE(ui_.isVisible(Ctl::BackButton));
        // What lies on top at a point inside both lists is the records list.
        RECT r{};
        GetWindowRect(ui_.hwnd(Ctl::PlayerStatsList), &r);
        POINT inside{r.left + 30, r.top + 60};
        HWND stats = ui_.hwnd(Ctl::StatisticsWindow);
        ScreenToClient(stats, &inside);
        EXPECT_EQ(ChildWindowFromPointEx(stats, inside, CWP_SKIPINVISIBLE | CWP_SKIPTRANSPARENT),
                  ui_.hwnd(Ctl::RecordsList));
        ui_.setVisible(Ctl::RecordsGroup, false);
        EXPECT_FALSE(ui_.isVisible(Ctl::RecordsList));
        PostMessageW(stats, WM_CLOSE, 0, 0);
    });
    ui_.runStatisticsWindow();
    EXPECT_TRUE(checked);
    // A new window starts with the group hidden again.
    ui_.postToGui([&] {
        EXPECT_FALSE(ui_.isVisible(Ctl::RecordsGroup));
        PostMessageW(ui_.hwnd(Ctl::StatisticsWindow), WM_CLOSE, 0, 0);
    });
    ui_.runStatisticsWindow();
}

TEST_F(FaceTest, PagesAreShownOneAtATime) {
    ui_.setCurrentPage(1);
    EXPECT_EQ(ui_.currentPage(), 1);
    for (Ctl c : {Ctl::OddsGroup, Ctl::OddsConfirmButton, Ctl::OddsBigBox, Ctl::PageSwitchButton})
        EXPECT_TRUE(ui_.isVisible(c)) << controlInfo(c).scriptName;
    for (Ctl c : {Ctl::BillsList, Ctl::BillsGroup, Ctl::DigitBox1, Ctl::ResultLog, Ctl::OddsQiBox,
                  Ctl::OddsTwoRunOneBox, Ctl::InertBillsList})
        EXPECT_FALSE(ui_.isVisible(c)) << controlInfo(c).scriptName;
    ui_.setCurrentPage(0);
    EXPECT_TRUE(ui_.isVisible(Ctl::BillsList));
    EXPECT_TRUE(ui_.isVisible(Ctl::DigitBox1));
    EXPECT_FALSE(ui_.isVisible(Ctl::OddsGroup));
    EXPECT_FALSE(ui_.isVisible(Ctl::OddsBigBox));
    EXPECT_FALSE(ui_.isVisible(Ctl::SymbolCombo));
}

TEST_F(FaceTest, EditBoxesReportChangesAndFocus) {
    ui_.setText(Ctl::PlayerNameEdit, "张三");
    EXPECT_EQ(count(Ctl::PlayerNameEdit, Event::TextChanged), 1);
    EXPECT_EQ(ui_.text(Ctl::PlayerNameEdit), "张三");
    ui_.setText(Ctl::ResultLog, "一\r\n二");
    EXPECT_EQ(count(Ctl::ResultLog, Event::TextChanged), 1);
    EXPECT_EQ(ui_.text(Ctl::ResultLog), "一\r\n二");

    ui_.setFocus(Ctl::DigitBox2);
    EXPECT_EQ(count(Ctl::DigitBox2, Event::GotFocus), 1);
    EXPECT_EQ(ui_.focused(), Ctl::DigitBox2);

    // A click into a digit box: the box takes the focus, then reports the released button.
    events_.clear();
    clickAt(ui_.hwnd(Ctl::DigitBox4), 5, 5);
    ASSERT_EQ(events_.size(), 2u);
    EXPECT_EQ(events_[0], std::make_pair(Ctl::DigitBox4, Event::GotFocus));
    EXPECT_EQ(events_[1], std::make_pair(Ctl::DigitBox4, Event::MouseUp));
}

TEST_F(FaceTest, TypingFollowsTheBoxesRules) {
    struct Case {
        Ctl box;
        const wchar_t* typed;
        const char* result;
    } const cases[] = {
        {Ctl::DigitBox1, L"12", "1"},  // one character only
        {Ctl::DepositEdit,
         L"a-5x\x4e2d"
         L"7",
         "-57"},  // digits and the minus sign only
        {Ctl::PlayerNameEdit, L"ab1", "ab1"},
        {Ctl::BetContentEdit,
         L"1/10 \x5927"
         L"5",
         "1/10 大5"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(controlInfo(c.box).scriptName);
        ui_.setFocus(c.box);
        typeChars(c.typed);
        EXPECT_EQ(ui_.text(c.box), c.result);
    }
    // Backspace empties a digit box, and a selected digit is replaced by the next one.
    ui_.setFocus(Ctl::DigitBox1);
    SendMessageW(GetFocus(), WM_CHAR, VK_BACK, 1);
    EXPECT_EQ(ui_.text(Ctl::DigitBox1), "");
    typeChars(L"7");
    ui_.selectAllText(Ctl::DigitBox1);
    typeChars(L"8");
    EXPECT_EQ(ui_.text(Ctl::DigitBox1), "8");
}

TEST_F(FaceTest, ButtonsAndLabelsReportTheirEvents) {
    bool checkedWhenClicked = false;
    onEvent_ = [&](Ctl c, Event e) {
        if (c == Ctl::ShowColumnCheck && e == Event::Clicked)
            checkedWhenClicked = ui_.isChecked(Ctl::ShowColumnCheck);
    };
    SendMessageW(ui_.hwnd(Ctl::ShowColumnCheck), BM_CLICK, 0, 0);
    EXPECT_EQ(count(Ctl::ShowColumnCheck, Event::Clicked), 1);
    EXPECT_TRUE(checkedWhenClicked) << "the box must have changed before the event";

    SendMessageW(ui_.hwnd(Ctl::AddButton), BM_CLICK, 0, 0);
    EXPECT_EQ(count(Ctl::AddButton, Event::Clicked), 1);

    // The help label reports the press of the button.
    SendMessageW(ui_.hwnd(Ctl::HelpLabel), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
    EXPECT_EQ(count(Ctl::HelpLabel, Event::MouseDown), 1);
    SendMessageW(ui_.hwnd(Ctl::HelpLabel), WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
    EXPECT_EQ(count(Ctl::HelpLabel, Event::MouseDown), 1);

    // A disabled box takes no typing; a plain label reports nothing.
    SendMessageW(ui_.hwnd(Ctl::DrawLabel), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
    SendMessageW(ui_.hwnd(Ctl::DrawLabel), WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
    EXPECT_EQ(count(Ctl::DrawLabel, Event::MouseDown), 0);
    EXPECT_EQ(ui_.comboText(Ctl::SeparatorCombo), " ");
    EXPECT_EQ(ui_.comboText(Ctl::SymbolCombo), "可以自定义");
}

TEST_F(FaceTest, ListViewsHoldRowsAndReportClicksAndSelection) {
    const Ctl list = Ctl::BillStatsList;
    for (const char* name : {"张三", "李四", "王五"}) {
        const int row = ui_.appendRow(list, "*");
        ui_.setCell(list, row, 1, name);
    }
    EXPECT_EQ(ui_.rowCount(list), 3);
    EXPECT_EQ(ui_.cell(list, 1, 1), "李四");
    EXPECT_EQ(ui_.cell(list, 1, 5), "");
    EXPECT_EQ(ui_.cell(list, 7, 1), "");
    EXPECT_EQ(ui_.cell(list, 1, 9), "");
    const std::string longText(3000, 'x');
    ui_.setCell(list, 2, 3, longText);
    EXPECT_EQ(ui_.cell(list, 2, 3), longText);

    events_.clear();
    ui_.setSelectedRow(list, 1);
    EXPECT_EQ(ui_.selectedRow(list), 1);
    EXPECT_EQ(count(list, Event::SelectionChanged), 1);
    EXPECT_EQ(count(list, Event::ItemFocused), 1);
    ui_.setSelectedRow(list, 1);
    EXPECT_EQ(count(list, Event::SelectionChanged), 1) << "no change, no event";
    ui_.setSelectedRow(list, -1);
    EXPECT_EQ(ui_.selectedRow(list), -1);
    EXPECT_EQ(count(list, Event::SelectionChanged), 2);

    // A real click on row 2 selects it and is reported as the list's left click.
    events_.clear();
    RECT item{};
    item.left = LVIR_BOUNDS;
    SendMessageW(ui_.hwnd(list), LVM_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&item));
    clickAt(ui_.hwnd(list), item.left + 20, (item.top + item.bottom) / 2);
    pumpPending();
    EXPECT_EQ(ui_.selectedRow(list), 2);
    EXPECT_EQ(count(list, Event::SelectionChanged), 1);
    EXPECT_EQ(count(list, Event::LeftClick), 1);

    const LPARAM at = MAKELPARAM(item.left + 20, (item.top + item.bottom) / 2);
    SendMessageW(ui_.hwnd(list), WM_LBUTTONDBLCLK, MK_LBUTTON, at);
    SendMessageW(ui_.hwnd(list), WM_LBUTTONUP, 0, at);
    EXPECT_EQ(count(list, Event::DoubleClick), 1);

    test::rightClickAt(ui_.hwnd(list), at);
    pumpPending();
    EXPECT_EQ(count(list, Event::RightClick), 1);

    // Deleting the selected row ends the selection, and the program hears of it.
    events_.clear();
    ui_.setSelectedRow(list, 2);
    events_.clear();
    ui_.deleteRow(list, 2);
    EXPECT_EQ(ui_.rowCount(list), 2);
    EXPECT_EQ(ui_.selectedRow(list), -1);
    EXPECT_EQ(count(list, Event::SelectionChanged), 1);
    ui_.deleteAllRows(list);
    EXPECT_EQ(ui_.rowCount(list), 0);

    ui_.setColumnWidth(list, 4, 0);
    EXPECT_EQ(ui_.columnWidth(list, 4), 0);
    ui_.setColumnWidth(list, 4, 200);
    EXPECT_EQ(ui_.columnWidth(list, 4), 200);
}

TEST_F(FaceTest, MessageBoxesAreTheProgramsOwn) {
    std::vector<SeenMessageBox> seen;
    int nextAnswer = IDOK;
    MessageBoxHook hook([&](const SeenMessageBox& box) {
        seen.push_back(box);
        return nextAnswer;
    });
    ASSERT_TRUE(hook.installed());
    ui_.showMessage("请选择！");
    nextAnswer = IDYES;
    EXPECT_TRUE(ui_.askYesNo("确定？"));
    nextAnswer = IDNO;
    EXPECT_FALSE(ui_.askYesNo("确定？"));
    ASSERT_EQ(seen.size(), 3u);
    EXPECT_EQ(seen[0].caption, L"信息：");
    EXPECT_EQ(seen[0].text, L"请选择！");
    EXPECT_FALSE(seen[0].yesNo);
    EXPECT_FALSE(seen[0].hasOwner);
    EXPECT_FALSE(seen[0].hasIcon);
    EXPECT_EQ(seen[1].caption, L"信息：");
    EXPECT_TRUE(seen[1].yesNo);
    EXPECT_EQ(seen[1].defaultButton, IDNO);
    EXPECT_FALSE(seen[1].hasIcon);
    EXPECT_EQ(ui_.openMessageBoxes(), 0);
}

TEST_F(FaceTest, PostedWorkRunsOnTheGuiThreadInOrder) {
    std::vector<int> ran;
    const DWORD gui = GetCurrentThreadId();
    DWORD ranOn = 0;
    std::thread worker([&] {
        for (int i = 0; i < 5; ++i)
            ui_.postToGui([&ran, &ranOn, i] {
                ran.push_back(i);
                ranOn = GetCurrentThreadId();
            });
    });
    worker.join();
    ASSERT_TRUE(pumpUntil([&] { return ran.size() == 5; }));
    EXPECT_EQ(ran, (std::vector<int>{0, 1, 2, 3, 4}));
    EXPECT_EQ(ranOn, gui);
}

TEST_F(FaceTest, MenusAtTheCursorReachTheMenuHandler) {
    // A tracked menu opens 3 pixels right of and below the cursor; Return picks the first
    // item, as the banker's keyboard would.
    SetCursorPos(300, 300);
    POINT cursor{};
    GetCursorPos(&cursor);
    RECT menuRect{};
    ui_.postToGui([&] {
        HWND popup = FindWindowW(L"#32768", nullptr);
        if (!popup) {
            EndMenu();  // never leave the test inside the menu's loop
            return;
        }
        GetWindowRect(popup, &menuRect);
        PostMessageW(popup, WM_KEYDOWN, VK_DOWN, 0);
        PostMessageW(popup, WM_KEYDOWN, VK_RETURN, 0);
    });
    ui_.popupMenu(Menu::Two);
    EXPECT_EQ(menuRect.left, cursor.x + ui_.scaled(3));
    EXPECT_EQ(menuRect.top, cursor.y + ui_.scaled(3));
    ASSERT_EQ(menus_.size(), 1u);
    EXPECT_EQ(menus_[0], MenuItem::DeleteSelected);

    // Scripted runs keep the popped menu and choose by caption (trailing blanks count).
    menus_.clear();
    ui_.setScriptedMenus(true);
    ui_.popupMenu(Menu::Two);
    EXPECT_FALSE(ui_.choosePoppedMenuItem("点击删除"));
    ui_.popupMenu(Menu::Two);
    EXPECT_TRUE(ui_.choosePoppedMenuItem("点击全部清空"));
    EXPECT_FALSE(ui_.hasPoppedMenu());
    ui_.popupMenu(Menu::One);
    EXPECT_TRUE(ui_.choosePoppedMenuItem("全部删除"));
    EXPECT_EQ(menus_, (std::vector<MenuItem>{MenuItem::ClearAll, MenuItem::DeleteAll}));
}

TEST_F(FaceTest, RegisteredCellColoursArePainted) {
    const Ctl list = Ctl::BillsList;
    for (int i = 0; i < 3; ++i) ui_.appendRow(list, "玩家");
    const Colour red = rgb(200, 30, 40), white = rgb(255, 255, 255);
    registry_.registerCell(list, 1, 0, white, red, true, listTextColour(list),
                           listBackgroundColour(list));
    ui_.redrawList(list);

    Colour text = 0, background = 0;
    ui_.drawnColours(list, 1, 0, text, background);
    EXPECT_EQ(text, white);
    EXPECT_EQ(background, red);
    ui_.drawnColours(list, 1, 1, text, background);
    EXPECT_EQ(text, rgb(0, 136, 255));
    EXPECT_EQ(background, white);
    ui_.drawnColours(list, 0, 0, text, background);
    EXPECT_EQ(background, white);

    // The screen shows it: inside the coloured cell, right of its text, and in its neighbour.
    pumpPending(300);
    UpdateWindow(ui_.hwnd(list));
    RECT cellRect{};
    cellRect.top = 0;  // sub-item 0
    cellRect.left = LVIR_LABEL;
    SendMessageW(ui_.hwnd(list), LVM_GETSUBITEMRECT, 1, reinterpret_cast<LPARAM>(&cellRect));
    POINT inColoured{cellRect.right - 4, (cellRect.top + cellRect.bottom) / 2};
    POINT inPlain{cellRect.right + 30, inColoured.y};
    ClientToScreen(ui_.hwnd(list), &inColoured);
    ClientToScreen(ui_.hwnd(list), &inPlain);
    EXPECT_EQ(screenPixel(inColoured.x, inColoured.y), RGB(200, 30, 40));
    EXPECT_EQ(screenPixel(inPlain.x, inPlain.y), RGB(255, 255, 255));

    // Closing MainWindow empties the registry.
    SendMessageW(main_, WM_CLOSE, 0, 0);
    EXPECT_EQ(closing_, 1);
    EXPECT_TRUE(registry_.records(list).empty());
    EXPECT_EQ(ui_.hwnd(Ctl::MainWindow), nullptr);
}

}  // namespace
}  // namespace bk

namespace bk {
namespace {

// The program's manifest (which this test program carries too) asks for common controls 6:
// the library then comes from the side-by-side store, not the system folder (Wine's copy
// reports 5.81 as its version either way).
TEST(ProgramManifest, GivesCommonControls6) {
    HMODULE comctl = GetModuleHandleW(L"comctl32.dll");
    ASSERT_TRUE(comctl);
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(comctl, path, MAX_PATH);
    CharLowerW(path);
    EXPECT_NE(std::wstring(path).find(L"microsoft.windows.common-controls"), std::wstring::npos)
        << "loaded from the system folder: no common controls 6";
}

}  // namespace
}  // namespace bk
