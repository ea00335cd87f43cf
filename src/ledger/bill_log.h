// The bill log writer: one worker thread with a FIFO queue, so that entries land one at
// a time in settlement order. Entries are complete texts built on the GUI thread; the
// worker only reads the log, puts the entry in front and writes it back.
#pragma once

#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "betting/text.h"
#include "shell/services.h"

namespace bk {

struct App;

// ---- entry texts ----
// The cells of one BillsList row that a bill block shows (columns 0, 1, 3, 5).
struct BillRow {
    Text name, deposit, betContent, balance;
};
// The cells of one BillStatsList row that a history block shows (columns 1, 2, 3, 4).
struct HistoryRow {
    Text name, balance, drawLine, betContent;
};
// The deposit cell's label differs between the two logs: "\r\n余额:" in the selected bill's
// entry, "\r\n押金:" in the entry of all bills.
enum class DepositLabel { Balance, Deposit };

Text billBlock(const BillRow& row, DepositLabel label);
Text historyBlock(const HistoryRow& row);
// Sections around blocks already joined in the order they are to appear.
Text billSection(const DateTime& when, const Text& blocks);
Text historySection(const DateTime& when, const Text& blocks);
// BillSection, six line breaks, HistorySection, six line breaks.
Text billLogEntry(const Text& billSectionText, const Text& historySectionText);

class BillLogWriter {
public:
    // onFailure runs on the worker thread for every entry that could not be written;
    // the owner posts the message to the GUI thread from there.
    BillLogWriter(FileSystem& fs, Text path, std::function<void()> onFailure);
    ~BillLogWriter();  // finishes the queue before returning
    BillLogWriter(const BillLogWriter&) = delete;
    BillLogWriter& operator=(const BillLogWriter&) = delete;

    void enqueue(Text entry);
    // Blocks until every entry queued so far is written (or has failed).
    void drain();
    const Text& path() const { return path_; }

private:
    void run();
    FileSystem& fs_;
    Text path_;
    std::function<void()> onFailure_;
    std::mutex mutex_;
    std::condition_variable wake_, idle_;
    std::deque<Text> queue_;
    bool busy_ = false, stopping_ = false;
    std::thread worker_;
};

// The program's writer: the log beside the program, and every failed entry reported to the
// banker as "账单保存失败！" on the GUI thread.
std::unique_ptr<BillLogWriter> makeBillLogWriter(App& app);

}  // namespace bk
