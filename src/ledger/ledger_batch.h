// Many record updates on one ledger text, read once and written once.
//
// Settling all bills updates one record per bill. Doing that the plain way (read the whole
// file, apply one update, write the whole file, per bill) costs the size of the file for every
// bill. LedgerBatch holds the text cut into record pieces with an index from player name to
// piece, so each update touches only its own record; text() then gives exactly the bytes the
// plain sequence of applyRecordUpdate calls would have left.
#pragma once

#include <unordered_map>
#include <vector>

#include "ledger/ledger_file.h"

namespace bk {

class LedgerBatch {
  public:
    explicit LedgerBatch(const Text& ledger);

    // Applies one update as applyRecordUpdate would to the current text; false (and nothing
    // changed) when the player has no record.
    bool apply(const RecordUpdate& update);
    // True once an update has been applied.
    bool changed() const { return changed_; }
    // The whole ledger text after the updates.
    Text text() const;

  private:
    int findSegment(const Text& name) const;
    void rebuild(const Text& ledger);
    void indexSegment(int segment);
    void unindexSegment(int segment);

    // The text between record markers: segment 0 is the text before the first marker, the
    // last one the text after the last marker (possibly empty). Joined with the short marker
    // they give back the ledger text.
    std::vector<Text> segments_;
    // Player name -> the segments holding the key "用户名称：" + name + "】". Only names that
    // are whole GBK characters without "】" are indexed this way; any other name is looked up
    // by scanning, which is rare and always right.
    std::unordered_map<Text, std::vector<int>> index_;  // ascending
    std::vector<std::vector<Text>> namesOfSegment_;
    bool changed_ = false;
};

}  // namespace bk
