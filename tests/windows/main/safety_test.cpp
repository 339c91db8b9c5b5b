#include "keybar/key_row.h"
#include "main_fixture.h"
#include "platform/view/text_view.h"
#include "platform/widgets/calendar.h"
#include "platform/widgets/grid.h"
#include "recording_shell.h"
#include "windows/entry_edit/sbedt.h"

#include <QTest>
#include <QTextDocument>

using namespace mainwin;
using mainwintest::MainWindowTest;
using platform::Answer;

namespace {

QByteArray storedDocument(const QString &key) {
    const auto row = diary::connection().load(key);
    return row ? row->document : QByteArray();
}

QString storedText(const QString &key) {
    const auto row = diary::connection().load(key);
    return row ? row->text : QString();
}

const QString kUnreadable = QStringLiteral("24/01/15 の日記を読み込めません。\n"
                                           "保存されている内容はそのまま残します。\n"
                                           "この日の日記は、削除するまで編集できません。");

} // namespace

TEST_F(MainWindowTest, HeaderBeingEditedIsStoredWithTheWholeEntry) {
    fmTxt &w = open();
    w.pickDate(QDate(2024, 1, 15));
    type(QStringLiteral("本文の行"));
    platform::TextSurface &s = editor().surface();
    platform::PageSetup page = s.page();
    page.headerFooterBits = platform::HeaderEveryPage;
    s.setPage(page);
    ASSERT_TRUE(s.setActiveArea(platform::HeaderEveryPage));
    type(QStringLiteral("ヘッダー"));

    // "Save" on leaving while the header is being edited.
    dialogs->answers.enqueue(Answer::Yes);
    w.pickDate(QDate(2024, 1, 16));
    EXPECT_TRUE(storedText(QStringLiteral("240115")).startsWith(QStringLiteral("本文の行")));
    EXPECT_EQ(s.activeArea(), 0);
    EXPECT_TRUE(editorText().trimmed().isEmpty());
    EXPECT_EQ(s.headerFooterBits(), 0);

    platform::TextSurface reloaded;
    ASSERT_TRUE(reloaded.loadFromMemory(storedDocument(QStringLiteral("240115")),
                                        platform::TextSurface::Word97));
    EXPECT_TRUE(reloaded.text().startsWith(QStringLiteral("本文の行")));
    ASSERT_NE(reloaded.areaDocument(platform::HeaderEveryPage), nullptr);
    EXPECT_EQ(reloaded.areaDocument(platform::HeaderEveryPage)->toPlainText(),
              QStringLiteral("ヘッダー"));

    // Back on the day: main text in the main text, the header in the header.
    w.pickDate(QDate(2024, 1, 15));
    EXPECT_TRUE(editorText().startsWith(QStringLiteral("本文の行")));
    EXPECT_EQ(s.areaDocument(platform::HeaderEveryPage)->toPlainText(), QStringLiteral("ヘッダー"));
}

TEST_F(MainWindowTest, UnreadableEntryIsNeverWrittenOver) {
    fmTxt &w = open();
    writeEntry(QDate(2024, 1, 14), QStringLiteral("前の日の日記"));
    const QByteArray garbage("PK\x03\x04 damaged entry");
    ASSERT_TRUE(diary::connection().save(QStringLiteral("240115"), QStringLiteral("壊れた日"),
                                         QStringLiteral("壊れた日"), garbage));
    dialogs->shown.clear();

    w.pickDate(QDate(2024, 1, 15));
    EXPECT_EQ(dialogs->messages(), QStringList{kUnreadable});
    EXPECT_EQ(w.windowTitle(), QStringLiteral("24/01/15"));
    EXPECT_TRUE(editorText().trimmed().isEmpty());
    EXPECT_FALSE(editor().bDcEdt());

    // Typing (into the view and through the surface) and F9 change nothing stored.
    editor().view()->setFocus();
    QTest::keyClicks(editor().view(), QStringLiteral("abc"));
    type(QStringLiteral("別の日の文"));
    w.fnMenu(OperationMenu, 5);
    EXPECT_FALSE(editor().bDcEdt());
    EXPECT_FALSE(w.menus().entry(OperationMenu, 5)->isEnabled());
    dialogs->shown.clear();
    w.pickDate(QDate(2024, 1, 16));
    EXPECT_TRUE(dialogs->shown.isEmpty());
    EXPECT_EQ(storedDocument(QStringLiteral("240115")), garbage);
    EXPECT_EQ(diary::connection().load(QStringLiteral("240115"))->summary,
              QStringLiteral("壊れた日"));

    // A day that reads again is editable again.
    w.pickDate(QDate(2024, 1, 14));
    EXPECT_TRUE(editorText().startsWith(QStringLiteral("前の日の日記")));
    type(QStringLiteral("追記"));
    EXPECT_TRUE(editor().bDcEdt());
    w.fnMenu(OperationMenu, 5);
    EXPECT_TRUE(storedText(QStringLiteral("240114")).contains(QStringLiteral("追記")));

    // Deleting the damaged row is the way to write that day again.
    w.pickDate(QDate(2024, 1, 15));
    EXPECT_TRUE(w.menus().entry(OperationMenu, 7)->isEnabled());
    dialogs->answers.enqueue(Answer::Yes);
    w.fnMenu(OperationMenu, 7);
    EXPECT_FALSE(diary::connection().load(QStringLiteral("240115")).has_value());
    w.pickDate(QDate(2024, 1, 15));
    type(QStringLiteral("書き直し"));
    w.fnMenu(OperationMenu, 5);
    EXPECT_TRUE(storedText(QStringLiteral("240115")).startsWith(QStringLiteral("書き直し")));
}

TEST_F(MainWindowTest, ReadErrorIsToldAndNothingIsWrittenOver) {
    fmTxt &w = open();
    writeEntry(QDate(2024, 1, 15), QStringLiteral("大切な日"));
    w.pickDate(QDate(2024, 1, 14));
    diary::DbClose();
    dialogs->shown.clear();

    w.pickDate(QDate(2024, 1, 15));
    EXPECT_EQ(dialogs->messages(), QStringList{kUnreadable});
    EXPECT_TRUE(editorText().trimmed().isEmpty());
    type(QStringLiteral("上書き"));
    ASSERT_TRUE(diary::DbOpen(userDir, tplDir));
    w.fnMenu(OperationMenu, 5);
    EXPECT_TRUE(storedText(QStringLiteral("240115")).startsWith(QStringLiteral("大切な日")));
}

TEST_F(MainWindowTest, DeleteAsksFirstAndNoKeepsTheRow) {
    fmTxt &w = open();
    writeEntry(QDate(2024, 1, 5), QStringLiteral("五日"));
    dialogs->shown.clear();

    dialogs->answers.enqueue(Answer::No);
    w.fnMenu(OperationMenu, 7);
    ASSERT_EQ(dialogs->shown.size(), 1);
    EXPECT_EQ(dialogs->shown.at(0).text, QStringLiteral("この日の日記を削除しますか"));
    EXPECT_EQ(dialogs->shown.at(0).buttons, platform::Buttons::YesNo);
    EXPECT_EQ(dialogs->shown.at(0).defaultAnswer, Answer::No);
    EXPECT_TRUE(diary::connection().load(QStringLiteral("240105")).has_value());
    EXPECT_TRUE(editorText().startsWith(QStringLiteral("五日")));

    // Unsaved changes of the deleted day are not offered for saving back.
    type(QStringLiteral("追記"));
    dialogs->answers.enqueue(Answer::Yes);
    w.fnMenu(OperationMenu, 7);
    EXPECT_EQ(dialogs->messages(), (QStringList{QStringLiteral("この日の日記を削除しますか"),
                                                QStringLiteral("この日の日記を削除しますか")}));
    EXPECT_FALSE(diary::connection().load(QStringLiteral("240105")).has_value());
    EXPECT_TRUE(editorText().trimmed().isEmpty());
}

TEST_F(MainWindowTest, FunctionKeysFollowEveryLoadAndEdit) {
    fmTxt &w = open();
    writeEntry(QDate(2024, 1, 5), QStringLiteral("五日"));
    const keybar::KeyRow &keys = w.keyBar()->keyRow();
    auto enabled = [&](const char *key) { return keys.key(QString::fromLatin1(key))->enabled; };

    w.pickDate(QDate(2024, 1, 6));
    EXPECT_FALSE(enabled("F10"));
    EXPECT_FALSE(enabled("F11"));
    EXPECT_FALSE(enabled("F12"));
    type(QStringLiteral("六日"));
    EXPECT_TRUE(enabled("F10"));
    EXPECT_TRUE(enabled("F11"));
    EXPECT_TRUE(enabled("F12"));
    EXPECT_TRUE(w.menus().entry(OperationMenu, 7)->isEnabled());
    w.fnMenu(OperationMenu, 5);
    EXPECT_TRUE(enabled("F10"));

    w.pickDate(QDate(2024, 1, 7));
    EXPECT_FALSE(enabled("F10"));
    EXPECT_FALSE(enabled("F12"));
    w.pickDate(QDate(2024, 1, 5));
    EXPECT_TRUE(enabled("F10"));
    EXPECT_TRUE(enabled("F11"));
    EXPECT_TRUE(enabled("F12"));
}

TEST_F(MainWindowTest, SavesOfOneDateInBothWindowsAreNeverLost) {
    fmTxt &w = open();
    writeEntry(QDate(2024, 1, 15), QStringLiteral("元の文"));
    entryedit::sbEdt edit;
    ASSERT_TRUE(edit.ActDc(QStringLiteral("240115")));
    platform::TextSurface &other = edit.uTxm().surface();
    auto typeInEdit = [&](const QString &text) {
        other.setSelStart(other.textLength());
        other.setSelText(text);
    };
    dialogs->shown.clear();

    // The main window has no changes: it shows what the edit window saved.
    typeInEdit(QStringLiteral("追記"));
    edit.uTxm().rtAct(4);
    EXPECT_TRUE(dialogs->shown.isEmpty());
    EXPECT_TRUE(editorText().contains(QStringLiteral("追記")));
    EXPECT_FALSE(editor().bDcEdt());
    editor().surface().setSelStart(editor().surface().textLength());
    type(QStringLiteral("本窓"));
    w.fnMenu(OperationMenu, 5);
    EXPECT_TRUE(storedText(QStringLiteral("240115")).contains(QStringLiteral("追記")));
    EXPECT_TRUE(storedText(QStringLiteral("240115")).contains(QStringLiteral("本窓")));
    // And the edit window, unchanged, follows the main window's save.
    EXPECT_TRUE(other.text().contains(QStringLiteral("本窓")));

    // Both changed: the main window asks before anything of its own is written.
    type(QStringLiteral("主"));
    typeInEdit(QStringLiteral("副"));
    dialogs->answers.enqueue(Answer::No);
    edit.uTxm().rtAct(4);
    ASSERT_EQ(dialogs->messages().size(), 1);
    EXPECT_TRUE(dialogs->messages().at(0).startsWith(
        QStringLiteral("24/01/15 の日記が別のウィンドウで保存されました。")));
    EXPECT_TRUE(editorText().contains(QStringLiteral("副")));
    EXPECT_FALSE(editorText().contains(QStringLiteral("主")));
    EXPECT_FALSE(editor().bDcEdt());

    // Keeping its own changes: nothing is written until the user saves again.
    type(QStringLiteral("主"));
    typeInEdit(QStringLiteral("再"));
    dialogs->answers.enqueue(Answer::Yes);
    edit.uTxm().rtAct(4);
    EXPECT_TRUE(editor().bDcEdt());
    EXPECT_TRUE(editorText().contains(QStringLiteral("主")));
    EXPECT_TRUE(storedText(QStringLiteral("240115")).contains(QStringLiteral("再")));
    EXPECT_FALSE(storedText(QStringLiteral("240115")).contains(QStringLiteral("主")));
    edit.uTxm().setBDcEdt(false);
}

TEST_F(MainWindowTest, ClickedLinksOpenOnlyWhatIsSafe) {
    testsupport::RecordingShellGuard shell;
    fmTxt &w = open();
    editor::uTxm *editor = w.editorControl();
    emit editor->LinkClicked(QStringLiteral("LK"), QStringLiteral("x"),
                             QStringLiteral("javascript:alert(1)"));
    EXPECT_TRUE(shell->opened.isEmpty());
    dialogs->answers.enqueue(platform::Answer::No);
    emit editor->LinkClicked(QStringLiteral("LK"), QStringLiteral("x"), QStringLiteral("/etc"));
    EXPECT_TRUE(shell->opened.isEmpty()) << "a local path opens only after a yes";
    emit editor->LinkClicked(QStringLiteral("LK"), QStringLiteral("x"),
                             QStringLiteral("https://example.org"));
    EXPECT_EQ(shell->opened, QStringList{QStringLiteral("https://example.org")});
}
