// The style commands through the editor: undo, the format carrier, headers in page view, the
// body style of a new entry and the 書式 menu at the caret.
#include "editor/bars/bands.h"
#include "editor/menus/context_menu.h"
#include "editor/styles/format_carrier.h"
#include "editor_fixture.h"
#include "platform/view/text_view.h"
#include "settings/yini.h"

#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>

using namespace editor;
using editortest::EditorTest;
using platform::TextSurface;

namespace {

class StyleCommandsTest : public EditorTest {
protected:
    QByteArray bytes() { return surface().saveToMemory(TextSurface::Internal); }
    // Runs a command and undoes it; the document must be exactly what it was.
    void expectUndoRestores(int code, const QVariant &argument) {
        const QByteArray before = bytes();
        editor->rtAct(code, argument);
        EXPECT_NE(bytes(), before) << code << " " << argument.toInt();
        editor->rtAct(11);
        EXPECT_EQ(bytes(), before) << code << " " << argument.toInt();
    }
};

} // namespace

TEST_F(StyleCommandsTest, UndoAfterEveryStyleCommandRestoresTheDocument) {
    editor->cTyp(1);
    editor->SetText(QStringLiteral("一行目\n二行目の文") + QChar(11) + QStringLiteral("三行目\n"));
    surface().setSelStart(6);
    expectUndoRestores(60, 0);
    surface().select(0, 9);
    expectUndoRestores(60, 3);
    surface().select(0, 3);
    expectUndoRestores(55, 0);
    expectUndoRestores(57, 1);
    expectUndoRestores(57, 8);
    surface().setSelStart(1);
    editor->rtAct(70);
    surface().select(4, 3);
    surface().setFontSize(20);
    surface().select(4, 3);
    expectUndoRestores(71, QVariant());
    surface().select(10, 0);
    surface().setSelText(QStringLiteral("  \n\n"));
    expectUndoRestores(24, QVariant());
}

TEST_F(StyleCommandsTest, FormatCarrierCopiesAndPastes) {
    const std::optional<CarriedFormat> initial = carrierOf(editor->frFmt()->cmTfm);
    ASSERT_TRUE(initial.has_value());
    EXPECT_EQ(initial->fontName, editor->userStyles().styles[settings::Body].fontName);
    EXPECT_EQ(initial->size, 10);

    editor->SetText(QStringLiteral("飾った文と普通の文"));
    surface().select(0, 5);
    surface().setFontName(QStringLiteral("IPAMincho"));
    surface().setFontSize(16);
    surface().setItalic(true);
    surface().setTextColor(0x0000c0);
    surface().setBackColor(0x00ffff);
    surface().setSelStart(1);
    editor->rtAct(70);
    EXPECT_EQ(surface().selStart(), 1);
    EXPECT_EQ(surface().selLength(), 0);
    QToolButton *button = editor->frFmt()->cmTfm;
    EXPECT_EQ(button->palette().color(QPalette::ButtonText), QColor(0xc0, 0, 0));
    EXPECT_EQ(button->palette().color(QPalette::Button), QColor(0xff, 0xff, 0));
    EXPECT_TRUE(button->font().italic());
    EXPECT_EQ(button->font().family(), QStringLiteral("IPAMincho"));

    surface().select(5, 4);
    editor->rtAct(71);
    EXPECT_TRUE(editor->bDcEdt());
    surface().select(6, 1);
    EXPECT_EQ(surface().fontName(), QStringLiteral("IPAMincho"));
    EXPECT_EQ(surface().fontSize(), 16);
    EXPECT_TRUE(surface().italic());
    EXPECT_EQ(surface().textColor(), 0x0000c0);
    EXPECT_EQ(surface().backColor(), 0x00ffff);
}

TEST_F(StyleCommandsTest, HeaderCommandShowsPageView) {
    editor->SetText(QStringLiteral("本文"));
    editor->rtAct(57, 1);
    editor->rtAct(57, 1);
    EXPECT_EQ(editor->view()->viewMode(), platform::TextView::PageView);
    bool hdP = false, hdF = true, ftP = true, ftF = true;
    editor->HeadFtMn(hdP, hdF, ftP, ftF);
    EXPECT_TRUE(hdP);
    EXPECT_FALSE(hdF || ftP || ftF);
    EXPECT_EQ(surface().areaDocument(1)->toPlainText(), QStringLiteral("Header"));
    EXPECT_TRUE(editor->bDcEdt());
    editor->rtAct(57, -1);
    editor->HeadFtMn(hdP, hdF, ftP, ftF);
    EXPECT_FALSE(hdP);
}

TEST_F(StyleCommandsTest, DiaryEditorHeadingMenuDoesNothing) {
    editor->SetText(QStringLiteral("日記の一行"));
    surface().setSelStart(2);
    const QByteArray before = bytes();
    for (int style : {0, 1, 2}) {
        editor->rtAct(60, style);
        EXPECT_EQ(bytes(), before);
    }
    EXPECT_TRUE(dialogs->shown.isEmpty());
}

TEST_F(StyleCommandsTest, MenuFollowsTheCaret) {
    ContextMenu &menu = editor->contextMenu();
    const auto showAndClose = [&] {
        QTimer::singleShot(0, menu.menu(), [&menu] { menu.menu()->close(); });
        editor->showContextMenu(QPoint(10, 10));
    };
    editor->SetText(QStringLiteral("強調した文"));
    surface().select(0, 5);
    editor->rtAct(60, settings::Emphasis);
    surface().setSelStart(2);
    showAndClose();
    EXPECT_TRUE(menu.styleChecked(settings::Emphasis));
    EXPECT_FALSE(menu.styleChecked(settings::Body));
    EXPECT_FALSE(menu.action(QStringLiteral("表題1"))->isEnabled());
    EXPECT_TRUE(menu.action(QStringLiteral("本文"))->isEnabled());
    EXPECT_TRUE(menu.action(QStringLiteral("書式の貼り付け"))->isEnabled());

    editor->cTyp(1);
    editor->rtAct(2);
    showAndClose();
    EXPECT_TRUE(menu.action(QStringLiteral("表題1"))->isEnabled());
    EXPECT_TRUE(menu.styleChecked(settings::Body));
}

// The start-up path: the styles in the settings store reach a new entry typed into the view and
// its HTML export.
TEST(NewEntryStyleTest, TypedTextHasTheBodyStyle) {
    settings::releaseStore();
    testsupport::ScriptedDialogsGuard dialogs;
    settings::UserStyleTable table = settings::UserStyleTable::defaults();
    table.styles[settings::Body].fontName = QStringLiteral("IPAMincho");
    table.styles[settings::Body].size = 12;
    table.styles[settings::Body].textColor = 0x400000;
    settings::UsrStyleSave(settings::store(), table);
    {
        uTxm editor;
        editor.cOn(0, 0);
        editor.rtAct(2);
        editor.resize(800, 600);
        editor.show();
        editor.view()->setFocus();
        QCoreApplication::processEvents();
        EXPECT_EQ(editor.vButton()->shown().fontName, QStringLiteral("IPAMincho"));
        EXPECT_EQ(editor.vButton()->shown().size, 12);
        QTest::keyClicks(editor.view()->viewport(), QStringLiteral("abc"));
        TextSurface &s = editor.surface();
        ASSERT_EQ(s.text(), QStringLiteral("abc"));
        s.select(1, 1);
        EXPECT_EQ(s.fontName(), QStringLiteral("IPAMincho"));
        EXPECT_EQ(s.fontSize(), 12);
        EXPECT_EQ(s.textColor(), 0x400000);

        QTemporaryDir folder;
        const QString page = folder.filePath(QStringLiteral("entry.htm"));
        ASSERT_TRUE(s.saveFile(page, TextSurface::Html));
        QFile file(page);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QString html = QString::fromUtf8(file.readAll());
        EXPECT_TRUE(html.contains(QStringLiteral("font-family:'IPAMincho';font-size:12pt")))
            << html.toStdString();
        EXPECT_FALSE(html.contains(QStringLiteral("font-size:9pt")));
    }
    settings::releaseStore();
}

TEST_F(StyleCommandsTest, TidyJoinsTrimsAndRecoloursMarkers) {
    editor->SetText(QStringLiteral("一つ目\n"));
    surface().setSelStart(4);
    const int id = surface().insertField(QStringLiteral("タグ"));
    surface().setFieldData(QStringLiteral("TG_1"), id);
    surface().setFieldLinkKind(2, id);
    surface().setSelText(QStringLiteral("の後\n\n　"));
    surface().select(4, 2);
    surface().setTextColor(0x0000ff);
    surface().setUnderline(false);
    editor->rtAct(24);
    EXPECT_EQ(surface().text(), QStringLiteral("一つ目") + QChar(11) + QStringLiteral("タグの後"));
    surface().select(4, 1);
    EXPECT_EQ(surface().textColor(), 0x808000);
    EXPECT_TRUE(surface().underline());
}

TEST_F(StyleCommandsTest, TitleBecomesTheFirstHeadingInADocumentEditor) {
    uTxm shown;
    shown.cOn(0, 1, true);
    shown.show();
    shown.txTitle()->setText(QStringLiteral("表題の行"));
    QTest::keyClick(shown.txTitle(), Qt::Key_Return);
    ASSERT_EQ(shown.surface().text(), QStringLiteral("表題の行"));
    shown.surface().select(1, 1);
    EXPECT_EQ(shown.surface().fontSize(), 14);
    EXPECT_TRUE(shown.surface().bold());
}
