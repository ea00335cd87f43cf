#include "shell/services.h"

#include <ctime>
#include <random>

#include "shell/app.h"

namespace bk {

namespace {

class SystemClock : public Clock {
public:
    DateTime now() const override {
        std::time_t t = std::time(nullptr);
        std::tm tm{};
#ifdef _WIN32
        localtime_s(&tm, &t);
#else
        localtime_r(&t, &tm);
#endif
        return DateTime{tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min,
                        tm.tm_sec};
    }
};

class SeededRandom : public RandomSource {
public:
    explicit SeededRandom(std::uint32_t seed) : engine_(seed) {}
    int nextByte() override { return std::uniform_int_distribution<int>(0, 255)(engine_); }

private:
    std::mt19937 engine_;
};

}  // namespace

std::unique_ptr<Clock> makeSystemClock() { return std::make_unique<SystemClock>(); }
std::unique_ptr<RandomSource> makeRandomSource(std::uint32_t seed) {
    return std::make_unique<SeededRandom>(seed);
}

Text billLogPath(const App& app) { return app.runDirectory + "\\账单.txt"; }

}  // namespace bk
