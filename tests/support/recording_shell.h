#pragma once

#include "platform/shell.h"

#include <QHash>
#include <QMap>
#include <QStringList>

namespace testsupport {

// A Shell double: records every call, opens nothing, starts nothing. Special folders and the
// tool-path store are plain maps a test can fill.
class RecordingShell final : public platform::Shell {
public:
    QStringList opened;
    QList<QStringList> started; // program followed by its arguments
    QMap<int, QString> folders;
    QHash<QString, QString> toolPaths;
    bool openResult = true;
    int exitCode = 0;

    bool open(const QString &pathOrUrl) override;
    QString specialFolder(int id) override;
    int runAndWait(const QString &program, const QStringList &arguments) override;
    QString toolPath(const QString &key) override;
    void setToolPath(const QString &key, const QString &value) override;
};

class RecordingShellGuard {
public:
    RecordingShellGuard();
    ~RecordingShellGuard();
    RecordingShell &operator*() { return *m_shell; }
    RecordingShell *operator->() { return m_shell; }

private:
    RecordingShell *m_shell;
    std::unique_ptr<platform::Shell> m_previous;
};

} // namespace testsupport
