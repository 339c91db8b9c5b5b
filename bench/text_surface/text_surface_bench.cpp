// Save to memory and load from memory in formats 3, 5 and 9 for a typical diary entry (2,000
// characters, one picture, one small table, three links) and a large one (100,000 characters,
// 20 pictures, 10 tables). Targets: typical under 5 ms each way, large under 150 ms.
#include "platform/text/text_surface.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QImage>

#include <benchmark/benchmark.h>

using platform::TextSurface;

namespace {

QByteArray picture(int index) {
    QImage image(120, 80, QImage::Format_RGB32);
    image.fill(QColor::fromHsv((index * 37) % 360, 180, 220));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

void fill(TextSurface &surface, int characters, int pictures, int tables, int links) {
    const QString sentence =
        QStringLiteral("今日は朝から雨が降っていた。散歩は短めにして、本を読んだ。 ");
    int written = 0;
    int paragraph = 0;
    const int sections = qMax(pictures, qMax(tables, links)) + 1;
    const int perSection = characters / sections;
    for (int s = 0; s < sections; ++s) {
        QString text;
        while (text.size() < perSection) {
            text += sentence;
            if (++paragraph % 4 == 0)
                text += u'\n';
        }
        surface.setSelText(text);
        written += int(text.size());
        if (s < links) {
            const int id = surface.insertField(QStringLiteral("link %1").arg(s));
            surface.setFieldData(QStringLiteral("https://example.org/%1").arg(s), id);
            surface.setFieldLinkKind(1, id);
            surface.setFieldAttribute(149, id);
            surface.setSelText(QStringLiteral("\n"));
        }
        if (s < pictures) {
            surface.insertPictureData(picture(s));
            surface.setSelText(QStringLiteral("\n"));
        }
        if (s < tables) {
            const int id = surface.insertTable(3, 3);
            for (int r = 1; r <= 3; ++r)
                for (int c = 1; c <= 3; ++c)
                    surface.setCellText(id, r, c, QStringLiteral("%1-%2").arg(r).arg(c));
            surface.setSelStart(surface.textLength());
            surface.setSelText(QStringLiteral("\n"));
        }
    }
}

struct Entry {
    int characters;
    int pictures;
    int tables;
    int links;
};

constexpr Entry Typical{2000, 1, 1, 3};
constexpr Entry Large{100000, 20, 10, 3};

void saveBench(benchmark::State &state, Entry entry, int format) {
    TextSurface surface;
    fill(surface, entry.characters, entry.pictures, entry.tables, entry.links);
    for (auto _ : state)
        benchmark::DoNotOptimize(surface.saveToMemory(format));
}

void loadBench(benchmark::State &state, Entry entry, int format) {
    QByteArray bytes;
    {
        TextSurface source;
        fill(source, entry.characters, entry.pictures, entry.tables, entry.links);
        bytes = source.saveToMemory(format);
    }
    TextSurface surface;
    for (auto _ : state) {
        const bool ok = surface.loadFromMemory(bytes, format);
        if (!ok)
            state.SkipWithError("load failed");
        benchmark::DoNotOptimize(ok);
    }
}

BENCHMARK_CAPTURE(saveBench, typical_format3, Typical, TextSurface::Internal)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(loadBench, typical_format3, Typical, TextSurface::Internal)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(saveBench, typical_format9, Typical, TextSurface::Word97)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(loadBench, typical_format9, Typical, TextSurface::Word97)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(saveBench, typical_format5, Typical, TextSurface::Rtf)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(loadBench, typical_format5, Typical, TextSurface::Rtf)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(saveBench, large_format3, Large, TextSurface::Internal)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(loadBench, large_format3, Large, TextSurface::Internal)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(saveBench, large_format9, Large, TextSurface::Word97)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(loadBench, large_format9, Large, TextSurface::Word97)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(saveBench, large_format5, Large, TextSurface::Rtf)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(loadBench, large_format5, Large, TextSurface::Rtf)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
