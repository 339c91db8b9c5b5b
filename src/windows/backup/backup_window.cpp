#include "windows/backup/backup_window.h"

#include "diary/backup_runner.h"
#include "diary/connection.h"
#include "platform/dialogs.h"
#include "platform/shell.h"

#include <QDir>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QProgressBar>
#include <QPushButton>
#include <QTreeWidget>
#include <QUrl>
#include <QVBoxLayout>

namespace backupwin {

namespace {

QString dateText(const QDate &date) {
    return date.isValid() ? date.toString(QStringLiteral("yyyy/MM/dd")) : QString();
}

} // namespace

BackupWindow::BackupWindow(diary::backup::Runner &runner, const QString &userDir,
                           const QString &tplDir, QWidget *parent)
    : QDialog(parent), m_runner(runner), m_userDir(userDir), m_tplDir(tplDir) {
    setWindowTitle(QStringLiteral("ﾊﾞｯｸｱｯﾌﾟと復元"));
    m_list = new QTreeWidget(this);
    m_list->setRootIsDecorated(false);
    m_list->setHeaderLabels({QStringLiteral("ﾊﾞｯｸｱｯﾌﾟの日時"), QStringLiteral("日記の数"),
                             QStringLiteral("最初の日記"), QStringLiteral("最後の日記"),
                             QStringLiteral("ｻｲｽﾞ")});
    m_list->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_status = new QLabel(this);
    m_progress = new QProgressBar(this);
    m_progress->setVisible(false);
    m_now = new QPushButton(QStringLiteral("今すぐﾊﾞｯｸｱｯﾌﾟ"), this);
    m_restore = new QPushButton(QStringLiteral("復元..."), this);
    m_folder = new QPushButton(QStringLiteral("ﾌｫﾙﾀﾞを開く"), this);
    auto *close = new QPushButton(QStringLiteral("閉じる"), this);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_now);
    buttons->addWidget(m_restore);
    buttons->addWidget(m_folder);
    buttons->addStretch();
    buttons->addWidget(close);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_list);
    layout->addWidget(m_progress);
    layout->addWidget(m_status);
    layout->addLayout(buttons);
    resize(640, 360);

    connect(m_now, &QPushButton::clicked, this, &BackupWindow::backUpNow);
    connect(m_restore, &QPushButton::clicked, this, &BackupWindow::restoreSelected);
    connect(m_folder, &QPushButton::clicked, this, &BackupWindow::openFolder);
    connect(close, &QPushButton::clicked, this, &QDialog::close);
    connect(m_list, &QTreeWidget::itemSelectionChanged, this, &BackupWindow::updateButtons);
    connect(&m_runner, &diary::backup::Runner::progress, this, [this](int done, int total) {
        m_progress->setVisible(true);
        m_progress->setMaximum(total);
        m_progress->setValue(done);
    });
    connect(&m_runner, &diary::backup::Runner::finished, this, &BackupWindow::copyFinished);
    refresh();
}

void BackupWindow::refresh() {
    m_list->clear();
    const QLocale locale;
    for (const diary::backup::Info &info : diary::backup::list(m_userDir)) {
        auto *item = new QTreeWidgetItem(m_list);
        item->setText(0, info.written.toString(QStringLiteral("yyyy/MM/dd HH:mm")));
        item->setText(1, info.sound() ? QString::number(info.entries)
                                      : QStringLiteral("(壊れています)"));
        item->setText(2, dateText(info.firstEntry));
        item->setText(3, dateText(info.lastEntry));
        item->setText(4, locale.formattedDataSize(info.size));
        item->setTextAlignment(1, Qt::AlignRight | Qt::AlignVCenter);
        item->setTextAlignment(4, Qt::AlignRight | Qt::AlignVCenter);
        item->setData(0, Qt::UserRole, info.path);
        item->setToolTip(0, QDir::toNativeSeparators(info.path));
    }
    if (m_list->topLevelItemCount() > 0)
        m_list->setCurrentItem(m_list->topLevelItem(0));
    m_status->setText(QStringLiteral("ﾊﾞｯｸｱｯﾌﾟ: %1 個").arg(m_list->topLevelItemCount()));
    updateButtons();
}

void BackupWindow::updateButtons() {
    const bool busy = m_runner.running();
    m_now->setEnabled(!busy);
    m_restore->setEnabled(!busy && m_list->currentItem());
}

void BackupWindow::backUpNow() {
    if (!m_runner.startNow(m_userDir, QDateTime::currentDateTime()))
        return;
    m_status->setText(QStringLiteral("ﾊﾞｯｸｱｯﾌﾟしています..."));
    updateButtons();
}

void BackupWindow::copyFinished(const diary::backup::Result &result) {
    m_progress->setVisible(false);
    refresh();
    if (!result.ok)
        m_status->setText(result.message);
}

void BackupWindow::restoreSelected() {
    const QTreeWidgetItem *item = m_list->currentItem();
    if (!item || m_runner.running())
        return;
    const QString path = item->data(0, Qt::UserRole).toString();
    const QString question = QStringLiteral("%1 のﾊﾞｯｸｱｯﾌﾟで日記を置き換えます。\n"
                                            "現在の日記は先にﾊﾞｯｸｱｯﾌﾟします。よろしいですか？")
                                 .arg(item->text(0));
    if (platform::dialogs().message(question, platform::Buttons::YesNo, platform::Icon::Question,
                                    {}, platform::Answer::No) != platform::Answer::Yes)
        return;
    if (m_beforeRestore && !m_beforeRestore())
        return;
    const diary::backup::Result result = diary::backup::restore(
        diary::connection(), m_userDir, m_tplDir, path, QDateTime::currentDateTime());
    refresh();
    if (!result.ok) {
        platform::dialogs().message(result.message, platform::Buttons::Ok,
                                    platform::Icon::Exclamation);
        return;
    }
    emit restored();
    platform::dialogs().message(QStringLiteral("日記を復元しました。"), platform::Buttons::Ok,
                                platform::Icon::Information);
}

void BackupWindow::openFolder() {
    const QString dir = diary::backup::folder(m_userDir);
    diary::backup::makeFolder(m_userDir);
    if (!platform::shell().open(dir))
        platform::dialogs().message(
            QStringLiteral("ﾌｫﾙﾀﾞ「%1」を開けません。").arg(QDir::toNativeSeparators(dir)),
            platform::Buttons::Ok, platform::Icon::Exclamation);
}

} // namespace backupwin
