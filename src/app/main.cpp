#include "app/app_start.h"
#include "app/termination.h"
#include "windows/main/fm_txt.h"

#include <QApplication>
#include <QIcon>

int main(int argc, char **argv) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("drJvo"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/app/drJvo.svg")));
    // The main window's close is the only way out; closing a dialog last must not end the run.
    QApplication::setQuitOnLastWindowClosed(false);
    if (!appshell::AppStart(QCoreApplication::applicationFilePath()))
        return 0;
    appshell::closeOnTerminationSignals([] {
        if (appshell::mainWindow())
            appshell::mainWindow()->close();
    });
    return application.exec();
}
