#include "keybar/status_panel.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>

namespace keybar {

namespace {

constexpr int kIconSize = 16;

void paintInformation(QPainter &p, qreal s, const QColor &c) {
    p.setBrush(c);
    p.setPen(Qt::NoPen);
    p.drawEllipse(QRectF(1, 1, s - 2, s - 2));
    p.setBrush(Qt::white);
    p.drawEllipse(QRectF(s * 0.43, s * 0.2, s * 0.14, s * 0.14));
    p.drawRect(QRectF(s * 0.44, s * 0.4, s * 0.12, s * 0.38));
}

void paintError(QPainter &p, qreal s, const QColor &c) {
    p.setBrush(c);
    p.setPen(Qt::NoPen);
    p.drawEllipse(QRectF(1, 1, s - 2, s - 2));
    p.setPen(QPen(Qt::white, s * 0.14, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(s * 0.32, s * 0.32), QPointF(s * 0.68, s * 0.68));
    p.drawLine(QPointF(s * 0.68, s * 0.32), QPointF(s * 0.32, s * 0.68));
}

void paintQuestion(QPainter &p, qreal s, const QColor &c) {
    p.setBrush(c);
    p.setPen(Qt::NoPen);
    p.drawEllipse(QRectF(1, 1, s - 2, s - 2));
    QPainterPath hook;
    hook.moveTo(s * 0.36, s * 0.38);
    hook.arcTo(QRectF(s * 0.36, s * 0.22, s * 0.28, s * 0.26), 180, -250);
    hook.lineTo(s * 0.5, s * 0.62);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(Qt::white, s * 0.11, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(hook);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawEllipse(QRectF(s * 0.44, s * 0.72, s * 0.12, s * 0.12));
}

void paintDone(QPainter &p, qreal s, const QColor &c) {
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(c, s * 0.16, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    const QPointF tick[] = {{s * 0.18, s * 0.52}, {s * 0.42, s * 0.76}, {s * 0.84, s * 0.24}};
    p.drawPolyline(tick, 3);
}

} // namespace

StatusPanel::StatusPanel(QWidget *parent)
    : QFrame(parent), m_picture(new QLabel(this)), m_text(new QLabel(this)) {
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(4, 0, 4, 0);
    layout->setSpacing(4);
    m_picture->setFixedSize(kIconSize, kIconSize);
    layout->addWidget(m_picture);
    layout->addWidget(m_text, 1);
    m_text->setTextFormat(Qt::PlainText);
}

int StatusPanel::iconForOption(int option) {
    switch (option) {
    case 1:
        return 3;
    case 2:
        return 2;
    case 4:
        return 1;
    default:
        return 0;
    }
}

QColor StatusPanel::colorForIcon(int icon) {
    switch (icon) {
    case 0:
        return QColor(0x00, 0x80, 0x80);
    case 1:
        return QColor(0xFF, 0x00, 0x00);
    case 2:
        return QColor(0x00, 0x00, 0xFF);
    default:
        return QColor(0x00, 0x00, 0x00);
    }
}

QPixmap StatusPanel::iconPixmap(int icon, int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor c = colorForIcon(icon);
    switch (icon) {
    case 0:
        paintInformation(p, size, c);
        break;
    case 1:
        paintError(p, size, c);
        break;
    case 2:
        paintQuestion(p, size, c);
        break;
    default:
        paintDone(p, size, c);
        break;
    }
    return pixmap;
}

void StatusPanel::setIcon(int icon) {
    if (icon == m_icon || icon < 0 || icon >= kIconCount)
        return;
    m_icon = icon;
    m_picture->setPixmap(iconPixmap(icon, kIconSize));
    m_color = colorForIcon(icon);
    QPalette palette = m_text->palette();
    palette.setColor(QPalette::WindowText, m_color);
    m_text->setPalette(palette);
}

void StatusPanel::setText(const QString &text) {
    m_text->setText(text);
}

QString StatusPanel::text() const {
    return m_text->text();
}

} // namespace keybar
