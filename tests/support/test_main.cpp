#include <QApplication>
#include <QStandardPaths>
#include <gtest/gtest.h>

// Every test runs against the real Qt on the offscreen platform, with the per-user folders
// redirected so that no test touches the developer's own diary.
int main(int argc, char **argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QStandardPaths::setTestModeEnabled(true);
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("drJvoTests"));
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
