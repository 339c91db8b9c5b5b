#pragma once

#include <QString>

namespace mainwin {
class fmTxt;
}

namespace appshell {

// Start-up: fixes the process-wide values, resolves the user data folder, loads "User.xml",
// makes sure "Wrk" exists and shows the main window. False when the program must not go on
// (another copy has the diary open, or the user data folder cannot be made); the user has been
// told why.
bool AppStart(const QString &exeFile);

// The whole run of the program: Qt's Japanese texts, the start, then the event loop. A start
// that could not go on ends with a non-zero status.
int AppRun(const QString &exeFile);

// Shutdown after the main window agreed to close: writes "User.xml", closes every window,
// releases the settings store and ends the event loop.
void AppShutdown();

// The main window while the program runs.
mainwin::fmTxt *mainWindow();

} // namespace appshell
