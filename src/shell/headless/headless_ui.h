// The headless face: both windows as an in-memory model built from the control map. It
// behaves as Windows does wherever a handler can tell: a programmatic setText raises the
// edit box's TextChanged once, a one-character box refuses a second typed character, the
// integer-only boxes drop other typed characters, focus, text selection and list
// selection exist, hidden controls and controls behind the modal statistics window take
// no input, message boxes are recorded and answered by the caller.
//
// Two sides: the Ui port (what handlers do) and the user's actions (what a person at the
// keyboard and mouse does: typing, clicking, choosing a menu item). Tests and the replay
// runner drive the second side.
#pragma once

#include <deque>
#include <functional>
#include <mutex>
#include <optional>
#include <vector>

#include "shell/row_colours.h"
#include "shell/ui.h"

namespace bk {

struct App;

class HeadlessUi : public Ui {
public:
    // Where the model reports what happens; unset hooks are skipped.
    struct Hooks {
        std::function<void(Ctl, Event)> event;
        std::function<void(MenuItem)> menu;
        std::function<void(Window)> created;  // a window and all its controls exist
        std::function<void(Window)> closing;  // a window is about to be destroyed
        // Runs while StatisticsWindow is open (its modal loop); returns when it closes.
        std::function<void()> modalLoop;
        // Every message box as it is shown (yesNo: a Yes/No box).
        std::function<void(const Text&, bool yesNo)> messageShown;
        // The answer of a Yes/No box; unset: the queued answers, else the default No.
        std::function<bool()> answer;
    };

    struct ShownMessage {
        Text text;
        bool yesNo;
        bool answer;  // what a Yes/No box returned
    };

    // What became of a user action.
    enum class Input {
        Done,
        Ignored,     // the control takes no input now (hidden, disabled, behind a modal window)
        Impossible,  // nothing to act on (no such row, item, menu entry, or a kind that cannot)
    };

    HeadlessUi();
    Hooks hooks;
    // Wires the hooks to the program: events and menus to their handlers, the creation
    // handlers of both windows, MainWindow's closing handler.
    void connect(App& app);

    // ---- windows ----
    void createMainWindow();   // builds MainWindow from the control map, then `created`
    void closeMainWindow();    // `closing`, then MainWindow and its controls are gone
    bool windowOpen(Window w) const;

    // ---- the user's actions ----
    Input userFocus(Ctl c);
    Input userType(const Text& gbk);  // each character as the keyboard sends it
    Input userBackspace();
    Input userClick(Ctl c);
    Input userDoubleClick(Ctl list);
    Input userRightClick(Ctl list);
    Input userChooseMenu(const Text& caption);  // in the popped menu
    Input userChooseCombo(Ctl combo, int index);
    Input userSelectRow(Ctl list, int row);  // keyboard selection: no click
    // Whether a person could act on the control now.
    bool takesInput(Ctl c) const;
    std::optional<Menu> poppedMenu() const { return popped_; }

    // ---- message boxes ----
    const std::vector<ShownMessage>& messages() const { return messages_; }
    void queueAnswer(bool yes) { answers_.push_back(yes); }

    // ---- inspection ----
    // The text selection of an edit box as 0-based byte offsets [start, end).
    std::pair<std::size_t, std::size_t> textSelection(Ctl edit) const;
    int redrawCount(Ctl list) const;
    // The text and background colour a cell is drawn with: its registered colours (the
    // registry of the connected App), else the list's own. False when there is no such cell.
    bool drawnColours(Ctl list, int row, int col, Colour& text, Colour& background) const;
    // Runs the work posted so far (and what it posts in turn); returns how many ran.
    int runPosted();

    // ---- the Ui port ----
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
    Ctl focused() const override { return focus_; }
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
    struct Model {
        bool exists = false;
        Text text;
        std::size_t selStart = 0, selEnd = 0;  // byte offsets; the caret is at selEnd
        bool shown = true;                     // the control's own visibility flag
        bool checked = false;
        int combo = -1;
        std::vector<std::vector<Text>> rows;
        int selected = -1;
        std::vector<int> widths;
        int redraws = 0;
    };
    Model& m(Ctl c) { return controls_[static_cast<int>(c)]; }
    const Model& m(Ctl c) const { return controls_[static_cast<int>(c)]; }
    void buildWindow(Window w);
    void destroyWindow(Window w);
    void raise(Ctl c, Event e);
    bool isEdit(Ctl c) const;
    bool canHoldFocus(Ctl c) const;
    void dropFocusIfHidden();
    void replaceSelection(Ctl edit, const Text& with);
    void typeCharacter(Ctl edit, const Text& ch);
    void dismissMenu() { popped_.reset(); }

    std::vector<Model> controls_;
    const RowColourRegistry* colours_ = nullptr;
    Ctl focus_ = Ctl::None;
    Ctl focusBeforeModal_ = Ctl::None;
    int page_ = 0;
    std::optional<Menu> popped_;
    std::vector<ShownMessage> messages_;
    std::deque<bool> answers_;
    std::mutex postedMutex_;
    std::deque<std::function<void()>> posted_;
};

}  // namespace bk
