#include "ledger/bill_log.h"

#include "shell/app.h"

namespace bk {

namespace {
const char* const kSixBreaks = "\r\n\r\n\r\n\r\n\r\n\r\n";
}

Text billBlock(const BillRow& row, DepositLabel label) {
    return "玩家名称:" + row.name + (label == DepositLabel::Balance ? "\r\n余额:" : "\r\n押金:") +
           row.deposit + "\r\n玩家投注内容：" + row.betContent + "\r\n总余额:" + row.balance +
           "\r\n\r\n";
}

Text historyBlock(const HistoryRow& row) {
    return "玩家名称:" + row.name + "\r\n总余额：" + row.balance + "\r\n开奖历史:" + row.drawLine +
           "\r\n投注内容:" + row.betContent + "\r\n\r\n\r\n";
}

Text billSection(const DateTime& when, const Text& blocks) {
    return "账单：\r\n日期：" + dateTimeText(when) + "\r\n" + blocks + "\r\n";
}

Text historySection(const DateTime& when, const Text& blocks) {
    return "开奖历史：\r\n日期：" + dateTimeText(when) + "\r\n" + blocks + "\r\n";
}

Text billLogEntry(const Text& billSectionText, const Text& historySectionText) {
    return billSectionText + kSixBreaks + historySectionText + kSixBreaks;
}

BillLogWriter::BillLogWriter(FileSystem& fs, Text path, std::function<void()> onFailure)
    : fs_(fs), path_(std::move(path)), onFailure_(std::move(onFailure)) {
    worker_ = std::thread([this] { run(); });
}

BillLogWriter::~BillLogWriter() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_all();
    // The worker empties the queue before it stops: a settlement logged just before the
    // window closed still reaches the file.
    worker_.join();
}

void BillLogWriter::enqueue(Text entry) {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        queue_.push_back(std::move(entry));
    }
    wake_.notify_one();
}

void BillLogWriter::drain() {
    std::unique_lock<std::mutex> lock(mutex_);
    idle_.wait(lock, [this] { return queue_.empty() && !busy_; });
}

void BillLogWriter::run() {
    std::unique_lock<std::mutex> lock(mutex_);
    for (;;) {
        wake_.wait(lock, [this] { return stopping_ || !queue_.empty(); });
        if (queue_.empty()) return;  // stopping, and nothing left to write
        Text entry = std::move(queue_.front());
        queue_.pop_front();
        busy_ = true;
        lock.unlock();

        // One complete read and rewrite per entry, so entries land in the order queued and
        // none overwrites another. A missing log is an empty one; a log that is there but
        // cannot be read is left alone, as rewriting it from the entry alone would throw
        // away every earlier one.
        Text old;
        const bool written =
            fs_.readWhole(path_, old) != ReadResult::Failed && fs_.writeWhole(path_, entry + old);
        if (!written && onFailure_) onFailure_();

        lock.lock();
        busy_ = false;
        if (queue_.empty()) idle_.notify_all();
    }
}

std::unique_ptr<BillLogWriter> makeBillLogWriter(App& app) {
    Ui& ui = app.ui;
    return std::make_unique<BillLogWriter>(app.fs, billLogPath(app), [&ui] {
        ui.postToGui([&ui] { ui.showMessage("账单保存失败！"); });
    });
}

}  // namespace bk
