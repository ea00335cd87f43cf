// Event dispatch: a face reports each event here and the matching handler runs.
#pragma once

#include "shell/app.h"

namespace bk {

void handleEvent(App& app, Ctl control, Event event);
void handleMenu(App& app, MenuItem item);
// MainWindow and all its controls exist (creation handler).
void onMainWindowCreated(App& app);
// MainWindow is closing: the registry is emptied, queued bill-log writes are finished.
void onMainWindowClosing(App& app);
// StatisticsWindow and its controls exist; fills them.
void onStatisticsWindowCreated(App& app);

// ---- handlers of the window and of the input conveniences (shell) ----
void onPageSwitch(App& app);
void onStatisticsButton(App& app);
void onShowColumnCheck(App& app);
void onHelpLabel(App& app);
void onOddsConfirm(App& app);
void loadOddsTable(App& app);
void onDigitBoxFocusOrClick(App& app, Ctl box);
void onDigitBoxTextChanged(App& app, Ctl box);
void autoFillFromName(App& app);
void copyBillStatsRowToAddFields(App& app);
void copyBillsRowToEditFields(App& app);
void onDeleteAllBills(App& app);
void onDeleteSelectedStatsRow(App& app);
void onClearStatsRows(App& app);
// setCellColour: registers the colour and repaints the list.
void setCellColour(App& app, Ctl list, int row, int col, Colour text, Colour background,
                   bool backgroundGiven);

// ---- players, settlement, statistics ----
void onAddButton(App& app);
void onModifyButton(App& app);
void onRechargeButton(App& app);
void onWithdrawButton(App& app);
void settleAll(App& app);
void settleSelected(App& app);
void onPlayerStatsDoubleClick(App& app);
void onBackButton(App& app);

}  // namespace bk
