#include "diary/connection.h"
#include "editor/interface.h"
#include "platform/text/text_surface.h"
#include "scripted_dialogs.h"
#include "settings/app_values.h"
#include "windows/entry_edit/edit_rules.h"
#include "windows/entry_edit/sbedt.h"

#include <QApplication>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTextDocument>
#include <QThread>
#include <gtest/gtest.h>

using entryedit::sbEdt;
using platform::Answer;

namespace {

QByteArray documentOf(const QString &text) {
    platform::TextSurface surface;
    surface.setSelText(text);
    bool ok = false;
    return surface.saveToMemory(platform::TextSurface::Word97, false, &ok);
}

QString trimmed(const QString &text) {
    QString t = text;
    while (t.endsWith(QChar(u'\n')) || t.endsWith(QChar(u'\r')))
        t.chop(1);
    return t;
}

class EntryEditTest : public ::testing::Test {
protected:
    void SetUp() override {
        settings::releaseStore();
        ASSERT_TRUE(m_dir.isValid());
        ASSERT_TRUE(diary::DbOpen(m_dir.path(), QStringLiteral(DRJVO_TEMPLATE_DIR)));
        ASSERT_TRUE(
            put(QStringLiteral("240115"), QStringLiteral("雪の日"), QStringLiteral("朝から雪")));
        ASSERT_TRUE(put(QStringLiteral("240116"), QStringLiteral("晴れ"), QStringLiteral("快晴")));
        window = std::make_unique<sbEdt>();
    }
    void TearDown() override {
        window.reset();
        diary::DbClose();
        settings::releaseStore();
    }
    static bool put(const QString &key, const QString &summary, const QString &text) {
        return diary::connection().save(key, summary, text, documentOf(text));
    }
    static diary::DiaryRow stored(const QString &key) {
        return diary::connection().load(key).value_or(diary::DiaryRow{});
    }
    editor::uTxm &editor() { return window->uTxm(); }
    QString editorText() { return trimmed(editor().surface().text()); }
    // Typed by the user: counts as an edit.
    void type(const QString &text) {
        editor().surface().setSelStart(editor().surface().textLength());
        editor().surface().setSelText(text);
    }

    testsupport::ScriptedDialogsGuard dialogs;
    QTemporaryDir m_dir;
    std::unique_ptr<sbEdt> window;
};

} // namespace

TEST_F(EntryEditTest, OpensStoredEntryWithCaptionAndSummary) {
    EXPECT_EQ(window->windowTitle(), QStringLiteral("文書修正"));
    ASSERT_TRUE(window->ActDc(QStringLiteral("240115")));
    EXPECT_EQ(window->windowTitle(), QStringLiteral("24/01/15   の修正"));
    EXPECT_EQ(window->EditKey(), QStringLiteral("240115"));
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(editor().txTitle()->isVisible());
    EXPECT_EQ(editor().Title(), QStringLiteral("雪の日"));
    EXPECT_EQ(editorText(), QStringLiteral("朝から雪"));
    EXPECT_FALSE(editor().bDcEdt());

    // A date without a row: an empty document and an empty title; saving creates the row.
    ASSERT_TRUE(window->ActDc(QStringLiteral("240120")));
    EXPECT_EQ(editor().Title(), QString());
    EXPECT_EQ(editorText(), QString());
    EXPECT_FALSE(diary::connection().load(QStringLiteral("240120")));
    type(QStringLiteral("新しい日"));
    editor().rtAct(4);
    const diary::DiaryRow created = stored(QStringLiteral("240120"));
    EXPECT_EQ(created.key, QStringLiteral("240120"));
    EXPECT_EQ(trimmed(created.text), QStringLiteral("新しい日"));
}

TEST_F(EntryEditTest, SavesTheTitleWholeAsSummary) {
    ASSERT_TRUE(window->ActDc(QStringLiteral("240115")));
    const diary::DiaryRow before = stored(QStringLiteral("240115"));
    QThread::msleep(1100); // dy更新 counts seconds
    const QString title = QString(80, QChar(u'長'));
    QSignalSpy saved(window.get(), &sbEdt::entrySaved);
    editor().txTitle()->setText(title); // the user edits only the title field
    ASSERT_TRUE(editor().bDcEdt());
    editor().rtAct(4);
    ASSERT_EQ(saved.count(), 1);
    const diary::DiaryRow after = stored(QStringLiteral("240115"));
    EXPECT_EQ(after.summary, title);
    EXPECT_EQ(trimmed(after.text), QStringLiteral("朝から雪"));
    EXPECT_FALSE(after.document.isEmpty());
    EXPECT_GT(after.updated, before.updated);
    EXPECT_FALSE(editor().bDcEdt());
    EXPECT_EQ(stored(QStringLiteral("240116")).summary, QStringLiteral("晴れ"));
}

TEST_F(EntryEditTest, SwitchingDatesProtectsUnsavedChanges) {
    ASSERT_TRUE(window->ActDc(QStringLiteral("240115")));
    type(QStringLiteral("追記"));

    // Cancel: the first date stays, with its text and its changed flag.
    dialogs->answers.enqueue(Answer::Cancel);
    EXPECT_FALSE(window->ActDc(QStringLiteral("240116")));
    EXPECT_EQ(window->EditKey(), QStringLiteral("240115"));
    EXPECT_EQ(window->windowTitle(), QStringLiteral("24/01/15   の修正"));
    EXPECT_EQ(editorText(), QStringLiteral("朝から雪追記"));
    EXPECT_TRUE(editor().bDcEdt());
    EXPECT_EQ(dialogs->messages(), QStringList{QStringLiteral("現在の文書を保存しますか")});

    // Yes: written under the first date, never the second.
    dialogs->answers.enqueue(Answer::Yes);
    EXPECT_TRUE(window->ActDc(QStringLiteral("240116")));
    EXPECT_EQ(trimmed(stored(QStringLiteral("240115")).text), QStringLiteral("朝から雪追記"));
    EXPECT_EQ(stored(QStringLiteral("240115")).summary, QStringLiteral("雪の日"));
    EXPECT_EQ(trimmed(stored(QStringLiteral("240116")).text), QStringLiteral("快晴"));
    EXPECT_EQ(window->EditKey(), QStringLiteral("240116"));
    EXPECT_EQ(editorText(), QStringLiteral("快晴"));
    EXPECT_EQ(editor().Title(), QStringLiteral("晴れ"));

    // No: the change is dropped and the next date opens.
    type(QStringLiteral("捨てる"));
    dialogs->answers.enqueue(Answer::No);
    EXPECT_TRUE(window->ActDc(QStringLiteral("240115")));
    EXPECT_EQ(trimmed(stored(QStringLiteral("240116")).text), QStringLiteral("快晴"));
}

TEST_F(EntryEditTest, ClosingAsksAndCancelKeepsTheWindow) {
    ASSERT_TRUE(window->ActDc(QStringLiteral("240115")));
    type(QStringLiteral("追記"));
    dialogs->answers.enqueue(Answer::Cancel);
    EXPECT_FALSE(window->close());
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(editor().isOn());
    EXPECT_EQ(editorText(), QStringLiteral("朝から雪追記"));

    dialogs->answers.enqueue(Answer::Yes);
    EXPECT_TRUE(window->close());
    EXPECT_FALSE(window->isVisible());
    EXPECT_FALSE(editor().isOn());
    EXPECT_EQ(trimmed(stored(QStringLiteral("240115")).text), QStringLiteral("朝から雪追記"));

    // Reopened later: the editor is switched on again on the stored entry.
    ASSERT_TRUE(window->ActDc(QStringLiteral("240115")));
    EXPECT_TRUE(editor().isOn());
    EXPECT_EQ(editorText(), QStringLiteral("朝から雪追記"));
}

TEST_F(EntryEditTest, FailedSaveKeepsTheEntryAndItsChanges) {
    ASSERT_TRUE(window->ActDc(QStringLiteral("240115")));
    type(QStringLiteral("追記"));
    diary::DbClose();
    dialogs->answers.enqueue(Answer::Yes);
    EXPECT_FALSE(window->ActDc(QStringLiteral("240116")));
    EXPECT_EQ(window->EditKey(), QStringLiteral("240115"));
    EXPECT_TRUE(editor().bDcEdt());
    ASSERT_EQ(dialogs->messages().size(), 2);
    EXPECT_TRUE(dialogs->messages().at(1).startsWith(QStringLiteral("保存できませんでした")));

    dialogs->answers.enqueue(Answer::Yes);
    EXPECT_FALSE(window->close());
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(editorText(), QStringLiteral("朝から雪追記"));
    ASSERT_TRUE(diary::DbOpen(m_dir.path(), QStringLiteral(DRJVO_TEMPLATE_DIR)));
}

TEST(EntryEditRules, CaptionAndPlacement) {
    EXPECT_EQ(entryedit::editCaption(QStringLiteral("240115")),
              QStringLiteral("24/01/15   の修正"));
    // 20 twips are a pixel at 96 dpi, two at 144.
    EXPECT_EQ(entryedit::editPlacement(QRect(100, 50, 1200, 800), QRect(300, 40, 880, 700)),
              QRect(400, 290, 880, 559));
    EXPECT_EQ(entryedit::editPlacement(QRect(0, 0, 1000, 1000), QRect(0, 0, 500, 900), 144),
              QRect(0, 300, 500, 698));
}

TEST_F(EntryEditTest, UnreadableEntryOpensEmptyAndIsNeverWrittenOver) {
    const QByteArray garbage("PK\x03\x04 damaged entry");
    ASSERT_TRUE(diary::connection().save(QStringLiteral("240117"), QStringLiteral("壊れた日"),
                                         QStringLiteral("壊れた日"), garbage));
    ASSERT_TRUE(window->ActDc(QStringLiteral("240115")));
    ASSERT_TRUE(window->ActDc(QStringLiteral("240117")));
    EXPECT_EQ(dialogs->messages(),
              QStringList{QStringLiteral("24/01/17 の日記を読み込めません。\n"
                                         "保存されている内容はそのまま残します。\n"
                                         "この日の日記は、削除するまで編集できません。")});
    EXPECT_EQ(window->windowTitle(), QStringLiteral("24/01/17   の修正"));
    EXPECT_TRUE(editorText().isEmpty());
    EXPECT_FALSE(editor().bDcEdt());

    type(QStringLiteral("前の日の文"));
    editor().txTitle()->setText(QStringLiteral("新しい題"));
    editor().rtAct(4);
    EXPECT_FALSE(editor().bDcEdt());
    EXPECT_EQ(stored(QStringLiteral("240117")).document, garbage);
    EXPECT_EQ(stored(QStringLiteral("240117")).summary, QStringLiteral("壊れた日"));
    EXPECT_TRUE(window->ActDc(QStringLiteral("240116")));
    EXPECT_EQ(stored(QStringLiteral("240117")).document, garbage);
    EXPECT_EQ(editorText(), QStringLiteral("快晴"));

    // A read error is told the same way, without the database's own words.
    diary::DbClose();
    dialogs->shown.clear();
    EXPECT_TRUE(window->ActDc(QStringLiteral("240115")));
    ASSERT_EQ(dialogs->messages().size(), 1);
    EXPECT_TRUE(
        dialogs->messages().at(0).startsWith(QStringLiteral("24/01/15 の日記を読み込めません。")));
    EXPECT_TRUE(editorText().isEmpty());
    ASSERT_TRUE(diary::DbOpen(m_dir.path(), QStringLiteral(DRJVO_TEMPLATE_DIR)));
    type(QStringLiteral("上書き"));
    editor().rtAct(4);
    EXPECT_EQ(trimmed(stored(QStringLiteral("240115")).text), QStringLiteral("朝から雪"));
}

TEST_F(EntryEditTest, HeaderBeingEditedIsSavedWithTheWholeEntry) {
    ASSERT_TRUE(window->ActDc(QStringLiteral("240115")));
    platform::TextSurface &s = editor().surface();
    platform::PageSetup page = s.page();
    page.headerFooterBits = platform::HeaderEveryPage;
    s.setPage(page);
    ASSERT_TRUE(s.setActiveArea(platform::HeaderEveryPage));
    s.setSelText(QStringLiteral("ヘッダー"));
    editor().rtAct(4);

    platform::TextSurface reloaded;
    ASSERT_TRUE(reloaded.loadFromMemory(stored(QStringLiteral("240115")).document,
                                        platform::TextSurface::Word97));
    EXPECT_EQ(trimmed(reloaded.text()), QStringLiteral("朝から雪"));
    EXPECT_EQ(trimmed(stored(QStringLiteral("240115")).text), QStringLiteral("朝から雪"));
    ASSERT_NE(reloaded.areaDocument(platform::HeaderEveryPage), nullptr);
    EXPECT_EQ(reloaded.areaDocument(platform::HeaderEveryPage)->toPlainText(),
              QStringLiteral("ヘッダー"));
}

TEST_F(EntryEditTest, SaveQuestionStandsOverThisWindowAndCtrlSSaves) {
    QWidget mainWindow;
    platform::setDialogParent(&mainWindow);
    ASSERT_TRUE(window->ActDc(QStringLiteral("240115")));
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    type(QStringLiteral("追記"));
    dialogs->answers.enqueue(Answer::Cancel);
    EXPECT_FALSE(window->close());
    ASSERT_EQ(dialogs->shown.size(), 1);
    EXPECT_EQ(dialogs->shown.at(0).parent, window.get());
    EXPECT_EQ(platform::dialogParent(), &mainWindow) << "the main window's again afterwards";

    QSignalSpy saved(window.get(), &sbEdt::entrySaved);
    QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : window.get(),
                    Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(saved.count(), 1);
    EXPECT_EQ(trimmed(stored(QStringLiteral("240115")).text), QStringLiteral("朝から雪追記"));
    EXPECT_FALSE(editor().bDcEdt());
    platform::setDialogParent(nullptr);
}
