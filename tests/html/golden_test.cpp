#include "editor/markers/tooltip_list.h"
#include "html/surface_export.h"
#include "html/yhtm.h"
#include "html_test_support.h"
#include "platform/text/text_surface.h"
#include "test_images.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace html;

namespace {

const QString kGolden = QStringLiteral(DRJVO_HTML_FIXTURES "/golden_expected.htm");
const QString kTitle = QStringLiteral("2026年4月1日 <春>");

void heading(platform::TextSurface &s, const settings::UserStyle &style, const QString &text) {
    const int start = s.textLength();
    s.setSelText(text);
    s.select(start, int(text.size()));
    s.setFontName(style.fontName);
    s.setFontSize(style.size);
    s.setTextColor(style.textColor);
    s.setBold(style.bold);
    s.setLeftIndent(160);
    s.setSelStart(s.textLength());
    s.setSelText(QStringLiteral("\n"));
}

// A paragraph typed in body text: the style's font and size, the indent the editor gives.
void body(platform::TextSurface &s, const settings::UserStyle &style, const QString &text) {
    const int start = s.textLength();
    s.setSelText(text);
    s.select(start, int(text.size()));
    s.setFontName(style.fontName);
    s.setFontSize(style.size);
    s.setBold(false);
    s.setTextColor(style.textColor);
    s.setLeftIndent(60);
    s.setSelStart(s.textLength());
}

// A diary entry as the editor makes one: headings in the user styles, body text with a leading
// full-width indent, an empty paragraph, a table, a picture, links, a tag, a tooltip and a
// highlighted word.
QByteArray storedEntry(const settings::UserStyleTable &styles) {
    platform::TextSurface s;
    const settings::UserStyle &text = styles.styles[settings::Body];
    heading(s, styles.styles[settings::Heading1], QStringLiteral("春の旅行"));
    body(s, text, QStringLiteral("\u3000朝から晴れ。駅まで歩いた。\n\n"));
    heading(s, styles.styles[settings::Heading2], QStringLiteral("行程"));
    const int table = s.insertTable(2, 2);
    s.setCellText(table, 1, 1, QStringLiteral("時刻"));
    s.setCellText(table, 1, 2, QStringLiteral("場所"));
    s.setCellText(table, 2, 1, QStringLiteral("9:00"));
    s.setCellText(table, 2, 2, QStringLiteral("京都"));
    s.setSelStart(s.textLength());
    body(s, text, QStringLiteral("写真："));
    s.insertPictureData(testsupport::pngBytes(40, 30, Qt::darkCyan));
    s.setSelStart(s.textLength());
    body(s, text, QStringLiteral("\n詳しくは"));
    const int link = s.insertField(QStringLiteral("案内"));
    s.setFieldData(QStringLiteral("https://example.com/kyoto"), link);
    s.setFieldLinkKind(1, link);
    s.setSelStart(s.textLength());
    s.setSelText(QStringLiteral("と"));
    const int tag = s.insertField(QStringLiteral("前回"));
    s.setFieldData(QStringLiteral("TG_tag_7"), tag);
    s.setFieldLinkKind(1, tag);
    s.setSelStart(s.textLength());
    s.setSelText(QStringLiteral("、"));
    const int tip = s.insertField(QStringLiteral("抹茶"));
    s.setFieldData(QStringLiteral("TP_京都の名産"), tip);
    s.setFieldLinkKind(2, tip);
    s.setSelStart(s.textLength());
    body(s, text, QStringLiteral("も。\n要確認："));
    const int marked = s.textLength();
    s.setSelText(QStringLiteral("帰りの切符"));
    s.select(marked, 5);
    s.setBackColor(0x00FFFF);
    s.setSelStart(s.textLength());
    bool ok = false;
    return s.saveToMemory(platform::TextSurface::Word97, false, &ok);
}

QByteArray readAll(const QString &path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

// A stored entry, opened on the surface, exported and converted: the page the user gets. The
// golden page is this test's own output, looked at when it was made; set DRJVO_UPDATE_GOLDEN to
// write it again after a deliberate change.
TEST(HtmlGolden, StoredEntryBecomesTheGoldenPage) {
    const settings::UserStyleTable styles = settings::UserStyleTable::defaults();
    platform::TextSurface surface;
    ASSERT_TRUE(surface.loadFromMemory(storedEntry(styles), platform::TextSurface::Word97));

    QTemporaryDir dir;
    const QString page = dir.filePath(QStringLiteral("day 1.htm"));
    yHtm converter(styles);
    const HtmStatus status = converter.cSaveHtm(surfaceExport(surface), false, page,
                                                editor::tooltipList(surface), kTitle);
    ASSERT_TRUE(status.ok()) << status.message.toStdString();
    const QByteArray actual = readAll(page);
    EXPECT_TRUE(QFileInfo(dir.filePath(QStringLiteral("day 1_files"))).isDir());

    if (qEnvironmentVariableIsSet("DRJVO_UPDATE_GOLDEN")) {
        QFile golden(kGolden);
        ASSERT_TRUE(golden.open(QIODevice::WriteOnly));
        golden.write(actual);
    }
    const QByteArray expected = readAll(kGolden);
    EXPECT_EQ(actual, expected);
    const QList<QByteArray> a = actual.split('\n');
    const QList<QByteArray> e = expected.split('\n');
    for (qsizetype i = 0; i < qMin(a.size(), e.size()); ++i) {
        if (a[i] != e[i]) {
            ADD_FAILURE() << "line " << i + 1 << "\n  got:      " << a[i].toStdString()
                          << "\n  expected: " << e[i].toStdString();
            break;
        }
    }
}

// The shapes the converter relies on: an empty paragraph is one no-break space, every style ends
// with ";" so default values go as whole declarations, and no run is an empty span.
TEST(HtmlGolden, SurfaceExportHasTheConvertersShape) {
    platform::TextSurface surface;
    surface.setSelText(QStringLiteral("一\n\n二"));
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("p.htm"));
    ASSERT_TRUE(surface.saveFile(path, platform::TextSurface::Html));
    const QString exported = QString::fromUtf8(readAll(path));
    EXPECT_TRUE(
        exported.contains(QStringLiteral(";\">") + QChar(QChar::Nbsp) + QStringLiteral("</p>")))
        << exported.toStdString();
    EXPECT_FALSE(exported.contains(QStringLiteral("&nbsp;")));
    EXPECT_FALSE(exported.contains(QStringLiteral("style=\"\"")));
    EXPECT_TRUE(exported.contains(QStringLiteral("text-indent:0pt;")));

    const ConvertedPage page = convertPage(exported, {path, {}, QStringLiteral("p")},
                                           settings::UserStyleTable::defaults());
    ASSERT_TRUE(page.status.ok());
    const QString out = page.page();
    EXPECT_FALSE(out.contains(QStringLiteral("text-indent"))) << out.toStdString();
    EXPECT_FALSE(out.contains(QStringLiteral("<span>")));
    EXPECT_EQ(out.count(QStringLiteral("<div")), 2) << "the empty paragraph leaves no division";
}

// A tag field is exported as a link into the page, which the converter makes the tag's page.
TEST(HtmlGolden, TagFieldBecomesALinkToItsPage) {
    platform::TextSurface surface;
    surface.setSelText(QStringLiteral("前回は"));
    const int tag = surface.insertField(QStringLiteral("こちら"));
    surface.setFieldData(QStringLiteral("TG_tag_7"), tag);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("p.htm"));
    ASSERT_TRUE(surface.saveFile(path, platform::TextSurface::Html));
    const QString exported = QString::fromUtf8(readAll(path));
    EXPECT_TRUE(exported.contains(QStringLiteral("<a href=\"#TG_tag_7\">")));
    const ConvertedPage page = convertPage(exported, {path, {}, QStringLiteral("p")},
                                           settings::UserStyleTable::defaults());
    EXPECT_TRUE(page.page().contains(QStringLiteral("<a href=\"007.htm\">")))
        << page.body.toStdString();
}
