#pragma once

#include <QComboBox>
#include <QFont>

namespace editor {

// An editable box of font family names. Listing the installed families costs a walk of the font
// database, so the list is filled when the box is first opened, focused or scrolled; until then
// it shows only the current name. The current font is the name in the box, also when it is not
// installed (a style font from another system keeps its name).
class FontNameBox : public QComboBox {
    Q_OBJECT
public:
    explicit FontNameBox(QWidget *parent = nullptr);

    void setCurrentFont(const QFont &font);
    QFont currentFont() const;
    bool isFilled() const { return m_filled; }
    void showPopup() override;

signals:
    void currentFontChanged(const QFont &font);

protected:
    void focusInEvent(QFocusEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;

private:
    void fill();
    void follow(const QString &name);

    bool m_filled = false;
    bool m_filling = false;
    QString m_reported;
};

} // namespace editor
