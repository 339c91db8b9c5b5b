#pragma once

#include <QWidget>

class QPushButton;

namespace launcher {

// Shown while a companion runs: what runs, and a button to give up on it.
class WaitWindow : public QWidget {
    Q_OBJECT
public:
    explicit WaitWindow(const QString &label, QWidget *parent = nullptr);
    QPushButton *cancelButton() const { return m_cancel; }

private:
    QPushButton *m_cancel;
};

} // namespace launcher
