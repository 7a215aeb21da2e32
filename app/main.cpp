#include "ProgramSteps.h"
#include "Settings.h"
#include "SharedState.h"
#include "Splash.h"
#include "WindowSystem.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quizzard"));
    InstallRussianStandardTexts();
    InstallMessageBoxNotices();
    ShowSplash();
    LoadSettings(systemSettingsSources(QApplication::arguments()));
    Shared().ContinueFlag = 1;
    RunMainLoop(programSteps());
    return 0;
}
