// Pasting a 12-megapixel photo (4000 x 3000) into the shown editor with Ctrl+V's command: the
// picture narrowed to the text width, normalised, stored compactly and inserted. Two clipboards:
// a decoded picture (copied inside this process) and JPEG bytes (copied from another program).
// Target: under 300 ms.
#include "editor/interface.h"
#include "platform/text/text_surface.h"
#include "settings/app_values.h"

#include <QApplication>
#include <QBuffer>
#include <QClipboard>
#include <QMimeData>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

QImage photo() {
    QImage image(4000, 3000, QImage::Format_RGB32);
    quint32 state = 1;
    for (int y = 0; y < image.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            state = state * 1664525u + 1013904223u;
            const int n = int(state >> 28);
            line[x] = qRgb((x / 16 + n) & 255, (y / 12 + n) & 255, (128 + (x ^ y) % 64 + n) & 255);
        }
    }
    return image;
}

void pasteInto(benchmark::State &state, const std::function<QMimeData *()> &clip) {
    QTemporaryDir work;
    settings::appValues().wrkDir = work.path() + u'/';
    editor::uTxm editor;
    editor.cOn(0, 0);
    editor.resize(900, 700);
    editor.show();
    QCoreApplication::processEvents();
    for (auto _ : state) {
        state.PauseTiming();
        editor.SetText(QStringLiteral("今日の写真"));
        QGuiApplication::clipboard()->setMimeData(clip());
        QCoreApplication::processEvents();
        state.ResumeTiming();
        editor.rtAct(15, QString());
        QCoreApplication::processEvents();
    }
}

void pasteDecodedPhoto(benchmark::State &state) {
    const QImage image = photo();
    pasteInto(state, [&] {
        auto *data = new QMimeData;
        data->setImageData(image);
        return data;
    });
}

void pasteJpegPhoto(benchmark::State &state) {
    QByteArray jpeg;
    QBuffer buffer(&jpeg);
    buffer.open(QIODevice::WriteOnly);
    photo().save(&buffer, "JPEG", 90);
    pasteInto(state, [&] {
        auto *data = new QMimeData;
        data->setData(QStringLiteral("image/jpeg"), jpeg);
        return data;
    });
}

} // namespace

BENCHMARK(pasteDecodedPhoto)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(pasteJpegPhoto)->Unit(benchmark::kMillisecond)->Iterations(5);

int main(int argc, char **argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QStandardPaths::setTestModeEnabled(true);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
