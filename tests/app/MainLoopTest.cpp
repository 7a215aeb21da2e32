#include "MainLoop.h"
#include "SharedState.h"
#include "WindowSystem.h"

#include <QDialog>
#include <QTimer>
#include <gtest/gtest.h>
#include <deque>
#include <string>

namespace {

// Each step records its name and sets ContinueFlag from its script; "-" leaves it unchanged.
struct ScriptedSteps {
    std::string trace;
    std::deque<char> choose, ask, start, results;

    static void apply(std::deque<char>& script) {
        const char next = script.empty() ? '0' : script.front();
        if (!script.empty()) script.pop_front();
        if (next != '-') Shared().ContinueFlag = static_cast<std::uint8_t>(next - '0');
    }
    LoopSteps steps() {
        LoopSteps s;
        s.resetRun = [this] { trace += 'R'; };
        s.chooseTest = [this] { trace += 'C'; apply(choose); };
        s.askStudent = [this] { trace += 'A'; apply(ask); };
        s.startTest = [this] { trace += 'S'; apply(start); };
        s.showResults = [this] { trace += 'W'; apply(results); };
        s.closeTestTable = [this] { trace += 'X'; };
        return s;
    }
};

}  // namespace

TEST(MainLoop, RunsTheStepsTheFlagAllows) {
    struct Case {
        const char *choose, *ask, *start, *results, *trace;
    };
    const Case cases[] = {
        {"0", "", "", "", "RC"},                          // selection cancelled
        {"1", "0", "", "", "RCAX"},                       // registration cancelled
        {"1", "1", "0", "", "RCASX"},                     // the test failed to start
        {"1", "1", "-", "0", "RCASWX"},                   // one student, then "Закончить"
        {"11", "11", "--", "10", "RCASWXRCASWX"},         // "В начало", then finish
        {"-1", "11", "--", "-0", "RCASWXRCASWX"},         // remembered file, closed by the frame
        {"10", "1", "-", "1", "RCASWXRC"},                // second pass cancelled at selection
    };
    for (const Case& c : cases) {
        Shared() = SharedState{};
        Shared().ContinueFlag = 1;
        ScriptedSteps script;
        for (const char* p = c.choose; *p; ++p) script.choose.push_back(*p);
        for (const char* p = c.ask; *p; ++p) script.ask.push_back(*p);
        for (const char* p = c.start; *p; ++p) script.start.push_back(*p);
        for (const char* p = c.results; *p; ++p) script.results.push_back(*p);
        RunMainLoop(script.steps());
        EXPECT_EQ(script.trace, c.trace) << c.trace;
        EXPECT_EQ(Shared().ContinueFlag, 0);
    }
}

TEST(MainLoop, AnEndRequestCancelsTheRegistrationWindowSoTheLoopEnds) {
    Shared() = SharedState{};
    Shared().ContinueFlag = 1;
    std::string trace;
    bool registrationShown = false;
    LoopSteps steps;
    steps.resetRun = [&] { trace += 'R'; };
    steps.chooseTest = [&] { trace += 'C'; RequestEnd(); };
    steps.askStudent = [&] {
        trace += 'A';
        Shared().ContinueFlag = 0;
        QDialog registration;
        QTimer::singleShot(0, &registration, [&] { registrationShown = true; registration.accept(); });
        if (RunModal(registration) == QDialog::Accepted) Shared().ContinueFlag = 1;
    };
    steps.startTest = [&] { trace += 'S'; };
    steps.showResults = [&] { trace += 'W'; };
    steps.closeTestTable = [&] { trace += 'X'; };
    RunMainLoop(steps);
    ClearEndRequest();
    EXPECT_EQ(trace, "RCAX");
    EXPECT_FALSE(registrationShown);
}
