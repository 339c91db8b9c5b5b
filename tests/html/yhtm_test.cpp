#include "html/yhtm.h"
#include "html_test_support.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace html;

namespace {

QByteArray readBytes(const QString &path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeBytes(const QString &path, const QByteArray &bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

// Stands in for the text surface: writes the page and a picture into NAME_images.
yHtm::ExportPage surfaceWriting(const QString &page, bool *pngAsked = nullptr) {
    return [page, pngAsked](const QString &fileName, bool bPng) {
        if (pngAsked)
            *pngAsked = bPng;
        const QFileInfo info(fileName);
        const QString images =
            info.dir().filePath(info.completeBaseName() + QStringLiteral("_images"));
        QDir().mkpath(images);
        writeBytes(images + QStringLiteral("/pic1.png"), "png");
        writeBytes(fileName, page.toUtf8());
        return true;
    };
}

class HtmlFiles : public ::testing::Test {
protected:
    QString path(const QString &name) const { return m_dir.filePath(name); }

    QTemporaryDir m_dir;
    settings::UserStyleTable m_styles = htmltest::handStyles();
    yHtm m_htm{m_styles};
};

} // namespace

TEST_F(HtmlFiles, SavedPageReplacesTheExportAndItsPicturesMove) {
    const QString page = path(QStringLiteral("my page.htm"));
    QDir().mkpath(path(QStringLiteral("my page_files")));
    writeBytes(path(QStringLiteral("my page_files/old.png")), "old");
    bool png = true;
    const QString exported = htmltest::exportedPage(
        QStringLiteral("<body>\r\n<p>\u3000全角<img src=\"my%20page_images/pic1.png\" /></p>\r\n"
                       "<p><IMG SRC=\"My%20Page_images/pic2.png\"></p>\r\n</body>"));

    const HtmStatus status = m_htm.cSaveHtm(surfaceWriting(exported, &png), false, page, QString(),
                                            QStringLiteral("題"));
    ASSERT_TRUE(status.ok()) << status.message.toStdString();
    EXPECT_FALSE(png);
    EXPECT_FALSE(QFileInfo::exists(path(QStringLiteral("my page_images"))));
    EXPECT_TRUE(QFileInfo::exists(path(QStringLiteral("my page_files/pic1.png"))));
    EXPECT_FALSE(QFileInfo::exists(path(QStringLiteral("my page_files/old.png"))));

    const QByteArray bytes = readBytes(page);
    EXPECT_FALSE(bytes.startsWith("\xEF\xBB\xBF"));
    const QString written = QString::fromUtf8(bytes);
    EXPECT_TRUE(written.startsWith(QStringLiteral("<!DOCTYPE html PUBLIC")));
    EXPECT_TRUE(written.contains(QStringLiteral("<title>題</title>\r\n</head>\r\n<body>")));
    EXPECT_TRUE(written.contains(QStringLiteral("\u3000全角")));
    EXPECT_TRUE(written.contains(QStringLiteral("<img src=\"my page_files/pic1.png\">")));
    EXPECT_TRUE(written.contains(QStringLiteral("<img src=\"my page_files/pic2.png\">")));
    EXPECT_TRUE(written.endsWith(QStringLiteral("</body>\r\n</html>")));
}

TEST_F(HtmlFiles, ExportWithByteOrderMarkAndUnescapedSpaces) {
    const QString page = path(QStringLiteral("a b.html"));
    const QString exported = htmltest::exportedPage(
        QStringLiteral("<body><p><img src=\"a b_images/pic1.png\"></p></body>"));
    ASSERT_TRUE(
        m_htm.cSaveHtm(surfaceWriting(u'\xFEFF' + exported), false, page, QString(), QString())
            .ok());
    const QString written = QString::fromUtf8(readBytes(page));
    EXPECT_TRUE(written.contains(QStringLiteral("<img src=\"a b_files/pic1.png\">")));
    EXPECT_FALSE(written.contains(QChar(0xFEFF)));
}

TEST_F(HtmlFiles, FailuresAreReported) {
    const QString page = path(QStringLiteral("p.htm"));
    const HtmStatus failed = m_htm.cSaveHtm([](const QString &, bool) { return false; }, false,
                                            page, QString(), QString());
    EXPECT_EQ(failed.error, HtmError::Export);
    EXPECT_FALSE(failed.message.isEmpty());
    EXPECT_EQ(yHtm::exportPage({}, false, page).error, HtmError::Export);

    // No body: the export stays as written and the pictures keep their folder.
    const QString noBody = QStringLiteral("<html><head></head><p>x</p></html>");
    EXPECT_EQ(m_htm.cSaveHtm(surfaceWriting(noBody), false, page, QString(), QString()).error,
              HtmError::NoBody);
    EXPECT_EQ(readBytes(page), noBody.toUtf8());
    EXPECT_TRUE(QFileInfo::exists(path(QStringLiteral("p_images/pic1.png"))));

    const QString tooLong = htmltest::exportedPage(QStringLiteral("<body>") +
                                                   QStringLiteral("<br>").repeated(kMaxTokens));
    EXPECT_EQ(m_htm.cSaveHtm(surfaceWriting(tooLong), false, page, QString(), QString()).error,
              HtmError::Overflow);
    EXPECT_EQ(readBytes(page), tooLong.toUtf8());

    EXPECT_EQ(m_htm.saveExported(path(QStringLiteral("missing.htm")), QString(), QString()).error,
              HtmError::Read);
}

TEST_F(HtmlFiles, GetHtmGivesStyleBlockAndBodyWithoutWritingBack) {
    const QString page = path(QStringLiteral("g.htm"));
    const QString exported = htmltest::exportedPage(QStringLiteral(
        "<body style=\"font-size:10pt\"><p>\u3000a<a href=\"#TP_t\">w</a></p></body>"));
    QString block;
    QString body;
    ASSERT_TRUE(m_htm
                    .cGetHtm(surfaceWriting(exported), page, QStringLiteral("w\tヒント\r"),
                             QStringLiteral("ignored"), block, body)
                    .ok());
    EXPECT_TRUE(block.startsWith(QStringLiteral("<style type=\"text/css\">\r\n")));
    EXPECT_TRUE(
        block.endsWith(QStringLiteral("    span.sp01 {font-family:'ＭＳ Ｐゴシック';font-size:10pt;"
                                      "color:#804040;}\r\n</style>\r\n")));
    EXPECT_EQ(body,
              QStringLiteral("\r\n  <div class=\"di01\">\u3000a\r\n        "
                             "<span title=\"w : ヒント\" class=\"sp01\">w</span>\r\n  </div>\r\n"));
    EXPECT_EQ(readBytes(page), exported.toUtf8());
    EXPECT_TRUE(QFileInfo::exists(path(QStringLiteral("g_files/pic1.png"))));
}
