#include "test_host.h"

#include "keybar/bar_layout.h"
#include "keybar/status_panel.h"
#include "keybar/ufky.h"

#include <QProgressBar>
#include <QTest>
#include <QTextEdit>
#include <QToolButton>
#include <gtest/gtest.h>

using namespace keybar;

namespace {

// The host window as the main window lays it out: an editor above the key bar.
struct Bar : ::testing::Test {
    Bar() {
        auto *layout = host.window()->layout();
        editor = new QTextEdit(host.window());
        bar = new uFky(host.window());
        layout->addWidget(editor);
        layout->addWidget(bar);
        host.window()->resize(900, 400);
        bar->cOn(&host, true);
        for (const KeyRegistration &k : kMainKeys)
            bar->cKey(QString::fromUtf8(k.key), k.menu, k.index, QString::fromUtf8(k.caption),
                      QString::fromUtf8(k.tooltip));
        host.window()->show();
        editor->setFocus();
    }

    TestHost host;
    QTextEdit *editor;
    uFky *bar;
};

} // namespace

TEST_F(Bar, FunctionKeyReachesTheHostWhileTheEditorHasFocus) {
    QTest::keyClick(editor, Qt::Key_F5);
    QTest::keyClick(editor, Qt::Key_F10, Qt::ShiftModifier);
    ASSERT_EQ(host.calls.size(), 2);
    EXPECT_EQ(host.calls.at(0), qMakePair(9, 0));
    EXPECT_EQ(host.calls.at(1), qMakePair(2, 0));
    EXPECT_TRUE(editor->toPlainText().isEmpty());
}

TEST_F(Bar, ButtonClickRunsItsEntry) {
    QTest::mouseClick(bar->keyButton(1), Qt::LeftButton);
    QTest::mouseClick(bar->keyButton(9), Qt::LeftButton);
    ASSERT_EQ(host.calls.size(), 2);
    EXPECT_EQ(host.calls.at(0), qMakePair(10, 0));
    EXPECT_EQ(host.calls.at(1), qMakePair(2, 5));
    EXPECT_EQ(bar->keyButton(1)->focusPolicy(), Qt::NoFocus);
}

TEST_F(Bar, DisabledKeyDoesNothing) {
    host.action(2, 5)->setEnabled(false);
    bar->SetEnbByMenu();
    EXPECT_FALSE(bar->keyButton(9)->isEnabled());
    QTest::keyClick(editor, Qt::Key_F9);
    QTest::mouseClick(bar->keyButton(9), Qt::LeftButton);
    EXPECT_TRUE(host.calls.isEmpty());

    host.action(2, 5)->setEnabled(true);
    bar->SetEnbByMenu();
    QTest::keyClick(editor, Qt::Key_F9);
    EXPECT_EQ(host.calls.size(), 1);
}

TEST_F(Bar, KeysOutsideTheHostWindowOrAfterSwitchOffAreIgnored) {
    QTextEdit other;
    other.show();
    QTest::keyClick(&other, Qt::Key_F1);
    EXPECT_TRUE(host.calls.isEmpty());

    bar->cOff();
    QTest::keyClick(editor, Qt::Key_F1);
    EXPECT_TRUE(host.calls.isEmpty());
    EXPECT_TRUE(bar->keyMap().isEmpty());
}

TEST_F(Bar, CtrlShowsTheSecondSetUntilReleased) {
    QTest::keyPress(editor, Qt::Key_Control, Qt::ControlModifier);
    EXPECT_EQ(bar->keyRow().keySet(), QChar(u'C'));
    EXPECT_TRUE(bar->keyButton(1)->text().isEmpty());
    QTest::keyRelease(editor, Qt::Key_Control);
    EXPECT_EQ(bar->keyRow().keySet(), QChar(u'F'));
    EXPECT_EQ(bar->keyButton(1)->text(), QStringLiteral("F1 最初"));

    // Ctrl+F1 is key C1, which nothing is bound to; the set falls back to "F" afterwards.
    bar->modifierChanged(2);
    EXPECT_EQ(bar->keyRow().keySet(), QChar(u'C'));
    EXPECT_FALSE(bar->keyPressed(1, 2));
    EXPECT_TRUE(host.calls.isEmpty());
    EXPECT_EQ(bar->keyRow().keySet(), QChar(u'F'));

    bar->modifierChanged(2);
    bar->SetDef();
    EXPECT_EQ(bar->keyRow().keySet(), QChar(u'F'));
}

TEST_F(Bar, ButtonsShowCaptionsTooltipsAndGroups) {
    for (const KeyRegistration &k : kMainKeys) {
        const int number = QString::fromLatin1(k.key).mid(1).toInt();
        EXPECT_EQ(bar->keyButton(number)->text(),
                  QString::fromLatin1(k.key) + u' ' + QString::fromUtf8(k.caption));
        EXPECT_EQ(bar->keyButton(number)->toolTip(), QString::fromUtf8(k.tooltip));
        EXPECT_TRUE(bar->keyButton(number)->isVisible());
    }
    const auto gap = [this](int left) {
        return bar->keyButton(left + 1)->geometry().left() -
               bar->keyButton(left)->geometry().right();
    };
    EXPECT_GT(gap(4), gap(3));
    EXPECT_GT(gap(8), gap(7));
    EXPECT_EQ(gap(1), gap(2));
}

TEST_F(Bar, HostMayDeleteTheBarFromItsDispatcher) {
    host.onMenu = [this](int, int) { delete bar; };
    QTest::keyClick(editor, Qt::Key_F4);
    EXPECT_EQ(host.calls.size(), 1);
    QTest::keyClick(editor, Qt::Key_F4);
    EXPECT_EQ(host.calls.size(), 1);
}

TEST(BarLayout, FullRowNeverShowsThePanel) {
    EXPECT_FALSE(barLayout(QStringLiteral("4|4|4"), 20000, 2000).panelShown);
    EXPECT_EQ(barLayout(QStringLiteral("4|4|4"), 20000, 2000).keys, QRect(0, 0, 20000, 2000));
    EXPECT_FALSE(barLayout(QString(), 10000, 500).panelShown);
}

TEST(BarLayout, PanelGoesBesideOrBelowTheKeys) {
    const BarGeometry wide = barLayout(QString(), 12000, 300);
    ASSERT_TRUE(wide.panelShown);
    EXPECT_EQ(wide.keys, QRect(0, 0, 8640, 300));
    EXPECT_EQ(wide.panel, QRect(8640, 0, 3360, 300));

    const BarGeometry tall = barLayout(QString(), 5000, 600);
    ASSERT_TRUE(tall.panelShown);
    EXPECT_EQ(tall.keys, QRect(0, 0, 5000, 270));
    EXPECT_EQ(tall.panel, QRect(0, 270, 5000, 330));

    EXPECT_EQ(barLayout(QString(), 10001, 499).keys.width(), 7201);
}

TEST(StatusPanel, OptionPicksIconAndColour) {
    QWidget window;
    uFky bar(&window);
    bar.PanelTx(QStringLiteral("保存しました"), 1);
    EXPECT_EQ(bar.panel()->icon(), 3);
    EXPECT_EQ(bar.panel()->textColor(), QColor(Qt::black));
    EXPECT_EQ(bar.panel()->text(), QStringLiteral("保存しました     "));
    bar.PanelTx(QStringLiteral("e"), 4);
    EXPECT_EQ(bar.panel()->icon(), 1);
    EXPECT_EQ(bar.panel()->textColor(), QColor(255, 0, 0));
    bar.PanelTx(QStringLiteral("q"), 2);
    EXPECT_EQ(bar.panel()->textColor(), QColor(0, 0, 255));
    bar.PanelTx(QStringLiteral("i"), 7);
    EXPECT_EQ(bar.panel()->icon(), 0);
    EXPECT_EQ(bar.panel()->textColor(), QColor(0, 0x80, 0x80));

    // Every icon is a picture of its own.
    for (int a = 0; a < StatusPanel::kIconCount; ++a)
        for (int b = a + 1; b < StatusPanel::kIconCount; ++b)
            EXPECT_NE(StatusPanel::iconPixmap(a, 16).toImage(),
                      StatusPanel::iconPixmap(b, 16).toImage());
}

TEST(ProgressBar, TakesThePanelsPlaceAndGivesItBack) {
    TestHost host;
    uFky bar(host.window());
    bar.cOn(&host, false);
    bar.resize(1000, 24);
    host.window()->show();
    ASSERT_TRUE(bar.panel()->isVisible());
    const QRect panel = bar.panel()->geometry();
    EXPECT_GT(panel.left(), bar.width() / 2);

    bar.pbMax(10);
    EXPECT_TRUE(bar.progressBar()->isVisible());
    EXPECT_FALSE(bar.panel()->isVisible());
    EXPECT_EQ(bar.progressBar()->geometry(), panel);
    EXPECT_EQ(bar.progressBar()->maximum(), 10);
    bar.pbVAL(4);
    EXPECT_EQ(bar.progressBar()->value(), 4);

    bar.pbMax(0);
    EXPECT_FALSE(bar.progressBar()->isVisible());
    EXPECT_TRUE(bar.panel()->isVisible());
}

TEST(ProgressBar, CoversAFullRowThatHasNoPanel) {
    TestHost host;
    uFky bar(host.window());
    bar.cOn(&host, true);
    bar.resize(1000, 24);
    host.window()->show();
    EXPECT_FALSE(bar.panel()->isVisible());

    bar.pbMax(5);
    EXPECT_TRUE(bar.progressBar()->isVisible());
    EXPECT_EQ(bar.progressBar()->geometry(), bar.rect());
    bar.pbMax(-1);
    EXPECT_FALSE(bar.progressBar()->isVisible());
    EXPECT_FALSE(bar.panel()->isVisible());
}
