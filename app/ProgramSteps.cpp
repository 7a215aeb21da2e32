#include "ProgramSteps.h"

#include "SharedState.h"
#include "TestRun.h"

namespace {

// Stand-in for steps still being built: it ends the pass as a cancel would.
void notYetAvailable() { Shared().ContinueFlag = 0; }

void nothing() {}

}  // namespace

LoopSteps programSteps() {
    LoopSteps steps;
    steps.resetRun = ResetRun;
    steps.chooseTest = notYetAvailable;
    steps.askStudent = notYetAvailable;
    steps.startTest = notYetAvailable;
    steps.showResults = notYetAvailable;
    steps.closeTestTable = nothing;
    return steps;
}
