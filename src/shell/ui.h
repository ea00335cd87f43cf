// The UI port: everything the handlers may do to the windows. Two faces implement it:
// the headless model (shell/headless) for tests and scripted runs, and the real Win32
// windows (shell/win32). Every call is made on the GUI thread, except postToGui.
#pragma once

#include <functional>

#include "shell/control_map.h"

namespace bk {

// Events a face reports to the handlers (see shell/events.h for the dispatch).
enum class Event {
    Clicked,      // button or check box clicked (a check box has already changed state)
    TextChanged,  // edit box text changed, by typing or by setText
    GotFocus,
    MouseUp,      // left mouse button released over the control
    MouseDown,    // left mouse button pressed over the control (HelpLabel)
    LeftClick,    // list view: a left click anywhere in the list
    RightClick,   // list view: a right click anywhere in the list
    DoubleClick,  // list view
    ItemFocused,  // list view: a row became the focused row
    // list view: the selected row changed by any means: a click, the keyboard, the program,
    // or the selected row being deleted (then to none). Deleting an earlier row moves the
    // selected row's index without this event: the same row stays selected.
    SelectionChanged,
};

class Ui {
public:
    virtual ~Ui() = default;

    // ---- texts ----
    virtual Text text(Ctl c) const = 0;
    // Sets the text; an edit box then raises TextChanged once, as typing does.
    virtual void setText(Ctl c, const Text& t) = 0;
    virtual bool isChecked(Ctl c) const = 0;
    virtual int comboIndex(Ctl c) const = 0;
    virtual Text comboText(Ctl c) const = 0;  // text of the current item

    // ---- list views ----
    virtual int rowCount(Ctl list) const = 0;
    // A row or column that does not exist reads as empty text.
    virtual Text cell(Ctl list, int row, int col) const = 0;
    virtual void setCell(Ctl list, int row, int col, const Text& t) = 0;
    // Appends a row whose column 0 is col0; returns its index.
    virtual int appendRow(Ctl list, const Text& col0) = 0;
    virtual void deleteRow(Ctl list, int row) = 0;
    virtual void deleteAllRows(Ctl list) = 0;
    virtual int selectedRow(Ctl list) const = 0;  // -1: none
    virtual void setSelectedRow(Ctl list, int row) = 0;
    virtual int columnWidth(Ctl list, int col) const = 0;
    virtual void setColumnWidth(Ctl list, int col, int width) = 0;
    // Repaint the whole list (cell colours changed).
    virtual void redrawList(Ctl list) = 0;

    // ---- focus, selection, pages, visibility ----
    virtual void setFocus(Ctl c) = 0;
    virtual Ctl focused() const = 0;
    virtual void selectAllText(Ctl edit) = 0;
    virtual int currentPage() const = 0;
    virtual void setCurrentPage(int page) = 0;
    virtual void setVisible(Ctl c, bool visible) = 0;
    virtual bool isVisible(Ctl c) const = 0;

    // ---- menus, messages, windows, threads ----
    // Pops the menu up at the cursor (+3,+3); a chosen item reaches handleMenu().
    virtual void popupMenu(Menu m) = 0;
    // OK box, caption "信息：", no icon, no owner, task-modal; returns once closed.
    virtual void showMessage(const Text& t) = 0;
    // Yes/No box, caption "信息：", default button No; true for Yes.
    virtual bool askYesNo(const Text& t) = 0;
    // Creates StatisticsWindow and runs it modally; returns once it is closed.
    virtual void runStatisticsWindow() = 0;
    // Thread-safe: runs fn on the GUI thread soon.
    virtual void postToGui(std::function<void()> fn) = 0;
};

}  // namespace bk
