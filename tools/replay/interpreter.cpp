#include "interpreter.h"

#include <cmath>
#include <cstdio>
#include <deque>
#include <optional>
#include <sstream>

#include "betting/gbk.h"
#include "ledger/bill_log.h"
#include "ledger/ledger_file.h"

namespace bk {

namespace {

// The system clock until the script sets one; from then on the time it was set to.
class ScriptClock : public Clock {
public:
    DateTime now() const override { return fixed_ ? fixed_->now() : system_->now(); }
    void set(DateTime t) {
        if (fixed_)
            fixed_->set(t);
        else
            fixed_.emplace(t);
    }

private:
    std::unique_ptr<Clock> system_ = makeSystemClock();
    std::optional<FixedClock> fixed_;
};

// A seeded generator that a `seed` command can restart at any time. Runs are repeatable
// without one: the default seed is fixed.
class ScriptRandom : public RandomSource {
public:
    int nextByte() override { return inner_->nextByte(); }
    void reseed(std::uint32_t seed) { inner_ = makeRandomSource(seed); }

private:
    std::unique_ptr<RandomSource> inner_ = makeRandomSource(1);
};

std::string name(Ctl c) {
    return c == Ctl::None ? std::string("(none)") : gbkToUtf8(controlInfo(c).scriptName);
}

std::string quoted(const Text& gbk) { return "\"" + escapeText(gbk) + "\""; }

std::string hexColour(Colour c) {
    char buf[8];
    std::snprintf(buf, sizeof buf, "%02X%02X%02X", c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
    return buf;
}

std::string number(double v) {
    char buf[40];
    std::snprintf(buf, sizeof buf, "%.13g", v);
    return buf;
}

const char* fileName(DataFile f) { return f == DataFile::Ledger ? "ledger" : "billlog"; }

bool allowedAfterEnd(Op op) {
    switch (op) {
        case Op::Clock:
        case Op::Seed:
        case Op::Answer:
        case Op::Wait:
        case Op::ExpectMessage:
        case Op::ExpectNoMessage:
        case Op::ExpectOdds:
        case Op::ExpectFile:
        case Op::ExpectContains:
        case Op::ExpectSize:
        case Op::DumpFile: return true;
        default: return false;
    }
}

bool needsProgram(Op op) { return op != Op::Clock && op != Op::Seed && op != Op::Answer; }

class Interpreter : public ReplayHost {
public:
    Interpreter(const std::vector<Command>& script, ReplayFace& face, const Text& runDirectory,
                std::ostream& out, std::ostream& notes)
        : script_(script), face_(face), runDirectory_(runDirectory), out_(out), notes_(notes) {}

    int run() {
        runCommands();
        // The program is closed as the banker would close it, so that what it still has
        // queued is written before the runner ends.
        if (started_ && !ended_) closeProgram();
        return exitCode_;
    }

    // ---- ReplayHost ----
    void messageShown(const Text& text) override {
        out_ << "message: " << escapeText(text) << std::endl;
        pendingMessages_.push_back(text);
    }

    bool answerYesNo() override {
        if (answers_.empty()) return false;  // the default button
        const bool yes = answers_.front();
        answers_.pop_front();
        return yes;
    }

    void runModal() override {
        ++modalDepth_;
        runCommands();
        --modalDepth_;
    }

private:
    void runCommands() {
        while (!stopped_ && pc_ < script_.size()) {
            const Command& c = script_[pc_++];
            if (c.op == Op::Close && started_ && !ended_ && face_.statisticsWindowOpen()) {
                if (modalDepth_ > 0) return;  // ends the modal loop; the face closes the window
                fail(c, "StatisticsWindow is open outside its modal loop");
                return;
            }
            execute(c);
            if (!stopped_ && started_) face_.processPending();
        }
    }

    void start() {
        fs_ = makeSystemFileSystem();
        app_ = std::make_unique<App>(face_.ui(), clock_, random_, *fs_, runDirectory_);
        billLog_ = makeBillLogWriter(*app_);
        app_->billLog = billLog_.get();
        started_ = true;
        face_.start(*app_, *this);
    }

    void closeProgram() {
        face_.closeMainWindow();
        ended_ = true;
        face_.processPending();
    }

    void fail(const Command& c, const std::string& message) {
        out_ << "FAIL line " << c.line << ": " << message << std::endl;
        exitCode_ = 1;
        stopped_ = true;
    }

    void note(const Command& c, const std::string& message) {
        notes_ << "note line " << c.line << ": " << message << std::endl;
    }

    // A user action's outcome: ignored input is what Windows does too (noted, not failed);
    // an action with nothing to act on is a mistake in the script.
    void acted(const Command& c, Action a, const std::string& what) {
        if (a == Action::Ignored) note(c, what + " takes no input now; ignored");
        if (a == Action::Impossible) fail(c, "cannot " + what);
    }

    template <typename T>
    void check(const Command& c, const std::string& what, const T& expected, const T& found,
               const std::string& expectedText, const std::string& foundText) {
        if (!(expected == found))
            fail(c, what + ": expected " + expectedText + ", found " + foundText);
    }
    void checkText(const Command& c, const std::string& what, const Text& expected,
                   const Text& found) {
        check(c, what, expected, found, quoted(expected), quoted(found));
    }
    void checkInt(const Command& c, const std::string& what, int expected, int found) {
        check(c, what, expected, found, std::to_string(expected), std::to_string(found));
    }

    Text dataFilePath(DataFile f) const {
        return f == DataFile::Ledger ? todayLedgerPath(*app_) : billLogPath(*app_);
    }
    // The file's bytes; nullopt when it does not exist.
    std::optional<Text> readDataFile(DataFile f) const {
        Text bytes;
        if (app_->fs.readWhole(dataFilePath(f), bytes) != ReadResult::Read) return std::nullopt;
        return bytes;
    }

    void execute(const Command& c) {
        if (needsProgram(c.op) && !started_) start();
        if (ended_ && !allowedAfterEnd(c.op)) {
            fail(c, "the program has ended (MainWindow was closed)");
            return;
        }
        if (c.control != Ctl::None && controlInfo(c.control).window == Window::Stats &&
            !face_.statisticsWindowOpen() && c.op != Op::ExpectVisible) {
            fail(c, name(c.control) + " is on StatisticsWindow, which is not open");
            return;
        }
        Ui& ui = face_.ui();
        const std::string target = name(c.control);
        switch (c.op) {
            case Op::Clock: clock_.set(c.when); break;
            case Op::Seed: random_.reseed(c.seed); break;
            case Op::Set: ui.setText(c.control, c.text); break;
            case Op::Focus: acted(c, face_.focus(c.control), "focus " + target); break;
            case Op::Type: acted(c, face_.type(c.text), "type into the focused control"); break;
            case Op::KeyBackspace:
                acted(c, face_.backspace(), "press backspace in the focused control");
                break;
            case Op::Click: acted(c, face_.click(c.control), "click " + target); break;
            case Op::Select:
                acted(c, face_.selectRow(c.control, c.row),
                      "select row " + std::to_string(c.row) + " of " + target);
                break;
            case Op::DoubleClick:
                acted(c, face_.doubleClick(c.control), "double-click " + target);
                break;
            case Op::RightClick:
                acted(c, face_.rightClick(c.control), "right-click " + target);
                break;
            case Op::Menu:
                acted(c, face_.chooseMenu(c.text),
                      "choose menu item " + quoted(c.text) + " (is a menu popped up?)");
                break;
            case Op::Choose:
                acted(c, face_.chooseCombo(c.control, c.number),
                      "choose item " + std::to_string(c.number) + " of " + target);
                break;
            case Op::Answer: answers_.push_back(c.yes); break;
            case Op::Close:
                if (ended_)
                    fail(c, "the program has ended (MainWindow was closed)");
                else
                    closeProgram();
                break;
            case Op::Wait:
                if (app_ && app_->billLog) app_->billLog->drain();
                if (started_) face_.processPending();
                break;
            case Op::ExpectMessage:
                if (pendingMessages_.empty()) {
                    fail(c, "message: expected " + quoted(c.text) + ", found no message");
                } else {
                    const Text shown = pendingMessages_.front();
                    pendingMessages_.pop_front();
                    checkText(c, "message", c.text, shown);
                }
                break;
            case Op::ExpectNoMessage:
                if (!pendingMessages_.empty())
                    fail(c, "expected no message, found " +
                                std::to_string(pendingMessages_.size()) + ", the first " +
                                quoted(pendingMessages_.front()));
                break;
            case Op::ExpectText: checkText(c, "text of " + target, c.text, ui.text(c.control)); break;
            case Op::ExpectCell:
                checkText(c,
                          "cell " + std::to_string(c.row) + "," + std::to_string(c.col) + " of " +
                              target,
                          c.text, ui.cell(c.control, c.row, c.col));
                break;
            case Op::ExpectRows: checkInt(c, "rows of " + target, c.number, ui.rowCount(c.control)); break;
            case Op::ExpectSelected:
                checkInt(c, "selected row of " + target, c.row, ui.selectedRow(c.control));
                break;
            case Op::ExpectFocus: {
                const Ctl f = ui.focused();
                check(c, "focus", c.control, f, target, name(f));
                break;
            }
            case Op::ExpectPage: checkInt(c, "page", c.number, ui.currentPage()); break;
            case Op::ExpectWidth:
                checkInt(c, "width of column " + std::to_string(c.col) + " of " + target, c.number,
                         ui.columnWidth(c.control, c.col));
                break;
            case Op::ExpectVisible: {
                const bool shown = ui.isVisible(c.control);
                check(c, "visibility of " + target, c.yes, shown, c.yes ? "yes" : "no",
                      shown ? "yes" : "no");
                break;
            }
            case Op::ExpectColour: expectColour(c, target); break;
            case Op::ExpectOdds: expectOdds(c); break;
            case Op::ExpectFile:
                checkText(c, std::string("the ") + fileName(c.file), c.text,
                          readDataFile(c.file).value_or(Text()));
                break;
            case Op::ExpectContains: {
                // Compared as UTF-8, so a match cannot start inside a two-byte character.
                const Text found = readDataFile(c.file).value_or(Text());
                if (gbkToUtf8(found).find(gbkToUtf8(c.text)) == std::string::npos)
                    fail(c, std::string("the ") + fileName(c.file) + ": expected to contain " +
                                quoted(c.text) + ", found " + quoted(found));
                break;
            }
            case Op::ExpectSize: {
                const auto bytes = readDataFile(c.file);
                checkInt(c, std::string("size of the ") + fileName(c.file), c.number,
                         bytes ? static_cast<int>(bytes->size()) : -1);
                break;
            }
            case Op::DumpControl: dumpControl(c.control); break;
            case Op::DumpFile: {
                const auto bytes = readDataFile(c.file);
                out_ << fileName(c.file) << ": "
                     << (bytes ? escapeText(*bytes) : std::string("(no file)")) << std::endl;
                break;
            }
        }
    }

    void expectColour(const Command& c, const std::string& target) {
        Colour text = 0, background = 0;
        const std::string where =
            "colour of cell " + std::to_string(c.row) + "," + std::to_string(c.col) + " of " + target;
        if (!face_.cellColour(c.control, c.row, c.col, text, background)) {
            fail(c, where + ": there is no such cell");
            return;
        }
        const bool ok = (!c.colours[0] || *c.colours[0] == text) &&
                        (!c.colours[1] || *c.colours[1] == background);
        if (!ok) {
            auto show = [](const std::optional<Colour>& col) {
                return col ? hexColour(*col) : std::string("*");
            };
            fail(c, where + ": expected " + show(c.colours[0]) + " " + show(c.colours[1]) +
                        ", found " + hexColour(text) + " " + hexColour(background));
        }
    }

    void expectOdds(const Command& c) {
        bool same = true;
        std::string expected, found;
        for (int i = 0; i < OddsTable::kSlotCount; ++i) {
            const double have = app_->odds.slot(i);
            if (std::fabs(have - c.odds[i]) > kTolerance) same = false;
            expected += (i ? " " : "") + number(c.odds[i]);
            found += (i ? " " : "") + number(have);
        }
        if (!same) fail(c, "odds: expected " + expected + ", found " + found);
    }

    void dumpControl(Ctl ctl) {
        Ui& ui = face_.ui();
        const std::string n = name(ctl);
        if (controlInfo(ctl).kind != ControlKind::ListView) {
            out_ << n << ": " << escapeText(ui.text(ctl)) << std::endl;
            return;
        }
        const int rows = ui.rowCount(ctl);
        const int cols = static_cast<int>(listColumns(ctl).size());
        out_ << n << ": " << rows << (rows == 1 ? " row" : " rows") << std::endl;
        for (int r = 0; r < rows; ++r) {
            std::string line;
            for (int col = 0; col < cols; ++col)
                line += (col ? "\t" : "") + escapeText(ui.cell(ctl, r, col));
            out_ << line << std::endl;
        }
    }

    const std::vector<Command>& script_;
    ReplayFace& face_;
    Text runDirectory_;
    std::ostream& out_;
    std::ostream& notes_;

    ScriptClock clock_;
    ScriptRandom random_;
    std::unique_ptr<FileSystem> fs_;
    std::unique_ptr<App> app_;
    std::unique_ptr<BillLogWriter> billLog_;  // after app_: finishes its queue before app_ goes

    std::size_t pc_ = 0;
    int modalDepth_ = 0;
    bool started_ = false, ended_ = false, stopped_ = false;
    int exitCode_ = 0;
    std::deque<Text> pendingMessages_;
    std::deque<bool> answers_;
};

}  // namespace

int runScenario(const std::vector<Command>& script, ReplayFace& face, const Text& runDirectory,
                std::ostream& out, std::ostream& notes) {
    Interpreter interpreter(script, face, runDirectory, out, notes);
    return interpreter.run();
}

}  // namespace bk
