#include "platform/text/text_fonts.h"
#include "text_surface_test_util.h"

#include <QFile>
#include <QFontInfo>
#include <QSignalSpy>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTextDocument>

#include <gtest/gtest.h>

using platform::TextSurface;

namespace {

QString codes(std::initializer_list<const char *> parts, QChar separator) {
    QStringList list;
    for (const char *part : parts)
        list << QString::fromUtf8(part);
    return list.join(separator);
}

} // namespace

TEST(TextSurfaceText, PlainTextCodesStandAtTheirPositions) {
    TextSurface surface;
    surface.setSelText(QStringLiteral("ab\ncd\vef\fgh"));
    const QString text = surface.text();
    ASSERT_EQ(text.size(), 11);
    EXPECT_EQ(text.at(2).unicode(), 10);
    EXPECT_EQ(text.at(5).unicode(), 11);
    EXPECT_EQ(text.at(8).unicode(), 12);
    EXPECT_EQ(text, QStringLiteral("ab\ncd\vef\fgh"));
    EXPECT_EQ(surface.textLength(), 11);
    // Each code is exactly one caret position.
    surface.select(6, 2);
    EXPECT_EQ(surface.selText(), QStringLiteral("ef"));
    surface.select(9, 2);
    EXPECT_EQ(surface.selText(), QStringLiteral("gh"));
    EXPECT_EQ(surface.charAt(8).unicode(), 12);
}

TEST(TextSurfaceText, CrLfIsOneParagraphEnd) {
    TextSurface surface;
    surface.setSelText(QStringLiteral("one\r\ntwo\rthree"));
    EXPECT_EQ(surface.text(), QStringLiteral("one\ntwo\nthree"));
}

TEST(TextSurfaceText, SelectionAndParagraphs) {
    TextSurface surface;
    surface.setSelText(codes({"first line", "second", "third"}, u'\n'));
    surface.select(11, 6);
    EXPECT_EQ(surface.selStart(), 11);
    EXPECT_EQ(surface.selLength(), 6);
    EXPECT_EQ(surface.selText(), QStringLiteral("second"));
    EXPECT_EQ(surface.paragraphStart(13), 11);
    EXPECT_EQ(surface.paragraphEnd(13), 17);
    EXPECT_EQ(surface.paragraphText(13), QStringLiteral("second"));

    surface.setSelText(QStringLiteral("2nd"));
    EXPECT_EQ(surface.text(), QStringLiteral("first line\n2nd\nthird"));
    EXPECT_EQ(surface.selStart(), 14);

    surface.setSelStart(6);
    surface.setSelLength(-1);
    EXPECT_EQ(surface.selText(), QStringLiteral("line\n2nd\nthird"));
}

TEST(TextSurfaceText, TwoLineFeedsAndAFileLoadedBetweenThem) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("insert.txt"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("inserted\nlines");
    file.close();

    TextSurface surface;
    surface.setSelText(QStringLiteral("beforeafter"));
    const int c = 6;
    surface.setSelStart(c);
    surface.setSelText(QStringLiteral("\n\n"));
    surface.setSelStart(c + 1);
    surface.setLoadSaveAttribute(37, true);
    ASSERT_TRUE(surface.loadFile(path, TextSurface::PlainText, true));
    surface.setSelText(QStringLiteral("\n"));
    EXPECT_EQ(surface.text(), QStringLiteral("before\ninserted\nlines\n\nafter"));
}

TEST(TextSurfaceText, PlainTextFilesInUtf8AndLegacyCodePage) {
    QTemporaryDir dir;
    const QString utf8Path = dir.filePath(QStringLiteral("u.txt"));
    TextSurface surface;
    surface.setSelText(QStringLiteral("日記\n二行目"));
    ASSERT_TRUE(surface.saveFile(utf8Path, TextSurface::PlainText));
    QFile saved(utf8Path);
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(saved.readAll()), QStringLiteral("日記\n二行目"));

    const QString sjisPath = dir.filePath(QStringLiteral("s.txt"));
    QStringEncoder encoder("windows-31j");
    ASSERT_TRUE(encoder.isValid());
    QFile legacy(sjisPath);
    ASSERT_TRUE(legacy.open(QIODevice::WriteOnly));
    legacy.write(encoder.encode(QStringLiteral("ｶﾀｶﾅと漢字～")));
    legacy.close();
    TextSurface other;
    ASSERT_TRUE(other.loadFile(sjisPath, TextSurface::PlainText));
    EXPECT_EQ(other.text(), QStringLiteral("ｶﾀｶﾅと漢字～"));
}

TEST(TextSurfaceText, MissingFileFailsWithReason) {
    TextSurface surface;
    QString error;
    EXPECT_FALSE(surface.loadFile(QStringLiteral("/nonexistent/x.txt"), 1, false, &error));
    EXPECT_FALSE(error.isEmpty());
}

TEST(TextSurfaceText, FindWithAndWithoutCase) {
    TextSurface surface;
    surface.setSelText(QStringLiteral("Apple apple APPLE"));
    EXPECT_EQ(surface.find(QStringLiteral("apple"), 0, TextSurface::FindNoMessage), 0);
    EXPECT_EQ(surface.selLength(), 5);
    EXPECT_EQ(surface.find(QStringLiteral("apple"), 0,
                           TextSurface::FindNoMessage | TextSurface::FindMatchCase),
              6);
    EXPECT_EQ(surface.find(QStringLiteral("APPLE"), 1, TextSurface::FindMatchCase), 12);
    EXPECT_EQ(surface.find(QStringLiteral("apple"), 17, TextSurface::FindBackwards), 12);
    EXPECT_EQ(surface.find(QStringLiteral("pear"), 0, 16), -1);
}

TEST(TextSurfaceText, CharacterFormatOfSelectionAndTypingPosition) {
    TextSurface surface;
    surface.setSelText(QStringLiteral("plain bold"));
    surface.select(6, 4);
    surface.setFontName(QStringLiteral("IPAGothic"));
    surface.setFontSize(10.5);
    surface.setBold(true);
    surface.setItalic(true);
    surface.setUnderline(true);
    surface.setStrikeout(true);
    surface.setTextColor(0x804020);
    surface.setBackColor(0x00FFFF);
    surface.select(7, 1);
    EXPECT_EQ(surface.fontName(), QStringLiteral("IPAGothic"));
    EXPECT_DOUBLE_EQ(surface.fontSize(), 10.5);
    EXPECT_TRUE(surface.bold());
    EXPECT_TRUE(surface.italic());
    EXPECT_TRUE(surface.underline());
    EXPECT_TRUE(surface.strikeout());
    EXPECT_EQ(surface.textColor(), 0x804020);
    EXPECT_EQ(surface.backColor(), 0x00FFFF);
    surface.select(1, 1);
    EXPECT_FALSE(surface.bold());
    EXPECT_EQ(surface.backColor(), 0xFFFFFF);

    // Without a selection the format applies to what is typed next.
    surface.setSelStart(5);
    surface.setBold(true);
    surface.setSelText(QStringLiteral("X"));
    surface.select(5, 1);
    EXPECT_TRUE(surface.bold());
    surface.select(4, 1);
    EXPECT_FALSE(surface.bold());
}

TEST(TextSurfaceText, ParagraphFormatInTwips) {
    TextSurface surface;
    surface.setSelText(QStringLiteral("one\ntwo\nthree"));
    surface.select(0, 6);
    surface.setAlignment(TextSurface::AlignCenter);
    surface.setLeftIndent(200);
    surface.setRightIndent(100);
    surface.setFirstLineIndent(-150);
    surface.setIndentD(7);
    surface.setIndentE(9);
    surface.setSpaceBefore(60);
    surface.setSpaceAfter(120);
    surface.setLineSpacing(TextSurface::AutomaticLineSpacing);
    surface.setSelStart(5);
    EXPECT_EQ(surface.alignment(), TextSurface::AlignCenter);
    EXPECT_EQ(surface.leftIndent(), 200);
    EXPECT_EQ(surface.rightIndent(), 100);
    EXPECT_EQ(surface.firstLineIndent(), -150);
    EXPECT_EQ(surface.indentD(), 7);
    EXPECT_EQ(surface.indentE(), 9);
    EXPECT_EQ(surface.spaceBefore(), 60);
    EXPECT_EQ(surface.spaceAfter(), 120);
    EXPECT_EQ(surface.lineSpacing(), 7936);
    surface.setLineSpacing(150);
    EXPECT_EQ(surface.lineSpacing(), 150);
    surface.setLineAmount(300);
    EXPECT_EQ(surface.lineAmount(), 300);
    surface.setSelStart(9);
    EXPECT_EQ(surface.alignment(), TextSurface::AlignLeft);
    EXPECT_EQ(surface.leftIndent(), 0);
    EXPECT_EQ(surface.lineSpacing(), 7936);
}

TEST(TextSurfaceText, ListStateAndCreation) {
    TextSurface surface;
    surface.setSelText(QStringLiteral("a\nb\nc"));
    surface.setSelStart(0);
    EXPECT_EQ(surface.listState(), TextSurface::NoList);
    surface.select(0, 3);
    surface.setListState(TextSurface::BulletList);
    surface.setSelStart(2);
    EXPECT_EQ(surface.listState(), TextSurface::BulletList);
    surface.setListState(TextSurface::NumberedList);
    EXPECT_EQ(surface.listState(), TextSurface::NumberedList);
    surface.setSelStart(4);
    EXPECT_EQ(surface.listState(), TextSurface::NoList);
    surface.select(0, 3);
    surface.setListState(0);
    surface.setSelStart(0);
    EXPECT_EQ(surface.listState(), TextSurface::NoList);
    surface.setSelStart(2);
    EXPECT_EQ(surface.listState(), TextSurface::NoList);
}

TEST(TextSurfaceText, UndoRedoAndClipboard) {
    TextSurface surface;
    EXPECT_FALSE(surface.canUndo());
    surface.setSelText(QStringLiteral("hello world"));
    EXPECT_TRUE(surface.canUndo());
    surface.undo();
    EXPECT_EQ(surface.text(), QString());
    EXPECT_TRUE(surface.canRedo());
    surface.redo();
    EXPECT_EQ(surface.text(), QStringLiteral("hello world"));

    surface.select(0, 6);
    EXPECT_TRUE(surface.canCopy());
    EXPECT_TRUE(surface.clipboard(TextSurface::ClipCut));
    EXPECT_EQ(surface.text(), QStringLiteral("world"));
    EXPECT_TRUE(surface.canPaste());
    textsurfacetest::toEnd(surface);
    EXPECT_TRUE(surface.clipboard(TextSurface::ClipPaste));
    EXPECT_EQ(surface.text(), QStringLiteral("worldhello "));
    surface.select(0, 5);
    EXPECT_TRUE(surface.clipboard(TextSurface::ClipDelete));
    EXPECT_EQ(surface.text(), QStringLiteral("hello "));
    EXPECT_FALSE(surface.canCopy());
    EXPECT_FALSE(surface.clipboard(TextSurface::ClipCopy));
}

TEST(TextSurfaceText, SignalsForChangesParagraphsAndFields) {
    TextSurface surface;
    QSignalSpy changed(&surface, &TextSurface::contentChanged);
    QSignalSpy paragraph(&surface, &TextSurface::paragraphChanged);
    QSignalSpy field(&surface, &TextSurface::fieldActivated);
    surface.setSelText(QStringLiteral("a\nb"));
    EXPECT_GE(changed.count(), 1);
    const int before = int(paragraph.count());
    surface.setSelStart(0);
    EXPECT_EQ(paragraph.count(), before + 1);
    surface.setSelStart(1);
    EXPECT_EQ(paragraph.count(), before + 1);
    const int id = surface.insertField(QStringLiteral("link"));
    surface.activateField(id);
    ASSERT_EQ(field.count(), 1);
    EXPECT_EQ(field.at(0).at(0).toInt(), id);
}

TEST(TextSurfaceText, ResetEmptiesDocumentAndHistory) {
    TextSurface surface;
    surface.setSelText(QStringLiteral("text"));
    surface.resetContents();
    EXPECT_EQ(surface.text(), QString());
    EXPECT_FALSE(surface.canUndo());
}

TEST(TextSurfaceText, BatchIsOneUndoStepAndMovesTheCaretOnce) {
    TextSurface surface;
    surface.setSelText(QStringLiteral("一\n二\n三"));
    QSignalSpy moved(&surface, &TextSurface::caretMoved);
    surface.beginBatch();
    surface.beginBatch();
    for (int position : {1, 3}) {
        surface.select(position, 1);
        surface.setSelText(QString(QChar(11)));
    }
    surface.endBatch();
    EXPECT_TRUE(moved.isEmpty());
    surface.endBatch();
    surface.endBatch(); // one too many does nothing
    EXPECT_EQ(moved.count(), 1);
    EXPECT_EQ(surface.text(), QStringLiteral("一\v二\v三"));
    surface.undo();
    EXPECT_EQ(surface.text(), QStringLiteral("一\n二\n三"));
}

TEST(TextFonts, WindowsJapaneseFacesAreDrawnWithTheIpaFaces) {
    platform::installFontSubstitutes();
    platform::installFontSubstitutes(); // a second start adds nothing twice
    // Qt keeps substitutes in lower case.
    EXPECT_EQ(QFont::substitutes(QStringLiteral("ＭＳ Ｐゴシック")),
              QStringList{QStringLiteral("ipapgothic")});
    EXPECT_EQ(QFontInfo(QFont(QStringLiteral("ＭＳ Ｐゴシック"))).family(),
              QStringLiteral("IPAPGothic"));
    EXPECT_EQ(QFontInfo(QFont(QStringLiteral("ＭＳ 明朝"))).family(), QStringLiteral("IPAMincho"));
    // The document keeps the name it carries.
    platform::TextSurface surface;
    surface.setFontName(QStringLiteral("ＭＳ Ｐゴシック"));
    surface.setSelText(QStringLiteral("日記"));
    surface.select(0, 1);
    EXPECT_EQ(surface.fontName(), QStringLiteral("ＭＳ Ｐゴシック"));
}
