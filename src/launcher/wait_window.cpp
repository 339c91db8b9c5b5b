#include "launcher/wait_window.h"

#include "platform/dialogs.h"
#include "platform/shell.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

namespace launcher {

WaitWindow::WaitWindow(const QString &label, QWidget *parent)
    : QWidget(parent, Qt::Tool | Qt::WindowStaysOnTopHint) {
    setObjectName(QStringLiteral("launcherWait"));
    setWindowTitle(platform::appTitle());
    auto *layout = new QHBoxLayout(this);
    layout->addWidget(new QLabel(label + QStringLiteral("を作成中です"), this));
    m_cancel = new QPushButton(QStringLiteral("中止(&C)"), this);
    layout->addWidget(m_cancel);
    connect(m_cancel, &QPushButton::clicked, this, [] { platform::shell().cancelRun(); });
}

} // namespace launcher
