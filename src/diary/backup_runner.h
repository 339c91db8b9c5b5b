#pragma once

#include "diary/backup.h"

#include <QObject>
#include <QThread>
#include <atomic>
#include <memory>

namespace diary::backup {

// Runs a backup on a worker thread with a connection of its own; the caller's thread stays free
// and its saves go on. Progress and the result arrive as queued signals.
class Runner : public QObject {
    Q_OBJECT

public:
    explicit Runner(QObject *parent = nullptr);
    ~Runner() override;

    // Starts today's daily copy (and the pruning after it); false when one is already running.
    bool startDaily(const QString &userDir, const QDate &today);
    // Starts a copy named by the time now (the backup window's "back up now").
    bool startNow(const QString &userDir, const QDateTime &now);
    bool running() const { return m_thread && m_thread->isRunning(); }
    // Waits for a running copy to end (before the diary is closed or replaced).
    void wait();

signals:
    void progress(int done, int total);
    void finished(const diary::backup::Result &result);

private:
    bool start(std::function<Result(const CopyOptions &)> job);

    std::unique_ptr<QThread> m_thread;
    std::atomic_bool m_stop{false};
};

} // namespace diary::backup

Q_DECLARE_METATYPE(diary::backup::Result)
