#include "MainLoop.h"

#include "SharedState.h"

void RunMainLoop(const LoopSteps& steps) {
    std::uint8_t& flag = Shared().ContinueFlag;
    do {
        steps.resetRun();
        steps.chooseTest();
        if (flag == 1) {
            steps.askStudent();
            if (flag == 1) steps.startTest();
            if (flag == 1) steps.showResults();
            steps.closeTestTable();
        }
    } while (flag != 0);
}
