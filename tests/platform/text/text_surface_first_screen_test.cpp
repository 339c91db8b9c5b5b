// A long entry's start is handed to whoever shows it before the rest is read; what is read in the
// end, and what a failure leaves, must not depend on it.
#include "docx/docx_test_package.h"
#include "text_surface_test_util.h"

#include <QTextDocument>

#include <gtest/gtest.h>

using platform::TextSurface;

namespace {

// What the surface holds when its first screen is handed over.
struct FirstScreen {
    int count = 0;
    int characters = 0;
    QString text;
    platform::PageSetup page;
    QString header;
    QString footer;
    QString fontFamily;
    int caret = -1;
    QSizeF pageSize;
};

void watch(TextSurface &surface, FirstScreen &seen) {
    QObject::connect(&surface, &TextSurface::firstScreenRead, &surface, [&surface, &seen] {
        ++seen.count;
        seen.characters = surface.document()->characterCount();
        seen.text = surface.document()->toPlainText();
        seen.page = surface.page();
        seen.header = surface.areaDocument(platform::HeaderEveryPage)->toPlainText();
        seen.footer = surface.areaDocument(platform::FooterEveryPage)->toPlainText();
        seen.fontFamily = surface.document()->defaultFont().family();
        seen.caret = surface.selStart();
        seen.pageSize = surface.document()->pageSize();
        // A view laying the new page values out, as it does when they differ from the last.
        surface.document()->setPageSize(QSizeF(600, 800));
    });
}

} // namespace

TEST(TextSurfaceFirstScreen, ALongEntryShowsItsStartFirstAndReadsTheSame) {
    const QByteArray bytes = textsurfacetest::longEntry();
    TextSurface plain;
    ASSERT_TRUE(plain.loadWholeFromMemory(bytes, TextSurface::Docx));
    const QString whole = plain.document()->toPlainText();

    TextSurface surface;
    surface.setSelText(QStringLiteral("an older entry"));
    surface.document()->setPageSize(QSizeF(500, 700));
    FirstScreen seen;
    watch(surface, seen);
    QString error;
    ASSERT_TRUE(surface.loadWholeFromMemory(bytes, TextSurface::Docx, &error))
        << error.toStdString();

    ASSERT_EQ(seen.count, 1);
    EXPECT_GE(seen.characters, 8000);
    EXPECT_LT(seen.characters, plain.document()->characterCount() / 2);
    EXPECT_TRUE(whole.startsWith(seen.text));
    // Everything the first screen shows besides the text is already the new entry's own.
    EXPECT_EQ(seen.page, plain.page());
    EXPECT_EQ(seen.header, QStringLiteral("ヘッダー"));
    EXPECT_EQ(seen.footer, QStringLiteral("フッター"));
    EXPECT_EQ(seen.fontFamily, plain.document()->defaultFont().family());
    EXPECT_EQ(seen.caret, 0);
    EXPECT_EQ(seen.pageSize, QSizeF(500, 700));

    // The same as read in one go, laid out as the view left it, with nothing to undo.
    EXPECT_EQ(surface.saveToMemory(TextSurface::Internal),
              plain.saveToMemory(TextSurface::Internal));
    EXPECT_EQ(surface.saveToMemory(TextSurface::Docx), plain.saveToMemory(TextSurface::Docx));
    EXPECT_EQ(surface.page(), plain.page());
    EXPECT_EQ(surface.document()->pageSize(), QSizeF(600, 800));
    EXPECT_EQ(surface.selStart(), 0);
    EXPECT_FALSE(surface.canUndo());

    // A typical entry, and the long one in a format without a first screen, are read in one go.
    TextSurface typical;
    typical.setSelText(QStringLiteral("今日は晴れ。\n"));
    ASSERT_TRUE(
        surface.loadWholeFromMemory(typical.saveToMemory(TextSurface::Docx), TextSurface::Docx));
    ASSERT_TRUE(surface.loadWholeFromMemory(plain.saveToMemory(TextSurface::Internal),
                                            TextSurface::Internal));
    EXPECT_EQ(seen.count, 1);
    EXPECT_EQ(surface.document()->toPlainText(), whole);
}

TEST(TextSurfaceFirstScreen, AFailureAfterTheFirstScreenPutsEverythingBack) {
    // The long entry with its XML broken three quarters down, well after the first screen.
    QList<QPair<QString, QByteArray>> files = docxtest::unzipAll(textsurfacetest::longEntry());
    QByteArray *xml = nullptr;
    for (auto &[name, data] : files)
        if (name == QStringLiteral("word/document.xml"))
            xml = &data;
    ASSERT_NE(xml, nullptr);
    const qsizetype at = xml->indexOf("</w:t>", xml->size() * 3 / 4);
    ASSERT_GT(at, 0);
    xml->replace(at, 6, "</w:r>");
    const QByteArray broken = docxtest::zip(files);

    TextSurface surface;
    surface.setPage([] {
        platform::PageSetup page;
        page.landscape = true;
        page.headerFooterBits = platform::HeaderEveryPage;
        return page;
    }());
    surface.setSelText(QStringLiteral("the entry shown so far\nkept as it was"));
    surface.setActiveArea(platform::HeaderEveryPage);
    surface.setSelText(QStringLiteral("its header"));
    surface.setActiveArea(0);
    surface.select(3, 4);
    surface.document()->setPageSize(QSizeF(500, 700));
    const QByteArray before = surface.saveToMemory(TextSurface::Internal);
    const platform::PageSetup page = surface.page();
    FirstScreen seen;
    watch(surface, seen);

    QString error;
    EXPECT_FALSE(surface.loadWholeFromMemory(broken, TextSurface::Docx, &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(seen.count, 1);
    EXPECT_EQ(surface.saveToMemory(TextSurface::Internal), before);
    EXPECT_EQ(surface.page(), page);
    EXPECT_EQ(surface.areaDocument(platform::HeaderEveryPage)->toPlainText(),
              QStringLiteral("its header"));
    EXPECT_EQ(surface.selStart(), 3);
    EXPECT_EQ(surface.selLength(), 4);
    EXPECT_EQ(surface.document()->pageSize(), QSizeF(500, 700));
}
