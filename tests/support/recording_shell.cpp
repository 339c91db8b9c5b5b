#include "recording_shell.h"

namespace testsupport {

bool RecordingShell::open(const QString &pathOrUrl) {
    opened << pathOrUrl;
    return openResult;
}

QString RecordingShell::specialFolder(int id) { return folders.value(id); }

int RecordingShell::runAndWait(const QString &program, const QStringList &arguments) {
    started << (QStringList{program} + arguments);
    return exitCode;
}

QString RecordingShell::toolPath(const QString &key) { return toolPaths.value(key); }

void RecordingShell::setToolPath(const QString &key, const QString &value) {
    toolPaths.insert(key, value);
}

RecordingShellGuard::RecordingShellGuard()
    : m_shell(new RecordingShell),
      m_previous(platform::setShell(std::unique_ptr<platform::Shell>(m_shell))) {}

RecordingShellGuard::~RecordingShellGuard() { platform::setShell(std::move(m_previous)); }

} // namespace testsupport
