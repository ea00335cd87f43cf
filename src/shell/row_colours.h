// Per-cell colours of list views. Colours belong to row positions, not to rows: deleting
// or inserting rows moves no record. Lookups are by (list, row, column) in constant time,
// since the list asks for every painted cell.
#pragma once

#include <cstdint>
#include <unordered_map>
#include <vector>

#include "shell/control_map.h"

namespace bk {

struct CellColour {
    int row;
    int col;
    Colour text;
    Colour background;
};

class RowColourRegistry {
public:
    // The registry operation of setCellColour (without the repaint): ownText/ownBackground
    // are the list's own colours; a record equal to them is removed or never made.
    void registerCell(Ctl list, int row, int col, Colour text, Colour background,
                      bool backgroundGiven, Colour ownText, Colour ownBackground);
    // The registered colours of a cell; false when it has no record.
    bool find(Ctl list, int row, int col, Colour& text, Colour& background) const;
    // The records of one list, in registration order.
    std::vector<CellColour> records(Ctl list) const;
    // Whether the list has its entry (made by its first registration, even one that
    // added no record).
    bool hasEntry(Ctl list) const { return entryFor(list) != nullptr; }
    void clear();

private:
    struct Entry {
        Ctl list;
        std::vector<CellColour> cells;  // ordered; at most one per (row, col)
        std::unordered_map<std::uint64_t, std::size_t> index;  // (row, col) -> position
    };
    Entry* entryFor(Ctl list);
    const Entry* entryFor(Ctl list) const;
    std::vector<Entry> entries_;
};

}  // namespace bk
