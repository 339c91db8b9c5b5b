#include "keybar/function_key_filter.h"

#include "keybar/ufky.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

namespace keybar {

namespace {

Qt::KeyboardModifier modifierOfKey(int key) {
    switch (key) {
    case Qt::Key_Shift:
        return Qt::ShiftModifier;
    case Qt::Key_Control:
        return Qt::ControlModifier;
    case Qt::Key_Alt:
        return Qt::AltModifier;
    default:
        return Qt::NoModifier;
    }
}

} // namespace

FunctionKeyFilter::FunctionKeyFilter(uFky &bar, QWidget *hostWindow)
    : m_bar(bar), m_hostWindow(hostWindow) {
    qApp->installEventFilter(this);
}

FunctionKeyFilter::~FunctionKeyFilter() {
    qApp->removeEventFilter(this);
}

int FunctionKeyFilter::modifierState(Qt::KeyboardModifiers modifiers) {
    int state = 0;
    if (modifiers & Qt::ShiftModifier)
        state |= 1;
    if (modifiers & Qt::ControlModifier)
        state |= 2;
    if (modifiers & Qt::AltModifier)
        state |= 4;
    return state;
}

bool FunctionKeyFilter::insideHost(QObject *watched) const {
    if (!watched->isWidgetType() || !m_hostWindow)
        return false;
    return static_cast<QWidget *>(watched)->window() == m_hostWindow;
}

bool FunctionKeyFilter::eventFilter(QObject *watched, QEvent *event) {
    const QEvent::Type type = event->type();
    if (type == QEvent::WindowDeactivate && watched == m_hostWindow) {
        m_bar.modifiersReleased();
        return false;
    }
    if ((type != QEvent::KeyPress && type != QEvent::KeyRelease) || !insideHost(watched))
        return false;

    const auto *keyEvent = static_cast<QKeyEvent *>(event);
    const int key = keyEvent->key();
    if (type == QEvent::KeyPress && key >= Qt::Key_F1 && key <= Qt::Key_F12)
        return m_bar.keyPressed(key - Qt::Key_F1 + 1, modifierState(keyEvent->modifiers()));

    // The platform may or may not count a modifier key in its own event, so count it here.
    const Qt::KeyboardModifier own = modifierOfKey(key);
    if (own == Qt::NoModifier)
        return false;
    Qt::KeyboardModifiers modifiers = keyEvent->modifiers();
    modifiers.setFlag(own, type == QEvent::KeyPress);
    const int state = modifierState(modifiers);
    if (state == 0)
        m_bar.modifiersReleased();
    else
        m_bar.modifierChanged(state);
    return false;
}

} // namespace keybar
