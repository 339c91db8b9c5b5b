#include "platform/shell.h"

#include <QDesktopServices>
#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QProcess>
#include <QSettings>
#include <QStandardPaths>
#include <QUrl>

namespace platform {
namespace {

QString withSlash(const QString &folder) {
    if (folder.isEmpty() || folder.endsWith(QLatin1Char('/')))
        return folder;
    return folder + QLatin1Char('/');
}

class QtShell final : public Shell {
public:
    bool open(const QString &pathOrUrl) override {
        if (pathOrUrl.isEmpty())
            return false;
        const QUrl url = QFileInfo::exists(pathOrUrl) ? QUrl::fromLocalFile(pathOrUrl)
                                                      : QUrl::fromUserInput(pathOrUrl);
        return QDesktopServices::openUrl(url);
    }

    QString specialFolder(int id) override {
        switch (id) {
        case 5:
            return withSlash(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
        case 6: {
            const QString fav =
                QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
                QStringLiteral("/favorites");
            if (QFileInfo(fav).isDir())
                return withSlash(fav);
            return withSlash(QDir::homePath());
        }
        case 26:
            return withSlash(
                QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation));
        default:
            return {};
        }
    }

    int runAndWait(const QString &program, const QStringList &arguments) override {
        QProcess process;
        QEventLoop loop;
        QObject::connect(&process, &QProcess::finished, &loop, &QEventLoop::quit);
        QObject::connect(&process, &QProcess::errorOccurred, &loop, [&loop](auto error) {
            if (error == QProcess::FailedToStart)
                loop.quit();
        });
        process.start(program, arguments);
        if (!process.waitForStarted(10000))
            return -1;
        m_running = &process;
        if (process.state() != QProcess::NotRunning)
            loop.exec();
        m_running = nullptr;
        return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    }

    void cancelRun() override {
        if (m_running)
            m_running->kill();
    }

    QString toolPath(const QString &key) override {
        QSettings s(QStringLiteral("BrenvikTools"));
        s.beginGroup(QStringLiteral("Path"));
        return s.value(key).toString();
    }

    void setToolPath(const QString &key, const QString &value) override {
        QSettings s(QStringLiteral("BrenvikTools"));
        s.beginGroup(QStringLiteral("Path"));
        s.setValue(key, value);
    }

private:
    QProcess *m_running = nullptr;
};

std::unique_ptr<Shell> &instance() {
    static std::unique_ptr<Shell> s = std::make_unique<QtShell>();
    return s;
}

} // namespace

Shell &shell() { return *instance(); }

std::unique_ptr<Shell> setShell(std::unique_ptr<Shell> replacement) {
    std::unique_ptr<Shell> previous = std::move(instance());
    instance() = std::move(replacement);
    return previous;
}

} // namespace platform
