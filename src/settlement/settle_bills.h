// Settling bills: every bill of BillsList at once (CalculateButton) or the selected one
// (SingleCalculateButton). The handlers themselves are declared with the others in
// shell/events.h.
#pragma once

#include <vector>

#include "ledger/bill_log.h"

namespace bk {

struct App;

// True when none of DigitBox1 to DigitBox5 is empty.
bool checkDrawComplete(const App& app);

// The bill-log entry of a settlement of all bills, then the settled rows leave BillsList.
// `settled` holds, for each bill of this settlement in the order they were settled, its
// BillsList row and the statistics row written for it. Runs on the GUI thread; the entry
// text goes to app.billLog.
struct SettledBill {
    int row;
    HistoryRow stats;
};
void logAllBills(App& app, const std::vector<SettledBill>& settled);
// The same for the selected bill: its entry, then the row leaves BillsList and the add
// fields are emptied.
void logSelectedBill(App& app, const SettledBill& settled);

}  // namespace bk
