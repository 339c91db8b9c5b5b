#include "platform/view/page_renderer.h"

#include "platform/view/list_labels.h"

#include <QAbstractTextDocumentLayout>
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <QSignalBlocker>
#include <QTextDocument>
#include <QTextFrame>

namespace platform {

namespace {

constexpr int kAreaDistanceTwips = 709; // headers and footers sit 1.25 cm from the edge at most
constexpr int kAreaGapTwips = 120;      // space kept between an area and the body text

bool areaOn(const TextContent &content, int area) {
    return (content.page.headerFooterBits & (1 << area)) && content.areas[area];
}

qreal areaHeight(QTextDocument *doc) {
    return doc->documentLayout()->documentSize().height() - 2 * doc->documentMargin();
}

bool near(qreal a, qreal b) {
    return qAbs(a - b) < 0.01;
}

void setBodyMargins(QTextDocument *doc, const PageGeometry &geometry, qreal gap) {
    QTextFrame *root = doc->rootFrame();
    QTextFrameFormat format = root->frameFormat();
    const QMarginsF &m = geometry.body;
    if (near(format.leftMargin(), m.left()) && near(format.topMargin(), m.top() + gap) &&
        near(format.rightMargin(), m.right()) && near(format.bottomMargin(), m.bottom()))
        return;
    format.setLeftMargin(m.left());
    format.setTopMargin(m.top() + gap);
    format.setRightMargin(m.right());
    format.setBottomMargin(m.bottom());
    const bool modified = doc->isModified();
    const bool history = doc->isUndoAvailable() || doc->isRedoAvailable();
    // On a fresh document (just made or loaded) the margins are layout, not an edit: nobody
    // hears of the change, and the undo step it leaves is dropped. The layout still follows, as
    // the document tells it directly.
    const bool quiet = !history && doc->isUndoRedoEnabled();
    const QSignalBlocker blocker(quiet ? doc : nullptr);
    root->setFrameFormat(format);
    if (quiet) {
        doc->setUndoRedoEnabled(false);
        doc->setUndoRedoEnabled(true);
    }
    doc->setModified(modified);
}

void drawDocument(QPainter *painter, QTextDocument *doc, const QRectF &clip) {
    QAbstractTextDocumentLayout::PaintContext context;
    context.clip = clip;
    context.palette.setColor(QPalette::Text, Qt::black);
    doc->documentLayout()->draw(painter, context);
    drawOwnListLabels(painter, doc, clip, Qt::black);
}

} // namespace

PageRenderer::PageRenderer(const TextContent &content)
    : m_content(content), m_geometry(geometry(content)) {}

PageRenderer::~PageRenderer() = default;

qreal PageRenderer::layoutDpi() {
    // The text layout turns point sizes into pixels at the primary screen's logical dpi.
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        return qRound(screen->logicalDotsPerInchY());
    return 96;
}

qreal PageRenderer::fromTwips(int twips) {
    return twips * layoutDpi() / 1440.0;
}

PageGeometry PageRenderer::geometry(const TextContent &content) {
    const PageSetup &p = content.page;
    PageGeometry g;
    g.page = QSizeF(fromTwips(p.width), fromTwips(p.height));
    g.body = QMarginsF(fromTwips(p.marginLeft), fromTwips(p.marginTop), fromTwips(p.marginRight),
                       fromTwips(p.marginBottom));
    g.headerTop = fromTwips(qMin(kAreaDistanceTwips, p.marginTop / 2));
    g.footerBottom = g.page.height() - fromTwips(qMin(kAreaDistanceTwips, p.marginBottom / 2));

    const qreal width = qMax<qreal>(1, g.contentWidth());
    qreal header = 0;
    qreal footer = 0;
    for (int area = 0; area < 4; ++area) {
        if (!areaOn(content, area))
            continue;
        QTextDocument *doc = content.areas[area];
        if (!doc->useDesignMetrics())
            doc->setUseDesignMetrics(true);
        const qreal textWidth = width + 2 * doc->documentMargin();
        if (!near(doc->pageSize().width(), textWidth) || doc->pageSize().height() > 0)
            doc->setTextWidth(textWidth);
        (area < 2 ? header : footer) = qMax(area < 2 ? header : footer, areaHeight(doc));
    }
    const qreal gap = fromTwips(kAreaGapTwips);
    if (header > 0)
        g.body.setTop(qMax(g.body.top(), g.headerTop + header + gap));
    if (footer > 0)
        g.body.setBottom(qMax(g.body.bottom(), g.page.height() - g.footerBottom + footer + gap));
    // A body never shrinks below one line's worth of room, whatever the margins say.
    const qreal room = g.page.height() - g.body.top() - g.body.bottom();
    if (room < fromTwips(360))
        g.body.setBottom(qMax<qreal>(0, g.page.height() - g.body.top() - fromTwips(360)));
    return g;
}

void PageRenderer::applyBodyMargins(const TextContent &content, const PageGeometry &geometry,
                                    qreal gap) {
    if (content.main)
        setBodyMargins(content.main, geometry, gap);
}

int PageRenderer::areaOnPage(const PageSetup &page, bool header, int n) {
    const int every = header ? 0 : 2;
    const int first = every + 1;
    if (n == 1 && (page.headerFooterBits & (1 << first)))
        return first;
    if (page.headerFooterBits & (1 << every))
        return every;
    return -1;
}

QRectF PageRenderer::areaRect(const TextContent &content, const PageGeometry &geometry, int area) {
    if (area < 0 || area > 3 || !content.areas[area])
        return {};
    const qreal height = areaHeight(content.areas[area]);
    const qreal top = area < 2 ? geometry.headerTop : geometry.footerBottom - height;
    return QRectF(geometry.body.left(), top, geometry.contentWidth(), height);
}

QTextDocument *PageRenderer::body() {
    if (m_body || !m_content.main)
        return m_body;
    QTextDocument *main = m_content.main;
    const QSizeF size = main->pageSize();
    const QTextFrameFormat root = main->rootFrame()->frameFormat();
    const qreal gap = size.height() - m_geometry.page.height();
    const bool paged = main->useDesignMetrics() && near(size.width(), m_geometry.page.width()) &&
                       gap > -0.01 && near(root.leftMargin(), m_geometry.body.left()) &&
                       near(root.rightMargin(), m_geometry.body.right()) &&
                       near(root.topMargin(), m_geometry.body.top() + gap) &&
                       near(root.bottomMargin(), m_geometry.body.bottom());
    if (paged) {
        m_body = main;
        m_gap = qMax<qreal>(0, gap);
    } else {
        m_copy.reset(main->clone());
        m_copy->setPageSize(QSizeF()); // no layout until the page size below
        m_copy->setUseDesignMetrics(true);
        setBodyMargins(m_copy.get(), m_geometry, 0);
        m_copy->setPageSize(m_geometry.page);
        m_body = m_copy.get();
        m_gap = 0;
    }
    m_stride = m_body->pageSize().height();
    return m_body;
}

int PageRenderer::pageCount() {
    QTextDocument *doc = body();
    return doc ? qMax(1, doc->pageCount()) : 1;
}

void PageRenderer::drawPage(QPainter *painter, int n, const QRectF &target) {
    painter->save();
    painter->translate(target.topLeft());
    painter->scale(target.width() / m_geometry.page.width(),
                   target.height() / m_geometry.page.height());
    painter->setClipRect(QRectF(QPointF(), m_geometry.page), Qt::IntersectClip);
    drawAreas(painter, n, QRectF(QPointF(), m_geometry.page));
    drawBody(painter, n);
    painter->restore();
}

void PageRenderer::drawAreas(QPainter *painter, int n, const QRectF &target, int skipArea) {
    painter->save();
    painter->translate(target.topLeft());
    painter->scale(target.width() / m_geometry.page.width(),
                   target.height() / m_geometry.page.height());
    for (bool header : {true, false}) {
        const int area = areaOnPage(m_content.page, header, n);
        if (area < 0 || area == skipArea || !areaOn(m_content, area))
            continue;
        QTextDocument *doc = m_content.areas[area];
        const QRectF rect = areaRect(m_content, m_geometry, area);
        const qreal margin = doc->documentMargin();
        painter->save();
        painter->translate(rect.x() - margin, rect.y() - margin);
        drawDocument(painter, doc, QRectF(QPointF(), doc->size()));
        painter->restore();
    }
    painter->restore();
}

void PageRenderer::drawBody(QPainter *painter, int n) {
    QTextDocument *doc = body();
    if (!doc)
        return;
    const qreal top = (n - 1) * m_stride + m_gap;
    painter->save();
    painter->translate(0, -top);
    const QRectF page(QPointF(0, top), m_geometry.page);
    painter->setClipRect(page, Qt::IntersectClip);
    drawDocument(painter, doc, page);
    painter->restore();
}

} // namespace platform
