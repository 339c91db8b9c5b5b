#include "app/app_start.h"

#include <QApplication>
#include <QIcon>

int main(int argc, char **argv) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("drJvo"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/app/drJvo.svg")));
    // The main window's close is the only way out; closing a dialog last must not end the run.
    QApplication::setQuitOnLastWindowClosed(false);
    return appshell::AppRun(QCoreApplication::applicationFilePath());
}
