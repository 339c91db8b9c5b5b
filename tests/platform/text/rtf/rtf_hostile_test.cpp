#include "platform/text/rtf/rtf_codec.h"
#include "platform/text/rtf/rtf_common.h"
#include "platform/text/text_surface.h"

#include <QTextDocument>
#include <QTextFrame>
#include <QTextTable>

#include <gtest/gtest.h>

using platform::TextSurface;

namespace {

QByteArray nested(int depth) {
    return "{\\rtf1 " + QByteArray(depth, '{') + "x" + QByteArray(depth, '}') + "}";
}

} // namespace

// Each of these must be refused with a reason, quickly, and leave the edited document alone.
TEST(RtfHostile, DamagedFilesFailCleanlyAndLeaveTheDocument) {
    const QByteArray good = "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\pard\\b text\\par}";
    const QByteArray picture = "{\\rtf1{\\pict\\pngblip\\bin";
    const QList<QByteArray> bad{
        QByteArray(),
        "plain words",
        "{\\rtf1 unbalanced {\\b group}",
        "{\\rtf1 closed twice}}}}",
        good.left(good.size() - 1),
        good.left(20),
        nested(100000),
        nested(300),
        picture + "999999999 abc}}",
        picture + "2147483647 abc}}",
        "{\\rtf1 \\bin-5 x}",
        "{\\rtf1 \\'zz}",
        "{\\rtf1 trailing backslash\\",
        "{\\rtf1 \\averyveryveryverylongcontrolwordthatneverends}",
        "{\\rtf1 {\\*\\djcf zz}{\\*\\djpf 00ff}x}",
    };
    for (const QByteArray &bytes : bad) {
        TextSurface s;
        s.setSelText(QStringLiteral("元の文書"));
        const QByteArray before = s.saveWholeToMemory(TextSurface::Internal);
        QString error;
        const bool ok = s.loadFromMemory(bytes, TextSurface::Rtf, false, &error);
        if (ok) {
            // Only what is well formed may load: the damaged private destinations are ignored.
            EXPECT_TRUE(bytes.startsWith("{\\rtf1 {\\*\\djcf")) << bytes.left(60).constData();
            EXPECT_EQ(s.text(), QStringLiteral("x"));
            continue;
        }
        EXPECT_FALSE(error.isEmpty()) << bytes.left(60).constData();
        EXPECT_EQ(s.saveWholeToMemory(TextSurface::Internal), before) << bytes.left(60).constData();
    }
}

TEST(RtfHostile, OversizedCountsAreBounded) {
    // A huge picture header, thousands of table cells in one row, a colour table past its limit
    // and a \binN exactly at the end: all read in bounded time and memory.
    QByteArray bigRow = "{\\rtf1\\trowd";
    for (int i = 1; i <= 2000; ++i)
        bigRow += "\\cellx" + QByteArray::number(i * 10);
    for (int i = 0; i < 2000; ++i)
        bigRow += "\\intbl c\\cell";
    bigRow += "\\row\\pard after}";
    TextSurface s;
    QString error;
    ASSERT_TRUE(s.loadFromMemory(bigRow, TextSurface::Rtf, false, &error)) << error.toStdString();
    EXPECT_TRUE(s.text().endsWith(QStringLiteral("after")));
    EXPECT_EQ(s.tableColumns(s.tableIds().value(0)), 256) << "cells past the row limit are dropped";

    QByteArray colours = "{\\rtf1{\\colortbl";
    colours += QByteArray(100000, ';');
    colours += "}\\cf99999 text}";
    EXPECT_TRUE(s.loadFromMemory(colours, TextSurface::Rtf));
    EXPECT_EQ(s.text(), QStringLiteral("text"));

    // PNG header claiming 100000 × 100000 pixels: the picture is dropped, the text stays.
    QByteArray png =
        QByteArray::fromHex("89504e470d0a1a0a0000000d49484452000186a0000186a00802000000");
    QByteArray huge = "{\\rtf1 before{\\pict\\pngblip " + png.toHex() + "}after}";
    ASSERT_TRUE(s.loadFromMemory(huge, TextSurface::Rtf));
    EXPECT_EQ(s.text(), QStringLiteral("beforeafter"));

    QByteArray exact = "{\\rtf1{\\pict\\pngblip\\bin3 abc}ok}";
    ASSERT_TRUE(s.loadFromMemory(exact, TextSurface::Rtf));
    EXPECT_EQ(s.text(), QStringLiteral("ok"));
}

TEST(RtfHostile, StrayAndDeepFrameMarksAreHarmless) {
    using platform::rtf::detail::encodeFormat;
    const QByteArray begin = "{\\*\\djfrb " + encodeFormat(QTextFrameFormat()).toHex() + "}";
    const QByteArray tableBegin = "{\\*\\djfrb " + encodeFormat(QTextTableFormat()).toHex() + "}";
    TextSurface s;
    ASSERT_TRUE(s.loadFromMemory("{\\rtf1 {\\*\\djfre}a\\par b{\\*\\djfre}}", TextSurface::Rtf));
    EXPECT_EQ(s.text(), QStringLiteral("a\nb"));
    ASSERT_TRUE(s.loadFromMemory("{\\rtf1 " + tableBegin + "a}", TextSurface::Rtf));
    EXPECT_EQ(s.text(), QStringLiteral("a"));
    EXPECT_TRUE(s.document()->rootFrame()->childFrames().isEmpty());

    QByteArray deep = "{\\rtf1 ";
    for (int i = 0; i < 40; ++i)
        deep += begin + "x\\par ";
    deep += "end}";
    ASSERT_TRUE(s.loadFromMemory(deep, TextSurface::Rtf));
    EXPECT_EQ(s.text().count(u'x'), 40);
    int depth = 0;
    for (QTextFrame *f = s.document()->rootFrame(); !f->childFrames().isEmpty();
         f = f->childFrames().first())
        ++depth;
    EXPECT_EQ(depth, platform::rtf::detail::MaxFrameDepth);
}
