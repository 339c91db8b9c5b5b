#pragma once

#include <QWidget>

namespace editor {

// What a ruler shows, in twips, with the scale and origin of the view it sits beside.
struct RulerGeometry {
    int pageLength = 12240; // width (horizontal) or height (vertical)
    int marginStart = 850;  // left or top margin
    int marginEnd = 567;    // right or bottom margin
    double pixelsPerTwip = 1.0 / 15.0;
    double origin = 0; // ruler coordinate of the page's edge
};

// Paragraph indents shown on the horizontal ruler, in twips.
struct RulerIndents {
    int left = 0;
    int firstLine = 0; // relative to left
    int right = 0;

    bool operator==(const RulerIndents &) const = default;
};

// The horizontal ruler vRuler: centimetre scale, margins shaded, the paragraph's first-line,
// left and right indent markers, which the user drags to change them.
class HorizontalRuler : public QWidget {
    Q_OBJECT
public:
    explicit HorizontalRuler(QWidget *parent = nullptr);

    void setGeometryValues(const RulerGeometry &geometry);
    const RulerGeometry &geometryValues() const { return m_geometry; }
    void setIndents(const RulerIndents &indents);
    const RulerIndents &indents() const { return m_indents; }

    // Ruler x of a twip position from the page's left edge, and back.
    double xOf(int twips) const;
    int twipsAt(double x) const;

    QSize sizeHint() const override;

signals:
    // Emitted once when a drag of an indent marker ends.
    void indentsEdited(const RulerIndents &indents);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    enum Marker { None, FirstLine, Left, Right };
    Marker markerAt(const QPointF &pos) const;

    RulerGeometry m_geometry;
    RulerIndents m_indents;
    Marker m_drag = None;
    double m_dragOffset = 0;
};

// The vertical ruler vRulerV: the page height with the top and bottom margins shaded.
class VerticalRuler : public QWidget {
    Q_OBJECT
public:
    explicit VerticalRuler(QWidget *parent = nullptr);
    void setGeometryValues(const RulerGeometry &geometry);
    const RulerGeometry &geometryValues() const { return m_geometry; }
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    RulerGeometry m_geometry;
};

} // namespace editor
