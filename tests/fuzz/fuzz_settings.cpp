// The settings file as another copy of the program, or a damaged disk, may leave it.
#include "fuzz_support.h"
#include "settings/yini.h"

#include <QDir>
#include <QFile>

DRJVO_FUZZ_INIT

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    static const QString path = QDir::temp().filePath(
        QStringLiteral("drjvo-fuzz-%1/User.xml").arg(QCoreApplication::applicationPid()));
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return 0;
    file.write(reinterpret_cast<const char *>(data), qint64(size));
    file.close();
    fuzzsupport::quietDialogs();
    settings::yIni ini;
    bool ok = false;
    ini.GetTxt(path, ok);
    if (!ok)
        return 0;
    ini.GetGtx(QStringLiteral("設定"));
    ini.vGtVal(QStringLiteral("列数"), 2);
    ini.vGtVal(QStringLiteral("ﾌｧﾝｸｼｮﾝ"), QStringLiteral("表示"));
    ini.vGtVal(QStringLiteral("日付"), QDate(2026, 1, 1));
    ini.SetVal(QStringLiteral("列数"), QStringLiteral("</WMF_PH>&<x>"));
    ini.SetGtx();
    ini.SetTxt(ok);
    return 0;
}
