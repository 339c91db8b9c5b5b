#include "editor/link_opening.h"
#include "recording_shell.h"
#include "scripted_dialogs.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using platform::Answer;

namespace {

class LinkOpeningTest : public ::testing::Test {
protected:
    testsupport::ScriptedDialogsGuard dialogs;
    testsupport::RecordingShellGuard shell;
};

TEST_F(LinkOpeningTest, WebAndMailAddressesOpenWithoutAQuestion) {
    EXPECT_TRUE(editor::openLinkTarget(QStringLiteral("https://example.org/日記")));
    EXPECT_TRUE(editor::openLinkTarget(QStringLiteral(" HTTP://example.org ")));
    EXPECT_TRUE(editor::openLinkTarget(QStringLiteral("mailto:friend@example.org")));
    EXPECT_EQ(shell->opened.size(), 3);
    EXPECT_TRUE(dialogs->shown.isEmpty());
}

TEST_F(LinkOpeningTest, ScriptAddressesNeverOpen) {
    EXPECT_FALSE(editor::openLinkTarget(QStringLiteral("javascript:alert(1)")));
    EXPECT_FALSE(editor::openLinkTarget(QStringLiteral(" JavaScript:void(0)")));
    EXPECT_FALSE(editor::openLinkTarget(QStringLiteral("data:text/html,<b>x</b>")));
    EXPECT_FALSE(editor::openLinkTarget(QString()));
    EXPECT_TRUE(shell->opened.isEmpty());
}

TEST_F(LinkOpeningTest, OtherSchemesAndLocalPathsOpenOnlyWhenTheUserSaysYes) {
    QTemporaryDir dir;
    const QString photo = dir.filePath(QStringLiteral("雪.png"));
    QFile file(photo);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();

    dialogs->answers.enqueue(Answer::No);
    EXPECT_FALSE(editor::openLinkTarget(QStringLiteral("ftp://example.org/a")));
    dialogs->answers.enqueue(Answer::Yes);
    EXPECT_TRUE(editor::openLinkTarget(QStringLiteral("ftp://example.org/a")));
    dialogs->answers.enqueue(Answer::Yes);
    EXPECT_TRUE(editor::openLinkTarget(photo));
    dialogs->answers.enqueue(Answer::Yes);
    EXPECT_TRUE(editor::openLinkTarget(QStringLiteral("file://") + photo));
    EXPECT_EQ(shell->opened.size(), 3);
    ASSERT_EQ(dialogs->shown.size(), 4);
    for (const auto &shown : dialogs->shown) {
        EXPECT_EQ(shown.buttons, platform::Buttons::YesNo);
        EXPECT_EQ(shown.defaultAnswer, Answer::No);
    }
    EXPECT_TRUE(dialogs->shown.at(0).text.contains(QStringLiteral("ftp://example.org/a")));
    EXPECT_TRUE(dialogs->shown.at(2).text.contains(photo)) << "the user sees what opens";
}

TEST_F(LinkOpeningTest, ProgramsAreNeverStartedFromALink) {
    QTemporaryDir dir;
    const QString script = dir.filePath(QStringLiteral("run.sh"));
    QFile file(script);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("#!/bin/sh\n");
    file.close();
    file.setPermissions(file.permissions() | QFileDevice::ExeOwner);
    const QString launcher = dir.filePath(QStringLiteral("tool.desktop"));
    QFile desktop(launcher);
    ASSERT_TRUE(desktop.open(QIODevice::WriteOnly));
    desktop.close();

    for (const QString &target : QStringList{script, QStringLiteral("file://") + script, launcher,
                                             QStringLiteral("C:/x/setup.exe")}) {
        dialogs->answers.enqueue(Answer::Yes);
        EXPECT_FALSE(editor::openLinkTarget(target)) << target.toStdString();
    }
    EXPECT_TRUE(shell->opened.isEmpty());
    EXPECT_EQ(dialogs->messages().size(), 4) << "each refusal is told";
}

} // namespace
