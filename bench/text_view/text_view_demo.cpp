// Shows an entry with a header, a table, a picture and Japanese text in the editing view and
// saves a picture of the window: text_view_demo <normal|page> <zoom> <out.png> [pdf|header]
#include "platform/view/pdf_writer.h"
#include "platform/view/text_view.h"

#include <QApplication>
#include <QBuffer>
#include <QImage>
#include <QPainter>
#include <QScrollBar>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextTable>
#include <QTimer>

namespace {

QByteArray pictureBytes() {
    QImage image(240, 150, QImage::Format_RGB32);
    QPainter painter(&image);
    QLinearGradient sky(0, 0, 0, 150);
    sky.setColorAt(0, QColor(120, 170, 230));
    sky.setColorAt(1, QColor(230, 240, 250));
    painter.fillRect(image.rect(), sky);
    painter.setBrush(QColor(250, 200, 60));
    painter.setPen(Qt::NoPen);
    painter.drawEllipse(QPoint(185, 45), 25, 25);
    painter.setBrush(QColor(70, 130, 80));
    painter.drawPolygon(QPolygon({{0, 150}, {80, 70}, {150, 150}}));
    painter.setBrush(QColor(90, 150, 95));
    painter.drawPolygon(QPolygon({{90, 150}, {170, 90}, {240, 150}}));
    painter.end();
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

void fill(QTextDocument *doc) {
    QFont font(QStringLiteral("IPAPGothic"));
    font.setPointSizeF(10.5);
    doc->setDefaultFont(font);
    QTextCursor cursor(doc);

    QTextCharFormat title;
    title.setFontPointSize(16);
    title.setFontWeight(QFont::Bold);
    title.setForeground(QColor(0, 0, 128));
    cursor.insertText(QStringLiteral("2026年12月7日（月）　晴れのち曇り"), title);

    QTextCharFormat body;
    cursor.insertBlock();
    cursor.insertText(QStringLiteral("朝から冷え込みが厳しく、霜が降りていた。駅までの道で"
                                     "見た銀杏並木はすっかり葉を落としていた。\tタブの後。"),
                      body);
    cursor.insertBlock();
    cursor.insertText(QStringLiteral("午後は会議。資料の説明に時間がかかり、"), body);
    QTextCharFormat link;
    link.setForeground(Qt::blue);
    link.setFontUnderline(true);
    link.setProperty(platform::TextProp::FieldId, 1);
    link.setProperty(platform::TextProp::FieldData, QStringLiteral("https://example.org/"));
    cursor.insertText(QStringLiteral("議事録"), link);
    cursor.insertText(QStringLiteral("は明日まとめる。") + QChar(0x2028) +
                          QStringLiteral("改行の後の行　全角スペース。"),
                      body);

    cursor.insertBlock();
    QTextTableFormat tableFormat;
    tableFormat.setBorder(1);
    tableFormat.setCellPadding(4);
    tableFormat.setCellSpacing(0);
    tableFormat.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
    QTextTable *table = cursor.insertTable(3, 3, tableFormat);
    const QStringList cells = {
        QStringLiteral("時刻"),  QStringLiteral("予定"),     QStringLiteral("メモ"),
        QStringLiteral("9:00"),  QStringLiteral("朝礼"),     QStringLiteral("全員"),
        QStringLiteral("14:00"), QStringLiteral("定例会議"), QStringLiteral("第三会議室")};
    for (int i = 0; i < cells.size(); ++i)
        table->cellAt(i / 3, i % 3).firstCursorPosition().insertText(cells[i]);
    cursor.movePosition(QTextCursor::End);

    cursor.insertBlock();
    doc->addResource(QTextDocument::ImageResource, QUrl(QStringLiteral("picture1.png")),
                     pictureBytes());
    QTextImageFormat picture;
    picture.setName(QStringLiteral("picture1.png"));
    picture.setWidth(240);
    picture.setHeight(150);
    picture.setProperty(platform::TextProp::ObjectId, 1);
    picture.setProperty(platform::TextProp::ObjectKind, 4);
    cursor.insertImage(picture);
    cursor.insertBlock();
    for (int i = 0; i < 12; ++i) {
        cursor.insertText(QStringLiteral("夕方、公園を散歩した。The sky was clear and the air "
                                         "was cold. 帰りにパン屋へ寄った。"),
                          body);
        cursor.insertBlock();
    }
}

} // namespace

int main(int argc, char **argv) {
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    const bool page = args.value(1) == QStringLiteral("page");
    const int zoom = args.value(2, QStringLiteral("100")).toInt();
    const QString out = args.value(3, QStringLiteral("text_view.png"));

    QTextDocument main;
    QTextDocument header;
    QTextDocument footer;
    fill(&main);
    QFont font(QStringLiteral("IPAPGothic"));
    font.setPointSizeF(9);
    header.setDefaultFont(font);
    footer.setDefaultFont(font);
    header.setPlainText(QStringLiteral("日記帳　2026年12月"));
    footer.setPlainText(QStringLiteral("Footer — drJvo"));
    QTextCursor(&header).mergeBlockFormat([] {
        QTextBlockFormat f;
        f.setAlignment(Qt::AlignRight);
        return f;
    }());

    platform::TextContent content;
    content.main = &main;
    content.areas[0] = &header;
    content.areas[2] = &footer;
    content.page.width = 11906;
    content.page.height = 16838;
    content.page.headerFooterBits = platform::HeaderEveryPage | platform::FooterEveryPage;

    platform::TextView view;
    view.setWindowTitle(QStringLiteral("drJvo"));
    view.resize(1200, 900);
    view.setContent(content);
    view.setViewMode(page ? platform::TextView::PageView : platform::TextView::NormalView);
    view.setZoom(zoom);
    view.setControlCharactersShown(!page);
    QTextCursor cursor(&main);
    cursor.movePosition(QTextCursor::NextBlock);
    cursor.movePosition(QTextCursor::EndOfBlock);
    view.setTextCursor(cursor);
    view.show();
    if (args.value(4) == QStringLiteral("header"))
        view.activateArea(platform::HeaderEveryPage);
    if (args.value(4) == QStringLiteral("pdf"))
        platform::savePdf(view.content(), out + QStringLiteral(".pdf"));

    QTimer::singleShot(500, &app, [&] {
        view.verticalScrollBar()->setValue(0);
        view.grab().save(out);
        app.quit();
    });
    return app.exec();
}
