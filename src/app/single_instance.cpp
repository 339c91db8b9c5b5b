#include "app/single_instance.h"

#include <QDir>
#include <QLockFile>
#include <QTemporaryFile>

namespace appshell {

SingleInstance::SingleInstance() = default;

SingleInstance::~SingleInstance() {
    release();
}

bool SingleInstance::acquire(const QString &folder, const QString &name) {
    release();
    auto lock = std::make_unique<QLockFile>(QDir(folder).filePath(name + QStringLiteral(".lock")));
    // Only a lock whose process is gone is stale; a diary left open for days is still open.
    lock->setStaleLockTime(0);
    if (!lock->tryLock(0)) {
        // A lock left by a copy that is gone cannot be taken over in a folder that cannot be
        // written either: that is not a second copy.
        QTemporaryFile probe(QDir(folder).filePath(name + QStringLiteral(".XXXXXX")));
        m_failure = lock->error() == QLockFile::LockFailedError && probe.open()
                        ? Failure::HeldElsewhere
                        : Failure::FolderNotWritable;
        return false;
    }
    m_failure = Failure::None;
    m_lock = std::move(lock);
    return true;
}

void SingleInstance::release() {
    if (m_lock)
        m_lock->unlock();
    m_lock.reset();
}

bool SingleInstance::held() const {
    return m_lock != nullptr;
}

} // namespace appshell
