// Not a test: the documentation screenshots of the backup window and the export dialog, written
// with QWidget::grab() into the folder given as the first argument.
#include "diary/backup.h"
#include "diary/backup_runner.h"
#include "diary/connection.h"
#include "settings/user_styles.h"
#include "windows/backup/backup_window.h"
#include "windows/export/export_dialog.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

int main(int argc, char **argv) {
    QApplication app(argc, argv);
    const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    QTemporaryDir dir;
    diary::Store &store = diary::connection();
    if (!store.open(dir.path(), QStringLiteral(DRJVO_TEMPLATE_DIR)))
        return 1;
    const QDate today(2026, 12, 8);
    for (int i = 0; i < 400; ++i) {
        const QDate d = QDate(2023, 4, 1).addDays(i * 3);
        store.saveEntry(diary::entryKey(d), QStringLiteral("日記 %1").arg(i), "doc");
    }
    // A few daily copies as weeks of use leave them, with their own times.
    for (int back : {40, 12, 3, 2, 1, 0}) {
        const QDate day = today.addDays(-back);
        store.saveEntry(diary::entryKey(day), QStringLiteral("その日の日記"), "doc");
        const diary::backup::Result r = diary::backup::runDaily(dir.path(), day);
        QFile f(r.path);
        f.open(QIODevice::ReadWrite);
        f.setFileTime(QDateTime(day, QTime(8, 15 + back)), QFileDevice::FileModificationTime);
    }
    diary::backup::Runner runner;
    backupwin::BackupWindow window(runner, dir.path(), QStringLiteral(DRJVO_TEMPLATE_DIR));
    window.refresh();
    window.show();
    app.processEvents();
    window.grab().save(QDir(out).filePath(QStringLiteral("backup_window.png")));

    settings::UserStyleTable styles;
    exportwin::ExportDialog dialog(store, styles, QStringLiteral("/home/user/ドキュメント"));
    dialog.setYear(2025);
    dialog.show();
    app.processEvents();
    dialog.grab().save(QDir(out).filePath(QStringLiteral("export_dialog.png")));
    store.close();
    return 0;
}
