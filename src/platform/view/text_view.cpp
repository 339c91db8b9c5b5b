#include "platform/view/text_view.h"

#include "platform/view/text_view_items.h"

#include <QAbstractTextDocumentLayout>
#include <QContextMenuEvent>
#include <QGraphicsScene>
#include <QGuiApplication>
#include <QInputMethod>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextLayout>
#include <QtMath>

namespace platform {

namespace {

constexpr qreal kNormalMinWidth = 120; // narrowest text column normal view lays out

} // namespace

qreal TextView::pageGap() {
    return 16;
}

TextView::TextView(QWidget *parent) : QGraphicsView(parent) {
    m_scene = new QGraphicsScene(this);
    m_scene->setItemIndexMethod(QGraphicsScene::NoIndex);
    setScene(m_scene);
    setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    setBackgroundBrush(QColor(128, 128, 128));
    setViewportUpdateMode(QGraphicsView::MinimalViewportUpdate);
    setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing |
                   QPainter::SmoothPixmapTransform);
    setDragMode(QGraphicsView::NoDrag);
    viewport()->setCursor(Qt::IBeamCursor);

    m_ownMain = new QTextDocument(this);
    m_content.main = m_ownMain;
    m_pages = new TextPageItem(this);
    m_pages->setZValue(-1);
    m_scene->addItem(m_pages);
    m_text = new TextEditItem(this, m_ownMain);
    m_scene->addItem(m_text);
    m_marks = new TextMarksItem(this);
    m_marks->setZValue(1);
    m_scene->addItem(m_marks);
    m_text->setFocus();
    setContent(m_content);
}

TextView::~TextView() {
    // Items go before the documents they show.
    delete m_areaItem;
    m_scene->clear();
}

void TextView::setContent(const TextContent &content) {
    leaveArea();
    for (QTextDocument *doc : m_content.areas) {
        if (doc)
            doc->disconnect(this);
    }
    m_content = content;
    if (!m_content.main)
        m_content.main = m_ownMain;
    for (int area = 0; area < 4; ++area) {
        if (!m_content.areas[area] && (m_content.page.headerFooterBits & (1 << area)))
            ensureArea(area);
        if (m_content.areas[area])
            watchArea(m_content.areas[area]);
    }
    if (!m_content.main->useDesignMetrics())
        m_content.main->setUseDesignMetrics(true);
    if (m_watched != m_content.main) {
        if (m_watched)
            m_watched->disconnect(this);
        m_watched = m_content.main;
        connect(m_watched, &QTextDocument::contentsChange, this, [this] {
            if (!m_layoutCheckPending) {
                m_layoutCheckPending = true;
                QMetaObject::invokeMethod(this, &TextView::checkLayout, Qt::QueuedConnection);
            }
        });
    }
    relayout();
}

void TextView::setPageSetup(const PageSetup &page) {
    m_content.page = page;
    setHeaderFooterBits(page.headerFooterBits);
}

QTextDocument *TextView::ensureArea(int area) {
    if (!m_content.areas[area]) {
        if (!m_ownAreas[area])
            m_ownAreas[area] = new QTextDocument(this);
        m_content.areas[area] = m_ownAreas[area];
        watchArea(m_content.areas[area]);
    }
    return m_content.areas[area];
}

void TextView::watchArea(QTextDocument *doc) {
    // Other pages show the area as it is typed; a footer grows upwards from its edge.
    connect(doc, &QTextDocument::contentsChanged, this, [this] {
        placeAreaItem();
        m_pages->update();
    });
}

void TextView::setHeaderFooterBits(int bits) {
    bits &= HeaderEveryPage | HeaderFirstPage | FooterEveryPage | FooterFirstPage;
    if (m_activeArea >= 0 && !(bits & (1 << m_activeArea)))
        leaveArea();
    for (int area = 0; area < 4; ++area) {
        if (bits & (1 << area))
            ensureArea(area);
    }
    m_content.page.headerFooterBits = bits;
    relayout();
}

void TextView::relayout() {
    m_geometry = PageRenderer::geometry(m_content);
    QSizeF size;
    if (m_mode == PageView) {
        size = QSizeF(m_geometry.page.width(), m_geometry.page.height() + pageGap());
    } else {
        const qreal width = viewport()->width() * 100.0 / m_zoom;
        size = QSizeF(
            qMax(width, m_geometry.body.left() + m_geometry.body.right() + kNormalMinWidth), -1);
    }
    applyLayout(size);
    m_text->showDocument(m_content.main);
    updateSceneRect();
    placeAreaItem();
    m_pages->update();
}

void TextView::applyLayout(const QSizeF &size) {
    QTextDocument *doc = m_content.main;
    const QTextFrameFormat root = doc->rootFrame()->frameFormat();
    const QMarginsF &body = m_geometry.body;
    const bool margins = qAbs(root.leftMargin() - body.left()) > 0.01 ||
                         qAbs(root.topMargin() - body.top() - pageGap()) > 0.01 ||
                         qAbs(root.rightMargin() - body.right()) > 0.01 ||
                         qAbs(root.bottomMargin() - body.bottom()) > 0.01;
    if (margins) {
        // With an empty page size the layout ignores the margin change (QSizeF() would lay the
        // whole text out at unbounded width); the new size then starts one full layout, done in
        // steps in the background.
        doc->setPageSize(QSizeF(0, 0));
        PageRenderer::applyBodyMargins(m_content, m_geometry, pageGap());
    }
    if (margins || doc->pageSize() != size)
        doc->setPageSize(size);
}

void TextView::checkLayout() {
    m_layoutCheckPending = false;
    // A document that was cleared and loaded again has lost its page margins.
    if (m_content.main)
        applyLayout(m_content.main->pageSize());
}

void TextView::updateSceneRect() {
    if (!m_text || !m_pages)
        return;
    // The size the layout reported so far: the rest of a long document is laid out in the
    // background, and the scene grows as it is.
    const QSizeF size = m_text->boundingRect().size();
    const int pages = m_pageCount;
    QRectF rect;
    if (m_mode == PageView) {
        const qreal stride = m_geometry.page.height() + pageGap();
        m_pageCount = qMax(1, qCeil(size.height() / stride - 0.001));
        const qreal gap = pageGap();
        rect = QRectF(-gap, 0, m_geometry.page.width() + 2 * gap, m_pageCount * stride + gap);
    } else {
        m_pageCount = 1;
        const qreal height = qMax(size.height(), viewport()->height() * 100.0 / m_zoom);
        rect = QRectF(0, 0, size.width(), height);
    }
    m_pages->setBounds(m_mode == PageView ? rect : QRectF(QPointF(), rect.size()));
    m_marks->setBounds(QRectF(QPointF(), size));
    if (m_scene->sceneRect() != rect)
        m_scene->setSceneRect(rect);
    if (m_pageCount != pages)
        emit pageCountChanged(m_pageCount);
}

qreal TextView::pageTop(int n) const {
    return (n - 1) * (m_geometry.page.height() + pageGap()) + pageGap();
}

int TextView::pageAt(qreal sceneY) const {
    const qreal stride = m_geometry.page.height() + pageGap();
    return qBound(1, int(sceneY / stride) + 1, m_pageCount);
}

int TextView::pageCount() {
    if (m_mode != PageView) {
        PageRenderer renderer(m_content);
        return renderer.pageCount();
    }
    m_content.main->documentLayout()->documentSize(); // finishes the layout
    updateSceneRect();
    return m_pageCount;
}

int TextView::currentPage() const {
    if (m_mode != PageView)
        return 1;
    return pageAt(caretSceneRect().center().y());
}

void TextView::setViewMode(int mode) {
    mode = mode == PageView ? PageView : NormalView;
    if (mode == m_mode)
        return;
    if (mode == NormalView)
        leaveArea();
    m_mode = mode;
    relayout();
    ensureCaretVisible();
    emit viewModeChanged(mode);
}

void TextView::setZoom(int percent) {
    percent = qBound(MinZoom, percent, MaxZoom);
    if (percent == m_zoom)
        return;
    m_zoom = percent;
    setTransform(QTransform::fromScale(percent / 100.0, percent / 100.0));
    if (m_mode == NormalView)
        relayout();
    else
        updateSceneRect();
    ensureCaretVisible();
    emit zoomChanged(percent);
}

void TextView::setControlCharactersShown(bool shown) {
    m_controlCharacters = shown;
    m_marks->update();
}

void TextView::setInputMethodEnabled(bool on) {
    // The input method stays enabled either way: a disabled one cannot be reopened by the user.
    // Off only asks for Latin input; the user's own switching key still works.
    m_inputMethod = on;
    Qt::InputMethodHints hints = inputMethodHints();
    hints.setFlag(Qt::ImhPreferLatin, !on);
    setInputMethodHints(hints);
    for (TextEditItem *item : {m_text, m_areaItem}) {
        if (item)
            item->setInputMethodHints(hints);
    }
    if (hasFocus())
        QGuiApplication::inputMethod()->update(Qt::ImHints);
}

void TextView::setTableGridShown(bool shown) {
    m_tableGrid = shown;
    m_marks->update();
}

QTextCursor TextView::textCursor() const {
    return m_text->textCursor();
}

void TextView::setTextCursor(const QTextCursor &cursor) {
    m_text->setTextCursor(cursor);
    ensureCaretVisible();
    emit cursorPositionChanged();
}

QRectF TextView::caretSceneRect() const {
    const TextEditItem *item = m_areaItem ? m_areaItem : m_text;
    const QTextCursor cursor = item->textCursor();
    const QTextBlock block = cursor.block();
    QTextDocument *doc = cursor.document();
    const QRectF rect = doc->documentLayout()->blockBoundingRect(block);
    const QTextLayout *layout = block.layout();
    const int pos = cursor.position() - block.position();
    const QTextLine line = layout ? layout->lineForTextPosition(pos) : QTextLine();
    if (!line.isValid())
        return item->mapRectToScene(
            QRectF(rect.topLeft(), QSizeF(1, qMax<qreal>(rect.height(), 1))));
    const QRectF caret(rect.left() + line.cursorToX(pos), rect.top() + line.y(), 1, line.height());
    return item->mapRectToScene(caret);
}

QRect TextView::caretRect() const {
    return mapFromScene(caretSceneRect()).boundingRect();
}

void TextView::ensureCaretVisible() {
    QRectF caret = caretSceneRect();
    if (!m_scene->sceneRect().contains(caret)) {
        // The background layout has not reached the caret yet: finish it so that the scene
        // reaches that far.
        m_text->finishLayout();
        updateSceneRect();
        caret = caretSceneRect();
    }
    ensureVisible(caret, 20, 20);
}

QTextDocument *TextView::activeDocument() const {
    return m_activeArea >= 0 ? m_content.areas[m_activeArea] : m_content.main;
}

bool TextView::activateArea(int bit) {
    int area = -1;
    for (int i = 0; i < 4; ++i) {
        if (bit == (1 << i))
            area = i;
    }
    if (area < 0 || !(m_content.page.headerFooterBits & bit))
        return false;
    if (m_activeArea == area)
        return true;
    leaveArea();
    setViewMode(PageView);
    m_activeArea = area;
    // Every-page areas are edited on a page that shows them: page 2 when page 1 has its own.
    const bool firstOwn =
        (area == 0 || area == 2) && (m_content.page.headerFooterBits & (bit << 1));
    m_areaPage = firstOwn && m_pageCount > 1 ? 2 : 1;
    m_areaItem = new TextEditItem(this, ensureArea(area));
    m_areaItem->setZValue(2);
    m_areaItem->setInputMethodHints(inputMethodHints());
    m_scene->addItem(m_areaItem);
    m_text->setOpacity(0.45);
    m_text->setTextInteractionFlags(Qt::NoTextInteraction);
    placeAreaItem();
    m_areaItem->setFocus();
    QTextCursor cursor(m_areaItem->document());
    cursor.movePosition(QTextCursor::End);
    m_areaItem->setTextCursor(cursor);
    m_pages->update();
    ensureCaretVisible();
    emit activeAreaChanged(bit);
    return true;
}

void TextView::leaveArea() {
    if (m_activeArea < 0)
        return;
    m_activeArea = -1;
    // The item may be in the middle of handling the key that ends its editing.
    m_scene->removeItem(m_areaItem);
    m_areaItem->deleteLater();
    m_areaItem = nullptr;
    m_text->setOpacity(1);
    m_text->setTextInteractionFlags(Qt::TextEditorInteraction);
    m_text->setFlag(QGraphicsItem::ItemAcceptsInputMethod, true);
    m_text->setFocus();
    relayout(); // the area may have grown or shrunk, and the body with it
    emit activeAreaChanged(0);
}

void TextView::placeAreaItem() {
    if (!m_areaItem)
        return;
    const QRectF area = PageRenderer::areaRect(m_content, m_geometry, m_activeArea);
    const qreal margin = m_areaItem->document()->documentMargin();
    m_areaItem->setPos(area.left() - margin, pageTop(m_areaPage) + area.top() - margin);
}

void TextView::textClicked(TextEditItem *item, const QPointF &pos) {
    const QTextFormat format = item->document()->documentLayout()->formatAt(pos);
    const int id = format.property(TextProp::FieldId).toInt();
    if (id > 0)
        emit fieldActivated(id);
}

void TextView::resizeEvent(QResizeEvent *event) {
    QGraphicsView::resizeEvent(event);
    if (m_mode == NormalView)
        relayout();
    else
        updateSceneRect();
}

bool TextView::belowText(const QPoint &viewportPos) const {
    if (m_areaItem || !(m_text->textInteractionFlags() & Qt::TextEditable))
        return false;
    QTextDocument *doc = m_content.main;
    const QRectF last = doc->documentLayout()->blockBoundingRect(doc->lastBlock());
    return mapToScene(viewportPos).y() > m_text->mapToScene(last.bottomLeft()).y();
}

void TextView::caretToEnd() {
    QTextCursor cursor(m_content.main);
    cursor.movePosition(QTextCursor::End);
    m_text->setTextCursor(cursor);
    m_text->setFocus();
    caretChanged(m_text);
}

void TextView::mousePressEvent(QMouseEvent *event) {
    if (m_areaItem) {
        const QPointF scenePos = mapToScene(event->position().toPoint());
        if (!m_areaItem->contains(m_areaItem->mapFromScene(scenePos))) {
            leaveArea();
            event->accept();
            return;
        }
    }
    // The blank page below the text belongs to the text, as in any word processor.
    if (belowText(event->position().toPoint())) {
        caretToEnd();
        event->accept();
        return;
    }
    QGraphicsView::mousePressEvent(event);
}

void TextView::contextMenuEvent(QContextMenuEvent *event) {
    if (m_hook && belowText(event->pos()) && m_hook->contextMenu(event->globalPos())) {
        event->accept();
        return;
    }
    QGraphicsView::contextMenuEvent(event);
}

void TextView::mouseDoubleClickEvent(QMouseEvent *event) {
    if (m_hook && event->button() == Qt::LeftButton &&
        m_hook->doubleClick(event->globalPosition().toPoint())) {
        event->accept();
        return;
    }
    if (m_mode == PageView && !m_areaItem) {
        const QPointF scenePos = mapToScene(event->position().toPoint());
        const int n = pageAt(scenePos.y());
        const qreal y = scenePos.y() - pageTop(n);
        const bool header = y >= 0 && y < m_geometry.body.top();
        const bool footer = y > m_geometry.page.height() - m_geometry.body.bottom() &&
                            y <= m_geometry.page.height();
        const int area =
            header || footer ? PageRenderer::areaOnPage(m_content.page, header, n) : -1;
        if (area >= 0 && activateArea(1 << area)) {
            event->accept();
            return;
        }
    }
    QGraphicsView::mouseDoubleClickEvent(event);
}

} // namespace platform
