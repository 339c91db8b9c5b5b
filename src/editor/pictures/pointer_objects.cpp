#include "editor/pictures/pointer_objects.h"

#include "platform/text/text_model.h"
#include "platform/text/text_surface.h"
#include "platform/view/text_view.h"

#include <QAbstractTextDocumentLayout>
#include <QGraphicsTextItem>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>

namespace editor {

namespace {

// The point in the active document's coordinates; false when that document is not there.
bool documentPoint(platform::TextView &view, const platform::TextSurface &surface,
                   const QPoint &viewportPos, QPointF *point) {
    const QList<QGraphicsItem *> items = view.items(viewportPos);
    for (QGraphicsItem *item : items) {
        auto *text = qgraphicsitem_cast<QGraphicsTextItem *>(item);
        if (!text || text->document() != surface.activeDocument())
            continue;
        *point = text->mapFromScene(view.mapToScene(viewportPos));
        return true;
    }
    return false;
}

int hitPosition(platform::TextView &view, const platform::TextSurface &surface,
                const QPoint &viewportPos, Qt::HitTestAccuracy accuracy) {
    QPointF point;
    if (!documentPoint(view, surface, viewportPos, &point))
        return -1;
    return surface.activeDocument()->documentLayout()->hitTest(point, accuracy);
}

// The innermost text frame whose box holds point.
int frameAt(QTextDocument *doc, const QPointF &point) {
    int found = 0;
    QList<QTextFrame *> frames = doc->rootFrame()->childFrames();
    while (!frames.isEmpty()) {
        QTextFrame *frame = frames.takeFirst();
        if (!doc->documentLayout()->frameBoundingRect(frame).contains(point))
            continue;
        if (frame->frameFormat().intProperty(platform::TextProp::ObjectKind) ==
            platform::TextSurface::TextFrameObject)
            found = frame->frameFormat().intProperty(platform::TextProp::ObjectId);
        frames = frame->childFrames();
    }
    return found;
}

} // namespace

int objectAtViewport(platform::TextView &view, const platform::TextSurface &surface,
                     const QPoint &viewportPos, bool frames) {
    QTextDocument *doc = surface.activeDocument();
    QPointF point;
    if (!documentPoint(view, surface, viewportPos, &point))
        return 0;
    const int hit = doc->documentLayout()->hitTest(point, Qt::ExactHit);
    // A click on the right half of a picture hits the position after it.
    for (int q : {hit, hit - 1}) {
        if (q < 0 || q + 1 >= doc->characterCount())
            continue;
        QTextCursor probe(doc);
        probe.setPosition(q + 1);
        const QTextCharFormat f = probe.charFormat();
        if (f.isImageFormat())
            return f.intProperty(platform::TextProp::ObjectId);
    }
    // On a frame's text the pointer stays with the text (the main menu); on its blank space and
    // border the frame is the object.
    if (!frames || hit >= 0)
        return 0;
    return frameAt(doc, point);
}

bool caretToViewport(platform::TextView &view, platform::TextSurface &surface,
                     const QPoint &viewportPos) {
    const int position = hitPosition(view, surface, viewportPos, Qt::FuzzyHit);
    if (position < 0)
        return false;
    QTextCursor cursor(surface.activeDocument());
    cursor.setPosition(qMin(position, surface.activeDocument()->characterCount() - 1));
    surface.setCursor(cursor);
    return true;
}

} // namespace editor
