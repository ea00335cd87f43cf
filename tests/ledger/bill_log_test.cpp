#include "ledger/bill_log.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <map>

namespace bk {
namespace {

// Files in memory. Writes can be made slow (to catch a writer that does not wait for its
// queue) or made to fail for entries holding a given text.
class MemoryFiles : public FileSystem {
public:
    ReadResult readWhole(const Text& path, Text& out) const override {
        std::lock_guard<std::mutex> lock(m_);
        auto it = files_.find(path);
        if (it == files_.end()) return out.clear(), ReadResult::Missing;
        if (unreadable_) return out.clear(), ReadResult::Failed;
        out = it->second;
        return ReadResult::Read;
    }
    bool writeWhole(const Text& path, const Text& bytes) override {
        if (slow_) std::this_thread::sleep_for(std::chrono::milliseconds(20));
        std::lock_guard<std::mutex> lock(m_);
        if (!failWhen_.empty() && bytes.find(failWhen_) == 0) return false;
        files_[path] = bytes;
        return true;
    }
    bool isDirectory(const Text&) const override { return false; }
    bool makeDirectory(const Text&) override { return false; }

    Text content(const Text& path) const {
        std::lock_guard<std::mutex> lock(m_);
        auto it = files_.find(path);
        return it == files_.end() ? Text() : it->second;
    }
    void put(const Text& path, const Text& bytes) { files_[path] = bytes; }

    bool slow_ = false;
    Text failWhen_;  // a write whose new first entry starts with this fails
    std::atomic<bool> unreadable_{false};  // files that are there cannot be read

private:
    mutable std::mutex m_;
    std::map<Text, Text> files_;
};

const Text kLog = "run\\账单.txt";

TEST(BillLogText, SelectedBillEntryLineByLine) {
    const DateTime t{2016, 2, 8, 9, 5, 7};
    const Text bills = billBlock({"张三", "100", "3/10", "110"}, DepositLabel::Balance);
    const Text history = historyBlock({"张三", "110", "3-8-0-8-5  大  单  虎", "3/10"});
    const Text entry = billLogEntry(billSection(t, bills), historySection(t, history));
    EXPECT_EQ(entry,
              "账单：\r\n日期：2016年2月8日9时5分7秒\r\n"
              "玩家名称:张三\r\n余额:100\r\n玩家投注内容：3/10\r\n总余额:110\r\n"
              "\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n"
              "开奖历史：\r\n日期：2016年2月8日9时5分7秒\r\n"
              "玩家名称:张三\r\n总余额：110\r\n开奖历史:3-8-0-8-5  大  单  虎\r\n投注内容:3/10\r\n"
              "\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n");
    EXPECT_EQ(billBlock({"a", "1", "", "2"}, DepositLabel::Deposit),
              "玩家名称:a\r\n押金:1\r\n玩家投注内容：\r\n总余额:2\r\n\r\n");
}

TEST(BillLogText, EntryWithoutBills) {
    const DateTime t{2016, 2, 8, 0, 0, 0};
    EXPECT_EQ(billLogEntry(billSection(t, ""), historySection(t, "")),
              "账单：\r\n日期：2016年2月8日\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n"
              "开奖历史：\r\n日期：2016年2月8日\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n");
}

TEST(BillLogWriter, EntriesLandNewestFirstInQueueOrder) {
    MemoryFiles fs;
    fs.put(kLog, "old\r\n");
    int failures = 0;
    Text expected = "old\r\n";
    {
        BillLogWriter writer(fs, kLog, [&] { ++failures; });
        for (int i = 0; i < 200; ++i) {
            const Text e = "entry " + std::to_string(i) + "\r\n";
            writer.enqueue(e);
            expected = e + expected;
        }
        writer.drain();
        EXPECT_EQ(fs.content(kLog), expected);
    }
    EXPECT_EQ(failures, 0);
}

TEST(BillLogWriter, EveryFailedEntryIsReportedAndTheOthersStillLand) {
    MemoryFiles fs;
    fs.failWhen_ = "bad";
    std::atomic<int> failures{0};
    BillLogWriter writer(fs, kLog, [&] { ++failures; });
    writer.enqueue("one ");
    writer.enqueue("bad ");
    writer.enqueue("two ");
    writer.enqueue("bad ");
    writer.drain();
    EXPECT_EQ(failures.load(), 2);
    EXPECT_EQ(fs.content(kLog), "two one ");
}

TEST(BillLogWriter, DestructionFinishesTheQueue) {
    MemoryFiles fs;
    fs.slow_ = true;
    {
        BillLogWriter writer(fs, kLog, nullptr);
        for (char c = 'a'; c <= 'e'; ++c) writer.enqueue(Text(1, c));
    }  // no drain: the destructor must still write everything queued
    EXPECT_EQ(fs.content(kLog), "edcba");
}

TEST(BillLogWriter, MissingLogIsCreated) {
    MemoryFiles fs;
    BillLogWriter writer(fs, kLog, nullptr);
    writer.drain();  // nothing queued: returns at once
    writer.enqueue("first");
    writer.drain();
    EXPECT_EQ(fs.content(kLog), "first");
}

}  // namespace
}  // namespace bk

namespace bk {
namespace {

// A log that is there but cannot be read is not rewritten from nothing: the entry is
// reported as not saved and every earlier entry stays.
TEST(BillLogWriter, UnreadableLogIsLeftAloneAndTheEntryReported) {
    MemoryFiles fs;
    fs.put(kLog, "earlier ");
    std::atomic<int> failures{0};
    BillLogWriter writer(fs, kLog, [&] { ++failures; });
    fs.unreadable_ = true;
    writer.enqueue("lost ");
    writer.drain();
    EXPECT_EQ(failures.load(), 1);
    EXPECT_EQ(fs.content(kLog), "earlier ");

    fs.unreadable_ = false;
    writer.enqueue("next ");
    writer.drain();
    EXPECT_EQ(failures.load(), 1);
    EXPECT_EQ(fs.content(kLog), "next earlier ");
}

}  // namespace
}  // namespace bk
