#pragma once

#include <QString>

namespace settings {

class yIni;

// The process-wide names and folders fixed at start-up. Folder values end in "/".
struct AppValues {
    QString exeBase; // executable name without extension and without a trailing "_dv"
    QString appDir;  // folder of the executable
    QString tplDir;  // appDir + "apData/": read-only templates
    QString userDir; // the user data folder: "User.xml", the diary, "Wrk"
    QString wrkDir;  // userDir + "Wrk/": scratch files
    bool appRunning = false;
};

AppValues &appValues();

// The one settings store of the process, created on first use.
yIni &store();
// Drops the store (at shutdown, and between tests).
void releaseStore();

// ExeBase of an executable path: "drJvo_dv" and "drJvo_DV.exe" give "drJvo", so developer
// builds share the user data folder and tool-path entry of the normal build.
QString exeBaseOf(const QString &exeFile);

} // namespace settings
