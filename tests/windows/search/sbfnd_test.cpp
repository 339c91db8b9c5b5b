#include "search_fixture.h"
#include "windows/search/sbfnd.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextLayout>

using namespace searchwin;

namespace {

QAction *action(QMenu *menu, const QString &caption) {
    for (QAction *a : menu->actions())
        if (a->text() == caption)
            return a;
    return nullptr;
}

// Clicks the listing at the caret position pos.
void clickAt(sbFnd &window, int pos, Qt::MouseButton button = Qt::LeftButton) {
    QTextCursor cursor(window.vDoc()->document());
    cursor.setPosition(pos);
    const QRect caret = window.vDoc()->cursorRect(cursor);
    QTest::mouseClick(window.vDoc()->viewport(), button, {}, caret.center() + QPoint(2, 0));
}

} // namespace

TEST_F(SearchDiaryTest, SearchListsFiftyNewestMatchesWithTheWordHighlighted) {
    putDays(QDate(2024, 3, 1), 60);
    ASSERT_TRUE(put(QStringLiteral("240310"), QStringLiteral("no match"), QStringLiteral("other")));
    sbFnd window;
    window.ActWd(QStringLiteral("MEMO"));
    EXPECT_EQ(window.windowTitle(), QStringLiteral("MEMO"));
    EXPECT_TRUE(window.isVisible());
    const QTextDocument &doc = *window.vDoc()->document();
    const QStringList keys = headingKeys(doc);
    ASSERT_EQ(keys.size(), 50);
    EXPECT_EQ(keys.first(), QStringLiteral("240301"));
    EXPECT_EQ(keys.last(), diary::entryKey(QDate(2024, 3, 1).addDays(-49)));
    // Shown as typed in place of "memo", so the lower-case word is gone from every text.
    EXPECT_EQ(doc.toPlainText().count(QStringLiteral("MEMO of ")), 50);
    EXPECT_EQ(window.vDoc()->textCursor().position(), 0);

    // A word found nowhere: an empty listing with the caption set.
    window.ActWd(QStringLiteral("zzz"));
    EXPECT_EQ(window.windowTitle(), QStringLiteral("zzz"));
    EXPECT_TRUE(doc.isEmpty());
}

TEST_F(SearchDiaryTest, RecentListReplacesContentAndCaption) {
    putDays(QDate(2024, 1, 15), 3);
    sbFnd window;
    window.ActWd(QStringLiteral("memo"));
    window.ActDate(QStringLiteral("最近の50件"), QStringLiteral("240114"));
    EXPECT_EQ(window.windowTitle(), QStringLiteral("最近の50件"));
    EXPECT_EQ(headingKeys(*window.vDoc()->document()),
              (QStringList{QStringLiteral("240114"), QStringLiteral("240113")}));
}

TEST_F(SearchDiaryTest, ClickOnHeadingDateRequestsThatEntry) {
    putDays(QDate(2024, 1, 15), 3);
    sbFnd window;
    window.resize(600, 500);
    window.ActDate(QStringLiteral("r"), QStringLiteral("240115"));
    QSignalSpy requested(&window, &sbFnd::entryRequested);
    const QTextDocument &doc = *window.vDoc()->document();

    const int second = doc.findBlockByNumber(3).position();
    clickAt(window, second + 4);
    ASSERT_EQ(requested.count(), 1);
    EXPECT_EQ(requested.at(0).at(0).toString(), QStringLiteral("240114"));

    clickAt(window, doc.findBlockByNumber(1).position() + 3); // in a text
    clickAt(window, 14);                                      // in a summary
    clickAt(window, 3, Qt::RightButton);                      // the menu button
    EXPECT_EQ(requested.count(), 1);
}

TEST_F(SearchDiaryTest, EditMenuCopiesAndSearches) {
    ASSERT_TRUE(put(QStringLiteral("240115"), QStringLiteral("雪"), QStringLiteral("abc def")));
    ASSERT_TRUE(put(QStringLiteral("240116"), QStringLiteral("雨"), QStringLiteral("def ghi")));
    sbFnd window;
    window.ActDate(QStringLiteral("r"), QStringLiteral("240116"));
    ASSERT_EQ(window.mnFile()->title(), QStringLiteral("ﾌｧｲﾙ(&F)"));
    ASSERT_EQ(window.mnEdit()->title(), QStringLiteral("編集(&E)"));

    action(window.mnEdit(), QStringLiteral("全て選択"))->trigger();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), window.vDoc()->toPlainText());
    EXPECT_TRUE(QGuiApplication::clipboard()->text().startsWith(QStringLiteral("■24/01/16_  雨")));

    QTextCursor selection(window.vDoc()->document());
    const int text = window.vDoc()->document()->findBlockByNumber(1).position();
    selection.setPosition(text);
    selection.setPosition(text + 3, QTextCursor::KeepAnchor);
    window.vDoc()->setTextCursor(selection);
    action(window.mnEdit(), QStringLiteral("ｺﾋﾟｰ"))->trigger();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("def"));

    // Search with the selection: no question asked.
    action(window.mnEdit(), QStringLiteral("検索"))->trigger();
    EXPECT_EQ(window.windowTitle(), QStringLiteral("def"));
    EXPECT_EQ(headingKeys(*window.vDoc()->document()).size(), 2);
    EXPECT_TRUE(dialogs->shown.isEmpty());

    // No selection: the input box; cancelled or empty changes nothing.
    dialogs->inputs.enqueue(QString());
    action(window.mnEdit(), QStringLiteral("検索"))->trigger();
    dialogs->inputs.enqueue(QStringLiteral(""));
    action(window.mnEdit(), QStringLiteral("検索"))->trigger();
    EXPECT_EQ(window.windowTitle(), QStringLiteral("def"));
    dialogs->inputs.enqueue(QStringLiteral("ABC"));
    action(window.mnEdit(), QStringLiteral("検索"))->trigger();
    EXPECT_EQ(window.windowTitle(), QStringLiteral("ABC"));
    EXPECT_EQ(headingKeys(*window.vDoc()->document()), QStringList{QStringLiteral("240115")});
    ASSERT_EQ(dialogs->shown.size(), 3);
    EXPECT_EQ(dialogs->shown.at(0).text, QStringLiteral("検索文字を指定して下さい"));

    action(window.mnFile(), QStringLiteral("終了(&X)"))->trigger();
    EXPECT_FALSE(window.isVisible());
}

TEST_F(SearchDiaryTest, PlacedOnceOverTheEditor) {
    sbFnd window;
    window.setPlacement(QRect(0, 0, 700, 500), QRect(300, 40, 380, 440), QMargins(1, 20, 1, 1));
    window.ActDate(QStringLiteral("r"), QStringLiteral("240115"));
    EXPECT_EQ(window.geometry(), QRect(301, 20, 378, 479));
    window.resize(500, 400);
    window.hide();
    window.ActDate(QStringLiteral("r"), QStringLiteral("240115"));
    EXPECT_EQ(window.size(), QSize(500, 400));
}

TEST_F(SearchDiaryTest, NarrowWindowNeverCutsADateHeading) {
    put(QStringLiteral("240115"), QStringLiteral("雪の朝"), QStringLiteral("本文"));
    sbFnd window;
    window.ActDate(QStringLiteral("r"), QStringLiteral("240115"));
    window.vDoc()->setFixedWidth(70);
    QCoreApplication::processEvents();
    const QTextBlock heading = window.vDoc()->document()->firstBlock();
    const QTextLayout *layout = heading.layout();
    ASSERT_GT(layout->lineCount(), 0);
    EXPECT_GE(layout->lineAt(0).textLength(), QStringLiteral("■24/01/15_").size());
}
