#pragma once

#include <QColor>
#include <QComboBox>
#include <QString>
#include <array>

namespace editor {

struct PaletteEntry {
    const char *key;
    const char *text;
    int red, green, blue;

    QColor color() const { return QColor(red, green, blue); }
    // 0x00BBGGRR, the colour value of the text surface.
    int value() const { return red | (green << 8) | (blue << 16); }
};

// The ten colours both pickers offer, in their order.
const std::array<PaletteEntry, 10> &colourPalette();
// The entry with the key, or nullptr.
const PaletteEntry *paletteEntry(const QString &key);

// 0x00BBGGRR to QColor and back.
QColor colorFromValue(int value);
int valueFromColor(const QColor &color);

// What a picker does to the selection.
enum class ColourTarget { Text, Background };

// The picker's design-time caption, its tooltip and its repeat button's tooltip for a choice.
QString pickerCaption(ColourTarget target);
QString pickerToolTip(ColourTarget target);
QString repeatToolTip(ColourTarget target, const QString &choice);

// A picture combo box holding the palette with swatches. Until the user chooses, it shows its
// caption ("文字色" or "背景色").
class ColourPicker : public QComboBox {
    Q_OBJECT
public:
    ColourPicker(ColourTarget target, QWidget *parent = nullptr);

    ColourTarget target() const { return m_target; }
    // Adds the ten entries; does nothing when the picker already holds entries.
    void fill();
    // The key of the chosen entry, empty while the caption shows.
    QString currentKey() const;
    // The caption or the chosen colour's text.
    QString shownText() const;

signals:
    void colourChosen(const QString &key);

private:
    ColourTarget m_target;
};

} // namespace editor
