#include "editor/link_opening.h"

#include "platform/dialogs.h"
#include "platform/shell.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <QStringList>
#include <QUrl>

namespace editor {

namespace {

// A scheme of two letters or more; "C:" is a drive, not a scheme.
QString schemeOf(const QString &target) {
    static const QRegularExpression scheme(QStringLiteral("^([A-Za-z][A-Za-z0-9+.-]+):"));
    const QRegularExpressionMatch match = scheme.match(target);
    return match.hasMatch() ? match.captured(1).toLower() : QString();
}

// Files that start a program when the desktop opens them.
bool isProgram(const QString &path) {
    static const QStringList suffixes = {
        QStringLiteral("exe"), QStringLiteral("com"),      QStringLiteral("bat"),
        QStringLiteral("cmd"), QStringLiteral("msi"),      QStringLiteral("scr"),
        QStringLiteral("pif"), QStringLiteral("vbs"),      QStringLiteral("js"),
        QStringLiteral("ps1"), QStringLiteral("sh"),       QStringLiteral("desktop"),
        QStringLiteral("jar"), QStringLiteral("appimage"), QStringLiteral("run")};
    const QFileInfo info(path);
    if (suffixes.contains(info.suffix().toLower()))
        return true;
    return info.isFile() && info.isExecutable();
}

bool userAgrees(const QString &question, const QString &target) {
    return platform::dialogs().message(question + QStringLiteral("\n") + target,
                                       platform::Buttons::YesNo, platform::Icon::Question, {},
                                       platform::Answer::No) == platform::Answer::Yes;
}

bool openLocal(const QString &path) {
    if (isProgram(path)) {
        platform::dialogs().message(QStringLiteral("プログラムはリンクから開きません。\n") + path,
                                    platform::Buttons::Ok, platform::Icon::Exclamation);
        return false;
    }
    if (!userAgrees(QStringLiteral("次のファイルを開きますか"), path))
        return false;
    return platform::shell().open(path);
}

} // namespace

bool openLinkTarget(const QString &link) {
    const QString target = link.trimmed();
    if (target.isEmpty())
        return false;
    const QString scheme = schemeOf(target);
    if (scheme == QLatin1String("http") || scheme == QLatin1String("https") ||
        scheme == QLatin1String("mailto"))
        return platform::shell().open(target);
    if (scheme == QLatin1String("javascript") || scheme == QLatin1String("vbscript") ||
        scheme == QLatin1String("data"))
        return false;
    if (scheme == QLatin1String("file"))
        return openLocal(QUrl(target).toLocalFile());
    if (scheme.isEmpty())
        return openLocal(target);
    if (!userAgrees(QStringLiteral("次のリンク先を開きますか"), target))
        return false;
    return platform::shell().open(target);
}

} // namespace editor
