#include "editor/colours.h"

#include <QPainter>
#include <QPixmap>

namespace editor {

const std::array<PaletteEntry, 10> &colourPalette() {
    static const std::array<PaletteEntry, 10> entries = {{
        {"Bk", "Black", 0, 0, 0},
        {"Gy", "Gray", 128, 128, 128},
        {"Br", "Brown", 128, 0, 0},
        {"Nv", "Navy", 0, 0, 128},
        {"Bl", "Blue", 0, 0, 255},
        {"Rd", "Red", 255, 0, 0},
        {"Gr", "Green", 0, 255, 0},
        {"Yw", "Yellow", 255, 255, 0},
        {"Pr", "Purple", 128, 0, 128},
        {"Wh", "White", 255, 255, 255},
    }};
    return entries;
}

const PaletteEntry *paletteEntry(const QString &key) {
    for (const PaletteEntry &entry : colourPalette())
        if (key == QLatin1String(entry.key))
            return &entry;
    return nullptr;
}

QColor colorFromValue(int value) {
    return QColor(value & 0xff, (value >> 8) & 0xff, (value >> 16) & 0xff);
}

int valueFromColor(const QColor &color) {
    return color.red() | (color.green() << 8) | (color.blue() << 16);
}

QString pickerCaption(ColourTarget target) {
    return target == ColourTarget::Text ? QStringLiteral("文字色") : QStringLiteral("背景色");
}

QString pickerToolTip(ColourTarget target) {
    return target == ColourTarget::Text ? QStringLiteral("文字色を設定します")
                                        : QStringLiteral("文字背景色を設定します");
}

QString repeatToolTip(ColourTarget target, const QString &choice) {
    const QString head =
        target == ColourTarget::Text ? QStringLiteral("文字色(") : QStringLiteral("文字背景色(");
    return head + choice + QStringLiteral(")を設定します");
}

namespace {

QIcon swatch(const QColor &color) {
    QPixmap pixmap(16, 12);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setPen(QColor(96, 96, 96));
    painter.setBrush(color);
    painter.drawRect(0, 0, 15, 11);
    return QIcon(pixmap);
}

} // namespace

ColourPicker::ColourPicker(ColourTarget target, QWidget *parent)
    : QComboBox(parent), m_target(target) {
    setToolTip(pickerToolTip(target));
    setPlaceholderText(pickerCaption(target));
    setCurrentIndex(-1);
    setSizeAdjustPolicy(QComboBox::AdjustToContents);
    connect(this, &QComboBox::activated, this,
            [this](int index) { emit colourChosen(itemData(index).toString()); });
}

void ColourPicker::fill() {
    if (count() > 0)
        return;
    for (const PaletteEntry &entry : colourPalette())
        addItem(swatch(entry.color()), QString::fromLatin1(entry.text),
                QString::fromLatin1(entry.key));
    setCurrentIndex(-1);
}

QString ColourPicker::currentKey() const {
    return currentIndex() < 0 ? QString() : currentData().toString();
}

QString ColourPicker::shownText() const {
    return currentIndex() < 0 ? pickerCaption(m_target) : currentText();
}

} // namespace editor
