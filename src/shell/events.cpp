#include "shell/events.h"

#include <iterator>

#include "ledger/bill_log.h"

namespace bk {

namespace {

using Handler = void (*)(App&, Ctl);

struct Route {
    Ctl control;
    Event event;
    Handler handler;
};

template <void (*F)(App&)>
void plain(App& app, Ctl) {
    F(app);
}

void popupBillsMenu(App& app, Ctl) { app.ui.popupMenu(Menu::One); }
void popupStatsMenu(App& app, Ctl) { app.ui.popupMenu(Menu::Two); }

// Every event that has a handler. Events not listed (PlayerNameEdit getting the focus,
// DepositEdit's text changes, a list row becoming the focused row, ...) do nothing.
const Route kRoutes[] = {
    {Ctl::PageSwitchButton, Event::Clicked, plain<onPageSwitch>},
    {Ctl::StatisticsButton, Event::Clicked, plain<onStatisticsButton>},
    {Ctl::ShowColumnCheck, Event::Clicked, plain<onShowColumnCheck>},
    {Ctl::HelpLabel, Event::MouseDown, plain<onHelpLabel>},
    {Ctl::OddsConfirmButton, Event::Clicked, plain<onOddsConfirm>},
    {Ctl::AddButton, Event::Clicked, plain<onAddButton>},
    {Ctl::ModifyButton, Event::Clicked, plain<onModifyButton>},
    {Ctl::RechargeButton, Event::Clicked, plain<onRechargeButton>},
    {Ctl::WithdrawButton, Event::Clicked, plain<onWithdrawButton>},
    {Ctl::CalculateButton, Event::Clicked, plain<settleAll>},
    {Ctl::SingleCalculateButton, Event::Clicked, plain<settleSelected>},
    {Ctl::DigitBox1, Event::TextChanged, onDigitBoxTextChanged},
    {Ctl::DigitBox2, Event::TextChanged, onDigitBoxTextChanged},
    {Ctl::DigitBox3, Event::TextChanged, onDigitBoxTextChanged},
    {Ctl::DigitBox4, Event::TextChanged, onDigitBoxTextChanged},
    {Ctl::DigitBox1, Event::GotFocus, onDigitBoxFocusOrClick},
    {Ctl::DigitBox2, Event::GotFocus, onDigitBoxFocusOrClick},
    {Ctl::DigitBox3, Event::GotFocus, onDigitBoxFocusOrClick},
    {Ctl::DigitBox4, Event::GotFocus, onDigitBoxFocusOrClick},
    {Ctl::DigitBox5, Event::GotFocus, onDigitBoxFocusOrClick},
    {Ctl::DigitBox1, Event::MouseUp, onDigitBoxFocusOrClick},
    {Ctl::DigitBox2, Event::MouseUp, onDigitBoxFocusOrClick},
    {Ctl::DigitBox3, Event::MouseUp, onDigitBoxFocusOrClick},
    {Ctl::DigitBox4, Event::MouseUp, onDigitBoxFocusOrClick},
    {Ctl::DigitBox5, Event::MouseUp, onDigitBoxFocusOrClick},
    {Ctl::PlayerNameEdit, Event::TextChanged, plain<autoFillFromName>},
    {Ctl::BillsList, Event::LeftClick, plain<copyBillsRowToEditFields>},
    // The buttons of the edit group act on the selected row, so the group shows that row
    // however the selection moved (keyboard, a deleted row), not only after a click.
    {Ctl::BillsList, Event::SelectionChanged, plain<copyBillsRowToEditFields>},
    {Ctl::BillsList, Event::RightClick, popupBillsMenu},
    {Ctl::BillStatsList, Event::LeftClick, plain<copyBillStatsRowToAddFields>},
    {Ctl::BillStatsList, Event::RightClick, popupStatsMenu},
    {Ctl::PlayerStatsList, Event::DoubleClick, plain<onPlayerStatsDoubleClick>},
    {Ctl::BackButton, Event::Clicked, plain<onBackButton>},
};

}  // namespace

void handleEvent(App& app, Ctl control, Event event) {
    for (const Route& r : kRoutes) {
        if (r.control == control && r.event == event) {
            r.handler(app, control);
            return;
        }
    }
}

void handleMenu(App& app, MenuItem item) {
    switch (item) {
        case MenuItem::DeleteAll: onDeleteAllBills(app); break;
        case MenuItem::DeleteSelected: onDeleteSelectedStatsRow(app); break;
        case MenuItem::ClearAll: onClearStatsRows(app); break;
    }
}

void onMainWindowCreated(App& app) {
    // The odds are numbers from the start, so nothing can settle against empty slots.
    loadOddsTable(app);
    if (app.adjustSkinHsv) app.adjustSkinHsv(120, 90, 40);
    // The run directory uses backslashes on Windows; the data folder is joined with a
    // forward slash all the same, which Windows accepts.
    Text dataDirectory = app.runDirectory + "/shuju";
    if (!app.fs.isDirectory(dataDirectory)) app.fs.makeDirectory(dataDirectory);
    app.dataDirectory = dataDirectory;
}

void onMainWindowClosing(App& app) {
    app.colours.clear();
    // Settled bills still queued for the log are written before the program ends.
    if (app.billLog) app.billLog->drain();
}

}  // namespace bk
