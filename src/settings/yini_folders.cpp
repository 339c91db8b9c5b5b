#include "platform/dialogs.h"
#include "platform/shell.h"
#include "settings/yini.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

namespace settings {
namespace {

QString withSlash(const QString &folder) {
    if (folder.endsWith(u'/'))
        return folder;
    return folder + u'/';
}

// A special folder the platform cannot name falls back to the home folder, never to "/".
QString orHome(const QString &folder) {
    return folder.isEmpty() ? QDir::homePath() : folder;
}

// The tool-path store is shared with programs that may compare paths without regard to case
// (on Windows); elsewhere a path differing only in case is another place.
constexpr Qt::CaseSensitivity kPathCase =
#ifdef Q_OS_WIN
    Qt::CaseInsensitive;
#else
    Qt::CaseSensitive;
#endif

} // namespace

QString yIni::FsGtSpFld(int nFlg) const {
    QString folder = platform::shell().specialFolder(nFlg);
    while (folder.size() > 1 && folder.endsWith(u'/'))
        folder.chop(1);
    return folder;
}

void yIni::F_ChkSb(const QString &sPh, const QStringList &Ary) const {
    // Every folder made here lies in the private user data folder and holds its scratch files.
    const QDir parent(sPh);
    for (const QString &name : Ary)
        if (!name.isEmpty() && !parent.exists(name))
            parent.mkdir(name,
                         QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

void yIni::F_CreateFld(const QString &sFd, QFileDevice::Permissions permissions) const {
    const QString path = QDir::cleanPath(QDir::fromNativeSeparators(sFd));
    if (path.isEmpty())
        return;
    const QStringList parts = path.split(u'/');
    QString current = path.startsWith(u'/') ? QStringLiteral("/") : QString();
    const QDir here;
    for (const QString &part : parts) {
        if (part.isEmpty())
            continue;
        if (!current.isEmpty() && !current.endsWith(u'/'))
            current += u'/';
        current += part;
        if (QFileInfo(current).isDir())
            continue;
        if (permissions)
            here.mkdir(current, permissions);
        else
            here.mkdir(current);
    }
}

void yIni::W_ExpFd(const QString &sFld, bool bOpn) const {
    if (sFld.isEmpty())
        return;
    if (bOpn)
        platform::shell().open(sFld);
    else if (QFileInfo(sFld).isDir())
        platform::shell().open(sFld);
}

UserFolders yIni::W_UserData(const QString &exeFile, const QString &exeBase) {
    UserFolders out;
    const QFileInfo exe(exeFile);
    out.appDir = withSlash(exe.absolutePath());
    out.tplDir = out.appDir + QStringLiteral("apData/");

    // Tell the maker's other tools where this program lives.
    QString suffix;
    if (!exe.suffix().isEmpty())
        suffix = u'.' + exe.suffix();
    const QString exePath = out.appDir + exeBase + suffix;
    if (platform::shell().toolPath(exeBase).compare(exePath, kPathCase) != 0)
        platform::shell().setToolPath(exeBase, exePath);

    out.defUserDir = withSlash(orHome(FsGtSpFld(26))) + QStringLiteral("Brenvik/") + exeBase + u'/';

    const QString iniPath = out.appDir + QStringLiteral("UserData.ini");
    QString choice = QStringLiteral("%applicaion data%");
    QFile ini(iniPath);
    if (ini.exists()) {
        QByteArray bytes;
        if (ini.open(QIODevice::ReadOnly))
            bytes = ini.readAll();
        if (bytes.isEmpty() || bytes.front() == '\r' || bytes.front() == '\n') {
            platform::dialogs().message(QStringLiteral(" ﾕｰｻﾞｰﾃﾞｰﾀｰﾌｫﾙﾀﾞが定義されていません\n") +
                                        out.defUserDir + QStringLiteral(" を使用します"));
        } else {
            QStringDecoder system(QStringDecoder::System);
            choice = system.decode(bytes);
        }
    } else {
        platform::dialogs().message(iniPath + QStringLiteral(" が見つかりません\n") +
                                    QStringLiteral("ﾕｰｻﾞｰﾃﾞｰﾀｰﾌｫﾙﾀﾞは　") + out.defUserDir +
                                    QStringLiteral(" を使用します"));
    }

    const QString lower = choice.toLower();
    if (lower == QLatin1String("%app%")) {
        out.userDir = out.appDir + QStringLiteral("usData/");
    } else if (lower == QLatin1String("%usr%") || lower == QLatin1String("%applicaion data%")) {
        out.userDir = out.defUserDir;
    } else if (lower == QLatin1String("%doc") || lower == QLatin1String("%my document%")) {
        out.userDir = withSlash(orHome(FsGtSpFld(5))) + QStringLiteral("Brenvik/") + exeBase + u'/';
    } else if (choice.startsWith(u'%')) {
        out.userDir = out.defUserDir;
    } else if (QFileInfo(choice).isDir()) {
        out.userDir = withSlash(choice);
    } else {
        platform::dialogs().message(QStringLiteral("ﾌｫﾙﾀﾞ ") + choice +
                                    QStringLiteral(" が見つかりません\n") +
                                    QStringLiteral("ﾕｰｻﾞｰﾃﾞｰﾀｰﾌｫﾙﾀﾞは　") + out.defUserDir +
                                    QStringLiteral(" を使用します"));
        out.userDir = out.defUserDir;
    }

    // The diary is private: folders made for it are readable by their owner only.
    if (!QFileInfo(out.userDir).isDir())
        F_CreateFld(out.userDir,
                    QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    return out;
}

} // namespace settings
