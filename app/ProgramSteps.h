#pragma once
#include "MainLoop.h"

// The real steps of the main loop, as the program runs them.
LoopSteps programSteps();
