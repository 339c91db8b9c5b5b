#include "editor/bars/tool_icon_drawing.h"

#include <QFont>
#include <QPainter>
#include <QPainterPath>

namespace editor {

namespace {

constexpr int kSize = 32;

void page(QPainter &p) {
    p.setBrush(Qt::white);
    p.drawPolygon(QPolygon({{7, 3}, {20, 3}, {26, 9}, {26, 29}, {7, 29}}));
    p.drawPolyline(QPolygon({{20, 3}, {20, 9}, {26, 9}}));
}

void letter(QPainter &p, const QString &text, bool bold, bool italic, bool underline) {
    QFont font(QStringLiteral("Serif"));
    font.setPixelSize(24);
    font.setBold(bold);
    font.setItalic(italic);
    font.setUnderline(underline);
    p.setFont(font);
    p.drawText(QRect(0, 0, kSize, kSize), Qt::AlignCenter, text);
}

void lines(QPainter &p, int alignment) {
    const int widths[] = {24, 16, 24, 12, 20};
    for (int i = 0; i < 5; ++i) {
        const int w = alignment == 3 ? 24 : widths[i];
        int x = 4;
        if (alignment == 1)
            x = 28 - w;
        else if (alignment == 2)
            x = 16 - w / 2;
        p.drawLine(x, 6 + i * 5, x + w, 6 + i * 5);
    }
}

} // namespace

QImage drawToolIcon(const QString &key) {
    QImage image(kSize, kSize, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(40, 40, 40), 2));
    if (key == QLatin1String("New")) {
        page(p);
    } else if (key == QLatin1String("Open")) {
        p.setBrush(QColor(240, 200, 90));
        p.drawPolygon(QPolygon({{3, 9}, {12, 9}, {15, 12}, {29, 12}, {29, 27}, {3, 27}}));
    } else if (key == QLatin1String("Save")) {
        p.setBrush(QColor(70, 110, 190));
        p.drawRect(4, 4, 24, 24);
        p.setBrush(Qt::white);
        p.drawRect(9, 4, 14, 9);
        p.drawRect(8, 18, 16, 10);
    } else if (key == QLatin1String("Print")) {
        p.setBrush(Qt::white);
        p.drawRect(9, 3, 14, 10);
        p.setBrush(QColor(150, 150, 150));
        p.drawRect(3, 12, 26, 11);
        p.setBrush(Qt::white);
        p.drawRect(9, 19, 14, 10);
    } else if (key == QLatin1String("Preview")) {
        page(p);
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QPoint(15, 17), 6, 6);
        p.drawLine(19, 21, 27, 29);
    } else if (key == QLatin1String("Cut")) {
        p.drawEllipse(QPoint(9, 24), 5, 5);
        p.drawEllipse(QPoint(23, 24), 5, 5);
        p.drawLine(12, 20, 22, 3);
        p.drawLine(20, 20, 10, 3);
    } else if (key == QLatin1String("Copy")) {
        p.setBrush(Qt::white);
        p.drawRect(4, 4, 15, 19);
        p.drawRect(12, 10, 15, 19);
    } else if (key == QLatin1String("Paste")) {
        p.setBrush(QColor(190, 150, 90));
        p.drawRect(5, 5, 20, 24);
        p.setBrush(Qt::white);
        p.drawRect(13, 12, 15, 17);
        p.drawRect(10, 2, 10, 6);
    } else if (key == QLatin1String("Undo") || key == QLatin1String("Redo")) {
        if (key == QLatin1String("Redo")) {
            p.translate(kSize, 0);
            p.scale(-1, 1);
        }
        QPainterPath arc;
        arc.moveTo(8, 14);
        arc.cubicTo(14, 6, 28, 8, 26, 24);
        p.setBrush(Qt::NoBrush);
        p.drawPath(arc);
        p.setBrush(QColor(40, 40, 40));
        p.drawPolygon(QPolygon({{3, 8}, {12, 8}, {5, 18}}));
    } else if (key == QLatin1String("Find")) {
        p.setBrush(Qt::white);
        p.drawEllipse(QPoint(13, 13), 8, 8);
        p.setPen(QPen(QColor(40, 40, 40), 4));
        p.drawLine(19, 19, 28, 28);
    } else if (key == QLatin1String("Bold")) {
        letter(p, QStringLiteral("B"), true, false, false);
    } else if (key == QLatin1String("Italic")) {
        letter(p, QStringLiteral("I"), false, true, false);
    } else if (key == QLatin1String("Underline")) {
        letter(p, QStringLiteral("U"), false, false, true);
    } else if (key.startsWith(QLatin1String("Align"))) {
        const int alignment = key == QLatin1String("AlignRight")     ? 1
                              : key == QLatin1String("AlignCenter")  ? 2
                              : key == QLatin1String("AlignJustify") ? 3
                                                                     : 0;
        lines(p, alignment);
    } else if (key == QLatin1String("Bullets") || key == QLatin1String("Numbers")) {
        for (int i = 0; i < 3; ++i) {
            const int y = 7 + i * 9;
            if (key == QLatin1String("Bullets")) {
                p.setBrush(QColor(40, 40, 40));
                p.drawEllipse(QPoint(6, y), 2, 2);
            } else {
                QFont font;
                font.setPixelSize(9);
                p.setFont(font);
                p.drawText(QRect(1, y - 5, 8, 10), Qt::AlignCenter, QString::number(i + 1));
            }
            p.drawLine(12, y, 29, y);
        }
    } else if (key == QLatin1String("TextColour") || key == QLatin1String("BackColour")) {
        if (key == QLatin1String("BackColour"))
            p.fillRect(4, 3, 24, 20, QColor(255, 240, 120));
        letter(p, QStringLiteral("A"), true, false, false);
        p.fillRect(4, 25, 24, 5, key == QLatin1String("TextColour") ? Qt::red : Qt::yellow);
    }
    p.end();
    return image;
}

const QStringList &toolIconKeys() {
    static const QStringList keys = {
        QStringLiteral("New"),        QStringLiteral("Open"),        QStringLiteral("Save"),
        QStringLiteral("Print"),      QStringLiteral("Preview"),     QStringLiteral("Cut"),
        QStringLiteral("Copy"),       QStringLiteral("Paste"),       QStringLiteral("Undo"),
        QStringLiteral("Redo"),       QStringLiteral("Find"),        QStringLiteral("Bold"),
        QStringLiteral("Italic"),     QStringLiteral("Underline"),   QStringLiteral("AlignLeft"),
        QStringLiteral("AlignRight"), QStringLiteral("AlignCenter"), QStringLiteral("AlignJustify"),
        QStringLiteral("Bullets"),    QStringLiteral("Numbers"),     QStringLiteral("TextColour"),
        QStringLiteral("BackColour")};
    return keys;
}

} // namespace editor
