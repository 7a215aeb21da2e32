#include "Messages.h"

#include "Clock.h"

#include <QCoreApplication>

void ProcessMessages() {
    if (QCoreApplication::instance()) QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void Delay(std::uint32_t ms) {
    const std::uint32_t start = CurrentClock().tickCount();
    do {
        ProcessMessages();
    } while (static_cast<std::uint32_t>(CurrentClock().tickCount() - start) < ms);
}
