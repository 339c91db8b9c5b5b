// The reference for the whole-process start-up benchmark: an empty Qt window, reported the same
// way as the program (a line after the first loop turn once it is shown), then closed.
#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <cstdio>

int main(int argc, char **argv) {
    QApplication application(argc, argv);
    QWidget window;
    window.resize(800, 600);
    window.show();
    QTimer::singleShot(0, [] {
        std::puts("shown");
        std::fflush(stdout);
        QCoreApplication::quit();
    });
    return QApplication::exec();
}
