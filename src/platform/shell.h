#pragma once

#include <QString>
#include <QStringList>
#include <memory>

namespace platform {

// Opening paths with their default handler, special folders, starting companion programs and the
// per-user tool-path store shared with the maker's other programs.
class Shell {
public:
    virtual ~Shell() = default;

    // Opens a file, folder or address with its default handler; false when nothing could open it.
    virtual bool open(const QString &pathOrUrl) = 0;
    // The folder for a classic special-folder number (5 documents, 6 favourites, 26 application
    // data), ending in "/"; empty for an unknown number.
    virtual QString specialFolder(int id) = 0;
    // Starts a program with arguments (no shell) and waits with the event loop alive.
    // Returns the exit code, or -1 when it could not be started.
    virtual int runAndWait(const QString &program, const QStringList &arguments) = 0;
    // Ends the program runAndWait is waiting for (the user gave up on it); runAndWait returns -1.
    virtual void cancelRun() {}
    // The per-user tool-path store: organisation "BrenvikTools", group "Path".
    virtual QString toolPath(const QString &key) = 0;
    virtual void setToolPath(const QString &key, const QString &value) = 0;
};

Shell &shell();
std::unique_ptr<Shell> setShell(std::unique_ptr<Shell> replacement);

} // namespace platform
