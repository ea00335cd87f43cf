#include "shell/win32/skin_loader.h"

#include <windows.h>

#include <vector>

#include "skin/skin_api.h"

namespace bk {
namespace {

const wchar_t kLibraryTarget[] = L"C:\\Windows\\jedata.dll";
const wchar_t kSkinTarget[] = L"C:\\Windows\\win8.she";
const char kSkinTargetNarrow[] = "C:\\Windows\\win8.she";

std::wstring folderOfProgram() {
    std::vector<wchar_t> buf(MAX_PATH);
    for (;;) {
        DWORD n = GetModuleFileNameW(nullptr, buf.data(), static_cast<DWORD>(buf.size()));
        if (n == 0) return std::wstring();
        if (n < buf.size()) {
            std::wstring path(buf.data(), n);
            size_t slash = path.find_last_of(L"\\/");
            return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash);
        }
        buf.resize(buf.size() * 2);
    }
}

std::wstring systemFolder(UINT(WINAPI* query)(LPWSTR, UINT)) {
    wchar_t buf[MAX_PATH];
    UINT n = query(buf, MAX_PATH);
    return n > 0 && n < MAX_PATH ? std::wstring(buf, n) : std::wstring();
}

void note(const std::wstring& text) { OutputDebugStringW((text + L"\n").c_str()); }

}  // namespace

bool writeEmbeddedSkinFile(const wchar_t* resource, const std::wstring& path) {
    HMODULE self = GetModuleHandleW(nullptr);
    HRSRC found = FindResourceW(self, resource, MAKEINTRESOURCEW(10) /* RT_RCDATA */);
    if (!found) return false;
    HGLOBAL handle = LoadResource(self, found);
    const void* bytes = handle ? LockResource(handle) : nullptr;
    DWORD size = SizeofResource(self, found);
    if (!bytes) return false;

    HANDLE f = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (f == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    bool ok = WriteFile(f, bytes, size, &written, nullptr) && written == size;
    ok = CloseHandle(f) && ok;
    return ok;
}

SkinLibrary::SkinLibrary(std::wstring name) : name_(std::move(name)) {}

SkinLibrary::~SkinLibrary() {
    // A library whose attach succeeded has pinned itself; this only lets go of our count.
    if (module_) FreeLibrary(static_cast<HMODULE>(module_));
}

void SkinLibrary::load() {
    if (tried_) return;
    tried_ = true;

    std::vector<std::wstring> candidates;
    if (name_.find_first_of(L"\\/") != std::wstring::npos) {
        candidates.push_back(name_);
    } else {
        for (const std::wstring& folder :
             {folderOfProgram(), systemFolder(GetSystemDirectoryW),
              systemFolder(GetWindowsDirectoryW)}) {
            if (!folder.empty()) candidates.push_back(folder + L"\\" + name_);
        }
    }
    for (const std::wstring& path : candidates) {
        // No "cannot find" dialog boxes from the system while probing.
        DWORD oldMode = 0;
        SetThreadErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX, &oldMode);
        HMODULE m = LoadLibraryW(path.c_str());
        SetThreadErrorMode(oldMode, nullptr);
        if (m) {
            module_ = m;
            break;
        }
    }
    if (!module_) {
        note(L"skin: " + name_ + L" not found; running without the skin");
        return;
    }
    HMODULE m = static_cast<HMODULE>(module_);
    attach_ = reinterpret_cast<AnyFunction>(GetProcAddress(m, "SkinH_AttachEx"));
    adjust_ = reinterpret_cast<AnyFunction>(GetProcAddress(m, "SkinH_AdjustHSV"));
    if (!attach_) note(L"skin: " + name_ + L" has no SkinH_AttachEx");
    if (!adjust_) note(L"skin: " + name_ + L" has no SkinH_AdjustHSV");
}

bool SkinLibrary::loaded() {
    load();
    return module_ != nullptr;
}

std::wstring SkinLibrary::loadedPath() {
    load();
    if (!module_) return std::wstring();
    std::vector<wchar_t> buf(32768);
    DWORD n = GetModuleFileNameW(static_cast<HMODULE>(module_), buf.data(),
                                 static_cast<DWORD>(buf.size()));
    return std::wstring(buf.data(), n);
}

int SkinLibrary::attachEx(const char* skinPath, const char* second) {
    load();
    if (!attach_) return -1;
    return reinterpret_cast<SkinAttachExFn>(attach_)(skinPath, second);
}

int SkinLibrary::adjustHsv(int hue, int saturation, int value) {
    load();
    if (!adjust_) return -1;
    return reinterpret_cast<SkinAdjustHsvFn>(adjust_)(hue, saturation, value);
}

SkinLibrary& programSkinLibrary() {
    static SkinLibrary library(L"jedata.dll");
    return library;
}

void installAndAttachSkin() {
    writeEmbeddedSkinFile(BK_SKIN_LIBRARY_RESOURCE, kLibraryTarget);
    writeEmbeddedSkinFile(BK_SKIN_DATA_RESOURCE, kSkinTarget);
    programSkinLibrary().attachEx(kSkinTargetNarrow, "");
}

void adjustSkinHsv(int hue, int saturation, int value) {
    programSkinLibrary().adjustHsv(hue, saturation, value);
}

}  // namespace bk
