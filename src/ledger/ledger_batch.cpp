#include "ledger/ledger_batch.h"

#include <algorithm>
#include <cstring>

namespace bk {

namespace {

const char* const kNameLabel = "用户名称：";
const char* const kFieldEnd = "】";
const char* const kLineBreak = "\r\n";

// Byte length of the character starting at i, by the same rule as the text utilities: a byte
// of 0x80 or above starts a two-byte character (one byte when nothing follows it).
inline std::size_t charLength(const Text& t, std::size_t i) {
    return isLeadByte(static_cast<unsigned char>(t[i])) && i + 1 < t.size() ? 2 : 1;
}

inline bool startsAt(const Text& t, std::size_t i, const char* s, std::size_t n) {
    return i + n <= t.size() && std::memcmp(t.data() + i, s, n) == 0;
}

// Start of the first occurrence of `s` at a character boundary from `from` (itself a
// boundary), or npos.
std::size_t findAtBoundary(const Text& t, std::size_t from, const char* s) {
    const std::size_t n = std::strlen(s);
    for (std::size_t i = from; i < t.size(); i += charLength(t, i)) {
        if (startsAt(t, i, s, n)) return i;
    }
    return Text::npos;
}

// A text ends on a character boundary unless its last character is a lone lead byte, which
// would pair up with whatever follows it in the file.
bool endsOnBoundary(const Text& t) {
    std::size_t i = 0;
    while (i < t.size()) {
        if (isLeadByte(static_cast<unsigned char>(t[i])) && i + 1 == t.size()) return false;
        i += charLength(t, i);
    }
    return true;
}

// Names that the index can answer for: whole characters and no "】" anywhere in the bytes.
bool indexable(const Text& name) {
    return endsOnBoundary(name) && name.find(kFieldEnd) == Text::npos;
}

}  // namespace

LedgerBatch::LedgerBatch(const Text& ledger) { rebuild(ledger); }

void LedgerBatch::rebuild(const Text& ledger) {
    segments_.clear();
    index_.clear();
    namesOfSegment_.clear();
    const char* marker = kRecordMarkerShort;
    const std::size_t markerLength = std::strlen(marker);
    std::size_t start = 0;
    for (std::size_t at = findAtBoundary(ledger, 0, marker); at != Text::npos;
         at = findAtBoundary(ledger, start, marker)) {
        segments_.push_back(ledger.substr(start, at - start));
        start = at + markerLength;
    }
    segments_.push_back(ledger.substr(start));
    namesOfSegment_.resize(segments_.size());
    index_.reserve(segments_.size());
    for (int s = 0; s < static_cast<int>(segments_.size()); ++s) indexSegment(s);
}

void LedgerBatch::indexSegment(int segment) {
    const Text& t = segments_[segment];
    const std::size_t labelLength = std::strlen(kNameLabel);
    std::vector<Text>& names = namesOfSegment_[segment];
    for (std::size_t at = findAtBoundary(t, 0, kNameLabel); at != Text::npos;
         at = findAtBoundary(t, at + charLength(t, at), kNameLabel)) {
        const std::size_t nameStart = at + labelLength;
        const std::size_t end = findAtBoundary(t, nameStart, kFieldEnd);
        if (end == Text::npos) break;  // no later label can be closed either
        Text name = t.substr(nameStart, end - nameStart);
        std::vector<int>& segments = index_[name];
        // Segments are indexed in order at first and one at a time later: keep them sorted.
        auto place = std::lower_bound(segments.begin(), segments.end(), segment);
        if (place == segments.end() || *place != segment) segments.insert(place, segment);
        names.push_back(std::move(name));
    }
}

void LedgerBatch::unindexSegment(int segment) {
    for (const Text& name : namesOfSegment_[segment]) {
        auto it = index_.find(name);
        if (it == index_.end()) continue;
        auto at = std::lower_bound(it->second.begin(), it->second.end(), segment);
        if (at != it->second.end() && *at == segment) it->second.erase(at);
        if (it->second.empty()) index_.erase(it);
    }
    namesOfSegment_[segment].clear();
}

int LedgerBatch::findSegment(const Text& name) const {
    if (!indexable(name)) return findRecord(segments_, name);
    auto it = index_.find(name);
    return it == index_.end() ? -1 : it->second.front();
}

bool LedgerBatch::apply(const RecordUpdate& update) {
    const int s = findSegment(update.name);
    if (s < 0) return false;

    Text piece = applyUpdateToPiece(segments_[s], update);
    // A piece that now holds a marker, or ends in half a character, would cut the file
    // differently from here on: let the whole text decide.
    const bool local =
        findAtBoundary(piece, 0, kRecordMarkerShort) == Text::npos && endsOnBoundary(piece);
    if (!local) {
        const auto whole = applyRecordUpdate(text(), update);
        if (!whole) return false;
        rebuild(*whole);
        changed_ = true;
        return true;
    }

    unindexSegment(s);
    segments_[s] = std::move(piece);
    indexSegment(s);
    // Every update ends the file with one more line break; it cannot make or break a key.
    segments_.back() += kLineBreak;
    changed_ = true;
    return true;
}

Text LedgerBatch::text() const {
    const std::size_t markerLength = std::strlen(kRecordMarkerShort);
    std::size_t size = 0;
    for (const Text& s : segments_) size += s.size() + markerLength;
    Text out;
    out.reserve(size);
    for (std::size_t i = 0; i < segments_.size(); ++i) {
        if (i) out += kRecordMarkerShort;
        out += segments_[i];
    }
    return out;
}

}  // namespace bk
