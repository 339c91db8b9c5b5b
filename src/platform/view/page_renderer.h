#pragma once

#include "platform/text/text_model.h"

#include <QMarginsF>
#include <QRectF>
#include <QSizeF>
#include <memory>

class QPainter;
class QTextDocument;

namespace platform {

// Where things sit on one page, in layout units: logical pixels at the resolution the documents
// are laid out in (the screen's logical dpi). The body margins grow beyond the page margins when
// a header or footer is too tall for its margin, as on paper.
struct PageGeometry {
    QSizeF page;
    QMarginsF body;
    qreal headerTop = 0;    // top edge of the header areas
    qreal footerBottom = 0; // bottom edge of the footer areas, from the page top

    qreal contentWidth() const { return page.width() - body.left() - body.right(); }
    qreal bodyHeight() const { return page.height() - body.top() - body.bottom(); }
};

// Draws the pages of a content: the main text cut into pages of the page size and margins, with
// the header and footer areas the bits switch on. The main document is used as it is when it is
// already laid out in pages of that geometry (page view); otherwise the renderer lays out a copy,
// so rendering never changes the document being edited.
class PageRenderer {
public:
    explicit PageRenderer(const TextContent &content);
    ~PageRenderer();
    PageRenderer(const PageRenderer &) = delete;
    PageRenderer &operator=(const PageRenderer &) = delete;

    // Layout units per inch and per twip.
    static qreal layoutDpi();
    static qreal fromTwips(int twips);

    // Geometry for the content; lays the header and footer areas out at the content width.
    static PageGeometry geometry(const TextContent &content);

    // Gives the main document the body margins of the geometry, the top one grown by gap (page
    // view draws that much space above each page). Changing margins is an edit of the document:
    // its modified flag is kept, and a document without undo history gets none from it.
    static void applyBodyMargins(const TextContent &content, const PageGeometry &geometry,
                                 qreal gap);

    // Index into TextContent::areas of the header (or footer) shown on page n (1-based), or -1.
    static int areaOnPage(const PageSetup &page, bool header, int n);

    // Rectangle of an area on its page, in layout units from the page's top left.
    static QRectF areaRect(const TextContent &content, const PageGeometry &geometry, int area);

    const PageGeometry &geometry() const { return m_geometry; }
    int pageCount();

    // Draws page n (1-based) scaled into target, a rectangle of the painter's device that has the
    // page's proportions. The painter's state is kept. skipArea (an areas index) leaves one area
    // out: the one page view is editing in place.
    void drawPage(QPainter *painter, int n, const QRectF &target);
    void drawAreas(QPainter *painter, int n, const QRectF &target, int skipArea = -1);

private:
    QTextDocument *body();
    void drawBody(QPainter *painter, int n);

    TextContent m_content;
    PageGeometry m_geometry;
    std::unique_ptr<QTextDocument> m_copy;
    QTextDocument *m_body = nullptr;
    qreal m_stride = 0; // distance between page tops in the body layout
    qreal m_gap = 0;    // space the body layout keeps above each page
};

} // namespace platform
