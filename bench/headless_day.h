// A program on the headless face whose files live in a fresh temporary folder, with the
// draw 3 8 0 8 5 typed in; shared by the benchmarks.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <string>

#include "ledger/ledger_file.h"
#include "shell/events.h"
#include "shell/headless/headless_ui.h"

namespace bk {

class Day {
  public:
    Day()
        : folder_(makeFolder()),
          fs_(makeSystemFileSystem()),
          random_(makeRandomSource(1)),
          clock_(DateTime{2016, 2, 28, 20, 30, 15}),
          app_(ui_, clock_, *random_, *fs_, folder_.string()) {
        ui_.connect(app_);
        ui_.createMainWindow();
        const char* digits[5] = {"3", "8", "0", "8", "5"};
        const Ctl boxes[5] = {Ctl::DigitBox1, Ctl::DigitBox2, Ctl::DigitBox3, Ctl::DigitBox4,
                              Ctl::DigitBox5};
        for (int i = 0; i < 5; ++i) ui_.setText(boxes[i], digits[i]);
    }
    ~Day() {
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }

    // Today's ledger with one record per player and the bills in BillsList, as adding them
    // would leave them; the statistics of earlier runs are cleared.
    void prepareBills(int players) {
        Text ledger;
        for (int i = 0; i < players; ++i) ledger += newRecordText(name(i), "1000");
        if (!writeTodayLedger(app_, ledger)) std::abort();
        ui_.deleteAllRows(Ctl::BillsList);
        ui_.deleteAllRows(Ctl::BillStatsList);
        ui_.setText(Ctl::ResultLog, "");
        for (int i = 0; i < players; ++i) {
            const int row = ui_.appendRow(Ctl::BillsList, name(i));
            ui_.setCell(Ctl::BillsList, row, 1, "1000");
            ui_.setCell(Ctl::BillsList, row, 3, "3/10 二连80/5 大20");
            ui_.setCell(Ctl::BillsList, row, 5, "1000");
        }
    }

    HeadlessUi& ui() { return ui_; }
    static Text name(int i) { return "玩家" + std::to_string(i); }

  private:
    static std::filesystem::path makeFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "bk-bench-XXXXXX").string();
        if (!mkdtemp(pattern.data())) std::abort();
        return pattern;
    }

    std::filesystem::path folder_;
    std::unique_ptr<FileSystem> fs_;
    std::unique_ptr<RandomSource> random_;
    FixedClock clock_;
    HeadlessUi ui_;
    App app_;
};

}  // namespace bk
