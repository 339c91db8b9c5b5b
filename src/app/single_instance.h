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

    // False when another running process holds the lock of folder.
    bool acquire(const QString &folder, const QString &name);
    void release();
    bool held() const;

private:
    std::unique_ptr<QLockFile> m_lock;
};

} // namespace appshell
