#pragma once

#include <QObject>
#include <QPointer>

class QWidget;

namespace keybar {

class uFky;

// Catches F1-F12 and the modifier keys anywhere inside the host window, whichever child has the
// focus, and hands them to the bar. Installed on the application while the bar is switched on.
class FunctionKeyFilter : public QObject {
    Q_OBJECT
public:
    FunctionKeyFilter(uFky &bar, QWidget *hostWindow);
    ~FunctionKeyFilter() override;

    // Modifier state in the classic numbering: 1 Shift, 2 Ctrl, 4 Alt.
    static int modifierState(Qt::KeyboardModifiers modifiers);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool insideHost(QObject *watched) const;

    uFky &m_bar;
    QPointer<QWidget> m_hostWindow;
};

} // namespace keybar
