// The control map: one table (control_map.def) describing every window and control of the
// program. Control ids, list columns, drop-down items and popup menus all come from here;
// the headless face builds its model from it and the Win32 face its windows.
#pragma once

#include <cstdint>
#include <vector>

#include "betting/text.h"

namespace bk {

enum class Ctl : int {
#define BK_CONTROL(id, window, parent, page, kind, x, y, w, h, caption, font, flags, script) id,
#include "shell/control_map.def"
#undef BK_CONTROL
    None,
};
constexpr int kControlCount = static_cast<int>(Ctl::None);

enum class Window { Main, Stats };

enum class ControlKind { Window, PageContainer, GroupBox, Label, Edit, Button, CheckBox, ComboList, ListView };

enum class FontId { Default, Song12Bold, Song16Bold, Song21 };

enum ControlFlags : std::uint32_t {
    CF_Hidden = 1u << 0,        // created, never shown
    CF_Disabled = 1u << 1,      // shown greyed, takes no input
    CF_IntegerInput = 1u << 2,  // typed characters other than '-' and 0-9 are dropped
    CF_OneChar = 1u << 3,       // holds at most one character
    CF_Multiline = 1u << 4,     // multi-line edit box without scroll bars
    CF_Transparent = 1u << 5,   // label without background
    CF_Notify = 1u << 6,        // label that reports mouse presses
    CF_BlueText = 1u << 7,      // list text RGB 0,136,255 on white
    CF_RedText = 1u << 8,       // edit text RGB 255,0,0
    CF_Inert = 1u << 9,         // exists, but no code reads or writes it
};

struct ControlInfo {
    Ctl id;
    Window window;
    Ctl parent;  // Ctl::None: the window itself
    int page;    // page of PageTabs for its direct children, else -1
    ControlKind kind;
    int x, y, w, h;
    const char* caption;  // GBK
    FontId font;
    std::uint32_t flags;
    const char* scriptName;  // GBK; the name scenario scripts use
};

// The whole table, indexed by Ctl.
const std::vector<ControlInfo>& controlMap();
const ControlInfo& controlInfo(Ctl id);
// Ctl::None when no control has that script name (GBK).
Ctl controlByScriptName(const Text& name);

struct ListColumn {
    const char* title;  // GBK
    int width;
};
// The columns of a list view (empty for other controls).
const std::vector<ListColumn>& listColumns(Ctl list);

// The items of a drop-down list; item 0 is selected at start.
const std::vector<Text>& comboItems(Ctl combo);

// Popup menus: "一" on BillsList, "二" on BillStatsList.
enum class Menu { One, Two };
enum class MenuItem { DeleteAll, DeleteSelected, ClearAll };
struct MenuItemInfo {
    MenuItem item;
    const char* caption;  // GBK, trailing blanks included
};
const std::vector<MenuItemInfo>& menuItems(Menu menu);

// Colours are Windows colour values: red in the lowest byte, then green, then blue.
using Colour = std::uint32_t;
constexpr Colour rgb(int r, int g, int b) {
    return static_cast<Colour>(r) | (static_cast<Colour>(g) << 8) | (static_cast<Colour>(b) << 16);
}
// A list's own text and text-background colours as the map sets them.
Colour listTextColour(Ctl list);
Colour listBackgroundColour(Ctl list);

}  // namespace bk
