#include "../text/text_surface_test_util.h"
#include "platform/text/text_surface.h"
#include "platform/view/page_renderer.h"
#include "platform/view/text_view.h"

#include <QAbstractTextDocumentLayout>
#include <QFile>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextLayout>
#include <gtest/gtest.h>

using platform::TextSurface;
using platform::TextView;

namespace {

void showView(TextView &view) {
    view.resize(800, 600);
    view.show();
    view.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&view));
}

} // namespace

TEST(TextViewSurfaceTest, CaretPassesBothWays) {
    TextSurface surface;
    TextView view;
    view.setSurface(&surface);
    showView(view);
    EXPECT_EQ(view.document(), surface.document());

    // Japanese input: the preedit shows in place without entering the text, the commit does.
    QInputMethodEvent preedit(QStringLiteral("にっき"), {});
    QCoreApplication::sendEvent(&view, &preedit);
    EXPECT_TRUE(surface.text().isEmpty());
    EXPECT_EQ(surface.document()->firstBlock().layout()->preeditAreaText(),
              QStringLiteral("にっき"));
    QInputMethodEvent commit;
    commit.setCommitString(QStringLiteral("日記"));
    QCoreApplication::sendEvent(&view, &commit);
    QTest::keyClicks(view.viewport(), QStringLiteral("abc"));
    EXPECT_EQ(surface.text(), QStringLiteral("日記abc"));
    EXPECT_EQ(surface.selStart(), 5);

    // Input method "off" only asks for Latin input: it stays enabled and its text still lands.
    view.setInputMethodEnabled(false);
    QInputMethodQueryEvent latinQuery(Qt::ImEnabled | Qt::ImHints);
    QCoreApplication::sendEvent(&view, &latinQuery);
    EXPECT_TRUE(latinQuery.value(Qt::ImEnabled).toBool());
    EXPECT_TRUE(latinQuery.value(Qt::ImHints).toInt() & Qt::ImhPreferLatin);
    QInputMethodEvent latinCommit;
    latinCommit.setCommitString(QStringLiteral("漢"));
    QCoreApplication::sendEvent(&view, &latinCommit);
    EXPECT_EQ(surface.text(), QStringLiteral("日記abc漢"));
    view.setInputMethodEnabled(true);
    QInputMethodQueryEvent nativeQuery(Qt::ImEnabled | Qt::ImHints);
    QCoreApplication::sendEvent(&view, &nativeQuery);
    EXPECT_TRUE(nativeQuery.value(Qt::ImEnabled).toBool());
    EXPECT_FALSE(nativeQuery.value(Qt::ImHints).toInt() & Qt::ImhPreferLatin);
    QTest::keyClick(view.viewport(), Qt::Key_Backspace);

    surface.setSelStart(2);
    EXPECT_EQ(view.textCursor().position(), 2);
    QTest::keyClicks(view.viewport(), QStringLiteral("X"));
    EXPECT_EQ(surface.text(), QStringLiteral("日記Xabc"));
    EXPECT_EQ(surface.selStart(), 3);
}

TEST(TextViewSurfaceTest, ActiveAreaFollowsEitherSide) {
    TextSurface surface;
    TextView view;
    view.setSurface(&surface);
    showView(view);
    surface.setHeaderFooterBits(platform::HeaderEveryPage);
    view.refresh();
    EXPECT_EQ(view.headerFooterBits(), platform::HeaderEveryPage);

    ASSERT_TRUE(surface.setActiveArea(platform::HeaderEveryPage));
    EXPECT_EQ(view.activeArea(), platform::HeaderEveryPage);
    EXPECT_EQ(view.viewMode(), TextView::PageView);
    QTest::keyClicks(view.viewport(), QStringLiteral("Header"));
    EXPECT_EQ(surface.areaDocument(platform::HeaderEveryPage)->toPlainText(),
              QStringLiteral("Header"));
    EXPECT_EQ(surface.text(), QStringLiteral("Header")) << "the surface edits the header now";

    view.leaveArea();
    EXPECT_EQ(surface.activeArea(), 0);
    EXPECT_TRUE(surface.text().isEmpty());
}

TEST(TextViewSurfaceTest, FieldClickActivatesTheSurfaceField) {
    TextSurface surface;
    surface.setSelText(QStringLiteral("前の文 "));
    const int id = surface.insertField(QStringLiteral("リンクの文字"));
    surface.setSelText(QStringLiteral(" 後の文"));
    ASSERT_GT(id, 0);

    TextView view;
    view.setSurface(&surface);
    showView(view);
    QSignalSpy activated(&surface, &TextSurface::fieldActivated);
    QTextCursor cursor(surface.document());
    cursor.setPosition(surface.fieldStart(id) + 1);
    view.setTextCursor(cursor);
    const QRect a = view.caretRect();
    cursor.setPosition(surface.fieldStart(id) + 2);
    view.setTextCursor(cursor);
    const QRect b = view.caretRect();
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {},
                      QPoint((a.center().x() + b.center().x()) / 2, a.center().y()));
    ASSERT_EQ(activated.count(), 1);
    EXPECT_EQ(activated.at(0).at(0).toInt(), id);
    EXPECT_EQ(surface.currentField(), id);
}

TEST(TextViewSurfaceTest, CopyAndPasteKeepFields) {
    TextSurface surface;
    surface.setSelText(QStringLiteral("a "));
    ASSERT_GT(surface.insertField(QStringLiteral("タグ")), 0);
    TextView view;
    view.setSurface(&surface);
    showView(view);
    QTest::keyClick(view.viewport(), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(view.viewport(), Qt::Key_C, Qt::ControlModifier);
    QTest::keyClick(view.viewport(), Qt::Key_End, Qt::ControlModifier);
    QTest::keyClick(view.viewport(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(surface.text(), QStringLiteral("a タグa タグ"));
    EXPECT_EQ(surface.fieldIds().size(), 2);
}

TEST(TextViewSurfaceTest, SurfaceSavesPdfThroughTheRenderer) {
    TextSurface surface;
    TextView view;
    view.setSurface(&surface);
    surface.setSelText(QStringLiteral("PDF にする日記"));
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("entry.pdf"));
    ASSERT_TRUE(surface.saveFile(path, TextSurface::Pdf));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.readAll().startsWith("%PDF"));
}

TEST(TextViewSurfaceTest, LongEntryIsShownBeforeItIsLaidOutAndAllOfItFollows) {
    // A long entry ending in a table, stored in the Word format as entries are.
    TextSurface source;
    QString text;
    for (int i = 1; i <= 2500; ++i)
        text += QStringLiteral("%1 行目。今日は朝から雨が降った。\n").arg(i);
    source.setSelText(text);
    ASSERT_GT(source.insertTable(2, 2), 0);
    const QByteArray bytes = source.saveToMemory(TextSurface::Word97);

    TextSurface surface;
    TextView view;
    view.setSurface(&surface);
    view.setViewMode(TextView::PageView);
    view.setTableGridShown(true);
    showView(view);
    surface.setSelText(QStringLiteral("前の日の日記"));
    QCoreApplication::processEvents();

    ASSERT_TRUE(surface.loadWholeFromMemory(bytes, TextSurface::Word97));
    view.refresh();
    QCoreApplication::processEvents();
    view.viewport()->grab();
    QTextDocument *doc = surface.document();
    EXPECT_GT(doc->firstBlock().layout()->lineCount(), 0);
    EXPECT_EQ(doc->lastBlock().layout()->lineCount(), 0)
        << "the first paint left the end to the background layout";
    EXPECT_NEAR(doc->rootFrame()->frameFormat().leftMargin(), view.geometry().body.left(), 0.01);
    EXPECT_EQ(view.textCursor().position(), 0);

    // All of it is there: the end is reached, and paged as the printout is.
    surface.setSelStart(surface.textLength());
    EXPECT_GT(view.verticalScrollBar()->value(), 0);
    EXPECT_TRUE(view.viewport()->rect().contains(view.caretRect().center()));
    EXPECT_GT(doc->lastBlock().layout()->lineCount(), 0);
    const int pages = view.pageCount();
    EXPECT_GT(pages, 10);
    EXPECT_EQ(pages, platform::PageRenderer(surface.content()).pageCount());
    EXPECT_EQ(surface.text().left(text.size() - 1), text.left(text.size() - 1));
}

TEST(TextViewSurfaceTest, ALongEntrysFirstScreenIsPaintedBeforeTheRestIsReadAndStays) {
    TextSurface surface;
    TextView view;
    view.setSurface(&surface);
    view.setViewMode(TextView::PageView);
    view.resize(800, 600);
    view.show(); // not active: no caret blinking between the two pictures
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    surface.setSelText(QStringLiteral("前の日の日記"));
    QCoreApplication::processEvents();
    const QImage before = view.viewport()->grab().toImage();

    struct PaintCount : QObject {
        int paints = 0;
        bool eventFilter(QObject *, QEvent *event) override {
            paints += event->type() == QEvent::Paint;
            return false;
        }
    } count;
    view.viewport()->installEventFilter(&count);
    int paintsThen = 0;
    int charactersThen = 0;
    QImage first;
    QObject::connect(&surface, &TextSurface::firstScreenRead, &view, [&] {
        paintsThen = count.paints;
        charactersThen = surface.document()->characterCount();
        first = view.viewport()->grab().toImage();
    });
    ASSERT_TRUE(surface.loadWholeFromMemory(textsurfacetest::longEntry(), TextSurface::Docx));
    view.viewport()->removeEventFilter(&count);
    EXPECT_EQ(paintsThen, 1) << "the first screen is painted as soon as it is read";
    EXPECT_LT(charactersThen, surface.document()->characterCount() / 2);

    // The rest changes nothing on the first screen: page values, header, fonts and breaks were
    // the entry's own already.
    view.refresh();
    QCoreApplication::processEvents();
    const QImage settled = view.viewport()->grab().toImage();
    ASSERT_FALSE(first.isNull());
    EXPECT_NE(first, before);
    EXPECT_EQ(first, settled);
}
