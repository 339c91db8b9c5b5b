#include "editor_fixture.h"
#include "platform/text/text_model.h"
#include "platform/view/text_view.h"

#include <QLineEdit>
#include <QTextDocument>

using namespace editor;
using editortest::EditorTest;

namespace {

// An entry with a main text and a header on every page, as GetData hands it out.
QByteArray entryWithHeader(const QString &main, const QString &header, int pageWidth = 12240) {
    platform::TextSurface s;
    s.setSelText(main);
    platform::PageSetup page = s.page();
    page.headerFooterBits = platform::HeaderEveryPage;
    page.width = pageWidth;
    s.setPage(page);
    s.setActiveArea(platform::HeaderEveryPage);
    s.setSelText(header);
    s.setActiveArea(0);
    bool ok = false;
    return s.saveToMemory(platform::TextSurface::Word97, false, &ok);
}

QByteArray entryOf(const QString &main) {
    platform::TextSurface s;
    s.setSelText(main);
    bool ok = false;
    return s.saveToMemory(platform::TextSurface::Word97, false, &ok);
}

QString headerText(platform::TextSurface &s) {
    QTextDocument *header = s.areaDocument(platform::HeaderEveryPage);
    return header ? header->toPlainText() : QString();
}

} // namespace

TEST_F(EditorTest, GetDataWhileAHeaderIsEditedGivesTheWholeEntry) {
    bool ok = false;
    editor->SetData(entryWithHeader(QStringLiteral("本文の行"), QStringLiteral("見出し")), ok);
    ASSERT_TRUE(ok);
    ASSERT_TRUE(surface().setActiveArea(platform::HeaderEveryPage));
    surface().setSelStart(0);
    type(QStringLiteral("新しい"));

    QByteArray bytes;
    QString text;
    QString title;
    editor->GetData(bytes, text, title, ok);
    ASSERT_TRUE(ok);
    EXPECT_TRUE(text.startsWith(QStringLiteral("本文の行")));
    EXPECT_EQ(surface().activeArea(), 0);

    platform::TextSurface reloaded;
    ASSERT_TRUE(reloaded.loadFromMemory(bytes, platform::TextSurface::Word97));
    EXPECT_TRUE(reloaded.text().startsWith(QStringLiteral("本文の行")));
    EXPECT_EQ(reloaded.headerFooterBits(), int(platform::HeaderEveryPage));
    EXPECT_EQ(headerText(reloaded), QStringLiteral("新しい見出し"));
}

TEST_F(EditorTest, SetDataReplacesTheWholeDocumentWhateverIsEdited) {
    bool ok = false;
    editor->SetData(entryWithHeader(QStringLiteral("一日目"), QStringLiteral("ヘッダー")), ok);
    ASSERT_TRUE(ok);

    // Loaded while the header is edited: the next day becomes the entry, not the header.
    ASSERT_TRUE(surface().setActiveArea(platform::HeaderEveryPage));
    editor->SetData(entryOf(QStringLiteral("二日目")), ok);
    ASSERT_TRUE(ok);
    EXPECT_EQ(surface().activeArea(), 0);
    EXPECT_TRUE(surface().text().startsWith(QStringLiteral("二日目")));
    EXPECT_EQ(surface().headerFooterBits(), 0);

    // Loaded while a text frame is selected: the whole document is replaced.
    const int frame = surface().insertTextFrame(2000, 1000, {0, 0, 0, 0});
    ASSERT_GT(frame, 0);
    ASSERT_TRUE(surface().selectTextFrame(frame));
    surface().setSelText(QStringLiteral("枠の中"));
    editor->SetData(entryOf(QStringLiteral("三日目")), ok);
    ASSERT_TRUE(ok);
    EXPECT_EQ(surface().selectedTextFrame(), 0);
    EXPECT_TRUE(surface().text().startsWith(QStringLiteral("三日目")));
    EXPECT_FALSE(surface().text().contains(QStringLiteral("二日目")));
    EXPECT_EQ(surface().nextObject(0, platform::TextSurface::TextFrameObject), 0);
}

TEST_F(EditorTest, NewDocumentClearsEverythingTheLastEntryHad) {
    bool ok = false;
    editor->SetData(
        entryWithHeader(QStringLiteral("前の日"), QStringLiteral("前のヘッダー"), 16838), ok);
    ASSERT_TRUE(ok);
    ASSERT_EQ(surface().page().width, 16838);

    editor->rtAct(cmd::New);
    EXPECT_TRUE(surface().text().trimmed().isEmpty());
    EXPECT_EQ(surface().headerFooterBits(), 0);
    EXPECT_TRUE(headerText(surface()).isEmpty());
    EXPECT_EQ(surface().page().width, editor->values().page.width);

    QByteArray bytes;
    QString text;
    QString title;
    type(QStringLiteral("次の日"));
    editor->GetData(bytes, text, title, ok);
    platform::TextSurface reloaded;
    ASSERT_TRUE(reloaded.loadFromMemory(bytes, platform::TextSurface::Word97));
    EXPECT_EQ(reloaded.headerFooterBits(), 0);

    // Started while a header or a text frame is being edited, it still clears the whole document.
    editor->SetData(entryWithHeader(QStringLiteral("本文"), QStringLiteral("ヘッダー")), ok);
    ASSERT_TRUE(surface().setActiveArea(platform::HeaderEveryPage));
    editor->rtAct(cmd::New);
    EXPECT_TRUE(surface().text().trimmed().isEmpty());
    EXPECT_EQ(surface().activeArea(), 0);
    type(QStringLiteral("本文"));
    const int frame = surface().insertTextFrame(2000, 1000, {0, 0, 0, 0});
    ASSERT_TRUE(surface().selectTextFrame(frame));
    editor->rtAct(cmd::New);
    EXPECT_TRUE(surface().text().trimmed().isEmpty());
    EXPECT_EQ(surface().nextObject(0, platform::TextSurface::TextFrameObject), 0);
}

TEST_F(EditorTest, UnreadableBytesLeaveAnEmptyUnchangedDocument) {
    bool ok = false;
    editor->SetData(entryWithHeader(QStringLiteral("前の日"), QStringLiteral("前のヘッダー")), ok);
    ASSERT_TRUE(ok);
    type(QStringLiteral("書きかけ"));
    dialogs->answers.enqueue(platform::Answer::No);

    editor->SetData(QByteArrayLiteral("PK\x03\x04 not a document"), ok);
    EXPECT_FALSE(ok);
    EXPECT_TRUE(surface().text().trimmed().isEmpty());
    EXPECT_EQ(surface().headerFooterBits(), 0);
    EXPECT_FALSE(editor->bDcEdt());
}

TEST_F(EditorTest, ReadOnlyEditorNeitherChangesNorStoresTheDocument) {
    bool ok = false;
    editor->SetData(entryOf(QStringLiteral("読むだけ")), ok);
    ASSERT_TRUE(ok);
    QSignalSpy saves(editor.get(), &uTxm::SaveRequested);
    editor->setReadOnly(true);
    EXPECT_FALSE(editor->view()->isInteractive());
    EXPECT_TRUE(editor->txTitle()->isReadOnly());

    type(QStringLiteral("書き込み"));
    EXPECT_FALSE(editor->bDcEdt());
    editor->rtAct(cmd::Save);
    editor->rtAct(cmd::PageBreak);
    editor->rtAct(cmd::Paste, QString());
    EXPECT_EQ(saves.count(), 0);
    EXPECT_FALSE(editor->bDcEdt());
    EXPECT_EQ(surface().text().count(QChar(12)), 0);
    QByteArray bytes;
    QString text;
    QString title;
    editor->GetData(bytes, text, title, ok);
    EXPECT_FALSE(ok);
    EXPECT_TRUE(bytes.isEmpty());
    editor->InsData(entryOf(QStringLiteral("差し込み")), ok);
    EXPECT_FALSE(ok);
    EXPECT_FALSE(surface().text().contains(QStringLiteral("差し込み")));

    // Looking is still possible.
    editor->rtAct(cmd::Zoom, 150);
    EXPECT_EQ(editor->view()->zoom(), 150);
    EXPECT_TRUE(leavesDocumentAlone(cmd::Preview));
    EXPECT_FALSE(leavesDocumentAlone(cmd::New));

    editor->setReadOnly(false);
    type(QStringLiteral("書ける"));
    EXPECT_TRUE(editor->bDcEdt());
    editor->rtAct(cmd::Save);
    EXPECT_EQ(saves.count(), 1);
}

TEST_F(EditorTest, FailedSetDataMakesTheEditorReadOnly) {
    bool ok = false;
    editor->SetData(QByteArrayLiteral("not a document"), ok);
    EXPECT_FALSE(ok);
    EXPECT_TRUE(editor->readOnly());
    editor->setReadOnly(false);
    editor->SetData(entryOf(QStringLiteral("読める")), ok);
    EXPECT_TRUE(ok);
    EXPECT_FALSE(editor->readOnly());
}
