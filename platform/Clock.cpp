#include "Clock.h"

#include "DayCount.h"

#include <QDateTime>
#include <chrono>

namespace {

class SystemClock final : public Clock {
public:
    double timeOfDay() const override { return dayFraction(QTime::currentTime()); }
    double today() const override { return dayCount(QDate::currentDate()); }
    std::uint32_t tickCount() const override { return static_cast<std::uint32_t>(monotonicMs()); }
    std::int64_t monotonicMs() const override {
        using namespace std::chrono;
        return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
    }
    std::uint64_t performanceCounter() const override {
        using namespace std::chrono;
        return static_cast<std::uint64_t>(high_resolution_clock::now().time_since_epoch().count());
    }
};

const SystemClock systemClock;
const Clock* current = &systemClock;

}  // namespace

const Clock& CurrentClock() { return *current; }

void setClock(const Clock* replacement) { current = replacement ? replacement : &systemClock; }
