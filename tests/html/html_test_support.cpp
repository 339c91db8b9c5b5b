#include "html_test_support.h"

#include <QStringList>

namespace htmltest {

settings::UserStyleTable handStyles() {
    settings::UserStyleTable table;
    const QString font = QStringLiteral("ＭＳ Ｐゴシック");
    const qint16 sizes[] = {14, 12, 11, 10, 10, 9, 9, 9};
    const qint32 colours[] = {5266053, 5072980, 5652282, 0, 128, 8421504, 5652282, 5652282};
    for (int i = 0; i < 8; ++i) {
        table.styles[i].fontName = font;
        table.styles[i].size = sizes[i];
        table.styles[i].textColor = colours[i];
        table.styles[i].backColor = 16777215;
    }
    table.lineSpacingFactor = 1.2f;
    return table;
}

QString exportedPage(const QString &body, const QString &base) {
    QString head = QStringLiteral(
        "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.0//EN\">\r\n"
        "<html>\r\n<head>\r\n"
        "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=utf-8\">\r\n");
    if (!base.isEmpty())
        head += QStringLiteral("<base href=\"") + base + QStringLiteral("\">\r\n");
    return head + QStringLiteral("</head>\r\n") + body + QStringLiteral("\r\n</html>\r\n");
}

QString keptTags(const html::TokenList &tokens) {
    QStringList tags;
    for (const html::HtmlToken &t : tokens) {
        if (!t.dropped)
            tags << t.tag;
    }
    return tags.join(u' ');
}

html::HtmlToken firstKept(const html::TokenList &tokens, const QString &tag) {
    for (const html::HtmlToken &t : tokens) {
        if (!t.dropped && t.tag == tag)
            return t;
    }
    return {};
}

} // namespace htmltest
