// The window-skin library (jedata.dll) and the start-up code that installs and attaches it.
//
// A successful attach hooks the calling thread and the library keeps its palette for the
// whole process, so every test that attaches does it on a thread of its own: the windows
// of other tests in this program stay unskinned.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <functional>
#include <iterator>
#include <set>
#include <sstream>
#include <string>
#include <thread>

#include "shell/win32/skin_loader.h"
#include "skin/skin_api.h"

namespace {

std::wstring programFolder() {
    wchar_t buf[MAX_PATH];
    DWORD n = GetModuleFileNameW(nullptr, buf, MAX_PATH);
    std::wstring path(buf, n);
    return path.substr(0, path.find_last_of(L"\\/"));
}

std::string readFile(const std::wstring& path) {
    std::ifstream in(path.c_str(), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void writeFile(const std::wstring& path, const std::string& bytes) {
    std::ofstream out(path.c_str(), std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string narrow(const std::wstring& w) {
    int n = WideCharToMultiByte(CP_ACP, 0, w.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string s(n > 0 ? n - 1 : 0, '\0');
    WideCharToMultiByte(CP_ACP, 0, w.c_str(), -1, &s[0], n, nullptr, nullptr);
    return s;
}

// A folder of its own under the temporary folder, emptied and removed afterwards.
class TempFolder {
public:
    TempFolder() {
        wchar_t base[MAX_PATH];
        GetTempPathW(MAX_PATH, base);
        static int counter = 0;
        path_ = std::wstring(base) + L"bk-skin-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                std::to_wstring(++counter);
        CreateDirectoryW(path_.c_str(), nullptr);
    }
    ~TempFolder() {
        WIN32_FIND_DATAW fd;
        HANDLE h = FindFirstFileW((path_ + L"\\*").c_str(), &fd);
        if (h != INVALID_HANDLE_VALUE) {
            do {
                std::wstring name = fd.cFileName;
                if (name == L"." || name == L"..") continue;
                std::wstring p = path_ + L"\\" + name;
                if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                    RemoveDirectoryW(p.c_str());
                } else {
                    DeleteFileW(p.c_str());  // a loaded library stays; harmless in %TEMP%
                }
            } while (FindNextFileW(h, &fd));
            FindClose(h);
        }
        RemoveDirectoryW(path_.c_str());
    }
    std::wstring file(const wchar_t* name) const { return path_ + L"\\" + name; }
    const std::wstring& path() const { return path_; }

private:
    std::wstring path_;
};

// The library as a test sees it: the copy beside this program, as the program finds it.
struct SkinApi {
    HMODULE module = nullptr;
    SkinAttachExFn attach = nullptr;
    SkinAdjustHsvFn adjust = nullptr;

    explicit SkinApi(const std::wstring& path) {
        module = LoadLibraryW(path.c_str());
        if (module) {
            attach = reinterpret_cast<SkinAttachExFn>(
                reinterpret_cast<void (*)()>(GetProcAddress(module, "SkinH_AttachEx")));
            adjust = reinterpret_cast<SkinAdjustHsvFn>(
                reinterpret_cast<void (*)()>(GetProcAddress(module, "SkinH_AdjustHSV")));
        }
    }
};

SkinApi& builtLibrary() {
    static SkinApi api(programFolder() + L"\\jedata.dll");
    return api;
}

void onFreshThread(const std::function<void()>& body) {
    std::thread worker(body);
    worker.join();
}

std::string skinFile(const char* face, const char* faceText, const char* field,
                     const char* fieldText) {
    std::ostringstream s;
    s << ".SHE 1\n# test skin\nFace " << face << "\nFaceText " << faceText << "\nField " << field
      << "\nFieldText " << fieldText << "\n";
    return s.str();
}

void pumpMessages() {
    for (int round = 0; round < 5; ++round) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}

LRESULT CALLBACK ownColoursProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    static HBRUSH own = CreateSolidBrush(RGB(1, 2, 3));
    if (msg == WM_CTLCOLORSTATIC) return reinterpret_cast<LRESULT>(own);
    return DefWindowProcW(hwnd, msg, wp, lp);
}

const wchar_t kSurfaceClass[] = L"BkSkinTestSurface";
const wchar_t kOwnColoursClass[] = L"BkSkinTestOwnColours";

void registerClasses() {
    static bool done = false;
    if (done) return;
    done = true;
    WNDCLASSW wc = {};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = kSurfaceClass;
    RegisterClassW(&wc);
    wc.lpfnWndProc = ownColoursProc;
    wc.lpszClassName = kOwnColoursClass;
    RegisterClassW(&wc);
}

// A shown top-level window with a label and an edit box, as the program's windows are.
struct TestWindow {
    HWND top = nullptr, label = nullptr, edit = nullptr, list = nullptr;

    explicit TestWindow(const wchar_t* cls = kSurfaceClass) {
        registerClasses();
        INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_LISTVIEW_CLASSES};
        InitCommonControlsEx(&icc);
        top = CreateWindowExW(0, cls, L"skin test", WS_OVERLAPPEDWINDOW, 40, 40, 320, 200,
                              nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
        label = CreateWindowExW(0, L"Static", L"ab", WS_CHILD | WS_VISIBLE, 10, 10, 200, 20, top,
                                nullptr, GetModuleHandleW(nullptr), nullptr);
        edit = CreateWindowExW(0, L"Edit", L"", WS_CHILD | WS_VISIBLE, 10, 40, 200, 20, top,
                               nullptr, GetModuleHandleW(nullptr), nullptr);
        list = CreateWindowExW(0, WC_LISTVIEWW, L"", WS_CHILD | WS_VISIBLE | LVS_REPORT, 10, 70,
                               200, 80, top, nullptr, GetModuleHandleW(nullptr), nullptr);
        ShowWindow(top, SW_SHOWNOACTIVATE);
        UpdateWindow(top);
        pumpMessages();
    }
    ~TestWindow() {
        DestroyWindow(top);
        pumpMessages();
    }
};

std::string hex(COLORREF c) {
    char buf[8];
    std::snprintf(buf, sizeof buf, "%02X%02X%02X", GetRValue(c), GetGValue(c), GetBValue(c));
    return buf;
}

// The colour a window's client area shows at (x, y), printed into a bitmap of our own.
COLORREF printedPixel(HWND hwnd, int x, int y) {
    RECT rc;
    GetClientRect(hwnd, &rc);
    HDC screen = GetDC(nullptr);
    HDC mem = CreateCompatibleDC(screen);
    HBITMAP bmp = CreateCompatibleBitmap(screen, rc.right, rc.bottom);
    HGDIOBJ old = SelectObject(mem, bmp);
    SendMessageW(hwnd, WM_PRINT, reinterpret_cast<WPARAM>(mem),
                 PRF_CLIENT | PRF_ERASEBKGND | PRF_CHILDREN);
    COLORREF c = GetPixel(mem, x, y);
    SelectObject(mem, old);
    DeleteObject(bmp);
    DeleteDC(mem);
    ReleaseDC(nullptr, screen);
    return c;
}

// The colour the window shows on screen at (x, y) of its client area. The window system may
// take a moment to give a freshly shown window its surface, so this repaints and looks
// again until it sees `awaited` or a few seconds have passed, and returns what it saw last.
std::string shownPixel(HWND hwnd, int x, int y, const std::string& awaited) {
    std::string seen;
    for (DWORD start = GetTickCount(); GetTickCount() - start < 3000;) {
        RedrawWindow(hwnd, nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_ERASENOW | RDW_UPDATENOW);
        pumpMessages();
        HDC dc = GetDC(hwnd);
        seen = hex(GetPixel(dc, x, y));
        ReleaseDC(hwnd, dc);
        if (seen == awaited) break;
    }
    return seen;
}

struct ControlColour {
    COLORREF brush, text, back;
};

// What a control is told to paint with when it asks its parent.
ControlColour askParent(HWND control, UINT msg) {
    HDC dc = GetDC(control);
    auto brush = reinterpret_cast<HBRUSH>(
        SendMessageW(GetParent(control), msg, reinterpret_cast<WPARAM>(dc),
                     reinterpret_cast<LPARAM>(control)));
    LOGBRUSH lb = {};
    GetObjectW(brush, sizeof lb, &lb);
    ControlColour c{lb.lbColor, GetTextColor(dc), GetBkColor(dc)};
    ReleaseDC(control, dc);
    return c;
}

TEST(SkinLibrary, ExportsExactlyTheTwoFunctions) {
    SkinApi& api = builtLibrary();
    ASSERT_NE(api.module, nullptr);
    EXPECT_NE(api.attach, nullptr);
    EXPECT_NE(api.adjust, nullptr);

    auto base = reinterpret_cast<const unsigned char*>(api.module);
    auto dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    auto nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& dir = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_EXPORT];
    ASSERT_NE(dir.VirtualAddress, 0u);
    auto exports = reinterpret_cast<const IMAGE_EXPORT_DIRECTORY*>(base + dir.VirtualAddress);
    auto names = reinterpret_cast<const DWORD*>(base + exports->AddressOfNames);
    std::set<std::string> found;
    for (DWORD i = 0; i < exports->NumberOfNames; ++i) {
        found.insert(reinterpret_cast<const char*>(base + names[i]));
    }
    EXPECT_EQ(found, (std::set<std::string>{"SkinH_AdjustHSV", "SkinH_AttachEx"}));
    EXPECT_EQ(exports->NumberOfFunctions, 2u);
}

TEST(SkinLibrary, AdjustingBeforeAnyAttachIsRefused) {
    // A private copy has state of its own, whatever other tests attached.
    TempFolder tmp;
    std::wstring copy = tmp.file(L"jedata_fresh.dll");
    ASSERT_TRUE(CopyFileW((programFolder() + L"\\jedata.dll").c_str(), copy.c_str(), FALSE));
    SkinApi fresh(copy);
    ASSERT_NE(fresh.adjust, nullptr);
    EXPECT_EQ(fresh.adjust(120, 90, 40), SKIN_E_NOT_ATTACHED);
    FreeLibrary(fresh.module);
}

TEST(SkinLibrary, AttachReadsOnlyWellFormedSkinFiles) {
    TempFolder tmp;
    std::string good = skinFile("FF0000", "00FF00", "FFFFFF", "000000");
    std::string crlfWithExtras =
        ".SHE 1\r\n\r\n  # comment\r\nFace 112233\r\nAccent\t445566\r\nFaceText 000000  \r\n"
        "\tField ffffff\r\nFieldText 000000";
    std::string withNul = good;
    withNul.insert(good.find("Face"), 1, '\0');
    std::string oversized = good + std::string(70000, '#');
    struct Case {
        const char* what;
        std::string bytes;
        int expected;
    } cases[] = {
        {"a well-formed skin", good, SKIN_OK},
        {"CR LF, blanks, comments and an unknown name", crlfWithExtras, SKIN_OK},
        {"an empty file", "", SKIN_E_FORMAT},
        {"another mark", ".SHX 1\n" + good.substr(7), SKIN_E_FORMAT},
        {"another version", ".SHE 2\n" + good.substr(7), SKIN_E_FORMAT},
        {"a colour missing", ".SHE 1\nFace FF0000\nFaceText 000000\nField FFFFFF\n", SKIN_E_FORMAT},
        {"a colour twice", good + "Face 00FF00\n", SKIN_E_FORMAT},
        {"a non-hex digit", skinFile("FF000G", "000000", "FFFFFF", "000000"), SKIN_E_FORMAT},
        {"five digits", skinFile("FF000", "000000", "FFFFFF", "000000"), SKIN_E_FORMAT},
        {"seven digits", skinFile("FF00000", "000000", "FFFFFF", "000000"), SKIN_E_FORMAT},
        {"a third word", skinFile("FF0000 x", "000000", "FFFFFF", "000000"), SKIN_E_FORMAT},
        {"a name alone", good + "Accent\n", SKIN_E_FORMAT},
        {"a NUL byte", withNul, SKIN_E_FORMAT},
        {"a file too large to be a skin", oversized, SKIN_E_FORMAT},
        {"a program image", readFile(programFolder() + L"\\jedata.dll"), SKIN_E_FORMAT},
    };
    onFreshThread([&] {
        for (const Case& c : cases) {
            std::wstring path = tmp.file(L"case.she");
            writeFile(path, c.bytes);
            EXPECT_EQ(builtLibrary().attach(narrow(path).c_str(), ""), c.expected) << c.what;
        }
        EXPECT_EQ(builtLibrary().attach(narrow(tmp.file(L"missing.she")).c_str(), ""), SKIN_E_FILE);
        EXPECT_EQ(builtLibrary().attach(narrow(tmp.path()).c_str(), ""), SKIN_E_FILE) << "a folder";
        EXPECT_EQ(builtLibrary().attach(nullptr, ""), SKIN_E_ARGUMENT);
        writeFile(tmp.file(L"good.she"), good);
        EXPECT_EQ(builtLibrary().attach(narrow(tmp.file(L"good.she")).c_str(), nullptr), SKIN_OK);
        EXPECT_EQ(builtLibrary().attach(narrow(tmp.file(L"good.she")).c_str(), "x"),
                  SKIN_E_ARGUMENT);
    });
}

TEST(SkinLibrary, WindowsShowTheSkinsColours) {
    TempFolder tmp;
    writeFile(tmp.file(L"red.she"), skinFile("FF0000", "00FF00", "2E5C8A", "0000FF"));
    onFreshThread([&] {
        TestWindow before;  // exists before the attach: skinned all the same
        ASSERT_EQ(builtLibrary().attach(narrow(tmp.file(L"red.she")).c_str(), ""), SKIN_OK);
        TestWindow after;
        TestWindow own(kOwnColoursClass);
        for (TestWindow* w : {&before, &after}) {
            EXPECT_EQ(shownPixel(w->top, 300, 150, "FF0000"), "FF0000") << "window background";
            EXPECT_EQ(hex(printedPixel(w->top, 300, 150)), "FF0000") << "printed background";
            // The label's own area, right of its short text.
            EXPECT_EQ(shownPixel(w->label, 190, 10, "FF0000"), "FF0000") << "label background";
            ControlColour label = askParent(w->label, WM_CTLCOLORSTATIC);
            EXPECT_EQ(hex(label.brush), "FF0000");
            EXPECT_EQ(hex(label.back), "FF0000");
            EXPECT_EQ(hex(label.text), "00FF00");
            ControlColour edit = askParent(w->edit, WM_CTLCOLOREDIT);
            EXPECT_EQ(hex(edit.brush), "2E5C8A");
            EXPECT_EQ(hex(edit.text), "0000FF");
            EXPECT_EQ(shownPixel(w->edit, 190, 10, "2E5C8A"), "2E5C8A") << "edit box background";
            // Controls that paint their own background are left alone.
            std::string listColour = hex(ListView_GetBkColor(w->list));
            EXPECT_EQ(shownPixel(w->list, 150, 60, listColour), listColour)
                << "list view background";
        }
        // A window that answers with a brush of its own keeps it.
        EXPECT_EQ(hex(askParent(own.label, WM_CTLCOLORSTATIC).brush), "010203");
    });
}

TEST(SkinLibrary, AdjustingShiftsHueSaturationAndValue) {
    TempFolder tmp;
    writeFile(tmp.file(L"hsv.she"), skinFile("FF0000", "00FF00", "2E5C8A", "0000FF"));
    struct Case {
        int h, s, v;
        const char* face;   // from FF0000
        const char* field;  // from 2E5C8A
    } cases[] = {
        {120, 0, 0, "00FF00", "8A2E5C"},   {240, 0, 0, "0000FF", "5C8A2E"},
        {-120, 0, 0, "0000FF", "5C8A2E"},  {480, 0, 0, "00FF00", "8A2E5C"},
        {180, 0, 0, "00FFFF", "8A5C2E"},   {0, -50, 0, "FF8080", "5C738A"},
        {0, -100, 0, "FFFFFF", "8A8A8A"},  {0, 0, -50, "800000", "172E45"},
        {0, 0, 100, "FF0000", "55AAFF"},   {0, 0, 500, "FF0000", "55AAFF"},
        {0, 100, 0, "FF0000", "00458A"},   {100, -30, -20, "6DCC3D", "6E3B66"},
        {0, 0, 0, "FF0000", "2E5C8A"},
    };
    onFreshThread([&] {
        ASSERT_EQ(builtLibrary().attach(narrow(tmp.file(L"hsv.she")).c_str(), ""), SKIN_OK);
        TestWindow w;
        for (const Case& c : cases) {
            std::string label = std::to_string(c.h) + "," + std::to_string(c.s) + "," +
                                std::to_string(c.v);
            ASSERT_EQ(builtLibrary().adjust(c.h, c.s, c.v), SKIN_OK) << label;
            EXPECT_EQ(shownPixel(w.top, 300, 150, c.face), c.face) << label;
            EXPECT_EQ(hex(askParent(w.edit, WM_CTLCOLOREDIT).brush), c.field) << label;
        }
        // Text colours move with the rest: green turned a third of the way is blue.
        ASSERT_EQ(builtLibrary().adjust(120, 0, 0), SKIN_OK);
        EXPECT_EQ(hex(askParent(w.label, WM_CTLCOLORSTATIC).text), "0000FF");
    });
}

TEST(SkinLibrary, AFailedAttachKeepsTheSkinInEffect) {
    TempFolder tmp;
    writeFile(tmp.file(L"red.she"), skinFile("FF0000", "000000", "FFFFFF", "000000"));
    writeFile(tmp.file(L"bad.she"), ".SHE 1\nFace 00FF00\n");
    onFreshThread([&] {
        ASSERT_EQ(builtLibrary().attach(narrow(tmp.file(L"red.she")).c_str(), ""), SKIN_OK);
        ASSERT_EQ(builtLibrary().adjust(120, 0, 0), SKIN_OK);
        TestWindow w;
        EXPECT_EQ(builtLibrary().attach(narrow(tmp.file(L"bad.she")).c_str(), ""), SKIN_E_FORMAT);
        EXPECT_EQ(builtLibrary().attach(narrow(tmp.file(L"none.she")).c_str(), ""), SKIN_E_FILE);
        EXPECT_EQ(shownPixel(w.top, 300, 150, "00FF00"), "00FF00");
        // The adjustment still starts from the attached file's colours.
        ASSERT_EQ(builtLibrary().adjust(240, 0, 0), SKIN_OK);
        EXPECT_EQ(shownPixel(w.top, 300, 150, "0000FF"), "0000FF");
    });
}

TEST(SkinLoader, WritesTheEmbeddedBlocksWhole) {
    TempFolder tmp;
    std::wstring lib = tmp.file(L"lib.dll"), data = tmp.file(L"data.she");
    writeFile(lib, std::string(200000, 'x'));  // longer than the library: must be truncated
    ASSERT_TRUE(bk::writeEmbeddedSkinFile(BK_SKIN_LIBRARY_RESOURCE, lib));
    ASSERT_TRUE(bk::writeEmbeddedSkinFile(BK_SKIN_DATA_RESOURCE, data));
    EXPECT_EQ(readFile(lib), readFile(programFolder() + L"\\jedata.dll"));
    EXPECT_EQ(readFile(data).substr(0, 4), ".SHE");
    EXPECT_FALSE(bk::writeEmbeddedSkinFile(L"NO_SUCH_BLOCK", tmp.file(L"x")));
    EXPECT_FALSE(bk::writeEmbeddedSkinFile(BK_SKIN_DATA_RESOURCE, tmp.file(L"no\\such\\dir")));
}

TEST(SkinLoader, StartUpInstallsBothFilesAndAttachesTheShippedSkin) {
    const std::wstring windowsLib = L"C:\\Windows\\jedata.dll", windowsSkin = L"C:\\Windows\\win8.she";
    // An earlier start's files (here: junk) are overwritten.
    writeFile(windowsSkin, std::string(10000, '#'));
    writeFile(windowsLib, "MZ");
    onFreshThread([&] {
        bk::installAndAttachSkin();
        bk::SkinLibrary& lib = bk::programSkinLibrary();
        ASSERT_TRUE(lib.loaded());
        // The copy beside the program wins over the one just written to the Windows folder.
        EXPECT_EQ(lib.loadedPath(), programFolder() + L"\\jedata.dll");

        TestWindow w;
        EXPECT_EQ(shownPixel(w.top, 300, 150, "E6EEDC"), "E6EEDC");  // win8.she's Face
        // The program's own adjustment: a third of the way round, more colour, brighter.
        bk::adjustSkinHsv(120, 90, 40);
        EXPECT_EQ(shownPixel(w.top, 300, 150, "DAEFFF"), "DAEFFF");
    });
    std::string lib = readFile(windowsLib), skin = readFile(windowsSkin);
    EXPECT_EQ(lib, readFile(programFolder() + L"\\jedata.dll"));
    EXPECT_EQ(skin.substr(0, 4), ".SHE");
    EXPECT_LT(skin.size(), 10000u);
    TempFolder tmp;
    ASSERT_TRUE(bk::writeEmbeddedSkinFile(BK_SKIN_DATA_RESOURCE, tmp.file(L"embedded.she")));
    EXPECT_EQ(skin, readFile(tmp.file(L"embedded.she")));
}

TEST(SkinLoader, StartUpGoesOnWithTheFilesThereWhenTheyCannotBeWritten) {
    // A skin file that another program holds open for reading cannot be rewritten: the
    // start-up keeps going and attaches the file that is there.
    const std::wstring windowsSkin = L"C:\\Windows\\win8.she";
    writeFile(windowsSkin, skinFile("123456", "000000", "FFFFFF", "000000"));
    HANDLE held = CreateFileW(windowsSkin.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(bk::writeEmbeddedSkinFile(BK_SKIN_DATA_RESOURCE, windowsSkin));
    onFreshThread([&] {
        bk::installAndAttachSkin();
        TestWindow w;
        EXPECT_EQ(shownPixel(w.top, 300, 150, "123456"), "123456");
    });
    CloseHandle(held);
    // The next start writes the shipped skin again.
    EXPECT_TRUE(bk::writeEmbeddedSkinFile(BK_SKIN_DATA_RESOURCE, windowsSkin));
}

TEST(SkinLoader, MissingLibraryOrFunctionsLeaveTheProgramRunningUnskinned) {
    bk::SkinLibrary missing(L"bk_no_such_skin_library.dll");
    EXPECT_EQ(missing.attachEx("C:\\Windows\\win8.she", ""), -1);
    EXPECT_EQ(missing.adjustHsv(120, 90, 40), -1);
    EXPECT_FALSE(missing.loaded());

    // A real library that is not a skin library.
    bk::SkinLibrary foreign(L"version.dll");
    EXPECT_EQ(foreign.attachEx("C:\\Windows\\win8.she", ""), -1);
    EXPECT_EQ(foreign.adjustHsv(120, 90, 40), -1);
    EXPECT_TRUE(foreign.loaded());
}

TEST(SkinLoader, PlainNamesAreNotLoadedFromTheCurrentFolder) {
    TempFolder tmp;
    std::wstring planted = tmp.file(L"bk_planted_skin.dll");
    ASSERT_TRUE(CopyFileW((programFolder() + L"\\jedata.dll").c_str(), planted.c_str(), FALSE));
    wchar_t oldDir[MAX_PATH];
    GetCurrentDirectoryW(MAX_PATH, oldDir);
    ASSERT_TRUE(SetCurrentDirectoryW(tmp.path().c_str()));
    bk::SkinLibrary byName(L"bk_planted_skin.dll");
    bool loaded = byName.loaded();
    SetCurrentDirectoryW(oldDir);
    EXPECT_FALSE(loaded);

    // Named with its folder, the same file is loaded from there.
    bk::SkinLibrary byPath(planted);
    EXPECT_TRUE(byPath.loaded());
    EXPECT_EQ(byPath.loadedPath(), planted);
    EXPECT_EQ(byPath.adjustHsv(0, 0, 0), SKIN_E_NOT_ATTACHED);
}

}  // namespace
