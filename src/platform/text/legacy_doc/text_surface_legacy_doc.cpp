#include "platform/text/legacy_doc/text_surface_legacy_doc.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QLockFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QUrl>

#include <csignal>
#include <sys/types.h>
#include <unistd.h>

namespace platform::legacydoc {
namespace {

constexpr qint64 MaxConvertedBytes = 256LL * 1024 * 1024;
constexpr int CacheLimit = 64;

struct Bridge {
    QString program; // set by the caller; empty: search
    QString folder;  // work folder; empty: the temp default
    int baseMs = 60000;
    int perDocumentMs = 3000;
    QHash<QByteArray, QByteArray> toDocxCache; // hash of the .doc bytes -> .docx bytes
};

Bridge &bridge() {
    static Bridge b;
    return b;
}

QString notAvailable() {
    return QStringLiteral("LibreOffice (soffice) is not installed; Word 97-2003 documents "
                          "cannot be converted");
}

QByteArray cacheKey(const QByteArray &bytes) {
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha256);
}

void remember(const QByteArray &legacy, const QByteArray &docx) {
    QHash<QByteArray, QByteArray> &cache = bridge().toDocxCache;
    if (cache.size() >= CacheLimit)
        cache.clear();
    cache.insert(cacheKey(legacy), docx);
}

enum class Target { Docx, Doc };

// Runs LibreOffice once over every input and collects what it wrote. The process gets a group of
// its own, so that a run past its time is stopped with every process it started.
QList<Converted> runConversion(const QList<QByteArray> &inputs, Target target) {
    QList<Converted> results(inputs.size());
    auto failAll = [&results](const QString &reason) {
        for (Converted &r : results) {
            r.bytes.clear();
            r.error = reason;
        }
        return results;
    };
    if (inputs.isEmpty())
        return results;
    const QString program = converterProgram();
    if (program.isEmpty())
        return failAll(notAvailable());

    const QString base = workFolder();
    if (!QDir().mkpath(base))
        return failAll(QStringLiteral("the folder %1 cannot be created").arg(base));
    // The profile and the documents in it are this user's alone.
    QFile::setPermissions(base,
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    QTemporaryDir scratch(QDir(base).filePath(QStringLiteral("convert-XXXXXX")));
    if (!scratch.isValid())
        return failAll(QStringLiteral("no scratch folder for the conversion in %1").arg(base));
    const QString inExt = target == Target::Docx ? QStringLiteral(".doc") : QStringLiteral(".docx");
    const QString outExt =
        target == Target::Docx ? QStringLiteral(".docx") : QStringLiteral(".doc");
    const QString outDir = scratch.filePath(QStringLiteral("out"));
    QDir().mkpath(outDir);

    QStringList arguments{
        QStringLiteral("-env:UserInstallation=") +
            QUrl::fromLocalFile(QDir(base).filePath(QStringLiteral("libreoffice-profile")))
                .toString(),
        QStringLiteral("--headless"),
        QStringLiteral("--invisible"),
        QStringLiteral("--nologo"),
        QStringLiteral("--nodefault"),
        QStringLiteral("--norestore"),
        QStringLiteral("--nolockcheck"),
        QStringLiteral("--convert-to"),
        target == Target::Docx ? QStringLiteral("docx:MS Word 2007 XML")
                               : QStringLiteral("doc:MS Word 97"),
        QStringLiteral("--outdir"),
        outDir};
    for (int i = 0; i < inputs.size(); ++i) {
        const QString path = scratch.filePath(QStringLiteral("d%1").arg(i) + inExt);
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(inputs[i]) != inputs[i].size())
            return failAll(QStringLiteral("%1 cannot be written").arg(path));
        arguments << path;
    }

    const Bridge &b = bridge();
    const int limit = b.baseMs + b.perDocumentMs * int(inputs.size());
    // One conversion at a time per profile: a second LibreOffice started on the same profile
    // hands its work to the first and ends without converting anything. The wait is for the
    // other conversion, so it is not bounded by this one's time limit.
    QLockFile profileLock(QDir(base).filePath(QStringLiteral("libreoffice-profile.lock")));
    profileLock.setStaleLockTime(0);
    if (!profileLock.tryLock(qMax(limit, 180000)))
        return failAll(QStringLiteral("LibreOffice is busy with another conversion"));

    QProcess process;
    process.setProgram(program);
    process.setArguments(arguments);
    process.setWorkingDirectory(scratch.path());
    process.setStandardInputFile(QProcess::nullDevice());
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    process.setChildProcessModifier([] { ::setpgid(0, 0); });
    process.start();
    if (!process.waitForStarted(10000))
        return failAll(QStringLiteral("%1 could not be started").arg(program));
    if (!process.waitForFinished(limit)) {
        const qint64 pid = process.processId();
        if (pid > 0)
            ::kill(-pid_t(pid), SIGKILL);
        process.kill();
        process.waitForFinished(3000);
        return failAll(
            QStringLiteral("LibreOffice did not finish within %1 seconds").arg(limit / 1000));
    }

    for (int i = 0; i < inputs.size(); ++i) {
        QFile file(QDir(outDir).filePath(QStringLiteral("d%1").arg(i) + outExt));
        if (!file.open(QIODevice::ReadOnly) || file.size() == 0) {
            results[i].error = QStringLiteral("LibreOffice could not convert the document");
            continue;
        }
        if (file.size() > MaxConvertedBytes) {
            results[i].error = QStringLiteral("the converted document is too large");
            continue;
        }
        results[i].bytes = file.readAll();
    }
    return results;
}

} // namespace

bool isLegacyDocument(const QByteArray &bytes) {
    return bytes.startsWith(QByteArrayLiteral("\xD0\xCF\x11\xE0"));
}

namespace {

quint16 littleEndian16(const QByteArray &bytes, int at) {
    return quint16(quint8(bytes[at]) | quint8(bytes[at + 1]) << 8);
}

// The header of a compound file as every Word 97-2003 document has it. LibreOffice would import
// anything else under a .doc name as plain text, so the junk would arrive as a document.
bool isCompoundFile(const QByteArray &bytes) {
    if (bytes.size() < 1024 ||
        !bytes.startsWith(QByteArrayLiteral("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1")))
        return false;
    const quint16 major = littleEndian16(bytes, 26);
    const quint16 sectorShift = littleEndian16(bytes, 30);
    return littleEndian16(bytes, 28) == 0xFFFE && littleEndian16(bytes, 32) == 6 &&
           ((major == 3 && sectorShift == 9) || (major == 4 && sectorShift == 12));
}

} // namespace

QList<Converted> convertManyToDocx(const QList<QByteArray> &legacy) {
    QList<Converted> results(legacy.size());
    QList<QByteArray> missing;
    QList<int> where;
    for (int i = 0; i < legacy.size(); ++i) {
        const auto hit = bridge().toDocxCache.constFind(cacheKey(legacy[i]));
        if (hit != bridge().toDocxCache.constEnd()) {
            results[i].bytes = *hit;
        } else if (!isCompoundFile(legacy[i])) {
            results[i].error = QStringLiteral("not a Word 97-2003 document");
        } else {
            missing << legacy[i];
            where << i;
        }
    }
    const QList<Converted> converted = runConversion(missing, Target::Docx);
    for (int k = 0; k < converted.size(); ++k) {
        results[where[k]] = converted[k];
        if (converted[k].ok())
            remember(missing[k], converted[k].bytes);
    }
    return results;
}

QList<Converted> convertManyFromDocx(const QList<QByteArray> &docx) {
    return runConversion(docx, Target::Doc);
}

void clearConverted() {
    bridge().toDocxCache.clear();
}

bool convertToDocx(const QByteArray &legacy, QByteArray *docx, QString *error) {
    const Converted result = convertManyToDocx({legacy}).value(0);
    if (docx)
        *docx = result.bytes;
    if (error && !result.ok())
        *error = result.error;
    return result.ok();
}

bool convertFromDocx(const QByteArray &docx, QByteArray *legacy, QString *error) {
    const Converted result = convertManyFromDocx({docx}).value(0);
    if (legacy)
        *legacy = result.bytes;
    if (error && !result.ok())
        *error = result.error;
    return result.ok();
}

QString converterProgram() {
    const QString &chosen = bridge().program;
    if (!chosen.isEmpty())
        return QFileInfo(chosen).isExecutable() ? chosen : QString();
    for (const QString &name : {QStringLiteral("soffice"), QStringLiteral("libreoffice")}) {
        const QString found = QStandardPaths::findExecutable(name);
        if (!found.isEmpty())
            return found;
    }
    const QString usual = QStandardPaths::findExecutable(
        QStringLiteral("soffice"),
        {QStringLiteral("/usr/lib/libreoffice/program"), QStringLiteral("/opt/libreoffice/program"),
         QStringLiteral("/usr/local/lib/libreoffice/program")});
    return usual;
}

void setConverterProgram(const QString &program) {
    bridge().program = program;
}

void setWorkFolder(const QString &folder) {
    bridge().folder = folder;
}

QString workFolder() {
    if (!bridge().folder.isEmpty())
        return bridge().folder;
    QString user = qEnvironmentVariable("USER");
    if (user.isEmpty())
        user = QString::number(::getuid());
    return QDir(QDir::tempPath()).filePath(QStringLiteral("drJvo-") + user);
}

void setTimeLimit(int baseMs, int perDocumentMs) {
    bridge().baseMs = baseMs;
    bridge().perDocumentMs = perDocumentMs;
}

} // namespace platform::legacydoc
