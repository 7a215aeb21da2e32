#include "ProgramSteps.h"

#include "TestFile.h"
#include "TestRun.h"
#include "ufrmInput.h"
#include "ufrmResult.h"
#include "ufrmSelectTest.h"
#include "ufrmTest.h"

LoopSteps programSteps() {
    LoopSteps steps;
    steps.resetRun = ResetRun;
    steps.chooseTest = ChooseTest;
    steps.askStudent = AskStudent;
    steps.startTest = StartTest;
    steps.showResults = ShowResults;
    steps.closeTestTable = CloseTestTable;
    return steps;
}
