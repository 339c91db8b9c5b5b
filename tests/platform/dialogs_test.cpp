#include "platform/dialogs.h"
#include "scripted_dialogs.h"

#include <gtest/gtest.h>

using platform::Answer;
using platform::Buttons;

TEST(Dialogs, FiltersBecomeQtNameFilters) {
    const QStringList f = platform::qtFilters(
        QStringLiteral("ﾃｽｷﾄﾌｧｲﾙ (*.txt)|*.txt|HTML Document(*.htm;*.html)|*.htm;*.html"));
    ASSERT_EQ(f.size(), 2);
    EXPECT_EQ(f.at(0), QStringLiteral("ﾃｽｷﾄﾌｧｲﾙ (*.txt) (*.txt)"));
    EXPECT_EQ(f.at(1), QStringLiteral("HTML Document(*.htm;*.html) (*.htm *.html)"));
    // A dangling description without a pattern is not a filter.
    EXPECT_EQ(platform::qtFilters(QStringLiteral("全てのﾌｧｲﾙ|*.*|broken")).size(), 1);
    EXPECT_TRUE(platform::qtFilters(QString()).isEmpty());
}

TEST(Dialogs, ScriptedDoubleAnswersFromItsQueueAndRecords) {
    testsupport::ScriptedDialogsGuard d;
    d->answers.enqueue(Answer::No);
    EXPECT_EQ(platform::dialogs().message(QStringLiteral("保存しますか"), Buttons::YesNoCancel),
              Answer::No);
    // Unscripted questions take the first button; cancelled inputs leave the text alone.
    EXPECT_EQ(platform::dialogs().message(QStringLiteral("二"), Buttons::YesNo), Answer::Yes);
    QString text = QStringLiteral("元");
    EXPECT_FALSE(platform::dialogs().input(QStringLiteral("検索"), QString(), text));
    EXPECT_EQ(text, QStringLiteral("元"));
    d->inputs.enqueue(QStringLiteral("語"));
    EXPECT_TRUE(platform::dialogs().input(QStringLiteral("検索"), QString(), text));
    EXPECT_EQ(text, QStringLiteral("語"));
    EXPECT_EQ(d->messages(), (QStringList{QStringLiteral("保存しますか"), QStringLiteral("二")}));
    EXPECT_FALSE(platform::dialogs().openFile({}).accepted);
}
