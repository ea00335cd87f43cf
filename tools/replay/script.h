// Scenario scripts: UTF-8 text, one command per line. Parsing turns every line into a
// Command up front, so a malformed line stops the run before anything has happened.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "shell/control_map.h"

namespace bk {

enum class Op {
    Clock, Seed, Set, Focus, Type, KeyBackspace, Click, Select, DoubleClick, RightClick, Menu,
    Choose, Answer, Close, Wait,
    ExpectMessage, ExpectNoMessage, ExpectText, ExpectCell, ExpectRows, ExpectSelected,
    ExpectFocus, ExpectPage, ExpectWidth, ExpectVisible, ExpectColour, ExpectOdds, ExpectFile,
    ExpectContains, ExpectSize,
    DumpControl, DumpFile,
};

enum class DataFile { Ledger, BillLog };

struct Command {
    int line = 0;
    Op op = Op::Wait;
    Ctl control = Ctl::None;
    int row = 0, col = 0, number = 0;  // rows, columns, counts, indexes, pages, sizes
    bool yes = false;                  // answer yes/no, expect visible yes/no
    Text text;                         // GBK, escapes resolved
    DateTime when;
    std::uint32_t seed = 0;
    DataFile file = DataFile::Ledger;
    std::array<std::optional<Colour>, 2> colours;  // empty: "*", any colour
    std::vector<double> odds;
};

struct ParseError {
    int line;
    std::string message;  // UTF-8
};

// Parses a whole script; on the first malformed line, returns false and fills `error`.
bool parseScript(const std::string& utf8, std::vector<Command>& out, ParseError& error);

// The escaped form of a GBK text, as UTF-8 (backslash, tab, CR, LF, and blanks at either
// end written as escapes), so that what is printed can be pasted back into a script.
std::string escapeText(const Text& gbk);

}  // namespace bk
