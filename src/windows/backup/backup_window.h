#pragma once

#include <QDialog>
#include <functional>

class QLabel;
class QProgressBar;
class QPushButton;
class QTreeWidget;

namespace diary::backup {
class Runner;
struct Result;
} // namespace diary::backup

namespace backupwin {

// The window "ﾊﾞｯｸｱｯﾌﾟと復元": the copies in the backup folder with their dates, entries and
// sizes; back up now, restore the chosen copy, open the folder.
class BackupWindow : public QDialog {
    Q_OBJECT

public:
    BackupWindow(diary::backup::Runner &runner, const QString &userDir, const QString &tplDir,
                 QWidget *parent = nullptr);

    // Asked before a restore (the main window saves or drops its edits); false stops it.
    void setBeforeRestore(std::function<bool()> check) { m_beforeRestore = std::move(check); }

    void refresh();
    void backUpNow();
    void restoreSelected();
    void openFolder();

    QTreeWidget *list() const { return m_list; }
    QPushButton *nowButton() const { return m_now; }
    QPushButton *restoreButton() const { return m_restore; }
    QPushButton *folderButton() const { return m_folder; }
    QLabel *status() const { return m_status; }

signals:
    // The diary was replaced by a copy and is open again.
    void restored();

private:
    void copyFinished(const diary::backup::Result &result);
    void updateButtons();

    diary::backup::Runner &m_runner;
    QString m_userDir;
    QString m_tplDir;
    std::function<bool()> m_beforeRestore;
    QTreeWidget *m_list = nullptr;
    QLabel *m_status = nullptr;
    QProgressBar *m_progress = nullptr;
    QPushButton *m_now = nullptr;
    QPushButton *m_restore = nullptr;
    QPushButton *m_folder = nullptr;
};

} // namespace backupwin
