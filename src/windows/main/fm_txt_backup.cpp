#include "windows/main/fm_txt.h"

#include "diary/backup_runner.h"
#include "diary/connection.h"
#include "editor/interface.h"
#include "keybar/ufky.h"
#include "platform/dialogs.h"
#include "windows/backup/backup_window.h"
#include "windows/export/export_dialog.h"

#include <QProgressBar>
#include <QStandardPaths>

// Backups of the diary (the daily copy after start-up, the backup window) and its export.
namespace mainwin {

void fmTxt::connectBackups() {
    m_backups = new diary::backup::Runner(this);
    connect(m_backups, &diary::backup::Runner::progress, this, [this](int done, int total) {
        if (m_keys->progressBar()->maximum() != total || !m_keys->progressBar()->isVisible())
            m_keys->pbMax(total);
        m_keys->pbVAL(done);
    });
    connect(m_backups, &diary::backup::Runner::finished, this,
            [this](const diary::backup::Result &result) {
                m_keys->pbMax(0);
                // Said once, when the copy fails; the next start of the day tries again.
                if (!result.ok)
                    platform::dialogs().message(result.message, platform::Buttons::Ok,
                                                platform::Icon::Exclamation);
            });
    connect(m_menus.backup, &QAction::triggered, this, [this] {
        backupWindow()->show();
        backupWindow()->raise();
        backupWindow()->activateWindow();
    });
    connect(m_menus.exportDiary, &QAction::triggered, this, [this] {
        exportDialog()->show();
        exportDialog()->raise();
        exportDialog()->activateWindow();
    });
}

exportwin::ExportDialog *fmTxt::exportDialog() {
    if (!m_exportDialog)
        m_exportDialog = new exportwin::ExportDialog(
            diary::connection(), m_editor->userStyles(),
            QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation), this);
    return m_exportDialog;
}

void fmTxt::startDailyBackup(const QDate &today) {
    if (m_loaded)
        m_backups->startDaily(m_userDir, today);
}

backupwin::BackupWindow *fmTxt::backupWindow() {
    if (!m_backupWindow) {
        m_backupWindow = new backupwin::BackupWindow(*m_backups, m_userDir, m_tplDir, this);
        m_backupWindow->setBeforeRestore([this] {
            bool cancel = false;
            m_editor->ChkUdt(cancel);
            return !cancel && !saveFailed();
        });
        connect(m_backupWindow, &backupwin::BackupWindow::restored, this,
                &fmTxt::showRestoredDiary);
    }
    return m_backupWindow;
}

void fmTxt::showRestoredDiary() {
    m_editor->setBDcEdt(false);
    FillMonthList(false);
    refreshBoldDays();
    LoadEntry();
}

} // namespace mainwin
