#include "platform/text/text_surface_internal.h"
#include "text_surface_test_util.h"

#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextList>
#include <QTextTable>

#include <array>
#include <functional>
#include <gtest/gtest.h>

using platform::TextContent;
namespace internalformat = platform::internalformat;
using Fit = internalformat::Fit;

namespace {

// A content with page values as a new diary entry has them.
struct Content : textsurfacetest::OwnedContent {
    Content() { content.page = {11906, 16838, 1134, 1134, 1134, 1134, false, 0}; }
};

// What the check finds must be what writing and reading back finds.
void expectFit(const TextContent &content, internalformat::Fit fit, const char *what) {
    textsurfacetest::OwnedContent probe;
    const bool readsBack =
        internalformat::readContent(internalformat::writeContent(content), probe.content);
    EXPECT_EQ(readsBack, fit != internalformat::Fit::Beyond) << what;
    EXPECT_EQ(internalformat::fitOf(content), fit) << what;
}

void nestFrames(QTextCursor cursor, int depth) {
    for (int i = 0; i < depth; ++i)
        cursor.insertFrame(QTextFrameFormat());
    cursor.insertText(QStringLiteral("deep"));
}

void nestTables(QTextCursor cursor, int depth) {
    for (int i = 0; i < depth; ++i)
        cursor = cursor.insertTable(1, 2)->cellAt(0, 0).firstCursorPosition();
    cursor.insertText(QStringLiteral("deep"));
}

} // namespace

// The in-place check of documents other readers build stands in for the round trip through the
// program's own format; the two must never disagree, or a load is wrongly refused, a document is
// taken that cannot be copied, undone or stored again, or a value the format drops stays.
TEST(TextSurfaceLimits, TheCheckAgreesWithTheRoundTrip) {
    {
        Content c;
        QTextCursor cursor(&c.main);
        QTextCharFormat bold;
        bold.setFontWeight(QFont::Bold);
        cursor.insertText(QStringLiteral("日記 "), bold);
        cursor.insertText(QStringLiteral("plain"));
        QTextListFormat list;
        list.setStyle(QTextListFormat::ListDecimal);
        cursor.insertList(list);
        cursor.insertText(QStringLiteral("item"));
        QTextTable *table = cursor.insertTable(3, 3);
        table->mergeCells(0, 0, 2, 2);
        table->cellAt(2, 2).firstCursorPosition().insertText(QStringLiteral("cell"));
        c.main.addResource(QTextDocument::ImageResource, QUrl(QStringLiteral("p.png")),
                           textsurfacetest::pngBytes());
        QTextImageFormat picture;
        picture.setName(QStringLiteral("p.png"));
        QTextCursor(c.main.rootFrame()->lastCursorPosition()).insertImage(picture);
        QTextCursor(&c.areas[0]).insertText(QStringLiteral("header"));
        c.content.page.headerFooterBits = 1;
        expectFit(c.content, Fit::Unchanged, "a document with every kind of item");
    }
    const std::function<void(QTextCursor, int)> nesters[] = {nestFrames, nestTables};
    for (const auto &nest : nesters)
        for (int depth : {16, 17}) {
            Content c;
            nest(QTextCursor(&c.main), depth);
            expectFit(c.content, depth <= 16 ? Fit::Unchanged : Fit::Beyond, "nesting");
        }
    {
        Content c;
        QTextCharFormat huge;
        huge.setFontPointSize(1e6);
        QTextCursor(&c.main).insertText(QStringLiteral("huge"), huge);
        expectFit(c.content, Fit::Changed, "a value the format leaves out");
    }
    {
        Content c;
        QTextImageFormat picture;
        picture.setName(QString(13000, u'a'));
        QTextCursor(&c.main).insertImage(picture);
        expectFit(c.content, Fit::Beyond, "a picture name beyond the bound");
    }
    {
        Content c;
        nestFrames(QTextCursor(&c.areas[3]), 17);
        expectFit(c.content, Fit::Beyond, "an area nested too deep");
    }
    {
        Content c;
        c.content.page.marginLeft = -1;
        expectFit(c.content, Fit::Beyond, "page values out of range");
    }
}
