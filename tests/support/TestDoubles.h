#pragma once
// Doubles for the platform seams: a clock the test sets, and notices that are recorded.
#include "Clock.h"
#include "Notices.h"

#include <QStringList>
#include <deque>

class FakeClock final : public Clock {
public:
    double time = 0.5;             // time of day as a day fraction
    double day = 46000;            // date as a day count
    std::int64_t monotonic = 1000;  // milliseconds
    std::uint64_t counter = 12345;
    // Each reading of the tick counter moves the clock on, so busy waits end.
    std::int64_t stepPerTickRead = 1;

    double timeOfDay() const override { return time; }
    double today() const override { return day; }
    std::uint32_t tickCount() const override {
        const_cast<FakeClock*>(this)->monotonic += stepPerTickRead;
        return static_cast<std::uint32_t>(monotonic);
    }
    std::int64_t monotonicMs() const override { return monotonic; }
    std::uint64_t performanceCounter() const override { return counter; }
    void advanceMs(std::int64_t ms) {
        monotonic += ms;
        time += ms / 86400000.0;
    }
};

// Records every notice and question; questions are answered from a queue (No when it is empty).
class RecordingNotices final : public Notices {
public:
    QStringList notices, questions;
    std::deque<bool> answers;

    void notice(const QString& text) override { notices << text; }
    bool question(const QString& text) override {
        questions << text;
        if (answers.empty()) return false;
        const bool yes = answers.front();
        answers.pop_front();
        return yes;
    }
};

// Installs a double for the lifetime of a test and puts the real one back afterwards.
class ScopedNotices {
public:
    explicit ScopedNotices(RecordingNotices& n) { setNotices(&n); }
    ~ScopedNotices() { setNotices(nullptr); }
};
class ScopedClock {
public:
    explicit ScopedClock(const FakeClock& c) { setClock(&c); }
    ~ScopedClock() { setClock(nullptr); }
};
