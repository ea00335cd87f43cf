// A program on the headless face with its files in memory, for handler tests that need
// what a scenario script cannot arrange: a disk that refuses writes, a ledger of any content.
#pragma once

#include <functional>
#include <map>
#include <mutex>
#include <set>

#include "shell/app.h"
#include "shell/events.h"
#include "shell/headless/headless_ui.h"

namespace bk {

class MemoryDisk : public FileSystem {
public:
    ReadResult readWhole(const Text& path, Text& out) const override {
        ReadResult result;
        {
            std::lock_guard<std::mutex> lock(m_);
            auto it = files.find(path);
            result = it == files.end()        ? ReadResult::Missing
                     : unreadable.count(path) ? ReadResult::Failed
                                              : ReadResult::Read;
            out = result == ReadResult::Read ? it->second : Text();
        }
        if (afterRead) afterRead();
        return result;
    }
    bool writeWhole(const Text& path, const Text& bytes) override {
        std::lock_guard<std::mutex> lock(m_);
        ++writes;
        if (refuseWrites) return false;
        files[path] = bytes;
        return true;
    }
    bool isDirectory(const Text&) const override { return true; }
    bool makeDirectory(const Text&) override { return true; }

    std::map<Text, Text> files;
    std::set<Text> unreadable;        // files that are there but cannot be read
    std::function<void()> afterRead;  // e.g. the clock passing midnight mid-handler
    bool refuseWrites = false;
    int writes = 0;

private:
    mutable std::mutex m_;
};

struct HeadlessProgram {
    HeadlessProgram() : random(makeRandomSource(1)), app(ui, clock, *random, disk, "run") {
        ui.connect(app);
        ui.createMainWindow();
    }

    std::vector<Text> messages() const {
        std::vector<Text> out;
        for (const auto& m : ui.messages()) out.push_back(m.text);
        return out;
    }
    Text ledger() const {
        auto it = disk.files.find(todayPath());
        return it == disk.files.end() ? Text() : it->second;
    }
    Text todayPath() const { return app.dataDirectory + "/" + dateText(clock.now()); }

    void add(const Text& name, const Text& deposit, const Text& bet = Text()) {
        ui.setText(Ctl::PlayerNameEdit, name);
        ui.setText(Ctl::DepositEdit, deposit);
        ui.setText(Ctl::BetContentEdit, bet);
        ui.userClick(Ctl::AddButton);
    }
    void pickBill(int row) {
        ui.userSelectRow(Ctl::BillsList, row);
        ui.userClick(Ctl::BillsList);
    }

    HeadlessUi ui;
    FixedClock clock{DateTime{2016, 2, 28, 12, 0, 0}};
    std::unique_ptr<RandomSource> random;
    MemoryDisk disk;
    App app;
};

}  // namespace bk
