#pragma once
// Pumping the user-interface thread's pending messages, and the busy wait built on it.
#include <cstdint>

void ProcessMessages();
void Delay(std::uint32_t ms);  // processes messages at least once, then until ms have passed
