#include "editor/menus/format_values.h"
#include "platform/text/text_surface.h"

#include <gtest/gtest.h>

using namespace editor;

TEST(EditorFormatValues, ParagraphRoundTrip) {
    platform::TextSurface surface;
    surface.setSelText(QStringLiteral("段落"));
    const ParagraphValues values{2, 567, 283, -200, 120, 240, 150};
    applyParagraph(surface, values);
    EXPECT_EQ(readParagraph(surface), values);
    applyParagraph(surface, ParagraphValues{0, -5, 0, 0, 0, 0, 0});
    EXPECT_EQ(readParagraph(surface).leftIndent, 0);
    EXPECT_EQ(readParagraph(surface).lineSpacing, platform::TextSurface::AutomaticLineSpacing);
}

TEST(EditorFormatValues, FontAndList) {
    platform::TextSurface surface;
    surface.setSelText(QStringLiteral("字"));
    surface.select(0, 1);
    const FontValues font{QStringLiteral("IPAGothic"), 12, true, false, true, false, 0x00ff00};
    applyFont(surface, font);
    surface.select(0, 1);
    EXPECT_EQ(readFont(surface), font);
    applyList(surface, ListValues{3});
    EXPECT_EQ(readList(surface).state, 3);
    applyList(surface, ListValues{1});
    EXPECT_EQ(readList(surface).state, 1);
}

TEST(EditorFormatValues, TableOutsideATableIsRefused) {
    platform::TextSurface surface;
    TableValues values;
    EXPECT_FALSE(readTable(surface, values));
    EXPECT_FALSE(applyTable(surface, values));
    ASSERT_GT(surface.insertTable(2, 2), 0);
    const int table = surface.tableIds().value(0);
    surface.setSelStart(surface.cellStart(table, 2, 2));
    const TableValues wanted{30, 90, 80, 0x00ffff};
    ASSERT_TRUE(applyTable(surface, wanted));
    surface.setSelStart(surface.cellStart(table, 2, 2));
    TableValues read;
    ASSERT_TRUE(readTable(surface, read));
    EXPECT_EQ(read, wanted);
    surface.setSelStart(surface.cellStart(table, 1, 1));
    ASSERT_TRUE(readTable(surface, read));
    EXPECT_EQ(read.cellBackground, -1);
}
