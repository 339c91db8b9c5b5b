#include "platform/view/page_renderer.h"
#include "platform/view/pdf_writer.h"
#include "text_view_samples.h"

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFrame>
#include <gtest/gtest.h>

using platform::PageRenderer;
using textviewtest::Sample;

namespace {

QImage renderPage(PageRenderer &renderer, int n) {
    const QSizeF size = renderer.geometry().page;
    QImage image(size.toSize(), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    renderer.drawPage(&painter, n, QRectF(QPointF(), size));
    return image;
}

bool inked(const QImage &image, const QRectF &rect) {
    const QRect r = rect.toAlignedRect() & image.rect();
    for (int y = r.top(); y <= r.bottom(); ++y) {
        for (int x = r.left(); x <= r.right(); ++x) {
            if (qGray(image.pixel(x, y)) < 160)
                return true;
        }
    }
    return false;
}

// Adds paragraphs until the content fills exactly the given number of pages.
void fillPages(Sample &sample, int pages) {
    QTextCursor cursor(sample.main.get());
    for (int i = 0; i < 2000; ++i) {
        cursor.movePosition(QTextCursor::End);
        if (i > 0)
            cursor.insertBlock();
        cursor.insertText(
            QStringLiteral("今日の日記、%1 行目。Some text to fill the page.").arg(i));
        PageRenderer renderer(sample.content());
        if (renderer.pageCount() == pages)
            return;
    }
}

} // namespace

TEST(PageRendererTest, PageCountFollowsPageSizeAndMargins) {
    Sample sample;
    sample.fill(150);
    const int letter = PageRenderer(sample.content()).pageCount();
    EXPECT_GT(letter, 3);

    sample.page.height /= 2; // a body less than half as tall needs more than twice the pages
    const int half = PageRenderer(sample.content()).pageCount();
    EXPECT_GT(half, 2 * letter - 1);

    sample.page = {};
    sample.page.marginTop += 2880;
    sample.page.marginBottom += 2880;
    EXPECT_GT(PageRenderer(sample.content()).pageCount(), letter);

    sample.page = {};
    sample.page.marginLeft += 2880; // narrower lines wrap more often
    EXPECT_GT(PageRenderer(sample.content()).pageCount(), letter);

    Sample empty;
    EXPECT_EQ(PageRenderer(empty.content()).pageCount(), 1);

    // A page break (code 12) starts a new page however little text there is.
    Sample broken;
    QTextCursor cursor(broken.main.get());
    cursor.insertText(QStringLiteral("一ページ目"));
    QTextBlockFormat breakBefore;
    breakBefore.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
    cursor.insertBlock(breakBefore);
    cursor.insertText(QStringLiteral("二ページ目"));
    EXPECT_EQ(PageRenderer(broken.content()).pageCount(), 2);
}

TEST(PageRendererTest, RenderingLeavesTheEditedDocumentAlone) {
    Sample sample;
    sample.fill(40);
    sample.main->setModified(false);
    const QSizeF before = sample.main->pageSize();
    PageRenderer renderer(sample.content());
    EXPECT_GT(renderer.pageCount(), 1);
    renderPage(renderer, 1);
    EXPECT_EQ(sample.main->pageSize(), before);
    EXPECT_FALSE(sample.main->isModified());
}

TEST(PageRendererTest, BodyMarginsAddNoUndoStepToAFreshDocument) {
    Sample sample;
    sample.fill(3);
    sample.main->setUndoRedoEnabled(false); // as after loading
    sample.main->setUndoRedoEnabled(true);
    sample.main->setModified(false);
    const auto content = sample.content();
    QSignalSpy edits(sample.main.get(), &QTextDocument::contentsChanged);
    PageRenderer::applyBodyMargins(content, PageRenderer::geometry(content), 16);
    EXPECT_EQ(edits.count(), 0) << "a fresh document reports no edit";
    EXPECT_FALSE(sample.main->isUndoAvailable());
    EXPECT_FALSE(sample.main->isModified());
    EXPECT_NEAR(sample.main->rootFrame()->frameFormat().topMargin(),
                PageRenderer::geometry(content).body.top() + 16, 0.01);

    // After real edits the margin change is an ordinary step, and the flag is kept.
    QTextCursor(sample.main.get()).insertText(QStringLiteral("x"));
    sample.page.marginLeft += 567;
    const auto changed = sample.content();
    PageRenderer::applyBodyMargins(changed, PageRenderer::geometry(changed), 16);
    EXPECT_TRUE(sample.main->isModified());
    EXPECT_EQ(edits.count(), 2) << "the typing and the page change";
    EXPECT_EQ(sample.main->toPlainText().left(1), QStringLiteral("x"));
}

TEST(PageRendererTest, HeadersAndFootersAppearOnTheirPages) {
    Sample sample;
    sample.fill(120);
    sample.setArea(0, QStringLiteral("毎ページのヘッダー"));
    sample.setArea(2, QStringLiteral("Footer on every page"));
    PageRenderer renderer(sample.content());
    const int pages = renderer.pageCount();
    ASSERT_GE(pages, 3);
    const auto content = sample.content();
    const QRectF header = PageRenderer::areaRect(content, renderer.geometry(), 0);
    const QRectF footer = PageRenderer::areaRect(content, renderer.geometry(), 2);
    EXPECT_LT(header.bottom(), renderer.geometry().body.top());
    EXPECT_GT(footer.top(), renderer.geometry().page.height() - renderer.geometry().body.bottom());
    for (int n = 1; n <= pages; ++n) {
        const QImage image = renderPage(renderer, n);
        EXPECT_TRUE(inked(image, header)) << "page " << n;
        EXPECT_TRUE(inked(image, footer)) << "page " << n;
    }

    // A first-page header alone shows on page 1 only.
    Sample first;
    first.fill(120);
    first.setArea(1, QStringLiteral("表紙のヘッダー"));
    PageRenderer firstRenderer(first.content());
    const QRectF firstRect = PageRenderer::areaRect(first.content(), firstRenderer.geometry(), 1);
    EXPECT_TRUE(inked(renderPage(firstRenderer, 1), firstRect));
    for (int n = 2; n <= firstRenderer.pageCount(); ++n)
        EXPECT_FALSE(inked(renderPage(firstRenderer, n), firstRect)) << "page " << n;
}

TEST(PageRendererTest, FirstPageAreaReplacesTheEveryPageAreaOnPageOne) {
    Sample sample;
    sample.fill(120);
    sample.setArea(0, QStringLiteral("EVERY PAGE"));
    sample.setArea(1, QStringLiteral("最初のページだけ、長めの見出しです"));
    PageRenderer renderer(sample.content());
    ASSERT_GE(renderer.pageCount(), 3);
    EXPECT_EQ(PageRenderer::areaOnPage(sample.page, true, 1), 1);
    EXPECT_EQ(PageRenderer::areaOnPage(sample.page, true, 2), 0);
    EXPECT_EQ(PageRenderer::areaOnPage(sample.page, false, 1), -1);

    const QRectF band(0, 0, renderer.geometry().page.width(), renderer.geometry().body.top());
    const QImage one = renderPage(renderer, 1).copy(band.toRect());
    const QImage two = renderPage(renderer, 2).copy(band.toRect());
    const QImage three = renderPage(renderer, 3).copy(band.toRect());
    EXPECT_NE(one, two);
    EXPECT_EQ(two, three);
}

TEST(PageRendererTest, DrawsAtAnyResolution) {
    Sample sample;
    sample.fill(10);
    sample.setArea(0, QStringLiteral("Header"));
    PageRenderer renderer(sample.content());
    const QSizeF size = renderer.geometry().page;
    QImage big((size * 3).toSize(), QImage::Format_RGB32);
    big.fill(Qt::white);
    QPainter painter(&big);
    renderer.drawPage(&painter, 1, QRectF(QPointF(), size * 3));
    painter.end();
    const QImage small = renderPage(renderer, 1);
    const QRectF header = PageRenderer::areaRect(sample.content(), renderer.geometry(), 0);
    EXPECT_TRUE(inked(small, header));
    EXPECT_TRUE(inked(big, QRectF(header.topLeft() * 3, header.size() * 3)));
    // Nothing spills outside the page's body and areas: the left margin stays white.
    EXPECT_FALSE(inked(big, QRectF(0, 0, renderer.geometry().body.left() * 3 - 6, big.height())));
}

TEST(PageRendererTest, ListLabelsQtCannotShowAreDrawnInItsPlace) {
    auto render = [](bool own, int start) {
        Sample sample;
        sample.addLists(own, start);
        PageRenderer renderer(sample.content());
        return renderPage(renderer, 1);
    };
    // Labels drawn by us stand where Qt draws its own, in the main text and in a table cell.
    const QImage qt = render(false, 1);
    EXPECT_EQ(render(true, 1), qt);

    Sample five;
    five.addLists(true, 5);
    QStringList labels;
    for (QTextBlock b = five.main->begin(); b.isValid(); b = b.next()) {
        if (b.textList()) {
            EXPECT_TRUE(platform::drawsOwnLabel(b));
            labels << platform::listItemLabel(b);
        }
    }
    EXPECT_EQ(labels,
              QStringList({QStringLiteral("(5)"), QStringLiteral("(6)"), QStringLiteral("(7)"),
                           QStringLiteral("v."), QStringLiteral("vi.")}));
    PageRenderer renderer(five.content());
    const QImage fromFive = renderPage(renderer, 1);
    EXPECT_NE(fromFive, qt);
    // The first label, in the list's indent of 40 pixels left of the first line.
    const QMarginsF body = renderer.geometry().body;
    EXPECT_TRUE(inked(fromFive, QRectF(body.left(), body.top(), 40, 30)));
}

namespace {

struct PdfPages {
    int count = 0;
    QList<QSizeF> sizes;
};

PdfPages readPdfPages(const QByteArray &pdf) {
    PdfPages result;
    static const QRegularExpression page(QStringLiteral("/Type\\s*/Page(?![s\\w])"));
    static const QRegularExpression box(
        QStringLiteral("/MediaBox\\s*\\[\\s*([-\\d.]+)\\s+([-\\d.]+)\\s+([-\\d.]+)\\s+([-\\d.]+)"));
    const QString text = QString::fromLatin1(pdf);
    for (auto it = page.globalMatch(text); it.hasNext(); it.next())
        ++result.count;
    auto it = box.globalMatch(text);
    while (it.hasNext()) {
        const auto m = it.next();
        result.sizes.append(QSizeF(m.captured(3).toDouble() - m.captured(1).toDouble(),
                                   m.captured(4).toDouble() - m.captured(2).toDouble()));
    }
    return result;
}

} // namespace

TEST(PdfWriterTest, ThreePageDocumentGivesThreePagesOfItsSize) {
    Sample sample;
    sample.page.width = 11906; // A4
    sample.page.height = 16838;
    sample.setArea(0, QStringLiteral("ヘッダー"));
    fillPages(sample, 3);
    ASSERT_EQ(PageRenderer(sample.content()).pageCount(), 3);

    QImage picture(40, 30, QImage::Format_RGB32);
    picture.fill(Qt::red);
    sample.main->addResource(QTextDocument::ImageResource, QUrl(QStringLiteral("pic.png")),
                             picture);
    QTextCursor(sample.main.get()).insertImage(QStringLiteral("pic.png"));

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("entry.pdf"));
    ASSERT_TRUE(platform::savePdf(sample.content(), path));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray pdf = file.readAll();
    const PdfPages pages = readPdfPages(pdf);
    EXPECT_EQ(pages.count, 3);
    ASSERT_EQ(pages.sizes.size(), 3);
    for (const QSizeF &size : pages.sizes) {
        EXPECT_NEAR(size.width(), 11906 / 20.0, 1.0);
        EXPECT_NEAR(size.height(), 16838 / 20.0, 1.0);
    }
    EXPECT_TRUE(pdf.contains("/FontFile2")) << "fonts are embedded";
    EXPECT_TRUE(pdf.contains("/ToUnicode")) << "text stays selectable";
    EXPECT_TRUE(pdf.contains("/Subtype /Image")) << "the picture is in the file";
}

TEST(PdfWriterTest, LandscapePageAndFailures) {
    Sample sample;
    sample.page.width = 15840;
    sample.page.height = 12240;
    sample.page.landscape = true;
    sample.fill(2);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("wide.pdf"));
    ASSERT_TRUE(platform::savePdf(sample.content(), path));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const PdfPages pages = readPdfPages(file.readAll());
    ASSERT_EQ(pages.sizes.size(), 1);
    EXPECT_NEAR(pages.sizes[0].width(), 792, 1.0);
    EXPECT_NEAR(pages.sizes[0].height(), 612, 1.0);

    EXPECT_FALSE(
        platform::savePdf(sample.content(), dir.filePath(QStringLiteral("no/such/x.pdf"))));
    platform::TextContent nothing;
    EXPECT_FALSE(platform::savePdf(nothing, dir.filePath(QStringLiteral("none.pdf"))));
}
