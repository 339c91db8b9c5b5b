#include "text_surface_test_util.h"

#include <QTextDocument>
#include <QTextImageFormat>
#include <QUrl>

#include <gtest/gtest.h>

using platform::TextSurface;
using textsurfacetest::pngBytes;

TEST(TextSurfaceObjects, PicturesInlineAndPositioned) {
    TextSurface surface;
    surface.setSelText(QStringLiteral("ab"));
    surface.setSelStart(1);
    const int inlinePicture = surface.insertPictureData(pngBytes(40, 20), 0, 100, 100);
    ASSERT_GT(inlinePicture, 0);
    EXPECT_EQ(surface.text(), QStringLiteral("a\x01"
                                             "b"));
    const int floating = surface.insertPictureData(pngBytes(10, 10), 2, 80, 80, 0);
    ASSERT_GT(floating, 0);
    EXPECT_NE(floating, inlinePicture);
    EXPECT_EQ(surface.nextObject(0, TextSurface::PictureObject), floating);
    EXPECT_EQ(surface.nextObject(floating, TextSurface::PictureObject), inlinePicture);
    EXPECT_EQ(surface.nextObject(inlinePicture, TextSurface::PictureObject), 0);
    EXPECT_EQ(surface.objectKind(floating), TextSurface::PictureObject);
    EXPECT_EQ(surface.objectAt(0), floating);

    const QTextImageFormat format = [&] {
        QTextCursor probe(surface.document());
        probe.setPosition(1);
        return probe.charFormat().toImageFormat();
    }();
    EXPECT_EQ(format.intProperty(platform::TextProp::TextFlow), 2);
    EXPECT_DOUBLE_EQ(format.width(), 8.0);
    // The picture is kept as its encoded bytes.
    EXPECT_EQ(surface.document()
                  ->resource(QTextDocument::ImageResource, QUrl(format.name()))
                  .toByteArray(),
              pngBytes(10, 10));
}

TEST(TextSurfaceObjects, ExportCodeSaveModeAndDelete) {
    TextSurface surface;
    const int id = surface.insertPictureData(pngBytes());
    EXPECT_EQ(surface.pictureExportCode(id), 4);
    ASSERT_TRUE(surface.setCurrentObject(id));
    ASSERT_TRUE(surface.setPictureExportCode(3));
    ASSERT_TRUE(surface.setPictureSaveMode(1));
    EXPECT_EQ(surface.pictureExportCode(id), 3);
    EXPECT_EQ(surface.pictureSaveMode(id), 1);
    EXPECT_FALSE(surface.setCurrentObject(id + 100));
    EXPECT_EQ(surface.insertPictureData(QByteArray("not a picture")), 0);
    ASSERT_TRUE(surface.deleteObject(id));
    EXPECT_EQ(surface.nextObject(0, TextSurface::PictureObject), 0);
    EXPECT_EQ(surface.textLength(), 0);
}

TEST(TextSurfaceObjects, TextFramesAreSelectableForTextAndLoading) {
    TextSurface surface;
    surface.setSelText(QStringLiteral("main"));
    const int first = surface.insertTextFrame(1000, 2000, {100, 100, 100, 100});
    surface.setSelText(QStringLiteral("tail"));
    const int second = surface.insertTextFrame(1000, 2000, {100, 100, 100, 100});
    ASSERT_GT(first, 0);
    ASSERT_GT(second, 0);
    EXPECT_EQ(surface.nextObject(0, TextSurface::TextFrameObject), first);
    EXPECT_EQ(surface.nextObject(first, TextSurface::TextFrameObject), second);
    EXPECT_EQ(surface.nextObject(second, TextSurface::TextFrameObject), 0);

    ASSERT_TRUE(surface.selectTextFrame(first));
    EXPECT_EQ(surface.selectedTextFrame(), first);
    EXPECT_EQ(surface.textLength(), 0);
    surface.setSelText(QStringLiteral("in frame\nline two"));
    EXPECT_EQ(surface.text(), QStringLiteral("in frame\nline two"));
    surface.select(3, 5);
    EXPECT_EQ(surface.selText(), QStringLiteral("frame"));

    // Whole-frame copy into the other frame through memory.
    const QByteArray bytes = surface.saveToMemory(TextSurface::Internal);
    ASSERT_TRUE(surface.selectTextFrame(second));
    ASSERT_TRUE(surface.loadFromMemory(bytes, TextSurface::Internal));
    EXPECT_EQ(surface.text(), QStringLiteral("in frame\nline two"));
    ASSERT_TRUE(surface.selectTextFrame(first));
    surface.resetContents();
    EXPECT_EQ(surface.text(), QString());
    ASSERT_TRUE(surface.selectTextFrame(0));
    EXPECT_TRUE(surface.text().startsWith(QStringLiteral("main")));
    EXPECT_TRUE(surface.text().contains(QStringLiteral("in frame")));
    EXPECT_FALSE(surface.selectTextFrame(999));

    ASSERT_TRUE(surface.deleteObject(second));
    EXPECT_EQ(surface.nextObject(first, TextSurface::TextFrameObject), 0);
    EXPECT_FALSE(surface.text().contains(QStringLiteral("in frame")));
}

TEST(TextSurfaceTables, CellsRowsAndColumns) {
    TextSurface surface;
    surface.setSelText(QStringLiteral("before\n"));
    const int id = surface.insertTable(2, 3);
    ASSERT_GT(id, 0);
    EXPECT_EQ(surface.tableAtCaret(), id);
    EXPECT_EQ(surface.tableRows(id), 2);
    EXPECT_EQ(surface.tableColumns(id), 3);
    ASSERT_TRUE(surface.setCellText(id, 1, 2, QStringLiteral("b1")));
    ASSERT_TRUE(surface.setCellText(id, 2, 3, QStringLiteral("c2\vmore")));
    EXPECT_EQ(surface.cellText(id, 1, 2), QStringLiteral("b1"));
    EXPECT_EQ(surface.cellText(id, 2, 3), QStringLiteral("c2\vmore"));
    EXPECT_EQ(surface.cellText(id, 1, 1), QString());
    EXPECT_EQ(surface.cellText(id, 5, 5), QString());
    EXPECT_FALSE(surface.setCellText(id + 50, 1, 1, QStringLiteral("x")));

    const int start = surface.cellStart(id, 1, 2);
    surface.setSelStart(start);
    EXPECT_EQ(surface.tableAtCaret(), id);
    surface.select(start, 2);
    EXPECT_EQ(surface.selText(), QStringLiteral("b1"));
    surface.setSelStart(0);
    EXPECT_EQ(surface.tableAtCaret(), 0);
}

TEST(TextSurfaceTables, InsertSplitAndDeleteParts) {
    TextSurface surface;
    const int id = surface.insertTable(3, 2);
    for (int r = 1; r <= 3; ++r)
        surface.setCellText(id, r, 1, QString::number(r));
    surface.setSelStart(surface.cellStart(id, 2, 1));
    ASSERT_TRUE(surface.insertColumn(true));
    EXPECT_EQ(surface.tableColumns(id), 3);
    ASSERT_TRUE(surface.insertColumn(false));
    EXPECT_EQ(surface.tableColumns(id), 4);
    EXPECT_EQ(surface.cellText(id, 2, 2), QStringLiteral("2"));
    surface.setSelStart(surface.cellStart(id, 2, 2));
    ASSERT_TRUE(surface.insertRow(false));
    EXPECT_EQ(surface.tableRows(id), 4);
    EXPECT_EQ(surface.cellText(id, 3, 2), QStringLiteral("2"));
    surface.setSelStart(surface.cellStart(id, 2, 2));
    ASSERT_TRUE(surface.deleteRow());
    EXPECT_EQ(surface.tableRows(id), 3);
    surface.setSelStart(surface.cellStart(id, 1, 1));
    ASSERT_TRUE(surface.deleteColumn());
    EXPECT_EQ(surface.tableColumns(id), 3);
    EXPECT_EQ(surface.cellText(id, 3, 1), QStringLiteral("3"));

    surface.setSelStart(surface.cellStart(id, 2, 1));
    ASSERT_TRUE(surface.splitTable(false));
    const QList<int> ids = surface.tableIds();
    ASSERT_EQ(ids.size(), 2);
    EXPECT_EQ(surface.tableRows(ids[0]), 1);
    EXPECT_EQ(surface.tableRows(ids[1]), 2);
    EXPECT_EQ(surface.cellText(ids[1], 1, 1), QStringLiteral("2"));
    EXPECT_EQ(surface.cellText(ids[1], 2, 1), QStringLiteral("3"));
    surface.setSelStart(surface.cellStart(ids[1], 1, 1));
    ASSERT_TRUE(surface.splitTable(true));
    EXPECT_EQ(surface.tableIds().size(), 3);

    surface.setSelStart(surface.cellStart(ids[0], 1, 1));
    ASSERT_TRUE(surface.deleteTable());
    EXPECT_EQ(surface.tableIds().size(), 2);
    surface.setSelStart(0);
    EXPECT_FALSE(surface.deleteTable());
    EXPECT_FALSE(surface.insertRow(true));
}

TEST(TextSurfaceTables, SelectTableRowAndCell) {
    TextSurface surface;
    const int id = surface.insertTable(2, 2);
    surface.setCellText(id, 1, 1, QStringLiteral("a"));
    surface.setCellText(id, 1, 2, QStringLiteral("b"));
    surface.setCellText(id, 2, 1, QStringLiteral("c"));
    surface.setCellText(id, 2, 2, QStringLiteral("d"));
    surface.setSelStart(surface.cellStart(id, 1, 2));
    ASSERT_TRUE(surface.selectCell());
    EXPECT_EQ(surface.selText(), QStringLiteral("b"));
    surface.setSelStart(surface.cellStart(id, 2, 1));
    ASSERT_TRUE(surface.selectRow());
    EXPECT_EQ(surface.selText(), QStringLiteral("c\nd"));
    ASSERT_TRUE(surface.selectTable());
    EXPECT_EQ(surface.selText(), QStringLiteral("a\nb\nc\nd"));
    EXPECT_TRUE(surface.gridLines());
    surface.setGridLines(false);
    EXPECT_FALSE(surface.gridLines());
}

TEST(TextSurfaceTables, CellTextOfATableInsideATextFrame) {
    TextSurface surface;
    surface.setSelText(QStringLiteral("main"));
    const int frame = surface.insertTextFrame(3000, 2000, {100, 100, 100, 100});
    ASSERT_TRUE(surface.selectTextFrame(frame));
    surface.setSelText(QStringLiteral("head\n"));
    const int id = surface.insertTable(2, 2);
    ASSERT_TRUE(surface.setCellText(id, 2, 2, QStringLiteral("inside")));
    EXPECT_EQ(surface.cellText(id, 2, 2), QStringLiteral("inside"));
    EXPECT_EQ(surface.tableIds(), QList<int>{id});
    // Positions inside the frame count from the frame's start.
    surface.setSelStart(surface.cellStart(id, 2, 2));
    EXPECT_EQ(surface.tableAtCaret(), id);
    EXPECT_TRUE(surface.text().startsWith(QStringLiteral("head\n")));
    ASSERT_TRUE(surface.selectTextFrame(0));
    EXPECT_EQ(surface.cellText(id, 2, 2), QStringLiteral("inside"));
}

TEST(TextSurfaceTables, IdsStableWhileTheDocumentIsUnchanged) {
    TextSurface surface;
    surface.setSelText(QStringLiteral("x\n"));
    const int first = surface.insertTable(1, 1);
    textsurfacetest::toEnd(surface);
    surface.setSelText(QStringLiteral("\n"));
    const int second = surface.insertTable(2, 2);
    const QList<int> ids = surface.tableIds();
    EXPECT_EQ(ids, (QList<int>{first, second}));
    // Reading and moving the caret change nothing.
    for (int i = 0; i <= surface.textLength(); ++i)
        surface.setSelStart(i);
    surface.cellText(first, 1, 1);
    EXPECT_EQ(surface.tableIds(), ids);
    surface.setSelStart(surface.cellStart(second, 2, 2));
    EXPECT_EQ(surface.tableAtCaret(), second);
    // Saving does not change them either.
    surface.saveToMemory(TextSurface::Internal);
    EXPECT_EQ(surface.tableIds(), ids);
}

TEST(TextSurfaceObjects, TextWrittenAfterAPictureIsPlainText) {
    TextSurface surface;
    surface.insertPictureData(pngBytes());
    surface.setSelText(QStringLiteral("after"));
    QTextCursor probe(surface.document());
    probe.setPosition(3);
    EXPECT_FALSE(probe.charFormat().isImageFormat());
    EXPECT_EQ(surface.nextObject(0, TextSurface::PictureObject), surface.objectAt(0));
    EXPECT_EQ(surface.objectAt(2), 0);
}
