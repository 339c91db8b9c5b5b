#include "app/termination.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <csignal>
#include <gtest/gtest.h>

TEST(Termination, SignalBecomesACallOnTheWindowThread) {
    int calls = 0;
    appshell::closeOnTerminationSignals([&calls] { ++calls; });
    std::raise(SIGTERM);
    EXPECT_EQ(calls, 0); // nothing runs inside the signal handler
    QElapsedTimer timer;
    timer.start();
    while (calls == 0 && timer.elapsed() < 5000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    EXPECT_EQ(calls, 1);
}
