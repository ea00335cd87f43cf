// Temporary: handlers whose work has not landed yet. Each is removed from here as its
// real implementation arrives; this file goes away with the last one.
#include "shell/events.h"

namespace bk {

// players and statistics
void onPlayerStatsDoubleClick(App&) {}
void onBackButton(App&) {}
void onStatisticsWindowCreated(App&) {}

}  // namespace bk
