#pragma once

#include <QGraphicsTextItem>

class QTextDocument;

namespace platform {

class TextView;

// The editable text of one document inside the view's scene. Its document may be laid out in
// pages, which QGraphicsTextItem's own geometry does not follow, so the item keeps its bounds
// from the layout and repaints what the text control asks for.
class TextEditItem : public QGraphicsTextItem {
    Q_OBJECT

public:
    TextEditItem(TextView *view, QTextDocument *document);
    void showDocument(QTextDocument *document);
    // Waits for the layout of the whole document and takes its size.
    void finishLayout();

    QRectF boundingRect() const override;
    QPainterPath shape() const override;
    bool contains(const QPointF &point) const override;
    void paint(QPainter *painter, const QStyleOptionGraphicsItem *option, QWidget *widget) override;

protected:
    bool sceneEvent(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void contextMenuEvent(QGraphicsSceneContextMenuEvent *event) override;
    void mousePressEvent(QGraphicsSceneMouseEvent *event) override;
    void mouseReleaseEvent(QGraphicsSceneMouseEvent *event) override;

private slots:
    void controlUpdate(const QRectF &rect);

private:
    void sizeChanged(const QSizeF &size);

    TextView *m_view;
    QRectF m_rect;
    QPointF m_pressPos;
    int m_lastPosition = -1;
    int m_lastAnchor = -1;
};

// The paper behind the text: a white sheet in normal view; in page view every page with its
// edge, shadow, margin corners, header and footer.
class TextPageItem : public QGraphicsItem {
public:
    explicit TextPageItem(TextView *view);
    void setBounds(const QRectF &rect);
    QRectF boundingRect() const override { return m_rect; }
    void paint(QPainter *painter, const QStyleOptionGraphicsItem *option, QWidget *widget) override;

private:
    TextView *m_view;
    QRectF m_rect;
};

// Marks drawn over the main text and never printed: control characters (paragraph ends, line
// breaks, tabs, spaces) and the grid lines of tables.
class TextMarksItem : public QGraphicsItem {
public:
    explicit TextMarksItem(TextView *view);
    void setBounds(const QRectF &rect);
    QRectF boundingRect() const override { return m_rect; }
    void paint(QPainter *painter, const QStyleOptionGraphicsItem *option, QWidget *widget) override;

private:
    void drawControlCharacters(QPainter *painter, const QRectF &exposed) const;
    void drawTableGrid(QPainter *painter, const QRectF &exposed) const;

    TextView *m_view;
    QRectF m_rect;
};

} // namespace platform
