#include "diary/backup_runner.h"

namespace diary::backup {

Runner::Runner(QObject *parent) : QObject(parent) {
    qRegisterMetaType<diary::backup::Result>();
}

Runner::~Runner() {
    m_stop = true;
    wait();
}

bool Runner::start(std::function<Result(const CopyOptions &)> job) {
    if (running())
        return false;
    wait();
    m_stop = false;
    CopyOptions options;
    options.progress = [this](int done, int total) {
        emit progress(done, total);
        return !m_stop.load();
    };
    m_thread.reset(QThread::create([this, job = std::move(job), options] {
        const Result result = job(options);
        emit finished(result);
    }));
    m_thread->start(QThread::LowPriority);
    return true;
}

bool Runner::startDaily(const QString &userDir, const QDate &today) {
    return start(
        [userDir, today](const CopyOptions &options) { return runDaily(userDir, today, options); });
}

bool Runner::startNow(const QString &userDir, const QDateTime &now) {
    return start(
        [userDir, now](const CopyOptions &options) { return backUpNow(userDir, now, options); });
}

void Runner::wait() {
    if (m_thread)
        m_thread->wait();
}

} // namespace diary::backup
