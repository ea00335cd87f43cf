// The Win32 face: both windows and every control created from the control map, Windows'
// own notifications turned into the program's events, and the port's operations done with
// the W functions (texts converted with code page 936).
//
// All controls of a window are direct children of that window, placed at their offsets
// summed over their containers: a group box or a page is a set of controls shown and hidden
// together, so every notification reaches the window procedure of the top-level window.
// Later rows of the map lie above earlier ones (a group's controls above its frame, the
// statistics window's records group above the list it covers).
#pragma once

#include <windows.h>

#include <array>
#include <functional>

#include "shell/row_colours.h"
#include "shell/ui.h"

namespace bk {

// Where the face delivers what the user did. Kept apart from the dispatch so that the face
// can be driven and tested on its own.
struct Win32Handlers {
    std::function<void(Ctl, Event)> event;
    std::function<void(MenuItem)> menu;
    std::function<void()> mainWindowCreated;
    std::function<void()> mainWindowClosing;
    std::function<void()> statisticsWindowCreated;
};

class Win32Ui : public Ui {
  public:
    // One face per process: the window procedures find it through a process-wide pointer.
    // dpi: the resolution the layout is scaled to; 0 takes the screen's.
    explicit Win32Ui(HINSTANCE instance, int dpi = 0);
    ~Win32Ui() override;
    Win32Ui(const Win32Ui&) = delete;
    Win32Ui& operator=(const Win32Ui&) = delete;

    void setHandlers(Win32Handlers handlers) { handlers_ = std::move(handlers); }
    // The registry the custom drawing answers from (program-wide state).
    void setColourRegistry(RowColourRegistry* registry) { registry_ = registry; }

    // Creates MainWindow with all its controls, runs the creation handler, shows the window.
    bool openMainWindow(int showCommand = SW_SHOWNORMAL);
    // The GUI message loop; returns when MainWindow is gone.
    int runMessageLoop();
    // Destroys both windows without running any handler (the program's state may already
    // be going); the face forgets the registry and the handlers first.
    void destroyWindows();

    HWND hwnd(Ctl c) const { return controls_[index(c)].hwnd; }
    // Ctl::None for a window that is not one of the map's.
    Ctl controlOf(HWND h) const;
    int dpi() const { return dpi_; }
    int scaled(int logical) const { return MulDiv(logical, dpi_, 96); }
    // Where the control lies inside its window's client area, scaled (from the map).
    RECT layoutRect(Ctl c) const;

    // Scripted runs: the statistics window's modal loop is the script's (it returns when the
    // script closes the window) instead of the message loop.
    void setModalLoop(std::function<void()> loop) { modalLoop_ = std::move(loop); }
    // Scripted runs: a popped menu is kept (not tracked) until an item is chosen by caption.
    void setScriptedMenus(bool on) { scriptedMenus_ = on; }
    bool hasPoppedMenu() const { return popped_ != nullptr; }
    // Chooses the popped menu's item with exactly this caption (GBK); false when none.
    bool choosePoppedMenuItem(const Text& caption);
    void dismissPoppedMenu();
    // Message boxes currently open (nested calls count).
    int openMessageBoxes() const { return messageBoxes_; }
    bool statisticsWindowOpen() const { return hwnd(Ctl::StatisticsWindow) != nullptr; }
    // The colours the list is told to draw a cell with: the custom-draw answer of the
    // cell's window, or the list's own colours when it gives none.
    void drawnColours(Ctl list, int row, int col, Colour& text, Colour& background);

    // ---- Ui ----
    Text text(Ctl c) const override;
    void setText(Ctl c, const Text& t) override;
    bool isChecked(Ctl c) const override;
    int comboIndex(Ctl c) const override;
    Text comboText(Ctl c) const override;
    int rowCount(Ctl list) const override;
    Text cell(Ctl list, int row, int col) const override;
    void setCell(Ctl list, int row, int col, const Text& t) override;
    int appendRow(Ctl list, const Text& col0) override;
    void deleteRow(Ctl list, int row) override;
    void deleteAllRows(Ctl list) override;
    int selectedRow(Ctl list) const override;
    void setSelectedRow(Ctl list, int row) override;
    int columnWidth(Ctl list, int col) const override;
    void setColumnWidth(Ctl list, int col, int width) override;
    void redrawList(Ctl list) override;
    void setFocus(Ctl c) override;
    Ctl focused() const override;
    void selectAllText(Ctl edit) override;
    int currentPage() const override { return page_; }
    void setCurrentPage(int page) override;
    void setVisible(Ctl c, bool visible) override;
    bool isVisible(Ctl c) const override;
    void popupMenu(Menu m) override;
    void showMessage(const Text& t) override;
    bool askYesNo(const Text& t) override;
    void runStatisticsWindow() override;
    void postToGui(std::function<void()> fn) override;

  private:
    struct ControlState {
        HWND hwnd = nullptr;
        WNDPROC oldProc = nullptr;
        bool shown = true;  // its own flag; pages and containers hide it too
    };
    static int index(Ctl c) { return static_cast<int>(c); }
    static Win32Ui* instance_;

    static LRESULT CALLBACK windowProc(HWND, UINT, WPARAM, LPARAM);
    static LRESULT CALLBACK editProc(HWND, UINT, WPARAM, LPARAM);
    static LRESULT CALLBACK cellColourProc(HWND, UINT, WPARAM, LPARAM);
    static LRESULT CALLBACK postProc(HWND, UINT, WPARAM, LPARAM);

    void registerClasses();
    void createFonts();
    HWND createTopLevel(Ctl window, HWND owner);
    void createControls(Window window, HWND parent);
    void forgetControls(Window window);
    void applyVisibility();
    bool effectivelyShown(Ctl c) const;
    LRESULT onCommand(HWND window, WPARAM wParam, LPARAM lParam);
    LRESULT onNotify(HWND window, WPARAM wParam, LPARAM lParam);
    void onMenuCommand(int id);
    void noteSelection(Ctl list);
    void raise(Ctl c, Event e);
    template <typename F>
    void guarded(F&& f);

    HINSTANCE instance_handle_;
    int dpi_ = 96;
    Win32Handlers handlers_;
    RowColourRegistry* registry_ = nullptr;
    std::array<ControlState, kControlCount> controls_{};
    std::array<HFONT, 4> fonts_{};
    HBRUSH whiteBrush_ = nullptr;
    HWND postWindow_ = nullptr;
    int page_ = 0;
    bool creating_ = false;
    int messageBoxes_ = 0;
    bool scriptedMenus_ = false;
    std::function<void()> modalLoop_;
    HMENU popped_ = nullptr;
    // The colour subclass of MainWindow, installed by the first cell colouring.
    bool subclassed_ = false;
    WNDPROC previousMainProc_ = nullptr;
    std::array<int, kControlCount> lastSelected_{};
};

}  // namespace bk
