#include "script.h"

#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstdlib>

#include "betting/gbk.h"
#include "betting/odds_table.h"

namespace bk {

namespace {

struct Malformed {
    std::string message;
};

// The words of a line and, for commands whose last argument is a text, the rest of the
// line after a given number of words.
class Line {
public:
    explicit Line(const std::string& s) : s_(s) {}

    // The next word; throws when there is none. Words are separated by one space.
    std::string word(const char* what) {
        if (pos_ >= s_.size()) throw Malformed{std::string("missing ") + what};
        std::size_t end = s_.find(' ', pos_);
        if (end == std::string::npos) end = s_.size();
        std::string w = s_.substr(pos_, end - pos_);
        if (w.empty()) throw Malformed{std::string("missing ") + what + " (two spaces in a row?)"};
        pos_ = end < s_.size() ? end + 1 : end;
        return w;
    }
    // Everything after the words read so far (the single separating space excluded).
    std::string rest() {
        std::string r = pos_ <= s_.size() ? s_.substr(pos_) : std::string();
        pos_ = s_.size();
        return r;
    }
    void end() {
        // A blank after the last word is forgiven; anything else is not.
        while (pos_ < s_.size() && s_[pos_] == ' ') ++pos_;
        if (pos_ < s_.size()) throw Malformed{"unexpected \"" + s_.substr(pos_) + "\""};
    }

private:
    std::string s_;
    std::size_t pos_ = 0;
};

Text unescape(const std::string& s) {
    std::string out;
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] != '\\') {
            out += s[i];
            continue;
        }
        if (i + 1 >= s.size()) throw Malformed{"a lone backslash ends the text (write \\\\)"};
        switch (s[++i]) {
            case 's': out += ' '; break;
            case 't': out += '\t'; break;
            case 'r': out += '\r'; break;
            case 'n': out += '\n'; break;
            case '\\': out += '\\'; break;
            default: throw Malformed{std::string("unknown escape \\") + s[i]};
        }
    }
    return utf8ToGbk(out);
}

// long long: a long is 32 bits on Windows, too small for a seed.
long long parseInt(const std::string& w, const char* what, long long lo, long long hi) {
    std::size_t i = (!w.empty() && w[0] == '-') ? 1 : 0;
    bool ok = i < w.size();
    for (std::size_t j = i; j < w.size(); ++j) ok = ok && w[j] >= '0' && w[j] <= '9';
    if (!ok || w.size() > 11) throw Malformed{std::string(what) + " must be a number: " + w};
    long long v = std::strtoll(w.c_str(), nullptr, 10);
    if (v < lo || v > hi)
        throw Malformed{std::string(what) + " out of range (" + std::to_string(lo) + ".." +
                        std::to_string(hi) + "): " + w};
    return v;
}

bool isKind(Ctl c, std::initializer_list<ControlKind> kinds) {
    for (ControlKind k : kinds)
        if (controlInfo(c).kind == k) return true;
    return false;
}

Ctl control(Line& line, const char* what, std::initializer_list<ControlKind> kinds = {}) {
    const std::string name = line.word(what);
    const Ctl c = controlByScriptName(utf8ToGbk(name));
    if (c == Ctl::None) throw Malformed{"no control named " + name};
    if (kinds.size() && !isKind(c, kinds)) throw Malformed{name + " is not a " + what};
    return c;
}

Ctl list(Line& line) { return control(line, "list view", {ControlKind::ListView}); }

bool yesNo(Line& line) {
    const std::string w = line.word("yes or no");
    if (w == "yes") return true;
    if (w == "no") return false;
    throw Malformed{"expected yes or no, found " + w};
}

DataFile dataFile(const std::string& w) {
    if (w == "ledger") return DataFile::Ledger;
    if (w == "billlog") return DataFile::BillLog;
    throw Malformed{"expected ledger or billlog, found " + w};
}

std::optional<Colour> colour(const std::string& w) {
    if (w == "*") return std::nullopt;
    bool ok = w.size() == 6;
    for (char ch : w) ok = ok && std::isxdigit(static_cast<unsigned char>(ch));
    if (!ok) throw Malformed{"a colour is six hex digits RRGGBB or *, found " + w};
    const unsigned long v = std::strtoul(w.c_str(), nullptr, 16);
    return rgb(static_cast<int>((v >> 16) & 0xFF), static_cast<int>((v >> 8) & 0xFF),
               static_cast<int>(v & 0xFF));
}

DateTime clockTime(Line& line) {
    const std::string d = line.word("date"), t = line.word("time");
    int Y, M, D, h, m, s;
    char tail;
    if (d.size() != 10 || t.size() != 8 ||
        std::sscanf(d.c_str(), "%4d-%2d-%2d%c", &Y, &M, &D, &tail) != 3 ||
        std::sscanf(t.c_str(), "%2d:%2d:%2d%c", &h, &m, &s, &tail) != 3 || M < 1 || M > 12 ||
        D < 1 || D > 31 || h > 23 || m > 59 || s > 59 || Y < 1 || h < 0 || m < 0 || s < 0)
        throw Malformed{"expected YYYY-MM-DD HH:MM:SS, found " + d + " " + t};
    return DateTime{Y, M, D, h, m, s};
}

const std::initializer_list<ControlKind> kFocusable = {
    ControlKind::Edit, ControlKind::Button, ControlKind::CheckBox, ControlKind::ComboList,
    ControlKind::ListView};

void parseExpect(Line& line, Command& c) {
    const std::string what = line.word("what to expect");
    if (what == "message") {
        c.op = Op::ExpectMessage;
        c.text = unescape(line.rest());
    } else if (what == "nomessage") {
        c.op = Op::ExpectNoMessage;
    } else if (what == "text") {
        c.op = Op::ExpectText;
        c.control = control(line, "control with a text",
                            {ControlKind::Window, ControlKind::GroupBox, ControlKind::Label,
                             ControlKind::Edit, ControlKind::Button, ControlKind::CheckBox,
                             ControlKind::ComboList});
        c.text = unescape(line.rest());
    } else if (what == "cell") {
        c.op = Op::ExpectCell;
        c.control = list(line);
        c.row = parseInt(line.word("row"), "row", 0, 1000000000);
        c.col = parseInt(line.word("column"), "column", 0, 1000);
        c.text = unescape(line.rest());
    } else if (what == "rows") {
        c.op = Op::ExpectRows;
        c.control = list(line);
        c.number = parseInt(line.word("row count"), "row count", 0, 1000000000);
    } else if (what == "selected") {
        c.op = Op::ExpectSelected;
        c.control = list(line);
        c.row = parseInt(line.word("row"), "row", -1, 1000000000);
    } else if (what == "focus") {
        c.op = Op::ExpectFocus;
        c.control = control(line, "control that can take the focus", kFocusable);
    } else if (what == "page") {
        c.op = Op::ExpectPage;
        c.number = parseInt(line.word("page"), "page", 0, 2);
    } else if (what == "width") {
        c.op = Op::ExpectWidth;
        c.control = list(line);
        c.col = parseInt(line.word("column"), "column", 0, 1000);
        c.number = parseInt(line.word("width"), "width", 0, 100000);
    } else if (what == "visible") {
        c.op = Op::ExpectVisible;
        c.control = control(line, "control");
        c.yes = yesNo(line);
    } else if (what == "colour") {
        c.op = Op::ExpectColour;
        c.control = list(line);
        c.row = parseInt(line.word("row"), "row", 0, 1000000000);
        c.col = parseInt(line.word("column"), "column", 0, 1000);
        c.colours[0] = colour(line.word("text colour"));
        c.colours[1] = colour(line.word("background colour"));
    } else if (what == "odds") {
        c.op = Op::ExpectOdds;
        for (int i = 0; i < OddsTable::kSlotCount; ++i) {
            const std::string w = line.word("the seventeen odds");
            char* end = nullptr;
            errno = 0;
            const double v = std::strtod(w.c_str(), &end);
            if (end == w.c_str() || *end != '\0' || errno == ERANGE)
                throw Malformed{"not a number: " + w};
            c.odds.push_back(v);
        }
    } else if (what == "file" || what == "contains" || what == "size") {
        c.op = what == "file" ? Op::ExpectFile : what == "contains" ? Op::ExpectContains
                                                                    : Op::ExpectSize;
        c.file = dataFile(line.word("ledger or billlog"));
        if (c.op == Op::ExpectSize)
            c.number = parseInt(line.word("size"), "size", -1, 2000000000);
        else
            c.text = unescape(line.rest());
    } else {
        throw Malformed{"unknown expectation " + what};
    }
}

void parseLine(const std::string& s, Command& c) {
    Line line(s);
    const std::string cmd = line.word("command");
    if (cmd == "clock") {
        c.op = Op::Clock;
        c.when = clockTime(line);
    } else if (cmd == "seed") {
        c.op = Op::Seed;
        c.seed = static_cast<std::uint32_t>(parseInt(line.word("seed"), "seed", 0, 4294967295LL));
    } else if (cmd == "set") {
        c.op = Op::Set;
        c.control = control(line, "control with a text",
                            {ControlKind::Window, ControlKind::GroupBox, ControlKind::Label,
                             ControlKind::Edit, ControlKind::Button, ControlKind::CheckBox});
        c.text = unescape(line.rest());
    } else if (cmd == "focus") {
        c.op = Op::Focus;
        c.control = control(line, "control that can take the focus", kFocusable);
    } else if (cmd == "type") {
        c.op = Op::Type;
        c.text = unescape(line.rest());
    } else if (cmd == "key") {
        const std::string k = line.word("key");
        if (k != "backspace") throw Malformed{"the only key is backspace, found " + k};
        c.op = Op::KeyBackspace;
    } else if (cmd == "click") {
        c.op = Op::Click;
        c.control = control(line, "control that can be clicked",
                            {ControlKind::Button, ControlKind::CheckBox, ControlKind::Label,
                             ControlKind::Edit, ControlKind::ListView});
    } else if (cmd == "select") {
        c.op = Op::Select;
        c.control = list(line);
        c.row = parseInt(line.word("row"), "row", -1, 1000000000);
    } else if (cmd == "doubleclick") {
        c.op = Op::DoubleClick;
        c.control = list(line);
    } else if (cmd == "rightclick") {
        c.op = Op::RightClick;
        c.control = list(line);
    } else if (cmd == "menu") {
        c.op = Op::Menu;
        c.text = unescape(line.rest());
    } else if (cmd == "choose") {
        c.op = Op::Choose;
        c.control = control(line, "drop-down list", {ControlKind::ComboList});
        c.number = parseInt(line.word("index"), "index", 0, 1000);
    } else if (cmd == "answer") {
        c.op = Op::Answer;
        c.yes = yesNo(line);
    } else if (cmd == "close") {
        c.op = Op::Close;
    } else if (cmd == "wait") {
        c.op = Op::Wait;
    } else if (cmd == "expect") {
        parseExpect(line, c);
    } else if (cmd == "dump") {
        const std::string what = line.word("what to dump");
        if (what == "ledger" || what == "billlog") {
            c.op = Op::DumpFile;
            c.file = dataFile(what);
        } else {
            c.op = Op::DumpControl;
            c.control = controlByScriptName(utf8ToGbk(what));
            if (c.control == Ctl::None) throw Malformed{"no control named " + what};
        }
    } else {
        throw Malformed{"unknown command " + cmd};
    }
    line.end();
}

}  // namespace

bool parseScript(const std::string& utf8, std::vector<Command>& out, ParseError& error) {
    out.clear();
    std::size_t start = 0;
    for (int number = 1; start < utf8.size(); ++number) {
        std::size_t end = utf8.find('\n', start);
        if (end == std::string::npos) end = utf8.size();
        std::string s = utf8.substr(start, end - start);
        start = end + 1;
        // A script saved with CRLF line ends means the same; a CR inside a text is \r.
        if (!s.empty() && s.back() == '\r') s.pop_back();
        if (s.empty() || s[0] == '#') continue;
        Command c;
        c.line = number;
        try {
            parseLine(s, c);
        } catch (const Malformed& m) {
            error = ParseError{number, m.message};
            return false;
        }
        out.push_back(std::move(c));
    }
    return true;
}

std::string escapeText(const Text& gbk) {
    const std::string s = gbkToUtf8(gbk);
    std::size_t first = 0, last = s.size();
    while (first < last && s[first] == ' ') ++first;
    while (last > first && s[last - 1] == ' ') --last;
    std::string out;
    for (std::size_t i = 0; i < s.size(); ++i) {
        switch (s[i]) {
            case '\\': out += "\\\\"; break;
            case '\t': out += "\\t"; break;
            case '\r': out += "\\r"; break;
            case '\n': out += "\\n"; break;
            case ' ': out += (i < first || i >= last) ? "\\s" : " "; break;
            default: out += s[i];
        }
    }
    return out;
}

}  // namespace bk
