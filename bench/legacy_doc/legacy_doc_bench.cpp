// Opening twenty Word 97-2003 files: one LibreOffice run converts them all, then each is read
// from the package the run left. Target: under 10 s for the twenty.
#include "platform/text/legacy_doc/text_surface_legacy_doc.h"
#include "platform/text/text_surface.h"

#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

using platform::TextSurface;
namespace legacydoc = platform::legacydoc;

namespace {

QStringList writeDocuments(const QTemporaryDir &dir, int count) {
    QList<QByteArray> packages;
    for (int i = 0; i < count; ++i) {
        TextSurface surface;
        surface.setSelText(QStringLiteral("日記 %1\n今日は朝から雨が降っていた。\n").arg(i));
        const int table = surface.insertTable(2, 2);
        surface.setCellText(table, 1, 1, QStringLiteral("%1").arg(i));
        packages << surface.saveToMemory(TextSurface::Docx);
    }
    QStringList paths;
    const QList<legacydoc::Converted> legacy = legacydoc::convertManyFromDocx(packages);
    for (int i = 0; i < legacy.size(); ++i) {
        const QString path = dir.filePath(QStringLiteral("entry%1.doc").arg(i));
        QFile file(path);
        if (legacy[i].ok() && file.open(QIODevice::WriteOnly))
            file.write(legacy[i].bytes);
        paths << path;
    }
    return paths;
}

void BM_OpenTwentyDocFiles(benchmark::State &state) {
    if (legacydoc::converterProgram().isEmpty()) {
        state.SkipWithError("LibreOffice (soffice) is not installed");
        return;
    }
    QTemporaryDir dir;
    const QStringList paths = writeDocuments(dir, 20);
    for (auto _ : state) {
        legacydoc::clearConverted();
        QList<QByteArray> bytes;
        for (const QString &path : paths) {
            QFile file(path);
            file.open(QIODevice::ReadOnly);
            bytes << file.readAll();
        }
        legacydoc::convertManyToDocx(bytes);
        int opened = 0;
        for (const QString &path : paths) {
            TextSurface surface;
            opened += surface.loadFile(path, TextSurface::Word97) ? 1 : 0;
        }
        if (opened != paths.size())
            state.SkipWithError("a document did not open");
    }
}
BENCHMARK(BM_OpenTwentyDocFiles)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
