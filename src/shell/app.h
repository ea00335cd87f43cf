// Program-wide state, shared by every handler. Lives from start-up to exit; created by
// the face's start-up code (the Win32 entry, the replay runner, tests).
#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "betting/odds_table.h"
#include "shell/row_colours.h"
#include "shell/services.h"
#include "shell/ui.h"

namespace bk {

class BillLogWriter;

struct App {
    App(Ui& ui, Clock& clock, RandomSource& random, FileSystem& fs, Text runDirectory)
        : ui(ui), clock(clock), random(random), fs(fs), runDirectory(std::move(runDirectory)) {}

    Ui& ui;
    Clock& clock;
    RandomSource& random;
    FileSystem& fs;
    // The program's folder, GBK, without a trailing separator.
    Text runDirectory;
    // Set by the bill-log owner at start-up; null means bill logging is off.
    BillLogWriter* billLog = nullptr;
    // The skin's colour adjustment (hue, saturation, value), set by a face that has a skin;
    // unset means there is no skin to adjust.
    std::function<void(int, int, int)> adjustSkinHsv;

    OddsTable odds;
    Text dataDirectory;  // runDirectory + "/shuju", set when MainWindow is created
    Text drawSummary;
    RowColourRegistry colours;
    std::vector<Text> todayRecordTexts;  // the statistics window's record texts
};

// Path of the bill log: beside the program.
Text billLogPath(const App& app);

}  // namespace bk
