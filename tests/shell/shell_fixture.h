// A program on the headless face with a fixed clock and an in-memory disk.
#pragma once

#include <gtest/gtest.h>

#include <map>
#include <set>

#include "shell/app.h"
#include "shell/events.h"
#include "shell/headless/headless_ui.h"

namespace bk {

class MemoryFileSystem : public FileSystem {
public:
    ReadResult readWhole(const Text& path, Text& out) const override {
        auto it = files.find(path);
        out = it == files.end() ? Text() : it->second;
        return it == files.end() ? ReadResult::Missing : ReadResult::Read;
    }
    bool writeWhole(const Text& path, const Text& bytes) override {
        if (failWrites) return false;
        files[path] = bytes;
        return true;
    }
    bool isDirectory(const Text& path) const override { return dirs.count(path) > 0; }
    bool makeDirectory(const Text& path) override {
        made.push_back(path);
        if (files.count(path)) return false;  // a plain file is in the way
        dirs.insert(path);
        return true;
    }

    std::map<Text, Text> files;
    std::set<Text> dirs;
    std::vector<Text> made;
    bool failWrites = false;
};

class ConstantRandom : public RandomSource {
public:
    int nextByte() override { return 7; }
};

struct ShellFixture : ::testing::Test {
    HeadlessUi ui;
    FixedClock clock{DateTime{2026, 12, 11, 9, 30, 0}};
    ConstantRandom random;
    MemoryFileSystem fs;
    App app{ui, clock, random, fs, "D:\\tools\\calc"};

    void start() {
        ui.connect(app);
        ui.createMainWindow();
    }

    // A bill row as the add path leaves it: name, deposit, bet content, total balance.
    int addBill(const Text& name, const Text& deposit, const Text& bet, const Text& total) {
        const int row = ui.appendRow(Ctl::BillsList, name);
        ui.setCell(Ctl::BillsList, row, 1, deposit);
        ui.setCell(Ctl::BillsList, row, 3, bet);
        ui.setCell(Ctl::BillsList, row, 5, total);
        return row;
    }

    int addStatsRow(const Text& name, const Text& balance, const Text& bet) {
        const int row = ui.appendRow(Ctl::BillStatsList, "1");
        ui.setCell(Ctl::BillStatsList, row, 1, name);
        ui.setCell(Ctl::BillStatsList, row, 2, balance);
        ui.setCell(Ctl::BillStatsList, row, 4, bet);
        return row;
    }

    std::vector<Text> messageTexts() const {
        std::vector<Text> out;
        for (const auto& m : ui.messages()) out.push_back(m.text);
        return out;
    }
};

}  // namespace bk
