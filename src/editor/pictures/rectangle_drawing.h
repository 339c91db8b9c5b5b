#pragma once

#include <QObject>
#include <QPoint>
#include <QRectF>
#include <functional>

class QGraphicsView;
class QRubberBand;

namespace editor {

// The mode in which the user draws a rectangle on a view: press, drag (a rubber band follows
// the pointer), release. Esc, the right button or a release without a drag ends it without a
// rectangle. done runs once, with the rectangle in scene units (document pixels) and the
// viewport point the drag started at; the mode then ends and removes itself.
class RectangleDrawing : public QObject {
    Q_OBJECT
public:
    using Done = std::function<void(const QRectF &scene, const QPoint &start)>;

    // Lives as a child of the view's viewport, so it ends with the view.
    RectangleDrawing(QGraphicsView *view, Done done);

    // The drawing going on in view, if any.
    static RectangleDrawing *active(QGraphicsView *view);

    // A drag shorter than this in either direction (viewport pixels) draws nothing.
    static constexpr int MinimumDrag = 4;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void finish(const QRect &drawn);

    QGraphicsView *m_view;
    QRubberBand *m_band;
    Done m_done;
    QPoint m_origin;
    bool m_pressed = false;
    bool m_finished = false;
};

} // namespace editor
