#include "app/app_start.h"

#include <QApplication>
#include <QIcon>
#include <QTimer>
#include <cstdio>

int main(int argc, char **argv) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("drJvo"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/app/drJvo.svg")));
    // The main window's close is the only way out; closing a dialog last must not end the run.
    QApplication::setQuitOnLastWindowClosed(false);
    // For the whole-process start-up benchmark: one line once the first loop turn after the
    // window came up has run (its first paint included).
    if (qEnvironmentVariableIsSet("DRJVO_REPORT_SHOWN"))
        QTimer::singleShot(0, [] {
            std::puts("shown");
            std::fflush(stdout);
        });
    return appshell::AppRun(QCoreApplication::applicationFilePath());
}
