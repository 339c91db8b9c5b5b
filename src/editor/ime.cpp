#include "editor/ime.h"

#include "platform/view/text_view.h"

#include <QGuiApplication>
#include <QInputMethod>

namespace editor {

void InputMethodControl::setOpen(bool open) {
    if (auto *view = qobject_cast<platform::TextView *>(m_widget.data())) {
        view->setInputMethodEnabled(open);
        return;
    }
    if (!m_widget)
        return;
    Qt::InputMethodHints hints = m_widget->inputMethodHints();
    hints.setFlag(Qt::ImhPreferLatin, !open);
    m_widget->setInputMethodHints(hints);
    if (m_widget->hasFocus())
        QGuiApplication::inputMethod()->update(Qt::ImHints);
}

bool InputMethodControl::isOpen() const {
    if (auto *view = qobject_cast<platform::TextView *>(m_widget.data()))
        return view->inputMethodEnabled();
    return m_widget && !m_widget->inputMethodHints().testFlag(Qt::ImhPreferLatin);
}

QString imePageAnswer(const QString &imeMode, const QString &updateMode) {
    return imeMode + u'\t' + updateMode;
}

bool readImePageAnswer(const QString &answer, QString &imeMode, QString &updateMode) {
    const qsizetype tab = answer.indexOf(u'\t');
    if (answer.isEmpty() || tab < 0)
        return false;
    imeMode = answer.left(tab);
    updateMode = answer.mid(tab + 1);
    return true;
}

} // namespace editor
