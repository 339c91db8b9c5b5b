#pragma once

#include <QColor>
#include <QRectF>

class QPainter;
class QTextDocument;

namespace platform {

// Draws the labels of numbered list items whose Qt marker is switched off (text_lists.h) where
// Qt would draw its own, after the document has been drawn with the same painter. clip is in
// document coordinates; text is the colour of text without one of its own.
void drawOwnListLabels(QPainter *painter, const QTextDocument *document, const QRectF &clip,
                       const QColor &text);

} // namespace platform
