#include "ProgramSteps.h"

#include "SharedState.h"
#include "TestFile.h"
#include "TestRun.h"
#include "ufrmInput.h"
#include "ufrmResult.h"
#include "ufrmSelectTest.h"

namespace {

// Stand-in for steps still being built: it ends the pass as a cancel would.
void notYetAvailable() { Shared().ContinueFlag = 0; }

}  // namespace

LoopSteps programSteps() {
    LoopSteps steps;
    steps.resetRun = ResetRun;
    steps.chooseTest = ChooseTest;
    steps.askStudent = AskStudent;
    steps.startTest = notYetAvailable;
    steps.showResults = ShowResults;
    steps.closeTestTable = CloseTestTable;
    return steps;
}
