#include "launcher/zktl.h"

#include "launcher/param_file.h"
#include "launcher/wait_window.h"
#include "platform/dialogs.h"
#include "platform/shell.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace launcher {

namespace {

bool endsWithExecutable(const QString &path, int index) {
    return QFileInfo(path).fileName().compare(zKtl::executableName(index), Qt::CaseInsensitive) ==
           0;
}

QString childNamed(const QDir &parent, const QString &name, const QString &skip = {}) {
    const QStringList children = parent.entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString &child : children)
        if (child.compare(name, Qt::CaseInsensitive) == 0 && parent.filePath(child) != skip)
            return parent.filePath(child);
    return {};
}

void tell(const QString &text) {
    platform::dialogs().message(text, platform::Buttons::Ok, platform::Icon::Exclamation);
}

} // namespace

const zKtl::Companion &zKtl::companion(int index) {
    static const std::array<Companion, kCount> table = {{
        {QStringLiteral("ptWend"), QStringLiteral("画像")},
        {QStringLiteral("grLumo"), QStringLiteral("ｸﾞﾗﾌ")},
        {QStringLiteral("grSiva"), QStringLiteral("ﾁｬｰﾄ")},
        {QStringLiteral("utRask"), QStringLiteral("FTP")},
        {QStringLiteral("adOmbra"), QStringLiteral("宛名")},
        {QStringLiteral("kbNoxe"), QStringLiteral("文書ﾃﾞｰﾀｰﾍﾞｰｽ")},
    }};
    return table.at(index);
}

QString zKtl::executableName(int index) {
#ifdef Q_OS_WIN
    return companion(index).name + QStringLiteral(".exe");
#else
    return companion(index).name;
#endif
}

zKtl::zKtl(const QString &programFolder) : m_programFolder(programFolder) {
    for (int i = 0; i < kCount; ++i) {
        const QString remembered = platform::shell().toolPath(companion(i).name);
        if (endsWithExecutable(remembered, i) && QFileInfo(remembered).isFile())
            m_paths[i] = remembered;
    }
}

QString zKtl::searchFolders(int index) const {
    const QString name = companion(index).name;
    QDir p(m_programFolder);
    if (!p.cdUp())
        return {};
    QString found = childNamed(p, name);
    QDir g(p);
    if (found.isEmpty() && g.cdUp()) {
        found = childNamed(g, name, p.absolutePath());
        const QStringList children = g.entryList(QDir::Dirs | QDir::NoDotAndDotDot);
        for (qsizetype i = 0; found.isEmpty() && i < children.size(); ++i) {
            const QString child = g.filePath(children.at(i));
            if (child != p.absolutePath())
                found = childNamed(QDir(child), name);
        }
    }
    return found.isEmpty() ? QString() : QDir(found).filePath(executableName(index));
}

bool zKtl::installed(int index) const {
    if (index < 0 || index >= kCount)
        return false;
    return QFileInfo(m_paths[index]).isFile() || QFileInfo(searchFolders(index)).isFile();
}

bool zKtl::bChkApp(int iNdx) {
    if (iNdx < 0 || iNdx >= kCount)
        return false;
    if (!m_paths[iNdx].isEmpty() && QFileInfo(m_paths[iNdx]).isFile())
        return true;
    QString candidate = searchFolders(iNdx);
    if (candidate.isEmpty() || !QFileInfo(candidate).isFile()) {
        platform::FileRequest request;
        request.title = companion(iNdx).label + QStringLiteral(" 実行ﾌｧｲﾙの指定");
        request.fileName = executableName(iNdx);
#ifdef Q_OS_WIN
        request.filter = QStringLiteral("実行ﾌｧｲﾙ(*.exe)|*.exe");
#else
        request.filter = QStringLiteral("実行ﾌｧｲﾙ|") + executableName(iNdx);
#endif
        QDir p(m_programFolder);
        p.cdUp();
        request.folder = p.absolutePath();
        const platform::FileAnswer answer = platform::dialogs().openFile(request);
        if (!answer.accepted || !endsWithExecutable(answer.path, iNdx) ||
            !QFileInfo(answer.path).isFile())
            return false;
        candidate = answer.path;
    }
    platform::shell().setToolPath(companion(iNdx).name, candidate);
    m_paths[iNdx] = candidate;
    return true;
}

bool zKtl::run(int index, const QString &file, const QByteArray &record, QByteArray &result) {
    {
        QFile out(file);
        if (record.isEmpty() || !out.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
            out.write(record) != record.size()) {
            tell(QStringLiteral("ﾊﾟﾗﾒﾀﾌｧｲﾙを作成できませんでした"));
            return false;
        }
    }
    WaitWindow wait(companion(index).label, platform::dialogParent());
    wait.show();
    const int code = platform::shell().runAndWait(m_paths[index], {file});
    wait.hide();
    if (code < 0)
        return false;
    QFile in(file);
    if (!in.open(QIODevice::ReadOnly))
        return false;
    result = in.read(record.size());
    return true;
}

void zKtl::ActPic(int iTy, const QString &sPh, QString &sFL, qint32 gWd, qint32 gHi, bool &bGf,
                  bool &bOk) {
    bOk = false;
    bGf = false;
    if (!bChkApp(0))
        return;
    PictureParams params;
    params.folder = sPh;
    params.file = iTy == 3 ? QStringLiteral("*.*") : QStringLiteral("*.png");
    params.width = gWd;
    params.height = gHi;
    QByteArray result;
    if (!run(0, QDir(sPh).filePath(QStringLiteral("PT_HT.pdat")), encodePicture(params), result) ||
        !decodePicture(result, params))
        return;
    sFL = params.file;
    bGf = params.flag != 0;
    bOk = params.ok != 0;
}

void zKtl::ActGrph(const QString &sPh, QString &sFL, bool &bOk) {
    bOk = false;
    if (!bChkApp(1))
        return;
    GraphParams params;
    params.folder = sPh;
    QByteArray result;
    if (!run(1, QDir(sPh).filePath(QStringLiteral("GR_HT.pdat")), encodeGraph(params), result) ||
        !decodeGraph(result, params))
        return;
    sFL = params.file;
    bOk = params.ok != 0;
}

void zKtl::ActChrt(const QString &sPh, QString &sFL, bool &bOk) {
    bOk = false;
    if (!bChkApp(2))
        return;
    GraphParams params;
    params.folder = sPh;
    params.file = sFL;
    QByteArray result;
    if (!run(2, QDir(sPh).filePath(QStringLiteral("CH_HT.pdat")), encodeGraph(params), result) ||
        !decodeGraph(result, params))
        return;
    sFL = params.file;
    bOk = params.ok != 0;
}

} // namespace launcher
