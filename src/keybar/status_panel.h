#pragma once

#include <QColor>
#include <QFrame>

class QLabel;

namespace keybar {

// The sunken message panel beside the keys: one of four icons, then the text in the icon's colour.
class StatusPanel : public QFrame {
    Q_OBJECT
public:
    static constexpr int kIconCount = 4;

    explicit StatusPanel(QWidget *parent = nullptr);

    // Icon -1 is none; a different icon also changes the text colour.
    void setIcon(int icon);
    int icon() const { return m_icon; }
    void setText(const QString &text);
    QString text() const;
    QColor textColor() const { return m_color; }

    // Icon for an option of PanelTx: 1 gives 3, 2 gives 2, 4 gives 1, anything else 0.
    static int iconForOption(int option);
    // Text colour of an icon: teal, red, blue, black.
    static QColor colorForIcon(int icon);
    // The painted picture of an icon (0 information, 1 error, 2 question, 3 done).
    static QPixmap iconPixmap(int icon, int size);

private:
    QLabel *m_picture;
    QLabel *m_text;
    QColor m_color;
    int m_icon = -1;
};

} // namespace keybar
