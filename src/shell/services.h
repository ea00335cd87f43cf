// Services injected into the program so that time, chance and the disk can be
// replaced in tests: the clock, the random source and whole-file access.
#pragma once

#include <cstdint>
#include <memory>

#include "betting/text.h"

namespace bk {

class Clock {
public:
    virtual ~Clock() = default;
    virtual DateTime now() const = 0;  // local time
};

class RandomSource {
public:
    virtual ~RandomSource() = default;
    // Uniform over 0..255 inclusive.
    virtual int nextByte() = 0;
};

// What a whole-file read found. A missing file is an empty one to every caller; a file
// that is there but cannot be read is not: rewriting it from an empty text would throw
// away everything it holds.
enum class ReadResult { Read, Missing, Failed };

// Whole-file access with GBK paths. Writes are atomic: a failed write leaves the old
// file as it was.
class FileSystem {
public:
    virtual ~FileSystem() = default;
    // out is the file's text up to its first NUL when Read, and empty otherwise.
    virtual ReadResult readWhole(const Text& path, Text& out) const = 0;
    virtual bool writeWhole(const Text& path, const Text& bytes) = 0;
    virtual bool isDirectory(const Text& path) const = 0;
    virtual bool makeDirectory(const Text& path) = 0;
};

// The system implementations (local clock, a seeded generator, the real disk).
std::unique_ptr<Clock> makeSystemClock();
std::unique_ptr<RandomSource> makeRandomSource(std::uint32_t seed);
std::unique_ptr<FileSystem> makeSystemFileSystem();

// A clock that reads what it was last set to (scripted runs and tests).
class FixedClock : public Clock {
public:
    explicit FixedClock(DateTime t = {}) : t_(t) {}
    DateTime now() const override { return t_; }
    void set(DateTime t) { t_ = t; }

private:
    DateTime t_;
};

}  // namespace bk
