#include "editor/bars/rulers.h"

#include <QMouseEvent>
#include <QPainter>

namespace editor {

namespace {

constexpr int kThickness = 22;
constexpr double kTwipsPerCm = 567.0;
const QColor kMarginShade(190, 190, 190);
const QColor kMarker(60, 60, 60);

// Ticks every half centimetre, numbers every centimetre, along one axis.
void drawScale(QPainter &p, const RulerGeometry &g, bool horizontal, int thickness) {
    p.setPen(QColor(70, 70, 70));
    QFont font = p.font();
    font.setPixelSize(9);
    p.setFont(font);
    const int halves = int(g.pageLength / (kTwipsPerCm / 2));
    for (int i = 1; i <= halves; ++i) {
        const double at = g.origin + i * (kTwipsPerCm / 2) * g.pixelsPerTwip;
        const bool whole = i % 2 == 0;
        const int tick = whole ? 4 : 2;
        if (horizontal) {
            if (whole && g.pixelsPerTwip * kTwipsPerCm > 14)
                p.drawText(QRectF(at - 10, 2, 20, thickness - 8), Qt::AlignCenter,
                           QString::number(i / 2));
            else
                p.drawLine(QPointF(at, thickness / 2.0 - tick),
                           QPointF(at, thickness / 2.0 + tick));
        } else {
            if (whole && g.pixelsPerTwip * kTwipsPerCm > 14)
                p.drawText(QRectF(1, at - 6, thickness - 2, 12), Qt::AlignCenter,
                           QString::number(i / 2));
            else
                p.drawLine(QPointF(thickness / 2.0 - tick, at),
                           QPointF(thickness / 2.0 + tick, at));
        }
    }
}

} // namespace

HorizontalRuler::HorizontalRuler(QWidget *parent) : QWidget(parent) {
    setObjectName(QStringLiteral("vRuler"));
    setFixedHeight(kThickness);
    setMouseTracking(true);
}

QSize HorizontalRuler::sizeHint() const {
    return {400, kThickness};
}

void HorizontalRuler::setGeometryValues(const RulerGeometry &geometry) {
    m_geometry = geometry;
    update();
}

void HorizontalRuler::setIndents(const RulerIndents &indents) {
    if (m_drag != None)
        return;
    m_indents = indents;
    update();
}

double HorizontalRuler::xOf(int twips) const {
    return m_geometry.origin + twips * m_geometry.pixelsPerTwip;
}

int HorizontalRuler::twipsAt(double x) const {
    return m_geometry.pixelsPerTwip > 0 ? qRound((x - m_geometry.origin) / m_geometry.pixelsPerTwip)
                                        : 0;
}

HorizontalRuler::Marker HorizontalRuler::markerAt(const QPointF &pos) const {
    const RulerGeometry &g = m_geometry;
    const double left = xOf(g.marginStart + m_indents.left);
    const double first = xOf(g.marginStart + m_indents.left + m_indents.firstLine);
    const double right = xOf(g.pageLength - g.marginEnd - m_indents.right);
    if (pos.y() < height() / 2.0 && qAbs(pos.x() - first) <= 5)
        return FirstLine;
    if (qAbs(pos.x() - left) <= 5)
        return Left;
    if (qAbs(pos.x() - right) <= 5)
        return Right;
    return None;
}

void HorizontalRuler::paintEvent(QPaintEvent *) {
    QPainter p(this);
    const RulerGeometry &g = m_geometry;
    p.fillRect(rect(), palette().window());
    const double pageLeft = xOf(0);
    const double pageRight = xOf(g.pageLength);
    const QRectF band(pageLeft, 3, pageRight - pageLeft, height() - 6);
    p.fillRect(band, Qt::white);
    p.fillRect(QRectF(pageLeft, 3, xOf(g.marginStart) - pageLeft, height() - 6), kMarginShade);
    p.fillRect(QRectF(xOf(g.pageLength - g.marginEnd), 3,
                      pageRight - xOf(g.pageLength - g.marginEnd), height() - 6),
               kMarginShade);
    drawScale(p, g, true, height());
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(kMarker);
    p.setBrush(QColor(235, 235, 235));
    const double first = xOf(g.marginStart + m_indents.left + m_indents.firstLine);
    const double left = xOf(g.marginStart + m_indents.left);
    const double right = xOf(g.pageLength - g.marginEnd - m_indents.right);
    const double mid = height() / 2.0;
    p.drawPolygon(QPolygonF({{first - 4, 1}, {first + 4, 1}, {first, mid}}));
    p.drawPolygon(QPolygonF({{left, mid}, {left - 4, height() - 1.0}, {left + 4, height() - 1.0}}));
    p.drawPolygon(
        QPolygonF({{right, mid}, {right - 4, height() - 1.0}, {right + 4, height() - 1.0}}));
}

void HorizontalRuler::mousePressEvent(QMouseEvent *event) {
    m_drag = markerAt(event->position());
    m_dragOffset = 0;
}

void HorizontalRuler::mouseMoveEvent(QMouseEvent *event) {
    if (m_drag == None) {
        setCursor(markerAt(event->position()) == None ? Qt::ArrowCursor : Qt::SizeHorCursor);
        return;
    }
    const RulerGeometry &g = m_geometry;
    // Whole millimetres are precise enough for an indent dragged by hand.
    const int at = qRound(twipsAt(event->position().x()) / 56.7) * 567 / 10;
    const int textWidth = g.pageLength - g.marginStart - g.marginEnd;
    switch (m_drag) {
    case FirstLine:
        m_indents.firstLine = qBound(-m_indents.left, at - g.marginStart - m_indents.left,
                                     textWidth - m_indents.right - m_indents.left);
        break;
    case Left: {
        const int firstAbsolute = m_indents.left + m_indents.firstLine;
        m_indents.left = qBound(0, at - g.marginStart, textWidth - m_indents.right - 100);
        m_indents.firstLine = qMax(-m_indents.left, firstAbsolute - m_indents.left);
        break;
    }
    case Right:
        m_indents.right =
            qBound(0, g.pageLength - g.marginEnd - at, textWidth - m_indents.left - 100);
        break;
    case None:
        break;
    }
    update();
}

void HorizontalRuler::mouseReleaseEvent(QMouseEvent *) {
    if (m_drag == None)
        return;
    m_drag = None;
    emit indentsEdited(m_indents);
}

VerticalRuler::VerticalRuler(QWidget *parent) : QWidget(parent) {
    setObjectName(QStringLiteral("vRulerV"));
    setFixedWidth(kThickness);
}

QSize VerticalRuler::sizeHint() const {
    return {kThickness, 400};
}

void VerticalRuler::setGeometryValues(const RulerGeometry &geometry) {
    m_geometry = geometry;
    update();
}

void VerticalRuler::paintEvent(QPaintEvent *) {
    QPainter p(this);
    const RulerGeometry &g = m_geometry;
    p.fillRect(rect(), palette().window());
    const double top = g.origin;
    const double bottom = g.origin + g.pageLength * g.pixelsPerTwip;
    p.fillRect(QRectF(3, top, width() - 6, bottom - top), Qt::white);
    p.fillRect(QRectF(3, top, width() - 6, g.marginStart * g.pixelsPerTwip), kMarginShade);
    const double endMargin = g.marginEnd * g.pixelsPerTwip;
    p.fillRect(QRectF(3, bottom - endMargin, width() - 6, endMargin), kMarginShade);
    drawScale(p, g, false, width());
}

} // namespace editor
