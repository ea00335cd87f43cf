// The real program on real windows: start-up, the window's own handlers through the real
// dispatch, the modal statistics window, the digit boxes under keyboard input from the
// system's input queue, and the bill log's failure message reaching the screen.

// <windows.h> must come before the other Windows headers.
// clang-format off
#include <windows.h>
#include <commctrl.h>
// clang-format on

#include "shell/win32/program.h"

#include <gtest/gtest.h>

#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "shell/win32/code_page.h"
#include "shell/win32/message_box_hook.h"
#include "win32_test_support.h"

namespace bk {
namespace {

using test::clickAt;
using test::pumpPending;
using test::pumpUntil;

std::wstring freshFolder() {
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    for (int i = 0;; ++i) {
        // A Chinese folder name: the program's paths are GBK all the way to the disk.
        std::wstring dir = std::wstring(temp) + L"程序-" + std::to_wstring(GetCurrentProcessId()) +
                           L"-" + std::to_wstring(GetTickCount() + i);
        if (CreateDirectoryW(dir.c_str(), nullptr)) return dir;
    }
}

void removeTree(const std::wstring& dir) {
    WIN32_FIND_DATAW found;
    HANDLE h = FindFirstFileW((dir + L"\\*").c_str(), &found);
    if (h != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = found.cFileName;
            if (name == L"." || name == L"..") continue;
            const std::wstring path = dir + L"\\" + name;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                removeTree(path);
            else
                DeleteFileW(path.c_str());
        } while (FindNextFileW(h, &found));
        FindClose(h);
    }
    RemoveDirectoryW(dir.c_str());
}

void clickControl(HWND h) {
    RECT r{};
    GetClientRect(h, &r);
    clickAt(h, r.right / 2, r.bottom / 2);
}

// A left click through the system's input queue at a point of the screen.
void mouseClickAt(int x, int y) {
    const int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
    INPUT in[3] = {};
    for (INPUT& i : in) {
        i.type = INPUT_MOUSE;
        i.mi.dx = MulDiv(x, 65535, w - 1);
        i.mi.dy = MulDiv(y, 65535, h - 1);
    }
    in[0].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    in[1].mi.dwFlags = MOUSEEVENTF_LEFTDOWN | MOUSEEVENTF_ABSOLUTE;
    in[2].mi.dwFlags = MOUSEEVENTF_LEFTUP | MOUSEEVENTF_ABSOLUTE;
    SendInput(3, in, sizeof(INPUT));
}

class ProgramTest : public ::testing::Test {
  protected:
    void SetUp() override {
        folder_ = freshFolder();
        clock_.set(DateTime{2026, 12, 11, 9, 30, 0});
        random_ = makeRandomSource(7);
        fs_ = makeSystemFileSystem();
        program_ = std::make_unique<Program>(GetModuleHandleW(nullptr), clock_, *random_, *fs_,
                                             wideToGbk(folder_));
        hook_ = std::make_unique<MessageBoxHook>([this](const SeenMessageBox& box) {
            seen_.push_back(box);
            return box.yesNo ? IDNO : IDOK;
        });
        ASSERT_TRUE(program_->start(false));
        SetForegroundWindow(ui().hwnd(Ctl::MainWindow));
        pumpPending();
    }

    void TearDown() override {
        hook_.reset();
        program_.reset();
        removeTree(folder_);
    }

    Win32Ui& ui() { return program_->ui(); }
    HWND hwnd(Ctl c) { return ui().hwnd(c); }

    std::wstring folder_;
    FixedClock clock_;
    std::unique_ptr<RandomSource> random_;
    std::unique_ptr<FileSystem> fs_;
    std::unique_ptr<Program> program_;
    std::unique_ptr<MessageBoxHook> hook_;
    std::vector<SeenMessageBox> seen_;
};

TEST_F(ProgramTest, StartUpLoadsTheOddsAndMakesTheDataFolder) {
    App& app = program_->app();
    EXPECT_EQ(app.dataDirectory, wideToGbk(folder_) + "/shuju");
    const DWORD attributes = GetFileAttributesW((folder_ + L"\\shuju").c_str());
    ASSERT_NE(attributes, INVALID_FILE_ATTRIBUTES);
    EXPECT_TRUE(attributes & FILE_ATTRIBUTE_DIRECTORY);
    // The odds page's defaults, without OddsConfirmButton being pressed.
    EXPECT_DOUBLE_EQ(app.odds.oddsOneHitOne, 2);
    EXPECT_DOUBLE_EQ(app.odds.oddsFiveRunOne, 65);
    EXPECT_DOUBLE_EQ(app.odds.oddsBig, 1.9);
    EXPECT_TRUE(IsWindowVisible(hwnd(Ctl::MainWindow)));
    EXPECT_EQ(app.billLog->path(), wideToGbk(folder_) + "\\账单.txt");
}

TEST_F(ProgramTest, WindowHandlersRunOnRealClicks) {
    clickControl(hwnd(Ctl::PageSwitchButton));
    EXPECT_EQ(ui().currentPage(), 1);
    EXPECT_TRUE(IsWindowVisible(hwnd(Ctl::OddsConfirmButton)));
    EXPECT_FALSE(IsWindowVisible(hwnd(Ctl::BillsList)));
    clickControl(hwnd(Ctl::PageSwitchButton));
    EXPECT_EQ(ui().currentPage(), 0);
    EXPECT_TRUE(IsWindowVisible(hwnd(Ctl::BillsList)));
    EXPECT_FALSE(IsWindowVisible(hwnd(Ctl::OddsConfirmButton)));

    // Column toggle: checking hides column 4 of BillStatsList, unchecking restores 200 even
    // after the user resized it.
    HWND stats = hwnd(Ctl::BillStatsList);
    clickControl(hwnd(Ctl::ShowColumnCheck));
    EXPECT_EQ(SendMessageW(stats, LVM_GETCOLUMNWIDTH, 4, 0), 0);
    SendMessageW(stats, LVM_SETCOLUMNWIDTH, 4, 123);
    clickControl(hwnd(Ctl::ShowColumnCheck));
    EXPECT_EQ(SendMessageW(stats, LVM_GETCOLUMNWIDTH, 4, 0), ui().scaled(200));

    // The help message, pressed with the left button.
    SendMessageW(hwnd(Ctl::HelpLabel), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 4));
    SendMessageW(hwnd(Ctl::HelpLabel), WM_LBUTTONUP, 0, MAKELPARAM(4, 4));
    ASSERT_EQ(seen_.size(), 1u);
    EXPECT_EQ(seen_[0].caption, L"信息：");
    EXPECT_EQ(seen_[0].text,
              L"押金：带进来的钱\r\n投注内容：用空格进行分开\r\n"
              L"玩法名称：1/钱，二连/钱，三连/钱，四连/钱，五连/"
              L"钱，小钱，大钱，单钱，双钱，龙钱，虎钱，和钱");
    EXPECT_FALSE(seen_[0].yesNo);
}

TEST_F(ProgramTest, StatisticsWindowRunsModally) {
    bool inside = false;
    ui().postToGui([&] {
        inside = true;
        HWND window = hwnd(Ctl::StatisticsWindow);
        ASSERT_TRUE(window);
        EXPECT_TRUE(IsWindowVisible(window));
        EXPECT_EQ(GetWindow(window, GW_OWNER), hwnd(Ctl::MainWindow));
        EXPECT_FALSE(IsWindowEnabled(hwnd(Ctl::MainWindow)));
        EXPECT_EQ(ui().text(Ctl::SellerIncomeLabel), "今日卖家收入：0");
        // The main window takes no input: a real click on the page switch changes nothing.
        RECT r{};
        GetWindowRect(hwnd(Ctl::PageSwitchButton), &r);
        mouseClickAt((r.left + r.right) / 2, (r.top + r.bottom) / 2);
        pumpPending(300);
        EXPECT_EQ(ui().currentPage(), 0);
        PostMessageW(window, WM_CLOSE, 0, 0);
    });
    clickControl(hwnd(Ctl::StatisticsButton));  // returns once the window is closed
    EXPECT_TRUE(inside);
    // The same real click reaches the enabled main window again.
    RECT r{};
    GetWindowRect(hwnd(Ctl::PageSwitchButton), &r);
    mouseClickAt((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    EXPECT_TRUE(pumpUntil([&] { return ui().currentPage() == 1; }));
    EXPECT_EQ(hwnd(Ctl::StatisticsWindow), nullptr);
    EXPECT_TRUE(IsWindowEnabled(hwnd(Ctl::MainWindow)));
}

// Keys through the system's input queue, as the keyboard delivers them to the focused
// window of the foreground window.
void pressKeys(const std::vector<WORD>& keys) {
    std::vector<INPUT> inputs;
    for (WORD vk : keys) {
        INPUT down{};
        down.type = INPUT_KEYBOARD;
        down.ki.wVk = vk;
        INPUT up = down;
        up.ki.dwFlags = KEYEVENTF_KEYUP;
        inputs.push_back(down);
        inputs.push_back(up);
    }
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

TEST_F(ProgramTest, DigitBoxesHandTheFocusOnUnderTheKeyboard) {
    ASSERT_TRUE(pumpUntil([&] { return GetForegroundWindow() == hwnd(Ctl::MainWindow); }))
        << "the main window must be in front to receive keys";
    clickControl(hwnd(Ctl::DigitBox1));
    ASSERT_EQ(GetFocus(), hwnd(Ctl::DigitBox1));
    pressKeys({'1', '2', '3', '4', '5'});
    ASSERT_TRUE(pumpUntil([&] { return ui().text(Ctl::DigitBox5) == "5"; }));
    const Ctl boxes[] = {Ctl::DigitBox1, Ctl::DigitBox2, Ctl::DigitBox3, Ctl::DigitBox4,
                         Ctl::DigitBox5};
    for (int i = 0; i < 5; ++i) EXPECT_EQ(ui().text(boxes[i]), std::string(1, char('1' + i)));
    EXPECT_EQ(GetFocus(), hwnd(Ctl::DigitBox5));

    // Backspace in DigitBox2 empties it and hands the focus on with the next digit selected.
    clickControl(hwnd(Ctl::DigitBox2));
    pressKeys({VK_BACK});
    ASSERT_TRUE(pumpUntil([&] { return ui().text(Ctl::DigitBox2).empty(); }));
    EXPECT_EQ(GetFocus(), hwnd(Ctl::DigitBox3));
    pressKeys({'9'});
    ASSERT_TRUE(pumpUntil([&] { return ui().text(Ctl::DigitBox3) == "9"; }));
    EXPECT_EQ(GetFocus(), hwnd(Ctl::DigitBox4));

    // The deposit box drops letters and takes the minus sign.
    clickControl(hwnd(Ctl::DepositEdit));
    pressKeys({'A', VK_OEM_MINUS, '5', 'B'});
    pumpPending(200);
    EXPECT_EQ(ui().text(Ctl::DepositEdit), "-5");
}

TEST_F(ProgramTest, AnAddedBillShowsItsColourOnScreen) {
    ui().setText(Ctl::PlayerNameEdit, "张三");
    ui().setText(Ctl::DepositEdit, "500");
    ui().setText(Ctl::BetContentEdit, "1/10");
    clickControl(hwnd(Ctl::AddButton));
    ASSERT_EQ(ui().rowCount(Ctl::BillsList), 1)
        << (seen_.empty() ? std::string() : wideToGbk(seen_[0].text));
    ui().setSelectedRow(Ctl::BillsList, -1);
    Colour text = 0, background = 0;
    ASSERT_TRUE(program_->app().colours.find(Ctl::BillsList, 0, 1, text, background));
    pumpPending(200);
    UpdateWindow(hwnd(Ctl::BillsList));
    // Right of the deposit's text inside its cell, and in the margin before the text of the
    // balance column (only columns 0 to 5 get the bill's colour; the list's right edge cuts
    // that last column).
    RECT deposit{};
    deposit.top = 1;
    deposit.left = LVIR_BOUNDS;
    SendMessageW(hwnd(Ctl::BillsList), LVM_GETSUBITEMRECT, 0, reinterpret_cast<LPARAM>(&deposit));
    RECT balance{};
    balance.top = 8;
    balance.left = LVIR_BOUNDS;
    SendMessageW(hwnd(Ctl::BillsList), LVM_GETSUBITEMRECT, 0, reinterpret_cast<LPARAM>(&balance));
    POINT inDeposit{deposit.right - 4, (deposit.top + deposit.bottom) / 2};
    POINT inBalance{balance.left + 2, inDeposit.y};
    ClientToScreen(hwnd(Ctl::BillsList), &inDeposit);
    ClientToScreen(hwnd(Ctl::BillsList), &inBalance);
    EXPECT_EQ(test::screenPixel(inDeposit.x, inDeposit.y), background);
    EXPECT_EQ(test::screenPixel(inBalance.x, inBalance.y), RGB(255, 255, 255));
}

TEST_F(ProgramTest, AFailedBillLogWriteIsShown) {
    // A folder where the log should be makes every write of it fail.
    ASSERT_TRUE(CreateDirectoryW((folder_ + L"\\账单.txt").c_str(), nullptr));
    program_->app().billLog->enqueue("entry");
    program_->app().billLog->drain();
    ASSERT_TRUE(pumpUntil([&] { return !seen_.empty(); }));
    EXPECT_EQ(seen_[0].text, L"账单保存失败！");
    EXPECT_EQ(seen_[0].caption, L"信息：");
}

TEST_F(ProgramTest, ClosingTheMainWindowEndsTheLoop) {
    PostMessageW(hwnd(Ctl::MainWindow), WM_CLOSE, 0, 0);
    EXPECT_EQ(program_->run(), 0);
    EXPECT_EQ(hwnd(Ctl::MainWindow), nullptr);
}

}  // namespace
}  // namespace bk
