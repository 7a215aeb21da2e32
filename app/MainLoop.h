#pragma once
// The main loop: pass after pass of the steps, until one of them leaves ContinueFlag at 0.
#include <functional>

struct LoopSteps {
    std::function<void()> resetRun, chooseTest, askStudent, startTest, showResults, closeTestTable;
};

void RunMainLoop(const LoopSteps& steps);
