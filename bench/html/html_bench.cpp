#include "html/converter.h"
#include "settings/user_styles.h"

#include <benchmark/benchmark.h>

namespace {

settings::UserStyleTable benchStyles() {
    settings::UserStyleTable table;
    const qint16 sizes[] = {14, 12, 11, 10, 10, 9, 9, 9};
    for (int i = 0; i < 8; ++i) {
        table.styles[i].fontName = QStringLiteral("ＭＳ Ｐゴシック");
        table.styles[i].size = sizes[i];
    }
    return table;
}

// A year of diary text: headings, long paragraphs, pictures, links, tooltips, tables and
// highlighted paragraphs, until the UTF-8 page reaches the wanted size.
QString exportedPage(qsizetype bytes) {
    const QString sentence =
        QStringLiteral("今日は朝から雨が降っていたが、午後には晴れて　散歩に出かけた。");
    QString page =
        QStringLiteral("<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.0//EN\">\n<html><head>\n"
                       "<base href=\"file:///home/user/diary/\" />\n</head>\n"
                       "<body style=\"font-family:'ＭＳ "
                       "Ｐゴシック';font-size:10pt;background-color:#ffffff;\">\n");
    qsizetype size = page.toUtf8().size();
    for (int n = 0; size < bytes; ++n) {
        QString part;
        if (n % 25 == 0)
            part += QStringLiteral(
                        "<p style=\"margin-left:8pt;font-size:14pt;font-weight:bold;\">%1日</p>\n")
                        .arg(n);
        QString text = sentence.repeated(8);
        if (n % 4 == 0)
            text +=
                QStringLiteral("<a href=\"../trips/day%1.htm\" style=\"color:#0000ff;\">記録</a>"
                               "と<a href=\"#TP_x\">抹茶</a>")
                    .arg(n);
        if (n % 6 == 0)
            text +=
                QStringLiteral("<img src=\"year_images/pic%1.png\" width=\"160\" height=\"120\" />")
                    .arg(n);
        const char *highlight = n % 15 == 0 ? "background-color:#FFFF00;" : "";
        part += QStringLiteral(
                    "<p style=\"margin-top:0pt;margin-left:3pt;line-height:120%;%1\">%2</p>\n")
                    .arg(QLatin1String(highlight), text);
        if (n % 40 == 0)
            part += QStringLiteral(
                        "<table border=\"1\" cellspacing=\"0\"><tr><td align=\"center\" "
                        "bgcolor=\"#FFFF00\">時刻</td><td valign=\"top\">%1</td></tr></table>\n")
                        .arg(sentence);
        page += part;
        size += part.toUtf8().size();
    }
    return page + QStringLiteral("</body>\n</html>\n");
}

void convertYear(benchmark::State &state) {
    const QString exported = exportedPage(state.range(0));
    const settings::UserStyleTable styles = benchStyles();
    const html::PageContext context{QStringLiteral("/home/user/diary/year.htm"),
                                    QStringLiteral("抹茶\t京都の名産\r"), QStringLiteral("一年")};
    for (auto _ : state) {
        const html::ConvertedPage page = html::convertPage(exported, context, styles);
        if (!page.status.ok()) {
            state.SkipWithError("conversion failed");
            break;
        }
        benchmark::DoNotOptimize(page.body.size());
    }
    state.SetBytesProcessed(state.iterations() * state.range(0));
}

} // namespace

BENCHMARK(convertYear)->Arg(100 << 10)->Arg(1 << 20)->Arg(5 << 20)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
