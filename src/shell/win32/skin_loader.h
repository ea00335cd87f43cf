// Start-up's window skin: the program carries the skin library (jedata.dll) and its skin
// data (win8.she) as resources, writes both into the Windows folder and attaches the skin
// before the main window exists; the main window's creation tunes the colours.
//
// A library that cannot be loaded, or lacks a function, does not stop the program: it runs
// without the skin and the calls do nothing.
#pragma once

#include <string>

namespace bk {

// Writes "C:\Windows\jedata.dll" and "C:\Windows\win8.she" (results ignored), then attaches
// the skin through the library loaded by its plain name "jedata.dll".
void installAndAttachSkin();

// SkinH_AdjustHSV through the same library; hue, saturation, value.
void adjustSkinHsv(int hue, int saturation, int value);

// ---- the parts, for the start-up code above and for tests ----

// Writes the embedded block named `resource` (BK_SKIN_LIBRARY_RESOURCE or
// BK_SKIN_DATA_RESOURCE) from the program's own image to `path`, creating or truncating
// the file. False when the block is missing or the file cannot be written whole.
bool writeEmbeddedSkinFile(const wchar_t* resource, const std::wstring& path);

// The skin library, loaded at the first call of either function. A plain name is looked
// for in the program's folder, then the system folder, then the Windows folder; the
// current folder and PATH are not searched, so a stray jedata.dll there is never run.
// A name with a folder in it is loaded from exactly there.
class SkinLibrary {
public:
    explicit SkinLibrary(std::wstring name);
    ~SkinLibrary();
    SkinLibrary(const SkinLibrary&) = delete;
    SkinLibrary& operator=(const SkinLibrary&) = delete;

    // The library's result, or -1 when the library or the function is not there.
    int attachEx(const char* skinPath, const char* second);
    int adjustHsv(int hue, int saturation, int value);

    // Whether the library was found (loads it if not tried yet).
    bool loaded();
    // The file the library was loaded from (empty when none).
    std::wstring loadedPath();

private:
    void load();

    std::wstring name_;
    bool tried_ = false;
    void* module_ = nullptr;
    using AnyFunction = void (*)();
    AnyFunction attach_ = nullptr;
    AnyFunction adjust_ = nullptr;
};

// The program's one skin library ("jedata.dll"), used by the two start-up calls above.
SkinLibrary& programSkinLibrary();

}  // namespace bk
