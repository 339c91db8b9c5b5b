#include "editor/bars/font_name_box.h"

#include <QApplication>
#include <QFontDatabase>
#include <QListView>
#include <QStyledItemDelegate>

namespace editor {

namespace {

// Each name drawn in its own face; the size comes from the box's font, so that opening the list
// does not load every face to measure it.
class FaceDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override {
        QStyleOptionViewItem face = option;
        initStyleOption(&face, index);
        face.font.setFamily(face.text);
        face.fontMetrics = QFontMetrics(face.font);
        const QWidget *widget = option.widget;
        QStyle *style = widget ? widget->style() : QApplication::style();
        style->drawControl(QStyle::CE_ItemViewItem, &face, painter, widget);
    }
};

} // namespace

FontNameBox::FontNameBox(QWidget *parent) : QComboBox(parent) {
    setObjectName(QStringLiteral("fontName"));
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    connect(this, &QComboBox::currentTextChanged, this, &FontNameBox::follow);
}

void FontNameBox::setCurrentFont(const QFont &font) {
    const QString name = font.family();
    if (name == currentText())
        return;
    const int index = m_filled ? findText(name, Qt::MatchExactly) : -1;
    if (index >= 0)
        setCurrentIndex(index);
    else
        setEditText(name);
}

QFont FontNameBox::currentFont() const {
    return QFont(currentText());
}

void FontNameBox::showPopup() {
    fill();
    QComboBox::showPopup();
}

void FontNameBox::focusInEvent(QFocusEvent *event) {
    fill();
    QComboBox::focusInEvent(event);
}

void FontNameBox::wheelEvent(QWheelEvent *event) {
    fill();
    QComboBox::wheelEvent(event);
}

void FontNameBox::fill() {
    if (m_filled)
        return;
    m_filled = true;
    m_filling = true;
    const QString shown = currentText();
    if (auto *list = qobject_cast<QListView *>(view()))
        list->setUniformItemSizes(true);
    view()->setItemDelegate(new FaceDelegate(view()));
    QStringList names = QFontDatabase::families();
    names.removeIf([](const QString &name) { return QFontDatabase::isPrivateFamily(name); });
    clear();
    addItems(names);
    const int index = findText(shown, Qt::MatchExactly);
    setCurrentIndex(index);
    if (index < 0)
        setEditText(shown);
    m_filling = false;
}

void FontNameBox::follow(const QString &name) {
    if (m_filling || name.isEmpty() || name == m_reported)
        return;
    m_reported = name;
    emit currentFontChanged(QFont(name));
}

} // namespace editor
