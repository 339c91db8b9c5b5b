#include "editor/bars/rulers.h"
#include "editor/menus/context_menu.h"
#include "editor_fixture.h"
#include "platform/view/text_view.h"

#include <QAction>
#include <QLineEdit>
#include <QTest>

using namespace editor;
using editortest::EditorTest;

namespace {

class InputTest : public EditorTest {
protected:
    void SetUp() override {
        EditorTest::SetUp();
        editor->resize(800, 600);
        editor->show();
        editor->activateWindow();
        editor->view()->setFocus();
        QCoreApplication::processEvents();
    }
    void press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(editor->view()->viewport(), Qt::Key(key), modifiers);
    }
};

} // namespace

TEST_F(InputTest, EnterInBodyTextIsALineBreak) {
    editor->SetText(QStringLiteral("本文"));
    surface().setSelStart(2);
    press(Qt::Key_Return);
    EXPECT_EQ(surface().text(), QStringLiteral("本文") + QChar(11));
    press(Qt::Key_Return, Qt::ShiftModifier);
    EXPECT_EQ(surface().text(), QStringLiteral("本文") + QChar(11) + QChar(10));
    EXPECT_TRUE(editor->bDcEdt());

    editor->userStyles().enterIsLineBreak = false;
    editor->SetText(QStringLiteral("本文"));
    surface().setSelStart(2);
    press(Qt::Key_Return);
    EXPECT_EQ(surface().text(), QStringLiteral("本文\n"));
}

TEST_F(InputTest, ControlKeysRunCommands) {
    QSignalSpy done(editor.get(), &uTxm::CommandDone);
    editor->SetText(QStringLiteral("字"));
    formatDialogs->confirm = false;
    editor->contextMenu().action(QStringLiteral("ﾌｫﾝﾄ(&F)"))->trigger();
    editor->actOnMenu();
    ASSERT_EQ(formatDialogs->fontCalls, 1);
    press(Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(formatDialogs->fontCalls, 2);
    press(Qt::Key_Z, Qt::ControlModifier);
    ASSERT_FALSE(done.isEmpty());
    EXPECT_EQ(done.last().at(0).toInt(), 11);
    press(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(done.last().at(0).toInt(), 15);
}

TEST_F(InputTest, TitleEnterStartsTheEntry) {
    uTxm shown;
    shown.cOn(0, 0, true);
    shown.show();
    shown.txTitle()->setText(QStringLiteral("雪の日"));
    QTest::keyClick(shown.txTitle(), Qt::Key_Return);
    EXPECT_EQ(shown.surface().text(), QStringLiteral("雪の日"));
    // Only an empty document takes the title.
    QTest::keyClick(shown.txTitle(), Qt::Key_Return);
    EXPECT_EQ(shown.surface().text(), QStringLiteral("雪の日"));
}

TEST_F(InputTest, DraggingTheLeftIndentMarker) {
    editor->rtAct(27, 5);
    editor->SetText(QStringLiteral("段落"));
    surface().setSelStart(1);
    QCoreApplication::processEvents();
    editor->refreshStatus();
    HorizontalRuler *ruler = editor->vRuler();
    ASSERT_TRUE(ruler->isVisible());
    QSignalSpy edited(ruler, &HorizontalRuler::indentsEdited);
    const RulerGeometry &g = ruler->geometryValues();
    const int y = ruler->height() - 3;
    const QPoint from(qRound(ruler->xOf(g.marginStart)), y);
    const QPoint to(qRound(ruler->xOf(g.marginStart + 567)), y);
    QTest::mousePress(ruler, Qt::LeftButton, Qt::NoModifier, from);
    QTest::mouseMove(ruler, to);
    QTest::mouseRelease(ruler, Qt::LeftButton, Qt::NoModifier, to);
    ASSERT_EQ(edited.count(), 1);
    EXPECT_NEAR(surface().leftIndent(), 567, 30);
    EXPECT_TRUE(editor->bDcEdt());
}

TEST_F(InputTest, ActivatedLinkReachesTheHost) {
    editor->SetText(QStringLiteral("リンク"));
    surface().select(0, 3);
    const int id = surface().insertField(QStringLiteral("リンク"));
    ASSERT_GT(id, 0);
    surface().setFieldData(QStringLiteral("https://example.org/"), id);
    QSignalSpy links(editor.get(), &uTxm::LinkClicked);
    emit editor->view()->fieldActivated(id);
    ASSERT_EQ(links.count(), 1);
    EXPECT_EQ(links.at(0).at(0).toString(), QStringLiteral("LK"));
    EXPECT_EQ(links.at(0).at(2).toString(), QStringLiteral("https://example.org/"));
    surface().setFieldData(QStringLiteral("TP_説明"), id);
    emit editor->view()->fieldActivated(id);
    EXPECT_EQ(links.count(), 1);
}

TEST_F(InputTest, ImeOffKeepsItClosedOnOpen) {
    bool ok = false;
    editor->SetData(QByteArray(), ok, true);
    EXPECT_FALSE(editor->imeOpen());
    editor->txTitle()->setFocus();
    EXPECT_FALSE(editor->imeOpen());
}
