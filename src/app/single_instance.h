#pragma once

#include <QString>
#include <memory>

class QLockFile;

namespace appshell {

// One running copy per user data folder: a lock file there, taken over when the copy that made
// it is gone (after a crash).
class SingleInstance {
public:
    SingleInstance();
    ~SingleInstance();

    enum class Failure { None, HeldElsewhere, FolderNotWritable };

    // False when another running process holds the lock of folder, or when no lock can be made
    // there because the folder cannot be written (failure() tells which).
    bool acquire(const QString &folder, const QString &name);
    void release();
    bool held() const;
    Failure failure() const { return m_failure; }

private:
    std::unique_ptr<QLockFile> m_lock;
    Failure m_failure = Failure::None;
};

} // namespace appshell
