#pragma once

#include <QPointer>
#include <QString>
#include <QWidget>

namespace editor {

// The input method of the editing surface. It is never disabled, since the user could not reopen
// it: "off" asks for Latin input through the input-method hints and "on" clears that request (no
// portable call switches an input method into native mode; the user's own key always does).
// Both never fail; without a widget they do nothing.
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
