#include "editor/markers/tooltip_list.h"
#include "html/surface_export.h"
#include "html/yhtm.h"
#include "platform/text/text_surface.h"
#include "settings/user_styles.h"
#include "test_images.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QByteArray pngBytes() {
    return testsupport::pngBytes(24, 16, Qt::darkCyan);
}

QString readUtf8(const QString &path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(f.readAll());
}

} // namespace

// From a document on the surface to the stored page: export, convert, picture folder renamed.
TEST(HtmlSurfacePath, SurfaceDocumentBecomesTheConvertedPage) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    platform::TextSurface surface;
    surface.setSelText(QStringLiteral("今日の日記\n"));
    surface.setSelText(QStringLiteral("散歩に出た。"));
    const int link = surface.insertField(QStringLiteral("公園"));
    ASSERT_GT(link, 0);
    surface.setFieldData(QStringLiteral("https://example.test/park"), link);
    surface.setFieldLinkKind(1, link);
    surface.setSelStart(surface.textLength());
    const int tip = surface.insertField(QStringLiteral("銀杏"));
    ASSERT_GT(tip, 0);
    surface.setFieldData(QStringLiteral("TP_黄色い葉"), tip);
    surface.setFieldLinkKind(2, tip);
    surface.setSelStart(surface.textLength());
    surface.setSelText(QStringLiteral("\n"));
    ASSERT_GT(surface.insertPictureData(pngBytes()), 0);

    const settings::UserStyleTable styles = settings::UserStyleTable::defaults();
    html::yHtm converter(styles);
    const QString page = dir.filePath(QStringLiteral("entry.htm"));
    const html::HtmStatus status =
        converter.cSaveHtm(html::surfaceExport(surface), false, page, editor::tooltipList(surface),
                           QStringLiteral("今日の日記"));
    ASSERT_EQ(status.error, html::HtmError::None) << status.message.toStdString();

    const QString out = readUtf8(page);
    EXPECT_TRUE(out.startsWith(QStringLiteral("<!DOCTYPE"))) << out.left(80).toStdString();
    EXPECT_TRUE(out.contains(QStringLiteral("<title>今日の日記</title>")));
    EXPECT_TRUE(out.contains(QStringLiteral("散歩に出た。")));
    EXPECT_TRUE(out.contains(QStringLiteral("href=\"https://example.test/park\"")));
    EXPECT_TRUE(out.contains(QStringLiteral("title=\"銀杏 : 黄色い葉\"")));
    EXPECT_FALSE(out.contains(QStringLiteral("style=\"")))
        << "inline styles should have moved into the style sheet";
    // The picture folder carries its final name and the page refers to it.
    EXPECT_FALSE(QDir(dir.filePath(QStringLiteral("entry_images"))).exists());
    const QDir files(dir.filePath(QStringLiteral("entry_files")));
    ASSERT_TRUE(files.exists());
    EXPECT_FALSE(files.entryList(QDir::Files).isEmpty());
    EXPECT_TRUE(out.contains(QStringLiteral("src=\"entry_files/")));
}
