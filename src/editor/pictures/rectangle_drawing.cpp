#include "editor/pictures/rectangle_drawing.h"

#include <QGraphicsView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QRubberBand>

namespace editor {

RectangleDrawing::RectangleDrawing(QGraphicsView *view, Done done)
    : QObject(view->viewport()), m_view(view),
      m_band(new QRubberBand(QRubberBand::Rectangle, view->viewport())), m_done(std::move(done)) {
    view->viewport()->installEventFilter(this);
    view->installEventFilter(this);
    view->viewport()->setCursor(Qt::CrossCursor);
}

RectangleDrawing *RectangleDrawing::active(QGraphicsView *view) {
    const QList<RectangleDrawing *> modes =
        view->viewport()->findChildren<RectangleDrawing *>(Qt::FindDirectChildrenOnly);
    for (RectangleDrawing *mode : modes)
        if (!mode->m_finished)
            return mode;
    return nullptr;
}

bool RectangleDrawing::eventFilter(QObject *watched, QEvent *event) {
    if (m_finished)
        return false;
    switch (event->type()) {
    case QEvent::KeyPress:
        if (static_cast<QKeyEvent *>(event)->key() == Qt::Key_Escape) {
            finish({});
            return true;
        }
        return false;
    case QEvent::ShortcutOverride:
        // Esc belongs to the drawing, not to a shortcut of the window.
        if (static_cast<QKeyEvent *>(event)->key() == Qt::Key_Escape) {
            event->accept();
            return true;
        }
        return false;
    default:
        break;
    }
    if (watched != m_view->viewport())
        return false;
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick: {
        auto *mouse = static_cast<QMouseEvent *>(event);
        if (mouse->button() != Qt::LeftButton) {
            finish({});
            return true;
        }
        m_pressed = true;
        m_origin = mouse->position().toPoint();
        m_band->setGeometry(QRect(m_origin, QSize()));
        m_band->show();
        return true;
    }
    case QEvent::MouseMove:
        if (m_pressed)
            m_band->setGeometry(
                QRect(m_origin, static_cast<QMouseEvent *>(event)->position().toPoint())
                    .normalized());
        return m_pressed;
    case QEvent::MouseButtonRelease: {
        if (!m_pressed)
            return true;
        const QPoint end = static_cast<QMouseEvent *>(event)->position().toPoint();
        const QPoint drag = end - m_origin;
        if (qAbs(drag.x()) < MinimumDrag || qAbs(drag.y()) < MinimumDrag)
            finish({});
        else
            finish(QRect(QPoint(qMin(m_origin.x(), end.x()), qMin(m_origin.y(), end.y())),
                         QSize(qAbs(drag.x()), qAbs(drag.y()))));
        return true;
    }
    case QEvent::ContextMenu:
        return true;
    default:
        return false;
    }
}

void RectangleDrawing::finish(const QRect &drawn) {
    m_finished = true;
    m_view->removeEventFilter(this);
    m_view->viewport()->removeEventFilter(this);
    m_view->viewport()->unsetCursor();
    m_band->hide();
    m_band->deleteLater();
    deleteLater();
    if (drawn.isValid())
        m_done(QRectF(m_view->mapToScene(drawn.topLeft()),
                      m_view->mapToScene(drawn.topLeft() + QPoint(drawn.width(), drawn.height()))),
               drawn.topLeft());
}

} // namespace editor
