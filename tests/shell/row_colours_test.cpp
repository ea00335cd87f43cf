#include "shell/row_colours.h"

#include <gtest/gtest.h>

#include "shell_fixture.h"

namespace bk {
namespace {

const Colour kWhite = rgb(255, 255, 255);
const Colour kBlack = rgb(0, 0, 0);
const Colour kRed = rgb(255, 0, 0);
const Colour kGreen = rgb(0, 255, 0);
const Colour kBlue = rgb(0, 136, 255);  // BillsList's own text colour

struct Rec {
    int row, col;
    Colour text, bg;
};

std::vector<Rec> recs(const RowColourRegistry& r, Ctl list) {
    std::vector<Rec> out;
    for (const CellColour& c : r.records(list)) out.push_back({c.row, c.col, c.text, c.background});
    return out;
}

bool operator==(const Rec& a, const Rec& b) {
    return a.row == b.row && a.col == b.col && a.text == b.text && a.bg == b.bg;
}

void put(RowColourRegistry& r, int row, int col, Colour text, Colour bg, bool given = true) {
    r.registerCell(Ctl::BillsList, row, col, text, bg, given, kBlue, kWhite);
}

TEST(RowColourRegistry, ColoursOnlyTheRegisteredCell) {
    RowColourRegistry r;
    put(r, 0, 2, kWhite, kRed);
    Colour t = 0, b = 0;
    ASSERT_TRUE(r.find(Ctl::BillsList, 0, 2, t, b));
    EXPECT_EQ(t, kWhite);
    EXPECT_EQ(b, kRed);
    EXPECT_FALSE(r.find(Ctl::BillsList, 0, 1, t, b));
    EXPECT_FALSE(r.find(Ctl::BillsList, 1, 2, t, b));
    EXPECT_FALSE(r.find(Ctl::BillStatsList, 0, 2, t, b));
}

TEST(RowColourRegistry, OwnColoursRemoveOrAddNothingAndReplacementKeepsOneRecord) {
    RowColourRegistry r;
    // Own colours for a cell without a record: nothing is added, but the list has its entry.
    put(r, 3, 3, kBlue, kWhite);
    EXPECT_TRUE(r.hasEntry(Ctl::BillsList));
    EXPECT_TRUE(recs(r, Ctl::BillsList).empty());

    put(r, 0, 0, kWhite, kRed);
    put(r, 0, 1, kWhite, kRed);
    put(r, 0, 2, kWhite, kRed);
    // A second colour for a cell replaces the first in its place.
    put(r, 0, 0, kBlack, kGreen);
    EXPECT_EQ(recs(r, Ctl::BillsList),
              (std::vector<Rec>{{0, 0, kBlack, kGreen}, {0, 1, kWhite, kRed}, {0, 2, kWhite, kRed}}));

    // Back to the list's own colours removes the record; the later ones keep their order
    // and stay reachable.
    put(r, 0, 1, kBlue, kWhite);
    EXPECT_EQ(recs(r, Ctl::BillsList),
              (std::vector<Rec>{{0, 0, kBlack, kGreen}, {0, 2, kWhite, kRed}}));
    put(r, 0, 2, kGreen, kBlack);
    Colour t = 0, b = 0;
    ASSERT_TRUE(r.find(Ctl::BillsList, 0, 2, t, b));
    EXPECT_EQ(t, kGreen);
    EXPECT_EQ(recs(r, Ctl::BillsList),
              (std::vector<Rec>{{0, 0, kBlack, kGreen}, {0, 2, kGreen, kBlack}}));
    // A removed cell can be coloured again; it goes to the end.
    put(r, 0, 1, kRed, kRed);
    EXPECT_EQ(recs(r, Ctl::BillsList).back(), (Rec{0, 1, kRed, kRed}));
}

TEST(RowColourRegistry, WithoutABackgroundTheListsOwnIsUsed) {
    RowColourRegistry r;
    put(r, 1, 1, kRed, kGreen, /*given=*/false);
    EXPECT_EQ(recs(r, Ctl::BillsList), (std::vector<Rec>{{1, 1, kRed, kWhite}}));
    // The own text colour without a background is the list's own colours: removed.
    put(r, 1, 1, kBlue, kGreen, /*given=*/false);
    EXPECT_TRUE(recs(r, Ctl::BillsList).empty());
}

TEST(RowColourRegistry, ListsAreKeptApartAndClearEmptiesAll) {
    RowColourRegistry r;
    put(r, 0, 0, kWhite, kRed);
    r.registerCell(Ctl::BillStatsList, 0, 0, kWhite, kGreen, true, kBlack, kWhite);
    Colour t = 0, b = 0;
    ASSERT_TRUE(r.find(Ctl::BillsList, 0, 0, t, b));
    EXPECT_EQ(b, kRed);
    ASSERT_TRUE(r.find(Ctl::BillStatsList, 0, 0, t, b));
    EXPECT_EQ(b, kGreen);
    r.clear();
    EXPECT_FALSE(r.find(Ctl::BillsList, 0, 0, t, b));
    EXPECT_FALSE(r.hasEntry(Ctl::BillStatsList));
}

using CellColourTest = ShellFixture;

TEST_F(CellColourTest, EachListIsComparedWithItsOwnColoursAndRepainted) {
    start();
    // BillsList's own colours are blue text on white, so black on white is a colour of its
    // own there, while on BillStatsList it is that list's own pair.
    setCellColour(app, Ctl::BillsList, 0, 0, kBlack, kWhite, true);
    setCellColour(app, Ctl::BillStatsList, 0, 0, kBlack, kWhite, true);
    EXPECT_EQ(app.colours.records(Ctl::BillsList).size(), 1u);
    EXPECT_TRUE(app.colours.records(Ctl::BillStatsList).empty());
    EXPECT_EQ(ui.redrawCount(Ctl::BillsList), 1);
    EXPECT_EQ(ui.redrawCount(Ctl::BillStatsList), 1);
}

TEST_F(CellColourTest, ColoursStayWithRowPositionsWhenRowsGo) {
    start();
    addBill("a", "1", "", "1");
    addBill("b", "2", "", "2");
    setCellColour(app, Ctl::BillsList, 0, 2, kWhite, kRed, true);
    setCellColour(app, Ctl::BillsList, 0, 9, kWhite, kGreen, true);  // beyond the last column
    Colour t = 0, b = 0;

    ui.deleteRow(Ctl::BillsList, 0);  // "b" moves up into row 0 and is drawn in row 0's colour
    ASSERT_TRUE(ui.drawnColours(Ctl::BillsList, 0, 2, t, b));
    EXPECT_EQ(b, kRed);
    ASSERT_TRUE(ui.drawnColours(Ctl::BillsList, 0, 1, t, b));
    EXPECT_EQ(t, kBlue);
    EXPECT_EQ(b, kWhite);
    EXPECT_FALSE(ui.drawnColours(Ctl::BillsList, 0, 9, t, b));  // never shows

    ui.deleteAllRows(Ctl::BillsList);
    EXPECT_FALSE(ui.drawnColours(Ctl::BillsList, 0, 2, t, b));
    addBill("c", "3", "", "3");
    ASSERT_TRUE(ui.drawnColours(Ctl::BillsList, 0, 2, t, b));
    EXPECT_EQ(b, kRed);
}

}  // namespace
}  // namespace bk
