#include "shell/row_colours.h"

#include "shell/events.h"

namespace bk {

namespace {

std::uint64_t cellKey(int row, int col) {
    return (static_cast<std::uint64_t>(static_cast<std::uint32_t>(row)) << 32) |
           static_cast<std::uint32_t>(col);
}

}  // namespace

RowColourRegistry::Entry* RowColourRegistry::entryFor(Ctl list) {
    for (auto& e : entries_)
        if (e.list == list) return &e;
    return nullptr;
}

const RowColourRegistry::Entry* RowColourRegistry::entryFor(Ctl list) const {
    for (const auto& e : entries_)
        if (e.list == list) return &e;
    return nullptr;
}

void RowColourRegistry::registerCell(Ctl list, int row, int col, Colour text, Colour background,
                                     bool backgroundGiven, Colour ownText, Colour ownBackground) {
    const Colour bg = backgroundGiven ? background : ownBackground;
    const bool ownColours = text == ownText && bg == ownBackground;

    Entry* entry = entryFor(list);
    if (!entry) {
        // A list gets its entry at its first registration, even one that adds no record.
        entries_.push_back(Entry{list, {}, {}});
        entry = &entries_.back();
    }
    const std::uint64_t key = cellKey(row, col);
    auto found = entry->index.find(key);
    if (found != entry->index.end()) {
        const std::size_t pos = found->second;
        if (ownColours) {
            // Going back to the list's own colours drops the record; the later records
            // move up by one, so their positions are renumbered.
            entry->cells.erase(entry->cells.begin() + static_cast<std::ptrdiff_t>(pos));
            entry->index.erase(found);
            for (std::size_t i = pos; i < entry->cells.size(); ++i)
                entry->index[cellKey(entry->cells[i].row, entry->cells[i].col)] = i;
        } else {
            entry->cells[pos].text = text;
            entry->cells[pos].background = bg;
        }
        return;
    }
    if (ownColours) return;
    entry->index.emplace(key, entry->cells.size());
    entry->cells.push_back(CellColour{row, col, text, bg});
}

bool RowColourRegistry::find(Ctl list, int row, int col, Colour& text, Colour& background) const {
    const Entry* entry = entryFor(list);
    if (!entry) return false;
    auto found = entry->index.find(cellKey(row, col));
    if (found == entry->index.end()) return false;
    const CellColour& c = entry->cells[found->second];
    text = c.text;
    background = c.background;
    return true;
}

std::vector<CellColour> RowColourRegistry::records(Ctl list) const {
    const Entry* entry = entryFor(list);
    return entry ? entry->cells : std::vector<CellColour>{};
}

void RowColourRegistry::clear() { entries_.clear(); }

void setCellColour(App& app, Ctl list, int row, int col, Colour text, Colour background,
                   bool backgroundGiven) {
    app.colours.registerCell(list, row, col, text, background, backgroundGiven,
                             listTextColour(list), listBackgroundColour(list));
    app.ui.redrawList(list);
}

}  // namespace bk
