// The bill log writer: one worker thread with a FIFO queue, so that entries land one at
// a time in settlement order. Entries are complete texts built on the GUI thread; the
// worker only reads the log, puts the entry in front and writes it back.
#pragma once

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>

#include "betting/text.h"
#include "shell/services.h"

namespace bk {

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

}  // namespace bk
