#include "platform/view/page_renderer.h"
#include "platform/view/text_view.h"
#include "text_view_samples.h"

#include <QAbstractTextDocumentLayout>
#include <QContextMenuEvent>
#include <QSignalSpy>
#include <QTest>
#include <QTextBlock>
#include <QTextFrame>
#include <QTextLayout>
#include <gtest/gtest.h>

using platform::PageRenderer;
using platform::TextView;
using textviewtest::Sample;

namespace {

// Line starts of every block: what must not move when only the zoom changes.
QList<int> lineStarts(QTextDocument *doc) {
    doc->documentLayout()->documentSize(); // finishes the layout
    QList<int> starts;
    for (QTextBlock block = doc->begin(); block.isValid(); block = block.next()) {
        const QTextLayout *layout = block.layout();
        for (int i = 0; i < layout->lineCount(); ++i)
            starts.append(block.position() + layout->lineAt(i).textStart());
    }
    return starts;
}

void showView(TextView &view) {
    view.resize(900, 700);
    view.show();
    view.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&view));
}

class ConsumingHook : public platform::TextViewHook {
public:
    bool keyPress(QKeyEvent *event) override {
        keys.append(event->key());
        return event->key() == Qt::Key_F5 || event->key() == Qt::Key_X;
    }
    bool contextMenu(const QPoint &) override {
        ++menus;
        return true;
    }
    QList<int> keys;
    int menus = 0;
};

} // namespace

TEST(TextViewTest, ZoomKeepsLineBreaksAndPagesMatchPaper) {
    Sample sample;
    sample.fill(60);
    TextView view;
    view.setContent(sample.content());
    view.setViewMode(TextView::PageView);
    view.resize(900, 700);

    view.setZoom(100);
    const QList<int> at100 = lineStarts(sample.main.get());
    const int pages = view.pageCount();
    view.setZoom(50);
    EXPECT_EQ(lineStarts(sample.main.get()), at100);
    view.setZoom(200);
    EXPECT_EQ(lineStarts(sample.main.get()), at100);
    EXPECT_EQ(view.pageCount(), pages);
    EXPECT_GT(at100.size(), 60); // paragraphs do wrap

    // The paper the renderer lays out on its own breaks the same way as the page view.
    Sample paper;
    paper.fill(60);
    EXPECT_EQ(PageRenderer(paper.content()).pageCount(), pages);
}

TEST(TextViewTest, ZoomAndModeStayInRange) {
    TextView view;
    QSignalSpy zoomed(&view, &TextView::zoomChanged);
    view.setZoom(5);
    EXPECT_EQ(view.zoom(), TextView::MinZoom);
    view.setZoom(1000);
    EXPECT_EQ(view.zoom(), TextView::MaxZoom);
    EXPECT_EQ(zoomed.count(), 2);
    EXPECT_NEAR(view.transform().m11(), 4.0, 1e-9);
    view.setViewMode(1);
    EXPECT_EQ(view.viewMode(), TextView::NormalView);
    view.setViewMode(TextView::PageView);
    EXPECT_EQ(view.viewMode(), TextView::PageView);
}

TEST(TextViewTest, NormalViewFlowsInTheWindow) {
    Sample sample;
    sample.fill(5);
    TextView view;
    view.setContent(sample.content());
    showView(view);
    const int wide = lineStarts(sample.main.get()).size();
    view.resize(450, 700);
    QCoreApplication::processEvents();
    EXPECT_GT(lineStarts(sample.main.get()).size(), wide);
    EXPECT_LT(sample.main->pageSize().height(), 0) << "normal view has no pages";
}

TEST(TextViewTest, SettingUpTheViewLeavesTheDocumentUnchanged) {
    Sample sample;
    sample.fill(5);
    sample.main->setUndoRedoEnabled(false);
    sample.main->setUndoRedoEnabled(true);
    sample.main->setModified(false);
    TextView view;
    view.setContent(sample.content());
    view.setViewMode(TextView::PageView);
    view.setZoom(75);
    view.setViewMode(TextView::NormalView);
    EXPECT_FALSE(sample.main->isModified());
    EXPECT_FALSE(sample.main->isUndoAvailable());
}

TEST(TextViewTest, ClickOnFieldEmitsItsId) {
    Sample sample;
    QTextCursor cursor(sample.main.get());
    cursor.insertText(QStringLiteral("今日は "));
    QTextCharFormat field;
    field.setProperty(platform::TextProp::FieldId, 7);
    field.setForeground(Qt::blue);
    const int start = cursor.position();
    cursor.insertText(QStringLiteral("LINKTEXT"), field);
    cursor.insertText(QStringLiteral(" 晴れでした。"), QTextCharFormat());

    TextView view;
    view.setContent(sample.content());
    view.setZoom(150);
    showView(view);
    QSignalSpy activated(&view, &TextView::fieldActivated);

    auto pointAt = [&](int position) {
        QTextCursor c(sample.main.get());
        c.setPosition(position);
        view.setTextCursor(c);
        const QRect a = view.caretRect();
        c.setPosition(position + 1);
        view.setTextCursor(c);
        const QRect b = view.caretRect();
        return QPoint((a.center().x() + b.center().x()) / 2, a.center().y());
    };
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, pointAt(start + 3));
    ASSERT_EQ(activated.count(), 1);
    EXPECT_EQ(activated.at(0).at(0).toInt(), 7);

    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, pointAt(1));
    EXPECT_EQ(activated.count(), 1) << "plain text activates nothing";
}

TEST(TextViewTest, CaretStaysVisibleAfterZooming) {
    Sample sample;
    sample.fill(80);
    TextView view;
    view.setContent(sample.content());
    view.setViewMode(TextView::PageView);
    showView(view);
    QTextCursor cursor(sample.main.get());
    cursor.movePosition(QTextCursor::End);
    view.setTextCursor(cursor);
    for (int zoom : {200, 50, 400, 10, 100}) {
        view.setZoom(zoom);
        EXPECT_TRUE(view.viewport()->rect().contains(view.caretRect())) << "zoom " << zoom;
    }
    EXPECT_EQ(view.currentPage(), view.pageCount());

    cursor.movePosition(QTextCursor::Start);
    view.setTextCursor(cursor);
    view.setZoom(300);
    EXPECT_TRUE(view.viewport()->rect().contains(view.caretRect()));
    EXPECT_EQ(view.currentPage(), 1);
}

TEST(TextViewTest, HeaderIsEditedInPlaceAndLeft) {
    Sample sample;
    sample.fill(3);
    TextView view;
    view.setContent(sample.content());
    showView(view);
    const QString body = sample.main->toPlainText();

    EXPECT_FALSE(view.activateArea(platform::HeaderEveryPage)) << "the bit is off";
    view.setHeaderFooterBits(platform::HeaderEveryPage | platform::FooterFirstPage);
    EXPECT_EQ(view.headerFooterBits(), 9);
    QSignalSpy areas(&view, &TextView::activeAreaChanged);
    ASSERT_TRUE(view.activateArea(platform::HeaderEveryPage));
    EXPECT_EQ(view.viewMode(), TextView::PageView);
    EXPECT_EQ(view.activeArea(), platform::HeaderEveryPage);
    QTest::keyClicks(view.viewport(), QStringLiteral("Head"));
    EXPECT_EQ(sample.areas[0]->toPlainText(), QStringLiteral("Head"));
    EXPECT_EQ(sample.main->toPlainText(), body);
    EXPECT_TRUE(view.viewport()->rect().contains(view.caretRect()));

    QTest::keyClick(view.viewport(), Qt::Key_Escape);
    EXPECT_EQ(view.activeArea(), 0);
    EXPECT_EQ(areas.count(), 2);
    QTest::keyClicks(view.viewport(), QStringLiteral("B"));
    EXPECT_EQ(sample.areas[0]->toPlainText(), QStringLiteral("Head"));
    EXPECT_NE(sample.main->toPlainText(), body);

    // A double click on a page's header edits it; a click on the body leaves it.
    const QPointF header = QPointF(view.geometry().body.left() + 20,
                                   TextView::pageGap() + view.geometry().headerTop + 4);
    QTest::mouseDClick(view.viewport(), Qt::LeftButton, {}, view.mapFromScene(header));
    EXPECT_EQ(view.activeArea(), platform::HeaderEveryPage);
    const QPointF inBody = QPointF(view.geometry().body.left() + 20,
                                   TextView::pageGap() + view.geometry().body.top() + 10);
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, view.mapFromScene(inBody));
    EXPECT_EQ(view.activeArea(), 0);

    // Removing the bit of the area being edited ends the editing.
    ASSERT_TRUE(view.activateArea(platform::FooterFirstPage));
    view.setHeaderFooterBits(platform::HeaderEveryPage);
    EXPECT_EQ(view.activeArea(), 0);
}

TEST(TextViewTest, HookTakesKeysAndContextMenu) {
    Sample sample;
    TextView view;
    ConsumingHook hook;
    view.setContent(sample.content());
    view.setHook(&hook);
    showView(view);
    QTest::keyClicks(view.viewport(), QStringLiteral("axb"));
    EXPECT_EQ(sample.main->toPlainText(), QStringLiteral("ab"));
    EXPECT_EQ(hook.keys.size(), 3);

    QSignalSpy pressed(&view, &TextView::mouseButtonPressed);
    const QPoint at = view.caretRect().center();
    QContextMenuEvent menu(QContextMenuEvent::Mouse, at, view.viewport()->mapToGlobal(at));
    QCoreApplication::sendEvent(view.viewport(), &menu);
    EXPECT_EQ(hook.menus, 1);
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, at);
    ASSERT_EQ(pressed.count(), 1);
    EXPECT_EQ(pressed.at(0).at(0).value<Qt::MouseButton>(), Qt::LeftButton);
    EXPECT_EQ(pressed.at(0).at(1).toInt(), 2);
}

TEST(TextViewTest, BlankPageBelowTheTextBelongsToTheText) {
    Sample sample;
    QTextCursor(sample.main.get()).insertText(QStringLiteral("一行目\n二行目"));
    TextView view;
    ConsumingHook hook;
    view.setContent(sample.content());
    view.setHook(&hook);
    showView(view);
    QTextCursor start(sample.main.get());
    view.setTextCursor(start);
    QSignalSpy moved(&view, &TextView::cursorPositionChanged);

    // Well below the last line, left of the text: the caret goes to the end.
    const QPoint below(view.caretRect().center().x(), view.viewport()->height() - 20);
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, below);
    EXPECT_EQ(view.textCursor().position(), sample.main->characterCount() - 1);
    EXPECT_GE(moved.count(), 1);
    EXPECT_TRUE(view.hasFocus());

    QContextMenuEvent menu(QContextMenuEvent::Mouse, below, view.viewport()->mapToGlobal(below));
    QCoreApplication::sendEvent(view.viewport(), &menu);
    EXPECT_EQ(hook.menus, 1);
}

TEST(TextViewTest, MarksShowOnlyWhenAsked) {
    Sample sample;
    QTextCursor(sample.main.get()).insertText(QStringLiteral("a b\tc\u3000d"));
    TextView view;
    view.setContent(sample.content());
    view.setTableGridShown(false);
    showView(view);
    const QImage plain = view.viewport()->grab().toImage();
    view.setControlCharactersShown(true);
    const QImage marked = view.viewport()->grab().toImage();
    EXPECT_NE(plain, marked);
    view.setControlCharactersShown(false);
    EXPECT_EQ(view.viewport()->grab().toImage(), plain);
}

TEST(TextViewTest, KeyboardMovesAndSelectsAndTheViewFollows) {
    Sample sample;
    sample.fill(80);
    TextView view;
    view.setContent(sample.content());
    view.setViewMode(TextView::PageView);
    view.setZoom(150);
    showView(view);

    QTest::keyClick(view.viewport(), Qt::Key_End, Qt::ControlModifier);
    EXPECT_EQ(view.textCursor().position(), sample.main->characterCount() - 1);
    EXPECT_TRUE(view.viewport()->rect().contains(view.caretRect()));
    EXPECT_EQ(view.currentPage(), view.pageCount());

    QTest::keyClick(view.viewport(), Qt::Key_Home, Qt::ControlModifier);
    EXPECT_TRUE(view.viewport()->rect().contains(view.caretRect()));
    QTest::keyClick(view.viewport(), Qt::Key_Right, Qt::ShiftModifier);
    QTest::keyClick(view.viewport(), Qt::Key_Right, Qt::ShiftModifier);
    EXPECT_EQ(view.textCursor().selectedText(), QStringLiteral("段落"));
}

TEST(TextViewTest, PagesGrowAsTheBackgroundLayoutGoes) {
    Sample sample;
    TextView view;
    view.setContent(sample.content());
    view.setViewMode(TextView::PageView);
    showView(view);

    // Loading an entry replaces the text of the document the view already shows.
    sample.main->clear();
    sample.fill(150);
    const qreal stride = view.geometry().page.height() + TextView::pageGap();
    const int expected = PageRenderer(sample.content()).pageCount();
    ASSERT_GT(expected, 3);
    const qreal height = expected * stride + TextView::pageGap();
    auto settled = [&] {
        return qAbs(view.sceneRect().height() - height) < 0.5 &&
               qAbs(sample.main->rootFrame()->frameFormat().leftMargin() -
                    view.geometry().body.left()) < 0.01;
    };
    for (int i = 0; i < 100 && !settled(); ++i)
        QTest::qWait(20);
    EXPECT_NEAR(view.sceneRect().height(), height, 0.5);
    EXPECT_NEAR(sample.main->rootFrame()->frameFormat().leftMargin(), view.geometry().body.left(),
                0.01)
        << "the margins a cleared document lost are back";
}

// Labels are drawn for what is laid out: a list far down a long entry must not make the first
// paint lay the whole entry out.
TEST(TextViewTest, ListLabelsFarDownDoNotLayOutTheWholeText) {
    Sample sample;
    QTextCursor(sample.main.get())
        .insertText(
            QStringLiteral("今日は朝から雨が降った。The meeting ran long.\n").repeated(3000));
    sample.addLists(true, 5);
    TextView view;
    view.resize(900, 700);
    view.setContent(sample.content());
    view.setViewMode(TextView::PageView);
    view.grab();
    EXPECT_EQ(sample.main->lastBlock().layout()->lineCount(), 0);
}

TEST(TextViewTest, ListLabelsQtCannotShowAreDrawnInBothViews) {
    auto grab = [](bool own, int mode) {
        Sample sample;
        sample.addLists(own, 1);
        TextView view;
        view.resize(900, 700);
        view.setContent(sample.content());
        view.setViewMode(mode);
        return view.grab().toImage();
    };
    for (int mode : {TextView::NormalView, TextView::PageView})
        EXPECT_EQ(grab(true, mode), grab(false, mode)) << mode;
}
