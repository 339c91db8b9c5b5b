#include "platform/view/text_view_items.h"

#include "platform/view/list_labels.h"
#include "platform/view/text_view.h"

#include <QAbstractTextDocumentLayout>
#include <QGraphicsSceneContextMenuEvent>
#include <QGraphicsSceneMouseEvent>
#include <QKeyEvent>
#include <QPainter>
#include <QStyleOptionGraphicsItem>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextLayout>
#include <QTextTable>

namespace platform {

namespace {

const QColor kMarkColour(70, 110, 200);
const QColor kDeskColour(128, 128, 128);

qreal viewScale(const QPainter *painter) {
    const qreal scale = painter->worldTransform().m11();
    return scale > 0 ? scale : 1;
}

QChar markFor(QChar c) {
    switch (c.unicode()) {
    case ' ':
        return QChar(0x00B7);
    case 0x3000:
        return QChar(0x25A1);
    case '\t':
        return QChar(0x2192);
    case 0x2028:
        return QChar(0x21B5);
    default:
        return {};
    }
}

void collectTables(QTextFrame *frame, QList<QTextTable *> &tables) {
    for (QTextFrame *child : frame->childFrames()) {
        if (auto *table = qobject_cast<QTextTable *>(child))
            tables.append(table);
        collectTables(child, tables);
    }
}

} // namespace

TextEditItem::TextEditItem(TextView *view, QTextDocument *document) : m_view(view) {
    setFlag(ItemUsesExtendedStyleOption);
    setDefaultTextColor(Qt::black);
    setTextInteractionFlags(Qt::TextEditorInteraction);
    showDocument(document);
    // The text control repaints through QGraphicsTextItem's own bounds, which stay empty for a
    // document laid out in pages; take its requests with the real bounds as well.
    for (QObject *child : children()) {
        if (child->inherits("QWidgetTextControl"))
            connect(child, SIGNAL(updateRequest(QRectF)), this, SLOT(controlUpdate(QRectF)));
    }
}

void TextEditItem::showDocument(QTextDocument *document) {
    if (QGraphicsTextItem::document() == document && !m_rect.isNull())
        return;
    if (QGraphicsTextItem::document())
        QGraphicsTextItem::document()->documentLayout()->disconnect(this);
    setDocument(document); // lays the document out in full, once per document
    connect(document->documentLayout(), &QAbstractTextDocumentLayout::documentSizeChanged, this,
            &TextEditItem::sizeChanged);
    sizeChanged(document->documentLayout()->documentSize());
}

void TextEditItem::finishLayout() {
    sizeChanged(document()->documentLayout()->documentSize());
}

void TextEditItem::sizeChanged(const QSizeF &size) {
    const QRectF rect(QPointF(), size);
    if (rect == m_rect)
        return;
    prepareGeometryChange();
    m_rect = rect;
    m_view->updateSceneRect();
}

void TextEditItem::controlUpdate(const QRectF &rect) {
    update(rect.isValid() ? rect : m_rect);
}

QRectF TextEditItem::boundingRect() const {
    return m_rect;
}

QPainterPath TextEditItem::shape() const {
    QPainterPath path;
    path.addRect(m_rect);
    return path;
}

bool TextEditItem::contains(const QPointF &point) const {
    return m_rect.contains(point);
}

void TextEditItem::paint(QPainter *painter, const QStyleOptionGraphicsItem *option,
                         QWidget *widget) {
    // No focus frame around the text: the caret shows where input goes.
    QStyleOptionGraphicsItem plain(*option);
    plain.state &= ~(QStyle::State_Selected | QStyle::State_HasFocus);
    QGraphicsTextItem::paint(painter, &plain, widget);
    drawOwnListLabels(painter, document(), option->exposedRect, defaultTextColor());
}

bool TextEditItem::sceneEvent(QEvent *event) {
    const bool handled = QGraphicsTextItem::sceneEvent(event);
    const QTextCursor cursor = textCursor();
    if (cursor.position() != m_lastPosition || cursor.anchor() != m_lastAnchor) {
        m_lastPosition = cursor.position();
        m_lastAnchor = cursor.anchor();
        m_view->caretChanged(this);
    }
    return handled;
}

void TextEditItem::keyPressEvent(QKeyEvent *event) {
    if (m_view->hook() && m_view->hook()->keyPress(event)) {
        event->accept();
        return;
    }
    if (m_view->clipboardKey(event)) {
        event->accept();
        return;
    }
    if (event->key() == Qt::Key_Escape && document() != m_view->document()) {
        m_view->leaveArea();
        event->accept();
        return;
    }
    QGraphicsTextItem::keyPressEvent(event);
}

void TextEditItem::contextMenuEvent(QGraphicsSceneContextMenuEvent *event) {
    if (m_view->hook() && m_view->hook()->contextMenu(event->screenPos())) {
        event->accept();
        return;
    }
    QGraphicsTextItem::contextMenuEvent(event);
}

void TextEditItem::mousePressEvent(QGraphicsSceneMouseEvent *event) {
    m_pressPos = event->pos();
    QGraphicsTextItem::mousePressEvent(event);
    if (document() == m_view->document())
        emit m_view->mouseButtonPressed(
            event->button(), document()->documentLayout()->hitTest(event->pos(), Qt::FuzzyHit));
}

void TextEditItem::mouseReleaseEvent(QGraphicsSceneMouseEvent *event) {
    QGraphicsTextItem::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton &&
        (event->pos() - m_pressPos).manhattanLength() * m_view->zoom() < 400)
        m_view->textClicked(this, event->pos());
}

TextPageItem::TextPageItem(TextView *view) : m_view(view) {
    setFlag(ItemUsesExtendedStyleOption);
    setAcceptedMouseButtons(Qt::NoButton);
}

void TextPageItem::setBounds(const QRectF &rect) {
    if (rect == m_rect)
        return;
    prepareGeometryChange();
    m_rect = rect;
}

void TextPageItem::paint(QPainter *painter, const QStyleOptionGraphicsItem *option, QWidget *) {
    const QRectF exposed = option->exposedRect;
    if (m_view->viewMode() != TextView::PageView) {
        painter->fillRect(exposed & m_rect, Qt::white);
        return;
    }
    const PageGeometry &g = m_view->geometry();
    const qreal pixel = 1 / viewScale(painter);
    PageRenderer renderer(m_view->content());
    const int first = qMax(1, m_view->pageAt(exposed.top()));
    const int last = qMin(m_view->m_pageCount, m_view->pageAt(exposed.bottom()));
    for (int n = first; n <= last; ++n) {
        const QRectF page(QPointF(0, m_view->pageTop(n)), g.page);
        painter->fillRect(page.translated(4 * pixel, 4 * pixel), kDeskColour.darker(150));
        painter->fillRect(page, Qt::white);
        painter->setPen(QPen(Qt::darkGray, 0));
        painter->drawRect(page);

        // Corner marks at the body's corners show the margins.
        const QRectF body = page.marginsRemoved(g.body);
        const qreal mark = 12 * pixel;
        painter->setPen(QPen(Qt::gray, 0));
        for (const QPointF &corner :
             {body.topLeft(), body.topRight(), body.bottomLeft(), body.bottomRight()}) {
            const qreal dx = corner.x() == body.left() ? -mark : mark;
            const qreal dy = corner.y() == body.top() ? -mark : mark;
            painter->drawLine(corner, corner + QPointF(dx, 0));
            painter->drawLine(corner, corner + QPointF(0, dy));
        }

        int skip = -1;
        if (m_view->m_activeArea >= 0 && n == m_view->m_areaPage) {
            skip = PageRenderer::areaOnPage(m_view->content().page, m_view->m_activeArea < 2, n);
            const QRectF area = PageRenderer::areaRect(m_view->content(), g, m_view->m_activeArea);
            painter->setPen(QPen(kMarkColour, 0, Qt::DashLine));
            painter->drawRect(area.translated(page.topLeft()).adjusted(-2, -2, 2, 2));
        }
        renderer.drawAreas(painter, n, page, skip);
    }
}

TextMarksItem::TextMarksItem(TextView *view) : m_view(view) {
    setFlag(ItemUsesExtendedStyleOption);
    setAcceptedMouseButtons(Qt::NoButton);
}

void TextMarksItem::setBounds(const QRectF &rect) {
    if (rect == m_rect)
        return;
    prepareGeometryChange();
    m_rect = rect;
}

void TextMarksItem::paint(QPainter *painter, const QStyleOptionGraphicsItem *option, QWidget *) {
    if (!m_view->document())
        return;
    if (m_view->tableGridShown())
        drawTableGrid(painter, option->exposedRect);
    if (m_view->controlCharactersShown())
        drawControlCharacters(painter, option->exposedRect);
}

void TextMarksItem::drawControlCharacters(QPainter *painter, const QRectF &exposed) const {
    QTextDocument *doc = m_view->document();
    QAbstractTextDocumentLayout *layout = doc->documentLayout();
    QTextFrame *root = doc->rootFrame();
    QTextBlock block = doc->findBlock(qMax(0, layout->hitTest(exposed.topLeft(), Qt::FuzzyHit)));
    if (block.previous().isValid())
        block = block.previous();
    painter->setPen(kMarkColour);
    QFont font = painter->font();
    // Marks follow the line's size, but a picture's tall line gets a text-sized mark.
    const int largest = qRound(QFontInfo(doc->defaultFont()).pixelSize() * 1.5);
    for (; block.isValid(); block = block.next()) {
        const QRectF rect = layout->blockBoundingRect(block);
        if (rect.top() > exposed.bottom()) {
            if (doc->frameAt(block.position()) == root)
                break;
            continue;
        }
        if (rect.bottom() < exposed.top() || !block.isVisible())
            continue;
        const QTextLayout *text = block.layout();
        const QString chars = block.text();
        for (int i = 0; i < text->lineCount(); ++i) {
            const QTextLine line = text->lineAt(i);
            font.setPixelSize(qBound(4, qRound(line.ascent() * 0.75), largest));
            painter->setFont(font);
            const qreal baseline = rect.top() + line.y() + line.ascent();
            const int end = line.textStart() + line.textLength();
            for (int pos = line.textStart(); pos < end; ++pos) {
                const QChar mark = markFor(chars.at(pos));
                if (mark.isNull())
                    continue;
                const qreal x0 = line.cursorToX(pos);
                const qreal x1 =
                    chars.at(pos) == QChar(0x2028) ? x0 + line.ascent() : line.cursorToX(pos + 1);
                const qreal width = painter->fontMetrics().horizontalAdvance(mark);
                painter->drawText(QPointF(rect.left() + (x0 + x1 - width) / 2, baseline),
                                  QString(mark));
            }
            if (i == text->lineCount() - 1)
                painter->drawText(QPointF(rect.left() + line.cursorToX(chars.size()) + 1, baseline),
                                  QStringLiteral("\u00B6"));
        }
    }
}

void TextMarksItem::drawTableGrid(QPainter *painter, const QRectF &exposed) const {
    QTextDocument *doc = m_view->document();
    QAbstractTextDocumentLayout *layout = doc->documentLayout();
    QList<QTextTable *> tables;
    collectTables(doc->rootFrame(), tables);
    if (tables.isEmpty())
        return;
    // Only what the paint lays out anyway is asked for: a table's frame rectangle would lay the
    // whole document out, so tables are placed from their first and last blocks instead.
    int last = layout->hitTest(exposed.bottomRight(), Qt::FuzzyHit);
    if (last < 0)
        last = doc->characterCount();
    painter->setPen(QPen(QColor(150, 150, 150), 0, Qt::DotLine));
    for (QTextTable *table : tables) {
        if (table->firstPosition() > last)
            continue;
        const QRectF frame =
            layout->blockBoundingRect(doc->findBlock(table->firstPosition()))
                .united(layout->blockBoundingRect(doc->findBlock(table->lastPosition())));
        if (frame.top() > exposed.bottom() || frame.bottom() < exposed.top())
            continue;
        const int rows = table->rows();
        const int columns = table->columns();
        QList<qreal> tops(rows, frame.bottom()), bottoms(rows, frame.top());
        QList<qreal> lefts(columns, frame.right()), rights(columns, frame.left());
        for (int r = 0; r < rows; ++r) {
            for (int c = 0; c < columns; ++c) {
                const QTextTableCell cell = table->cellAt(r, c);
                if (cell.row() != r || cell.column() != c)
                    continue;
                const QRectF first = layout->blockBoundingRect(cell.firstCursorPosition().block());
                const QRectF last = layout->blockBoundingRect(cell.lastCursorPosition().block());
                tops[r] = qMin(tops[r], first.top());
                if (cell.rowSpan() == 1)
                    bottoms[r] = qMax(bottoms[r], last.bottom());
                lefts[c] = qMin(lefts[c], first.left());
                if (cell.columnSpan() == 1)
                    rights[c] = qMax(rights[c], first.right());
            }
        }
        const qreal pad = table->format().cellPadding() + table->format().border();
        const QRectF outer(QPointF(lefts.first() - pad, tops.first() - pad),
                           QPointF(rights.last() + pad, bottoms.last() + pad));
        painter->drawRect(outer);
        for (int r = 1; r < rows; ++r) {
            const qreal y = (bottoms[r - 1] + tops[r]) / 2;
            painter->drawLine(QPointF(outer.left(), y), QPointF(outer.right(), y));
        }
        for (int c = 1; c < columns; ++c) {
            const qreal x = (rights[c - 1] + lefts[c]) / 2;
            painter->drawLine(QPointF(x, outer.top()), QPointF(x, outer.bottom()));
        }
    }
}

} // namespace platform
