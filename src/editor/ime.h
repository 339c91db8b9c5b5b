#pragma once

#include <QPointer>
#include <QString>
#include <QWidget>

namespace editor {

// The input method of the editing surface. No portable call switches an input method into
// full-width mode, so "on" enables input-method input on the surface (the input method keeps its
// own mode) and "off" disables it. Both never fail; without a widget they do nothing.
class InputMethodControl {
public:
    void setWidget(QWidget *widget) { m_widget = widget; }
    QWidget *widget() const { return m_widget; }

    void setOpen(bool open);
    bool isOpen() const;

private:
    QPointer<QWidget> m_widget;
};

// The answer of the settings page "IM": IME mode, a tab, update-confirm mode.
QString imePageAnswer(const QString &imeMode, const QString &updateMode);
// Splits an answer at its first tab into the two modes; false (both untouched) without a tab.
bool readImePageAnswer(const QString &answer, QString &imeMode, QString &updateMode);

} // namespace editor
