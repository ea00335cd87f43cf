#include "shell/headless/headless_ui.h"

#include "shell/events.h"

namespace bk {

namespace {

// Byte length of the GBK character starting at text[pos].
std::size_t charBytes(const Text& text, std::size_t pos) {
    return (isLeadByte(static_cast<unsigned char>(text[pos])) && pos + 1 < text.size()) ? 2 : 1;
}

std::size_t charCount(const Text& text) {
    std::size_t n = 0;
    for (std::size_t i = 0; i < text.size(); i += charBytes(text, i)) ++n;
    return n;
}

// Start of the character that ends at byte offset `end` (end > 0, on a boundary).
std::size_t previousCharStart(const Text& text, std::size_t end) {
    std::size_t start = 0;
    for (std::size_t i = 0; i < end; i += charBytes(text, i)) start = i;
    return start;
}

bool focusableKind(ControlKind k) {
    return k == ControlKind::Edit || k == ControlKind::Button || k == ControlKind::CheckBox ||
           k == ControlKind::ComboList || k == ControlKind::ListView;
}

}  // namespace

HeadlessUi::HeadlessUi() : controls_(kControlCount) {}

void HeadlessUi::connect(App& app) {
    colours_ = &app.colours;
    hooks.event = [&app](Ctl c, Event e) { handleEvent(app, c, e); };
    hooks.menu = [&app](MenuItem item) { handleMenu(app, item); };
    hooks.created = [&app](Window w) {
        if (w == Window::Main)
            onMainWindowCreated(app);
        else
            onStatisticsWindowCreated(app);
    };
    hooks.closing = [&app](Window w) {
        if (w == Window::Main) onMainWindowClosing(app);
    };
}

// ---------------------------------------------------------------- windows

void HeadlessUi::buildWindow(Window w) {
    for (const ControlInfo& info : controlMap()) {
        if (info.window != w) continue;
        Model fresh;
        fresh.exists = true;
        fresh.text = info.caption;
        fresh.shown = (info.flags & CF_Hidden) == 0;
        if (info.kind == ControlKind::ComboList && !comboItems(info.id).empty()) fresh.combo = 0;
        for (const ListColumn& col : listColumns(info.id)) fresh.widths.push_back(col.width);
        m(info.id) = std::move(fresh);
    }
}

void HeadlessUi::destroyWindow(Window w) {
    for (const ControlInfo& info : controlMap())
        if (info.window == w) m(info.id) = Model{};
    if (focus_ != Ctl::None && !m(focus_).exists) focus_ = Ctl::None;
}

void HeadlessUi::createMainWindow() {
    buildWindow(Window::Main);
    page_ = 0;
    focus_ = Ctl::None;
    if (hooks.created) hooks.created(Window::Main);
}

void HeadlessUi::closeMainWindow() {
    if (!windowOpen(Window::Main)) return;
    if (hooks.closing) hooks.closing(Window::Main);
    popped_.reset();
    destroyWindow(Window::Main);
}

bool HeadlessUi::windowOpen(Window w) const {
    return m(w == Window::Main ? Ctl::MainWindow : Ctl::StatisticsWindow).exists;
}

void HeadlessUi::runStatisticsWindow() {
    if (windowOpen(Window::Stats) || !windowOpen(Window::Main)) return;
    // The modal window takes the focus; MainWindow's control gets it back afterwards, as
    // when a modal dialog closes.
    focusBeforeModal_ = focus_;
    focus_ = Ctl::None;
    popped_.reset();
    buildWindow(Window::Stats);
    if (hooks.created) hooks.created(Window::Stats);
    if (hooks.modalLoop) hooks.modalLoop();
    if (hooks.closing) hooks.closing(Window::Stats);
    destroyWindow(Window::Stats);
    const Ctl back = focusBeforeModal_;
    focusBeforeModal_ = Ctl::None;
    focus_ = Ctl::None;
    if (back != Ctl::None && canHoldFocus(back)) setFocus(back);
}

// ---------------------------------------------------------------- helpers

void HeadlessUi::raise(Ctl c, Event e) {
    if (hooks.event) hooks.event(c, e);
}

bool HeadlessUi::isEdit(Ctl c) const { return controlInfo(c).kind == ControlKind::Edit; }

bool HeadlessUi::canHoldFocus(Ctl c) const {
    return c != Ctl::None && focusableKind(controlInfo(c).kind) && takesInput(c);
}

bool HeadlessUi::takesInput(Ctl c) const {
    if (c == Ctl::None || !isVisible(c)) return false;
    const ControlInfo& info = controlInfo(c);
    if (info.flags & CF_Disabled) return false;
    // While StatisticsWindow is open, MainWindow is disabled.
    if (info.window == Window::Main && windowOpen(Window::Stats)) return false;
    return true;
}

void HeadlessUi::dropFocusIfHidden() {
    // A control that is hidden while it has the focus hands it to its parent, which is
    // never one of the controls handlers care about.
    if (focus_ != Ctl::None && !isVisible(focus_)) focus_ = Ctl::None;
}

void HeadlessUi::replaceSelection(Ctl edit, const Text& with) {
    Model& e = m(edit);
    const std::size_t a = std::min(e.selStart, e.selEnd), b = std::max(e.selStart, e.selEnd);
    e.text.replace(a, b - a, with);
    e.selStart = e.selEnd = a + with.size();
}

void HeadlessUi::typeCharacter(Ctl edit, const Text& ch) {
    const ControlInfo& info = controlInfo(edit);
    Model& e = m(edit);
    Text insert = ch;
    if (ch == "\r" || ch == "\n") {
        if (!(info.flags & CF_Multiline)) return;  // Enter inserts nothing in a one-line box
        insert = "\r\n";
    } else if (ch == "\t") {
        if (!(info.flags & CF_Multiline)) return;
    } else if (ch.size() == 1 && static_cast<unsigned char>(ch[0]) < 0x20) {
        return;  // other control characters are keys, not text
    }
    if (info.flags & CF_IntegerInput) {
        const char c = insert[0];
        if (insert.size() != 1 || !(c == '-' || (c >= '0' && c <= '9'))) return;
    }
    if (info.flags & CF_OneChar) {
        const std::size_t a = std::min(e.selStart, e.selEnd), b = std::max(e.selStart, e.selEnd);
        const std::size_t remaining = charCount(e.text) - charCount(e.text.substr(a, b - a));
        if (remaining + 1 > 1) return;  // the limit refuses the character
    }
    replaceSelection(edit, insert);
    raise(edit, Event::TextChanged);
}

// ---------------------------------------------------------------- user actions

HeadlessUi::Input HeadlessUi::userFocus(Ctl c) {
    dismissMenu();
    if (!focusableKind(controlInfo(c).kind)) return Input::Impossible;
    if (!takesInput(c)) return Input::Ignored;
    setFocus(c);
    return Input::Done;
}

HeadlessUi::Input HeadlessUi::userType(const Text& gbk) {
    dismissMenu();
    bool reached = false;
    for (std::size_t i = 0; i < gbk.size();) {
        std::size_t n = charBytes(gbk, i);
        // Enter arrives as one key, whether the script wrote \r, \n or \r\n.
        if (gbk[i] == '\r' && i + 1 < gbk.size() && gbk[i + 1] == '\n') n = 2;
        const Text ch = gbk.substr(i, n == 2 && gbk[i] == '\r' ? 1 : n);
        i += n;
        // Each key goes to whichever control has the focus at that moment: a handler may
        // have moved it on after the previous character.
        const Ctl target = focus_;
        if (target == Ctl::None || !isEdit(target) || !takesInput(target)) continue;
        reached = true;
        typeCharacter(target, ch);
    }
    return reached || gbk.empty() ? Input::Done : Input::Ignored;
}

HeadlessUi::Input HeadlessUi::userBackspace() {
    dismissMenu();
    const Ctl target = focus_;
    if (target == Ctl::None || !isEdit(target) || !takesInput(target)) return Input::Ignored;
    Model& e = m(target);
    if (e.selStart != e.selEnd) {
        replaceSelection(target, Text());
    } else if (e.selEnd > 0) {
        e.selStart = previousCharStart(e.text, e.selEnd);
        replaceSelection(target, Text());
    } else {
        return Input::Done;  // nothing before the caret: no change, no notification
    }
    raise(target, Event::TextChanged);
    return Input::Done;
}

HeadlessUi::Input HeadlessUi::userClick(Ctl c) {
    dismissMenu();
    const ControlInfo& info = controlInfo(c);
    switch (info.kind) {
        case ControlKind::Button:
        case ControlKind::CheckBox:
        case ControlKind::Label:
        case ControlKind::Edit:
        case ControlKind::ListView: break;
        default: return Input::Impossible;
    }
    if (!takesInput(c)) return Input::Ignored;
    switch (info.kind) {
        case ControlKind::Button:
            setFocus(c);
            raise(c, Event::Clicked);
            break;
        case ControlKind::CheckBox:
            setFocus(c);
            m(c).checked = !m(c).checked;
            raise(c, Event::Clicked);
            break;
        case ControlKind::Label:
            if (info.flags & CF_Notify) raise(c, Event::MouseDown);
            break;
        case ControlKind::Edit: {
            // The press gives the focus (GotFocus handlers run), then places the caret
            // where the click was: after the text. The release comes last.
            setFocus(c);
            Model& e = m(c);
            e.selStart = e.selEnd = e.text.size();
            raise(c, Event::MouseUp);
            break;
        }
        default:  // list view: a click that leaves the selection as it is
            setFocus(c);
            raise(c, Event::LeftClick);
            break;
    }
    return Input::Done;
}

HeadlessUi::Input HeadlessUi::userDoubleClick(Ctl list) {
    dismissMenu();
    if (controlInfo(list).kind != ControlKind::ListView) return Input::Impossible;
    if (!takesInput(list)) return Input::Ignored;
    setFocus(list);
    // The first click of the pair arrives as a click of its own.
    raise(list, Event::LeftClick);
    raise(list, Event::DoubleClick);
    return Input::Done;
}

HeadlessUi::Input HeadlessUi::userRightClick(Ctl list) {
    dismissMenu();
    if (controlInfo(list).kind != ControlKind::ListView) return Input::Impossible;
    if (!takesInput(list)) return Input::Ignored;
    setFocus(list);
    raise(list, Event::RightClick);
    return Input::Done;
}

HeadlessUi::Input HeadlessUi::userChooseMenu(const Text& caption) {
    if (!popped_) return Input::Impossible;
    for (const MenuItemInfo& item : menuItems(*popped_)) {
        if (caption == item.caption) {
            popped_.reset();
            if (hooks.menu) hooks.menu(item.item);
            return Input::Done;
        }
    }
    return Input::Impossible;
}

HeadlessUi::Input HeadlessUi::userChooseCombo(Ctl combo, int index) {
    dismissMenu();
    if (controlInfo(combo).kind != ControlKind::ComboList) return Input::Impossible;
    if (!takesInput(combo)) return Input::Ignored;
    if (index < 0 || index >= static_cast<int>(comboItems(combo).size())) return Input::Impossible;
    setFocus(combo);
    m(combo).combo = index;
    return Input::Done;
}

HeadlessUi::Input HeadlessUi::userSelectRow(Ctl list, int row) {
    dismissMenu();
    if (controlInfo(list).kind != ControlKind::ListView) return Input::Impossible;
    if (!takesInput(list)) return Input::Ignored;
    if (row < -1 || row >= rowCount(list)) return Input::Impossible;
    setSelectedRow(list, row);
    return Input::Done;
}

// ---------------------------------------------------------------- inspection

std::pair<std::size_t, std::size_t> HeadlessUi::textSelection(Ctl edit) const {
    const Model& e = m(edit);
    return {std::min(e.selStart, e.selEnd), std::max(e.selStart, e.selEnd)};
}

int HeadlessUi::redrawCount(Ctl list) const { return m(list).redraws; }

bool HeadlessUi::drawnColours(Ctl list, int row, int col, Colour& text, Colour& background) const {
    const Model& l = m(list);
    if (row < 0 || row >= static_cast<int>(l.rows.size())) return false;
    if (col < 0 || col >= static_cast<int>(l.widths.size())) return false;
    if (colours_ && colours_->find(list, row, col, text, background)) return true;
    text = listTextColour(list);
    background = listBackgroundColour(list);
    return true;
}

int HeadlessUi::runPosted() {
    int ran = 0;
    for (;;) {
        std::function<void()> fn;
        {
            std::lock_guard<std::mutex> lock(postedMutex_);
            if (posted_.empty()) break;
            fn = std::move(posted_.front());
            posted_.pop_front();
        }
        fn();
        ++ran;
    }
    return ran;
}

// ---------------------------------------------------------------- the port: texts

Text HeadlessUi::text(Ctl c) const {
    if (controlInfo(c).kind == ControlKind::ComboList) return comboText(c);
    return m(c).text;
}

void HeadlessUi::setText(Ctl c, const Text& t) {
    Model& e = m(c);
    if (!e.exists) return;
    const ControlKind kind = controlInfo(c).kind;
    if (kind == ControlKind::ComboList || kind == ControlKind::ListView) return;
    // Neither the character limit nor the integer filter applies to text the program
    // sets; the caret goes to the start.
    e.text = t;
    e.selStart = e.selEnd = 0;
    if (kind == ControlKind::Edit) raise(c, Event::TextChanged);
}

bool HeadlessUi::isChecked(Ctl c) const { return m(c).checked; }

int HeadlessUi::comboIndex(Ctl c) const { return m(c).exists ? m(c).combo : -1; }

Text HeadlessUi::comboText(Ctl c) const {
    const auto& items = comboItems(c);
    const int i = comboIndex(c);
    return (i >= 0 && i < static_cast<int>(items.size())) ? items[i] : Text();
}

// ---------------------------------------------------------------- the port: lists

int HeadlessUi::rowCount(Ctl list) const { return static_cast<int>(m(list).rows.size()); }

Text HeadlessUi::cell(Ctl list, int row, int col) const {
    const Model& l = m(list);
    if (row < 0 || row >= static_cast<int>(l.rows.size())) return Text();
    const auto& cells = l.rows[row];
    if (col < 0 || col >= static_cast<int>(cells.size())) return Text();
    return cells[col];
}

void HeadlessUi::setCell(Ctl list, int row, int col, const Text& t) {
    Model& l = m(list);
    if (row < 0 || row >= static_cast<int>(l.rows.size())) return;
    auto& cells = l.rows[row];
    if (col < 0 || col >= static_cast<int>(cells.size())) return;
    cells[col] = t;
}

int HeadlessUi::appendRow(Ctl list, const Text& col0) {
    Model& l = m(list);
    if (!l.exists || l.widths.empty()) return -1;
    l.rows.emplace_back(l.widths.size());
    l.rows.back()[0] = col0;
    return static_cast<int>(l.rows.size()) - 1;
}

void HeadlessUi::deleteRow(Ctl list, int row) {
    Model& l = m(list);
    if (row < 0 || row >= static_cast<int>(l.rows.size())) return;
    l.rows.erase(l.rows.begin() + row);
    // The selection stays with its row: it moves up when an earlier row goes, and is
    // gone with its own row.
    if (row < l.selected) {
        --l.selected;
    } else if (row == l.selected) {
        l.selected = -1;
        raise(list, Event::SelectionChanged);
    }
}

void HeadlessUi::deleteAllRows(Ctl list) {
    Model& l = m(list);
    l.rows.clear();
    if (l.selected != -1) {
        l.selected = -1;
        raise(list, Event::SelectionChanged);
    }
}

int HeadlessUi::selectedRow(Ctl list) const { return m(list).selected; }

void HeadlessUi::setSelectedRow(Ctl list, int row) {
    Model& l = m(list);
    if (row < -1 || row >= static_cast<int>(l.rows.size()) || row == l.selected) return;
    l.selected = row;
    raise(list, Event::SelectionChanged);
    if (row >= 0) raise(list, Event::ItemFocused);
}

int HeadlessUi::columnWidth(Ctl list, int col) const {
    const Model& l = m(list);
    return (col >= 0 && col < static_cast<int>(l.widths.size())) ? l.widths[col] : 0;
}

void HeadlessUi::setColumnWidth(Ctl list, int col, int width) {
    Model& l = m(list);
    if (col >= 0 && col < static_cast<int>(l.widths.size())) l.widths[col] = width;
}

void HeadlessUi::redrawList(Ctl list) { ++m(list).redraws; }

// ---------------------------------------------------------------- the port: focus, pages

void HeadlessUi::setFocus(Ctl c) {
    if (c == focus_) return;  // no notification when the focus does not move
    if (c == Ctl::None) {
        focus_ = Ctl::None;
        return;
    }
    if (!m(c).exists || !focusableKind(controlInfo(c).kind)) return;
    focus_ = c;
    raise(c, Event::GotFocus);
}

void HeadlessUi::selectAllText(Ctl edit) {
    Model& e = m(edit);
    if (!e.exists || !isEdit(edit)) return;
    e.selStart = 0;
    e.selEnd = e.text.size();
}

void HeadlessUi::setCurrentPage(int page) {
    if (page < 0 || page > 2) return;
    page_ = page;
    dropFocusIfHidden();
}

void HeadlessUi::setVisible(Ctl c, bool visible) {
    m(c).shown = visible;
    dropFocusIfHidden();
}

bool HeadlessUi::isVisible(Ctl c) const {
    // Shown only when the control, every container up to its window, and its page are.
    for (Ctl x = c; x != Ctl::None;) {
        const Model& e = m(x);
        if (!e.exists || !e.shown) return false;
        const ControlInfo& info = controlInfo(x);
        if (info.parent == Ctl::PageTabs && info.page != page_) return false;
        if (info.parent == Ctl::None && info.kind != ControlKind::Window) {
            x = info.window == Window::Main ? Ctl::MainWindow : Ctl::StatisticsWindow;
        } else {
            x = info.parent;
        }
    }
    return true;
}

// ---------------------------------------------------------------- the port: the rest

void HeadlessUi::popupMenu(Menu menu) { popped_ = menu; }

void HeadlessUi::showMessage(const Text& t) {
    messages_.push_back({t, false, false});
    if (hooks.messageShown) hooks.messageShown(t, false);
}

bool HeadlessUi::askYesNo(const Text& t) {
    if (hooks.messageShown) hooks.messageShown(t, true);
    bool yes = false;
    if (hooks.answer) {
        yes = hooks.answer();
    } else if (!answers_.empty()) {
        yes = answers_.front();
        answers_.pop_front();
    }
    messages_.push_back({t, true, yes});
    return yes;
}

void HeadlessUi::postToGui(std::function<void()> fn) {
    std::lock_guard<std::mutex> lock(postedMutex_);
    posted_.push_back(std::move(fn));
}

}  // namespace bk
