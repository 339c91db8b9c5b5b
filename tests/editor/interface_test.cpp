#include "editor/bars/bands.h"
#include "editor/bars/font_name_box.h"
#include "editor/colours.h"
#include "editor/menus/context_menu.h"
#include "editor_fixture.h"
#include "platform/view/text_view.h"
#include "settings/yini.h"
#include "test_images.h"

#include <QAction>
#include <QBuffer>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFontDatabase>
#include <QImage>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>

using namespace editor;
using editortest::EditorTest;
using platform::Answer;

namespace {

QByteArray pngBytes() {
    return testsupport::pngBytes(8, 8, Qt::red);
}

} // namespace

TEST_F(EditorTest, ChkUdtAnswers) {
    QSignalSpy saves(editor.get(), &uTxm::SaveRequested);
    QSignalSpy edited(editor.get(), &uTxm::EditedChanged);

    bool cancel = false;
    editor->ChkUdt(cancel); // unchanged: nothing is asked
    EXPECT_FALSE(cancel);
    EXPECT_TRUE(dialogs->shown.isEmpty());

    type(QStringLiteral("今日の日記"));
    ASSERT_TRUE(editor->bDcEdt());

    dialogs->answers.enqueue(Answer::Cancel);
    editor->ChkUdt(cancel);
    EXPECT_TRUE(cancel);
    EXPECT_TRUE(editor->bDcEdt());
    EXPECT_EQ(saves.count(), 0);
    ASSERT_EQ(dialogs->messages(), QStringList{QStringLiteral("現在の文書を保存しますか")});
    EXPECT_EQ(dialogs->shown.at(0).buttons, platform::Buttons::YesNoCancel);

    cancel = false;
    edited.clear();
    dialogs->answers.enqueue(Answer::No);
    editor->ChkUdt(cancel);
    EXPECT_FALSE(cancel);
    EXPECT_FALSE(editor->bDcEdt());
    ASSERT_EQ(edited.count(), 1);
    EXPECT_FALSE(edited.at(0).at(0).toBool());
    EXPECT_EQ(saves.count(), 0);

    type(QStringLiteral("追記"));
    dialogs->answers.enqueue(Answer::Yes);
    editor->ChkUdt(cancel);
    EXPECT_EQ(saves.count(), 1);
    EXPECT_FALSE(editor->bDcEdt());
    EXPECT_FALSE(cancel);
}

TEST_F(EditorTest, ChkUdtNegativeTypeAsksNothing) {
    editor->cTyp(-1);
    type(QStringLiteral("メモ"));
    bool cancel = false;
    editor->ChkUdt(cancel);
    EXPECT_TRUE(dialogs->shown.isEmpty());
    EXPECT_FALSE(cancel);
    EXPECT_TRUE(editor->bDcEdt());
}

TEST_F(EditorTest, PageCountInPageViewFollowsTheBackgroundLayout) {
    QString text;
    for (int i = 1; i <= 2500; ++i)
        text += QStringLiteral("%1 行目。今日は朝から雨が降った。\n").arg(i);
    type(text);
    QByteArray bytes;
    QString plain, title;
    bool ok = false;
    editor->GetData(bytes, plain, title, ok);
    ASSERT_TRUE(ok);
    editor->SetData(QByteArray(), ok, true);
    platform::TextView *view = editor->view();
    view->setViewMode(platform::TextView::PageView);

    editor->SetData(bytes, ok, true);
    ASSERT_TRUE(ok);
    EXPECT_EQ(surface().document()->lastBlock().layout()->lineCount(), 0)
        << "the status line does not lay the whole entry out";
    for (int i = 0; i < 200 && surface().document()->lastBlock().layout()->lineCount() == 0; ++i)
        QTest::qWait(10);
    QCoreApplication::processEvents();
    const int pages = view->pageCount();
    EXPECT_GT(pages, 10);
    EXPECT_TRUE(editor->vStatus()->text().startsWith(QStringLiteral("ﾍﾟｰｼﾞ 1/%1 ").arg(pages)))
        << editor->vStatus()->text().toStdString();
}

TEST_F(EditorTest, SetDataPromptsOnlyWhenItShould) {
    type(QStringLiteral("一行目\n二行目"));
    QByteArray bytes;
    QString text, title;
    bool ok = false;
    editor->GetData(bytes, text, title, ok);
    ASSERT_TRUE(ok);
    EXPECT_EQ(text, QStringLiteral("一行目\n二行目"));

    QSignalSpy saves(editor.get(), &uTxm::SaveRequested);
    editor->SetData(bytes, ok, true);
    EXPECT_TRUE(ok);
    EXPECT_TRUE(dialogs->shown.isEmpty());
    EXPECT_FALSE(editor->bDcEdt());
    EXPECT_EQ(surface().text(), QStringLiteral("一行目\n二行目"));

    type(QStringLiteral("変更"));
    dialogs->answers.enqueue(Answer::No);
    editor->SetData(bytes, ok);
    EXPECT_EQ(dialogs->shown.size(), 1);
    EXPECT_EQ(dialogs->shown.at(0).buttons, platform::Buttons::YesNo);
    EXPECT_FALSE(editor->bDcEdt());
    EXPECT_EQ(saves.count(), 0);

    // "上書": the old document is stored without a question before the new one loads.
    editor->values().updateMode = QStringLiteral("上書");
    type(QStringLiteral("上書きされる"));
    QString savedText;
    QObject::connect(editor.get(), &uTxm::SaveRequested, editor.get(), [&] {
        QByteArray b;
        QString t;
        bool k = false;
        editor->GetData(b, savedText, t, k);
    });
    editor->SetData(bytes, ok);
    EXPECT_EQ(dialogs->shown.size(), 1);
    EXPECT_EQ(saves.count(), 1);
    EXPECT_TRUE(savedText.startsWith(QStringLiteral("上書きされる")));
    EXPECT_EQ(surface().text(), QStringLiteral("一行目\n二行目"));
    EXPECT_FALSE(editor->bDcEdt());

    // "無視": neither asks nor saves.
    editor->values().updateMode = QStringLiteral("無視");
    type(QStringLiteral("捨てる"));
    editor->SetData(bytes, ok);
    EXPECT_EQ(dialogs->shown.size(), 1);
    EXPECT_EQ(saves.count(), 1);
}

TEST_F(EditorTest, EditedChangedOnEveryAssignment) {
    QSignalSpy edited(editor.get(), &uTxm::EditedChanged);
    editor->setBDcEdt(false);
    editor->setBDcEdt(false);
    ASSERT_EQ(edited.count(), 2);
    EXPECT_FALSE(edited.at(1).at(0).toBool());
    bool ok = true;
    editor->InsData(QByteArray(), ok);
    EXPECT_TRUE(editor->bDcEdt());
}

TEST_F(EditorTest, HaveData) {
    EXPECT_FALSE(editor->bHaveData());
    type(QStringLiteral("  \n \n\n　"));
    EXPECT_FALSE(editor->bHaveData());
    bool exists = true, overwrite = true;
    editor->ChkJbMn0(exists, overwrite);
    EXPECT_FALSE(exists);
    EXPECT_FALSE(overwrite);
    editor->SetText(QString());
    ASSERT_GT(surface().insertPictureData(pngBytes()), 0);
    EXPECT_TRUE(editor->bHaveData());
    type(QStringLiteral("x"));
    editor->ChkJbMn0(exists, overwrite);
    EXPECT_TRUE(exists);
    EXPECT_TRUE(overwrite);
}

TEST_F(EditorTest, TitleDerivation) {
    editor->SetText(QStringLiteral("一行だけ"));
    EXPECT_EQ(editor->Title(), QString());
    editor->SetText(QStringLiteral("表題\n本文"));
    EXPECT_EQ(editor->Title(), QStringLiteral("表題"));
    editor->SetText(QStringLiteral("前") + QChar(11) + QStringLiteral("後\n本文"));
    EXPECT_EQ(editor->Title(), QStringLiteral("前"));
    EXPECT_FALSE(editor->bDcEdt());

    uTxm shown;
    shown.cOn(0, 0, true);
    shown.setTitle(QStringLiteral("箱の表題"));
    EXPECT_FALSE(shown.bDcEdt()); // set while busy
    EXPECT_EQ(shown.Title(), QStringLiteral("箱の表題"));
    shown.txTitle()->setText(QStringLiteral("打った"));
    EXPECT_TRUE(shown.bDcEdt());
    QByteArray bytes;
    QString text, title;
    bool ok = false;
    shown.GetData(bytes, text, title, ok);
    EXPECT_EQ(title, QStringLiteral("打った"));
}

TEST_F(EditorTest, FindWordStopsAtBlank) {
    editor->SetText(QStringLiteral("今日は晴れ 明日は雨"));
    editor->FndWd(QStringLiteral("明日 雨"));
    EXPECT_EQ(editor->SelTxt(), QStringLiteral("明日"));
    EXPECT_EQ(surface().selStart(), 6);
}

TEST_F(EditorTest, PageWidthInPixels) {
    EXPECT_EQ(editor->PageWdIn(), 816);
}

TEST_F(EditorTest, PlainTextWithHeadingMarks) {
    editor->SetText(QStringLiteral("見出し\n本文です\n"));
    const settings::UserStyle &h1 = editor->userStyles().styles[settings::Heading1];
    surface().select(0, 3);
    surface().setLeftIndent(200);
    surface().setFontName(h1.fontName);
    surface().setFontSize(h1.size);
    surface().setTextColor(h1.textColor);
    surface().setBold(true);
    const settings::UserStyle &body = editor->userStyles().styles[settings::Body];
    surface().select(4, 4);
    surface().setFontName(body.fontName);
    surface().setFontSize(body.size);
    surface().setTextColor(body.textColor);
    surface().setBold(false);
    surface().setSelStart(2);
    QString text, caption;
    editor->GetMTxt(text, caption);
    EXPECT_EQ(caption, QStringLiteral("見出し"));
    EXPECT_EQ(text, QString(30, u'-') + QStringLiteral("\r\n見出し\r\n") + QString(30, u'-') +
                        QStringLiteral("\r\n本文です"));
    EXPECT_EQ(surface().selStart(), 2);
}

TEST_F(EditorTest, PlainTextKeepsIndentsAndLineBreaksAtLineEdges) {
    editor->SetText(QStringLiteral("  \u3000字下げの段落\v \n本文\n"));
    QString text, caption;
    editor->GetMTxt(text, caption);
    EXPECT_EQ(text, QStringLiteral("\u3000字下げの段落\r\n\r\n本文"));
}

TEST_F(EditorTest, SetTextIsNotAnUndoStep) {
    editor->SetText(QStringLiteral("読み込んだ文"));
    EXPECT_FALSE(surface().canUndo());
    editor->view()->setFocus();
    QTest::keyClick(editor->view()->viewport(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(surface().text(), QStringLiteral("読み込んだ文"));
}

TEST_F(EditorTest, SwitchOffDeletesTemporaryPictures) {
    QTemporaryDir work;
    settings::appValues().wrkDir = work.path() + u'/';
    for (const char *name : {"a.png", "b.png", "keep.bmp"}) {
        QFile file(QDir(work.path()).filePath(QString::fromLatin1(name)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    editor->cOff();
    EXPECT_FALSE(editor->isOn());
    EXPECT_EQ(QDir(work.path()).entryList(QDir::Files), QStringList{QStringLiteral("keep.bmp")});
    settings::appValues().wrkDir.clear();
}

TEST_F(EditorTest, SecondSwitchOnKeepsPalette) {
    editor->cOn(0, 0);
    EXPECT_EQ(editor->frFmt()->imFcr->count(), 10);
    EXPECT_EQ(editor->frFmt()->imBcr->count(), 10);
    EXPECT_EQ(editor->frFmt()->imFcr->itemText(5), QStringLiteral("Red"));
}

TEST_F(EditorTest, HeaderFooterBits) {
    platform::PageSetup page = surface().page();
    page.headerFooterBits = platform::HeaderEveryPage | platform::FooterFirstPage;
    surface().setPage(page);
    bool hp = false, hf = true, fp = true, ff = false;
    editor->HeadFtMn(hp, hf, fp, ff);
    EXPECT_TRUE(hp);
    EXPECT_FALSE(hf);
    EXPECT_FALSE(fp);
    EXPECT_TRUE(ff);
}

TEST_F(EditorTest, InputMethodFollowsTheSetting) {
    EXPECT_FALSE(editor->imeOpen());
    editor->txIME(true);
    EXPECT_TRUE(editor->imeOpen());
    editor->txIME(true);
    EXPECT_TRUE(editor->imeOpen());
    editor->rtAct(63);
    EXPECT_FALSE(editor->imeOpen());
    editor->values().ime = QStringLiteral("ON");
    bool ok = false;
    editor->SetData(QByteArray(), ok, true);
    EXPECT_TRUE(editor->imeOpen());
}

TEST_F(EditorTest, JapaneseCommitLandsUnderEitherSetting) {
    editor->resize(700, 500);
    editor->show();
    editor->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(editor.get()));
    editor->view()->setFocus();
    for (const char *setting : {"OFF", "ON"}) {
        editor->values().ime = QString::fromLatin1(setting);
        editor->SetText(QString());
        bool ok = false;
        editor->SetData(QByteArray(), ok, true);
        // What the platform input method asks before it sends anything.
        QInputMethodQueryEvent query(Qt::ImEnabled | Qt::ImHints);
        QCoreApplication::sendEvent(editor->view(), &query);
        EXPECT_TRUE(query.value(Qt::ImEnabled).toBool()) << setting;
        const bool latin = query.value(Qt::ImHints).toInt() & Qt::ImhPreferLatin;
        EXPECT_EQ(latin, editor->values().ime == QLatin1String("OFF")) << setting;

        QInputMethodEvent commit;
        commit.setCommitString(QStringLiteral("今日は晴れ"));
        QCoreApplication::sendEvent(editor->view(), &commit);
        EXPECT_EQ(surface().text(), QStringLiteral("今日は晴れ")) << setting;
    }
}

TEST_F(EditorTest, FormattingBarFollowsEveryCaretMove) {
    editor->resize(900, 600);
    editor->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(editor.get()));
    type(QStringLiteral("普通の文字 "));
    surface().setBold(true);
    surface().setFontSize(20);
    type(QStringLiteral("太い文字"));
    platform::TextView *view = editor->view();
    surface().setSelStart(2);
    const QPoint plainSpot = view->caretRect().center();
    surface().setSelStart(int(surface().text().size()) - 1);
    editor->refreshStatus();
    const QPoint boldSpot = view->caretRect().center();
    ASSERT_TRUE(editor->vButton()->shown().bold);

    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, plainSpot);
    EXPECT_EQ(surface().selStart(), 2);
    EXPECT_FALSE(editor->vButton()->shown().bold) << "mouse click into plain text";
    EXPECT_NE(editor->vButton()->shown().size, 20);

    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, boldSpot);
    EXPECT_TRUE(editor->vButton()->shown().bold) << "mouse click into bold text";
    EXPECT_EQ(editor->vButton()->shown().size, 20);

    QTest::keyClick(view->viewport(), Qt::Key_Home);
    EXPECT_FALSE(editor->vButton()->shown().bold) << "Home key";
}

TEST_F(EditorTest, FontBoxNamesTheFontTheTextAsksFor) {
    // A style font that is not installed (the display substitutes another) is still the font the
    // entry keeps; the box must name it, not the substitute.
    editor->resize(900, 600);
    editor->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(editor.get()));
    const QString styleFont = QStringLiteral("ＭＳ Ｐゴシック");
    surface().setFontName(styleFont);
    type(QStringLiteral("本文"));
    editor->refreshStatus();
    EXPECT_EQ(editor->vButton()->shown().fontName, styleFont);
    auto *box = editor->vButton()->findChild<QComboBox *>(QStringLiteral("fontName"));
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->currentText(), styleFont) << "not the font shown in its place";

    surface().setFontName(QStringLiteral("IPAGothic"));
    type(QStringLiteral("ゴシック"));
    editor->refreshStatus();
    EXPECT_EQ(editor->vButton()->shown().fontName, QStringLiteral("IPAGothic"));
    EXPECT_EQ(box->currentText(), QStringLiteral("IPAGothic"));
}

TEST_F(EditorTest, FontBoxListsTheFontsOnlyWhenOpenedAndAppliesTheChoice) {
    editor->resize(900, 600);
    editor->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(editor.get()));
    surface().setFontName(QStringLiteral("IPAGothic"));
    type(QStringLiteral("本文"));
    editor->refreshStatus();
    auto *box = editor->vButton()->findChild<FontNameBox *>(QStringLiteral("fontName"));
    ASSERT_NE(box, nullptr);
    EXPECT_FALSE(box->isFilled()) << "the font list is read at start";
    EXPECT_EQ(box->currentText(), QStringLiteral("IPAGothic"));

    box->showPopup();
    EXPECT_TRUE(box->isFilled());
    EXPECT_EQ(box->currentText(), QStringLiteral("IPAGothic")) << "filling changed the name shown";
    const int mincho = box->findText(QStringLiteral("IPAMincho"));
    ASSERT_GE(mincho, 0);
    EXPECT_LE(box->count(), QFontDatabase::families().size());
    box->hidePopup();

    surface().setSelStart(0);
    surface().setSelLength(2);
    box->setCurrentIndex(mincho);
    EXPECT_EQ(surface().fontName(), QStringLiteral("IPAMincho")) << "the choice is not applied";
    editor->refreshStatus();
    EXPECT_EQ(box->currentText(), QStringLiteral("IPAMincho"));
}
