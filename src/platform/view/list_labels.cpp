#include "platform/view/list_labels.h"

#include "platform/text/text_lists.h"

#include <QAbstractTextDocumentLayout>
#include <QPainter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextLayout>
#include <QTextList>

namespace platform {

namespace {

// The label at the place and in the font Qt gives its own markers: right-aligned a space before
// the first line's text, in the format at the start of the block.
void drawLabel(QPainter *painter, const QAbstractTextDocumentLayout *layout,
               const QTextBlock &block, const QColor &text) {
    const QTextLayout *blockLayout = block.layout();
    if (!blockLayout || blockLayout->lineCount() == 0)
        return;
    const QString label = listItemLabel(block);
    if (label.isEmpty())
        return;
    const QTextCharFormat format = QTextCursor(block).charFormat();
    QFont font = format.font();
    if (layout->paintDevice())
        font = QFont(font, layout->paintDevice());
    const QFontMetrics metrics(font);
    const Qt::LayoutDirection direction = block.textDirection();
    const QRectF lineRect = blockLayout->lineAt(0).naturalTextRect();
    QPointF pos = layout->blockBoundingRect(block).topLeft().toPoint();
    pos += lineRect.topLeft().toPoint();
    const int space = metrics.horizontalAdvance(QLatin1Char(' '));
    const int width = metrics.horizontalAdvance(label);
    const qreal x =
        direction == Qt::RightToLeft ? pos.x() + lineRect.width() + space : pos.x() - space - width;

    QTextLayout labelLayout(label, font, layout->paintDevice());
    QTextOption option(Qt::AlignLeft | Qt::AlignAbsolute);
    option.setTextDirection(direction);
    labelLayout.setTextOption(option);
    labelLayout.beginLayout();
    QTextLine line = labelLayout.createLine();
    if (line.isValid())
        line.setLeadingIncluded(true);
    labelLayout.endLayout();

    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    const QBrush foreground = format.foreground();
    painter->setPen(QPen(foreground.style() == Qt::NoBrush ? QBrush(text) : foreground, 0));
    labelLayout.draw(painter, QPointF(x, pos.y()));
    painter->restore();
}

} // namespace

void drawOwnListLabels(QPainter *painter, const QTextDocument *document, const QRectF &clip,
                       const QColor &text) {
    const QAbstractTextDocumentLayout *layout = document->documentLayout();
    const QList<QTextList *> lists =
        document->findChildren<QTextList *>(Qt::FindDirectChildrenOnly);
    for (const QTextList *list : lists) {
        for (int i = 0; i < list->count(); ++i) {
            const QTextBlock block = list->item(i);
            // A block not laid out yet is not shown yet; asking for its rectangle would lay out
            // everything before it.
            if (!block.isVisible() || !drawsOwnLabel(block) || block.layout()->lineCount() == 0)
                continue;
            const QRectF rect = layout->blockBoundingRect(block);
            if (rect.bottom() < clip.top() || rect.top() > clip.bottom())
                continue;
            drawLabel(painter, layout, block, text);
        }
    }
}

} // namespace platform
