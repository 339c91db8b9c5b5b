// Saves pictures of the print preview of a two-page entry with a header, a table and a picture:
// the whole page and 150 %. Arguments: the folder for the PNG files.
#include "platform/text/text_surface.h"
#include "preview/page_source.h"
#include "preview/sbtvw.h"

#include <QAction>
#include <QApplication>
#include <QBuffer>
#include <QDir>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QStandardPaths>
#include <QTextDocument>

namespace {

QByteArray picture() {
    QImage image(360, 220, QImage::Format_RGB32);
    QPainter p(&image);
    QLinearGradient sky(0, 0, 0, 220);
    sky.setColorAt(0, QColor(120, 170, 230));
    sky.setColorAt(1, QColor(250, 200, 150));
    p.fillRect(image.rect(), sky);
    p.setBrush(QColor(250, 240, 120));
    p.setPen(Qt::NoPen);
    p.drawEllipse(QPoint(270, 70), 35, 35);
    p.setBrush(QColor(60, 110, 70));
    p.drawPolygon(QPolygon({QPoint(0, 220), QPoint(120, 110), QPoint(230, 220)}));
    p.end();
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

void append(platform::TextSurface &s, const QString &text) {
    s.setSelStart(s.textLength());
    s.setSelText(text);
}

} // namespace

int main(int argc, char **argv) {
    QStandardPaths::setTestModeEnabled(true);
    QApplication app(argc, argv);
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");

    platform::TextSurface s;
    QFont font(QStringLiteral("IPAPGothic"));
    font.setPointSizeF(10.5);
    s.document()->setDefaultFont(font);
    platform::PageSetup page = s.page();
    page.width = 11906;
    page.height = 16838;
    s.setPage(page);
    s.setHeaderFooterBits(platform::HeaderEveryPage);
    s.areaDocument(platform::HeaderEveryPage)->setDefaultFont(font);
    s.areaDocument(platform::HeaderEveryPage)
        ->setPlainText(QStringLiteral("2026年12月8日（火）　晴れ"));

    append(s, QStringLiteral("冬の散歩\n"));
    s.select(0, 4);
    s.setFontSize(18);
    s.setBold(true);
    s.setTextColor(0x80302a);
    s.setSelStart(s.textLength());
    s.setBold(false);
    s.setFontSize(10.5);
    s.setTextColor(0);
    for (int i = 0; i < 4; ++i)
        append(s, QStringLiteral("朝早く川沿いの道を歩いた。空気は冷たいが、日差しは柔らかい。"
                                 "The river was calm and the light was soft on the water. "
                                 "橋の上から山がよく見えた。\n"));
    s.setSelStart(s.textLength());
    s.insertPictureData(picture());
    append(s, QStringLiteral("\n今日の歩数と天気\n"));
    s.setSelStart(s.textLength());
    const int table = s.insertTable(3, 3);
    const QStringList cells = {
        QStringLiteral("時刻"),  QStringLiteral("歩数"),  QStringLiteral("天気"),
        QStringLiteral("7:00"),  QStringLiteral("3,200"), QStringLiteral("晴れ"),
        QStringLiteral("17:30"), QStringLiteral("8,450"), QStringLiteral("曇り")};
    for (int i = 0; i < cells.size(); ++i)
        s.setCellText(table, i / 3 + 1, i % 3 + 1, cells.at(i));
    s.setSelStart(s.textLength());
    s.setSelText(QString(QChar(12)));
    append(s, QStringLiteral("夜の記録\n"));
    for (int i = 0; i < 3; ++i)
        append(s, QStringLiteral("夕食は家族と鍋を囲んだ。明日は図書館へ行く予定。\n"));

    preview::SurfacePages pages(s);
    QWidget owner;
    owner.setGeometry(0, 0, 1200, 1050);
    preview::sbTvw window;
    window.prepare(pages, QString(), QString(), QStringLiteral("日記"), &owner);
    window.show();
    app.processEvents();
    window.grab().save(QDir(folder).filePath(QStringLiteral("preview_whole_page.png")));
    window.zoomActions().at(3)->trigger(); // 150 %
    app.processEvents();
    window.grab().save(QDir(folder).filePath(QStringLiteral("preview_150.png")));
    window.finish();
    return pages.pageCount() == 2 ? 0 : 1;
}
