// What a new user meets first: the window's size and place, the key captions, the focus.
#include "editor/bars/bands.h"
#include "main_fixture.h"
#include "platform/text/text_surface.h"
#include "platform/view/text_view.h"
#include "platform/widgets/calendar.h"
#include "platform/widgets/grid.h"
#include "settings/user_styles.h"
#include "windows/main/win_pos.h"

#include <QApplication>
#include <QComboBox>
#include <QScreen>
#include <QTest>
#include <QToolButton>

using namespace mainwin;
using mainwintest::MainWindowTest;

namespace {

// Every key shows its caption whole, and the font box has room for a whole name.
void expectReadable(fmTxt &w, const char *where) {
    QCoreApplication::processEvents();
    for (int number = 1; number <= 12; ++number) {
        const QToolButton *key = w.keyBar()->keyButton(number);
        // The hint is the caption, a space either side and the button's frame.
        const QFontMetrics metrics(key->font());
        const int text = metrics.size(Qt::TextShowMnemonic, key->text()).width();
        const int frame = key->sizeHint().width() - text - 2 * metrics.horizontalAdvance(u' ');
        EXPECT_GE(key->width() - frame, text)
            << where << ": key " << number << " \"" << key->text().toStdString() << "\"";
    }
    const auto *font =
        w.editorControl()->vButton()->findChild<QComboBox *>(QStringLiteral("fontName"));
    ASSERT_NE(font, nullptr);
    const int name = font->fontMetrics().horizontalAdvance(QStringLiteral("ＭＳ Ｐゴシック"));
    EXPECT_GT(font->width(), name) << where;
    const QRect inEditor(font->mapTo(w.editorControl(), QPoint(0, 0)), font->size());
    EXPECT_TRUE(w.editorControl()->rect().contains(inEditor)) << where;
}

} // namespace

TEST(WindowPlacement, FirstWindowTakesMostOfTheScreenCentred) {
    const QRect wide(0, 0, 1600, 1000);
    EXPECT_EQ(firstPlacement(wide, QSize(700, 500)), QRect(160, 100, 1280, 800));
    const QRect small(0, 0, 1024, 768);
    const QRect placed = firstPlacement(small, QSize(900, 500));
    EXPECT_EQ(placed.size(), QSize(900, 614));
    EXPECT_EQ(placed.center(), small.center());
    // A minimum larger than the screen still stays on it.
    EXPECT_TRUE(small.contains(firstPlacement(small, QSize(2000, 2000))));
}

TEST(WindowPlacement, LostWindowComesBackToTheNearestScreen) {
    const QList<QRect> screens = {QRect(0, 0, 1600, 1000), QRect(1600, 0, 1024, 768)};
    // Shown on either screen: kept.
    EXPECT_EQ(ontoScreens(QRect(100, 50, 800, 600), screens), QRect(100, 50, 800, 600));
    EXPECT_EQ(ontoScreens(QRect(1700, 100, 800, 600), screens), QRect(1700, 100, 800, 600));
    // A screen that is gone: far right, so the right-hand screen is nearest.
    const QRect back = ontoScreens(QRect(5000, 200, 800, 600), screens);
    EXPECT_TRUE(screens.at(1).contains(back)) << back.x() << "," << back.y();
    EXPECT_EQ(back.size(), QSize(800, 600));
    // Above the top with only the bottom edge visible: the title bar is what counts.
    const QRect above = ontoScreens(QRect(100, -590, 800, 600), screens);
    EXPECT_TRUE(screens.at(0).contains(above));
    // Larger than the screen it comes back to.
    EXPECT_TRUE(
        screens.at(1).contains(ontoScreens(QRect(9000, 9000, 3000, 3000), {screens.at(1)})));
}

TEST_F(MainWindowTest, FirstStartFillsTheScreenAndEveryCaptionIsWhole) {
    fmTxt &w = open();
    const QRect available = QGuiApplication::primaryScreen()->availableGeometry();
    const QRect placed(w.pos(), w.size());
    EXPECT_TRUE(available.contains(placed));
    EXPECT_LE((placed.center() - available.center()).manhattanLength(), 2);
    EXPECT_GE(w.width(), available.width() * 8 / 10 - 1);
    EXPECT_GE(w.height(), available.height() * 8 / 10 - 1);

    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    for (const QSize screen : {QSize(1600, 1000), QSize(1024, 768)}) {
        const QRect placed = firstPlacement(QRect(QPoint(), screen), w.minimumSizeHint());
        w.resize(placed.size());
        expectReadable(w, screen.width() == 1600 ? "1600x1000" : "1024x768");
    }
    // The smallest window the program allows, for every calendar width.
    for (int columns = 0; columns < 3; ++columns) {
        w.SetCalCols(columns, false);
        w.resize(50, 50);
        expectReadable(w, "smallest");
    }
}

TEST_F(MainWindowTest, StoredPositionOffEveryScreenIsBroughtBack) {
    writeWinPos(ini(), {200000, 150000, 9000, 7000});
    fmTxt &w = open();
    const QRect available = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_TRUE(available.contains(w.pos())) << w.pos().x() << "," << w.pos().y();
    EXPECT_EQ(w.size(), toPixels({0, 0, 9000, 7000}, w.logicalDpiX()).size());
}

TEST_F(MainWindowTest, TypingGoesIntoTheEntryAfterStartAndAfterADateClick) {
    fmTxt &w = open();
    w.show();
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    EXPECT_EQ(QApplication::focusWidget(), w.editorControl()->view());

    w.calendar()->setFocus();
    const QDate target = QDate::currentDate().addDays(QDate::currentDate().day() > 15 ? -3 : 3);
    QTest::mouseClick(w.calendar(), Qt::LeftButton, {}, w.calendar()->dayRect(target).center());
    EXPECT_EQ(w.CurKey(), diary::entryKey(target));
    EXPECT_EQ(QApplication::focusWidget(), w.editorControl()->view());
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("abc"));
    EXPECT_EQ(editorText(), QStringLiteral("abc"));

    // Keyboard moves in the calendar keep the calendar's focus.
    w.calendar()->setFocus();
    QTest::keyClick(w.calendar(), Qt::Key_Right);
    EXPECT_EQ(QApplication::focusWidget(), static_cast<QWidget *>(w.calendar()));
}

TEST_F(MainWindowTest, FirstEntryShowsTheBodyStyleInTheFontBox) {
    fmTxt &w = open();
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    const settings::UserStyle body = settings::UserStyleTable::defaults().styles[settings::Body];
    editor::uTxm *editor = w.editorControl();
    EXPECT_EQ(editor->surface().fontName(), body.fontName);
    EXPECT_EQ(editor->vButton()->shown().fontName, body.fontName);
    EXPECT_EQ(editor->vButton()->shown().size, body.size);
}
