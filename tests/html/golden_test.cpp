#include "html/converter.h"
#include "html/yhtm.h"
#include "html_test_support.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace html;

namespace {

QByteArray fixture(const char *name) {
    QFile f(QStringLiteral(DRJVO_HTML_FIXTURES "/") + QLatin1String(name));
    EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << name;
    return f.readAll();
}

const QString kTooltips = QStringLiteral("抹茶\t京都の名産\r");
const QString kTitle = QStringLiteral("2026年4月1日 <春>");

} // namespace

// A page with headings, text, a table, a picture, links, a tooltip and a highlighted paragraph.
TEST(HtmlGolden, ExportedPageBecomesTheStoredPage) {
    const QString exported = QString::fromUtf8(fixture("golden_export.htm"));
    const ConvertedPage page =
        convertPage(exported, {QStringLiteral("/home/user/diary/day 1.htm"), kTooltips, kTitle},
                    htmltest::handStyles());
    ASSERT_TRUE(page.status.ok());
    const QByteArray expected = fixture("golden_expected.htm");
    const QByteArray actual = page.page().toUtf8();
    EXPECT_EQ(actual, expected);
    // On a mismatch, the first differing line is easier to read than the whole page.
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

TEST(HtmlGolden, SavedFileMatchesByteForByte) {
    QTemporaryDir dir;
    const QString page = dir.filePath(QStringLiteral("day 1.htm"));
    const settings::UserStyleTable styles = htmltest::handStyles();
    yHtm htm(styles);
    const auto surface = [](const QString &fileName, bool) {
        QFile out(fileName);
        QDir().mkpath(QFileInfo(fileName).dir().filePath(QStringLiteral("day 1_images")));
        return out.open(QIODevice::WriteOnly) && out.write(fixture("golden_export.htm")) > 0;
    };
    ASSERT_TRUE(htm.cSaveHtm(surface, false, page, kTooltips, kTitle).ok());
    QFile written(page);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    EXPECT_EQ(written.readAll(), fixture("golden_expected.htm"));
    EXPECT_TRUE(QFileInfo(dir.filePath(QStringLiteral("day 1_files"))).isDir());
}
