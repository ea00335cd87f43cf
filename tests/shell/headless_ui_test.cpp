// The headless model on its own: events recorded instead of handled.
#include "shell/headless/headless_ui.h"

#include <gtest/gtest.h>

#include <thread>

namespace bk {
namespace {

struct Raised {
    Ctl c;
    Event e;
    bool operator==(const Raised& o) const { return c == o.c && e == o.e; }
};

struct HeadlessModel : ::testing::Test {
    HeadlessUi ui;
    std::vector<Raised> events;
    std::vector<MenuItem> menus;

    void SetUp() override {
        ui.hooks.event = [this](Ctl c, Event e) { events.push_back({c, e}); };
        ui.hooks.menu = [this](MenuItem m) { menus.push_back(m); };
        ui.createMainWindow();
    }
    int count(Ctl c, Event e) const {
        int n = 0;
        for (const auto& r : events) n += r.c == c && r.e == e;
        return n;
    }
    Text selected(Ctl c) const {
        auto [a, b] = ui.textSelection(c);
        return ui.text(c).substr(a, b - a);
    }
};

TEST_F(HeadlessModel, BuiltFromTheControlMap) {
    for (const ControlInfo& info : controlMap()) {
        SCOPED_TRACE(info.scriptName);
        if (info.window == Window::Stats) {
            EXPECT_FALSE(ui.isVisible(info.id));  // made only when opened
            continue;
        }
        if (info.kind != ControlKind::ComboList) {
            EXPECT_EQ(ui.text(info.id), Text(info.caption));
        }
        const auto& cols = listColumns(info.id);
        for (int i = 0; i < static_cast<int>(cols.size()); ++i)
            EXPECT_EQ(ui.columnWidth(info.id, i), cols[i].width);
        if (info.flags & CF_Hidden) {
            EXPECT_FALSE(ui.isVisible(info.id));
        }
    }
    EXPECT_EQ(ui.currentPage(), 0);
    EXPECT_EQ(ui.comboIndex(Ctl::SeparatorCombo), 0);
    EXPECT_EQ(ui.comboText(Ctl::SeparatorCombo), " ");
    EXPECT_EQ(ui.comboText(Ctl::SymbolCombo), "可以自定义");
    EXPECT_FALSE(ui.isChecked(Ctl::ShowColumnCheck));
    // Page 0 shown with the window's own button; page 1 and page 2 hidden.
    EXPECT_TRUE(ui.isVisible(Ctl::BillsList));
    EXPECT_TRUE(ui.isVisible(Ctl::PageSwitchButton));
    EXPECT_FALSE(ui.isVisible(Ctl::OddsBigBox));
    EXPECT_FALSE(ui.isVisible(Ctl::InertBillsList));
    EXPECT_EQ(ui.focused(), Ctl::None);
}

TEST_F(HeadlessModel, ProgramSetTextRaisesOneTextChangedAndIsNotFiltered) {
    ui.setText(Ctl::DigitBox1, "12");  // the one-character limit is for typing only
    ui.setText(Ctl::DepositEdit, "abc");
    ui.setText(Ctl::DepositEdit, "abc");  // the same text again still notifies
    ui.setText(Ctl::HelpLabel, "x");      // labels have no text-changed event
    EXPECT_EQ(ui.text(Ctl::DigitBox1), "12");
    EXPECT_EQ(ui.text(Ctl::DepositEdit), "abc");
    EXPECT_EQ(events, (std::vector<Raised>{{Ctl::DigitBox1, Event::TextChanged},
                                           {Ctl::DepositEdit, Event::TextChanged},
                                           {Ctl::DepositEdit, Event::TextChanged}}));
}

TEST_F(HeadlessModel, TypingFollowsTheBoxesRules) {
    struct Case {
        Ctl box;
        Text typed;
        Text result;
        int changes;
    };
    const Case cases[] = {
        {Ctl::DepositEdit, "a-5b.7", "-57", 3},  // integer box: only '-' and digits
        {Ctl::PlayerNameEdit, "张三ab", "张三ab", 4},
        {Ctl::DigitBox5, "98", "9", 1},          // a second character is refused
        {Ctl::DigitBox5, "张", "张", 1},         // one character, two bytes
        {Ctl::PlayerNameEdit, "a\r\nb", "ab", 2},  // Enter adds nothing to a one-line box
        {Ctl::ResultLog, "a\r\nb", "a\r\nb", 3},   // but a line break to the multi-line one
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        ui.setText(c.box, "");
        events.clear();
        ASSERT_EQ(ui.userFocus(c.box), HeadlessUi::Input::Done);
        events.clear();
        EXPECT_EQ(ui.userType(c.typed), HeadlessUi::Input::Done);
        EXPECT_EQ(ui.text(c.box), c.result);
        EXPECT_EQ(count(c.box, Event::TextChanged), c.changes);
    }
}

TEST_F(HeadlessModel, ASelectedCharacterIsReplacedEvenInAOneCharacterBox) {
    ui.setText(Ctl::DigitBox5, "4");
    ui.userFocus(Ctl::DigitBox5);
    ui.userType("7");
    EXPECT_EQ(ui.text(Ctl::DigitBox5), "4");  // caret at the start, text not selected
    ui.selectAllText(Ctl::DigitBox5);
    EXPECT_EQ(selected(Ctl::DigitBox5), "4");
    ui.userType("7");
    EXPECT_EQ(ui.text(Ctl::DigitBox5), "7");
}

TEST_F(HeadlessModel, BackspaceDeletesTheSelectionOrOneCharacter) {
    ui.setText(Ctl::PlayerNameEdit, "a张b");
    ui.userClick(Ctl::PlayerNameEdit);  // caret after the text
    events.clear();
    ui.userBackspace();
    EXPECT_EQ(ui.text(Ctl::PlayerNameEdit), "a张");
    ui.userBackspace();  // a two-byte character goes whole
    EXPECT_EQ(ui.text(Ctl::PlayerNameEdit), "a");
    ui.selectAllText(Ctl::PlayerNameEdit);
    ui.userBackspace();
    EXPECT_EQ(ui.text(Ctl::PlayerNameEdit), "");
    ui.userBackspace();  // nothing left: no change, no notification
    EXPECT_EQ(count(Ctl::PlayerNameEdit, Event::TextChanged), 3);
}

TEST_F(HeadlessModel, FocusNotifiesOnlyWhenItMovesAndLeavesHiddenControls) {
    ui.setFocus(Ctl::DigitBox1);
    ui.setFocus(Ctl::DigitBox1);
    EXPECT_EQ(count(Ctl::DigitBox1, Event::GotFocus), 1);
    // Clicking a button moves the focus to it.
    ui.userClick(Ctl::AddButton);
    EXPECT_EQ(ui.focused(), Ctl::AddButton);
    EXPECT_EQ(events.back(), (Raised{Ctl::AddButton, Event::Clicked}));
    // The page switch hides it, and the focus goes with it.
    ui.setCurrentPage(1);
    EXPECT_EQ(ui.focused(), Ctl::None);
    EXPECT_EQ(ui.userClick(Ctl::AddButton), HeadlessUi::Input::Ignored);
    EXPECT_EQ(ui.userFocus(Ctl::EditNameBox), HeadlessUi::Input::Ignored);  // hidden
    ui.setCurrentPage(0);
    EXPECT_EQ(ui.userFocus(Ctl::EditNameBox), HeadlessUi::Input::Ignored);  // disabled
    EXPECT_EQ(ui.userFocus(Ctl::HelpLabel), HeadlessUi::Input::Impossible);
}

TEST_F(HeadlessModel, ClickingAnEditBoxFocusesThenPlacesTheCaretThenReleases) {
    ui.setText(Ctl::DigitBox3, "5");
    events.clear();
    // A focus handler that selects the text sees the selection undone by the caret.
    ui.hooks.event = [this](Ctl c, Event e) {
        events.push_back({c, e});
        if (e == Event::GotFocus) ui.selectAllText(c);
    };
    ui.userClick(Ctl::DigitBox3);
    EXPECT_EQ(events, (std::vector<Raised>{{Ctl::DigitBox3, Event::GotFocus},
                                           {Ctl::DigitBox3, Event::MouseUp}}));
    EXPECT_EQ(selected(Ctl::DigitBox3), "");
}

TEST_F(HeadlessModel, ListSelectionNotifiesEveryChange) {
    for (const char* n : {"a", "b", "c"}) ui.appendRow(Ctl::BillsList, n);
    EXPECT_EQ(ui.cell(Ctl::BillsList, 1, 0), "b");
    EXPECT_EQ(ui.cell(Ctl::BillsList, 1, 8), "");
    EXPECT_EQ(ui.cell(Ctl::BillsList, 7, 0), "");
    ui.setSelectedRow(Ctl::BillsList, 2);
    ui.setSelectedRow(Ctl::BillsList, 2);
    EXPECT_EQ(count(Ctl::BillsList, Event::SelectionChanged), 1);
    // An earlier row goes: the same row stays selected under its new index.
    ui.deleteRow(Ctl::BillsList, 0);
    EXPECT_EQ(ui.selectedRow(Ctl::BillsList), 1);
    EXPECT_EQ(count(Ctl::BillsList, Event::SelectionChanged), 1);
    // The selected row itself goes: no selection, and that is a change.
    ui.deleteRow(Ctl::BillsList, 1);
    EXPECT_EQ(ui.selectedRow(Ctl::BillsList), -1);
    EXPECT_EQ(count(Ctl::BillsList, Event::SelectionChanged), 2);
    EXPECT_EQ(ui.userSelectRow(Ctl::BillsList, 0), HeadlessUi::Input::Done);
    EXPECT_EQ(ui.userSelectRow(Ctl::BillsList, 5), HeadlessUi::Input::Impossible);
    ui.deleteAllRows(Ctl::BillsList);
    EXPECT_EQ(ui.selectedRow(Ctl::BillsList), -1);
    EXPECT_EQ(count(Ctl::BillsList, Event::SelectionChanged), 4);
    // Keyboard selection leaves the focus alone; a click does not change the selection.
    EXPECT_EQ(ui.focused(), Ctl::None);
}

TEST_F(HeadlessModel, MenusPopUpAndAnyOtherActionDismissesThem) {
    ui.hooks.event = [this](Ctl c, Event e) {
        if (e == Event::RightClick) ui.popupMenu(c == Ctl::BillsList ? Menu::One : Menu::Two);
    };
    EXPECT_EQ(ui.userChooseMenu("全部删除"), HeadlessUi::Input::Impossible);  // nothing popped
    ui.userRightClick(Ctl::BillStatsList);
    EXPECT_EQ(ui.userChooseMenu("点击删除"), HeadlessUi::Input::Impossible);  // the blank counts
    EXPECT_EQ(ui.userChooseMenu("点击删除 "), HeadlessUi::Input::Done);
    ui.userRightClick(Ctl::BillsList);
    ui.userClick(Ctl::AddButton);
    EXPECT_EQ(ui.userChooseMenu("全部删除"), HeadlessUi::Input::Impossible);
    EXPECT_EQ(menus, std::vector<MenuItem>{MenuItem::DeleteSelected});
}

TEST_F(HeadlessModel, StatisticsWindowIsModalAndMadeAfresh) {
    ui.userFocus(Ctl::DigitBox2);
    int opened = 0;
    ui.hooks.created = [&](Window w) {
        if (w == Window::Stats) ++opened;
    };
    ui.hooks.modalLoop = [&] {
        EXPECT_TRUE(ui.windowOpen(Window::Stats));
        EXPECT_TRUE(ui.isVisible(Ctl::PlayerStatsList));
        EXPECT_FALSE(ui.isVisible(Ctl::RecordsGroup));
        EXPECT_FALSE(ui.isVisible(Ctl::BackButton));  // inside the hidden group
        EXPECT_EQ(ui.text(Ctl::SellerIncomeLabel), "今日卖家收入：");
        // MainWindow takes no input meanwhile.
        EXPECT_EQ(ui.userClick(Ctl::StatisticsButton), HeadlessUi::Input::Ignored);
        EXPECT_EQ(ui.userType("1"), HeadlessUi::Input::Ignored);
        ui.setVisible(Ctl::RecordsGroup, true);
        EXPECT_TRUE(ui.isVisible(Ctl::BackButton));
        ui.appendRow(Ctl::RecordsList, "x");
    };
    ui.runStatisticsWindow();
    EXPECT_FALSE(ui.windowOpen(Window::Stats));
    EXPECT_EQ(ui.focused(), Ctl::DigitBox2);
    ui.hooks.modalLoop = [&] {
        EXPECT_FALSE(ui.isVisible(Ctl::RecordsGroup));
        EXPECT_EQ(ui.rowCount(Ctl::RecordsList), 0);
    };
    ui.runStatisticsWindow();
    EXPECT_EQ(opened, 2);
}

TEST_F(HeadlessModel, MessageBoxesAreRecordedAndYesNoDefaultsToNo) {
    ui.showMessage("a");
    EXPECT_FALSE(ui.askYesNo("q1"));
    ui.queueAnswer(true);
    ui.queueAnswer(false);
    EXPECT_TRUE(ui.askYesNo("q2"));
    EXPECT_FALSE(ui.askYesNo("q3"));
    ASSERT_EQ(ui.messages().size(), 4u);
    EXPECT_FALSE(ui.messages()[0].yesNo);
    EXPECT_TRUE(ui.messages()[2].yesNo);
    EXPECT_TRUE(ui.messages()[2].answer);
    EXPECT_EQ(ui.messages()[3].text, "q3");
}

TEST_F(HeadlessModel, WorkPostedFromAnotherThreadRunsWhenTheRunnerSaysSo) {
    std::vector<int> order;
    std::thread worker([&] {
        for (int i = 0; i < 3; ++i) ui.postToGui([&order, i] { order.push_back(i); });
    });
    worker.join();
    EXPECT_TRUE(order.empty());
    // Work posted by posted work runs in the same turn.
    ui.postToGui([&] { ui.postToGui([&] { order.push_back(9); }); });
    EXPECT_EQ(ui.runPosted(), 5);
    EXPECT_EQ(order, (std::vector<int>{0, 1, 2, 9}));
}

}  // namespace
}  // namespace bk
