#include "../text_surface_test_util.h"

#include "platform/text/text_surface.h"

#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using platform::TextSurface;

namespace {

QString withoutSpace(const QString &text) {
    QString out;
    for (QChar ch : text)
        if (!ch.isSpace() && ch.unicode() > 12 && ch != QChar::ObjectReplacementCharacter &&
            ch.unicode() != 0xFEFF)
            out += ch;
    return out;
}

} // namespace

// Another program reads our RTF with the same text: Japanese in and outside CP932, a link,
// a table with a merged cell, a picture, a line break, formats.
TEST(RtfLibreOffice, ConvertsOurRtfToTheSameText) {
    const QString soffice = QStandardPaths::findExecutable(QStringLiteral("soffice"));
    if (soffice.isEmpty())
        GTEST_SKIP() << "soffice is not installed";
    TextSurface s;
    s.setSelText(QStringLiteral("今日の日記 ｶﾀｶﾅ Ünïcode 😀 {braces} \\back\n"));
    s.setBold(true);
    s.setFontSize(16);
    s.setSelText(QStringLiteral("太字の見出し\n"));
    s.setBold(false);
    s.setFontSize(10.5);
    const int link = s.insertField(QStringLiteral("リンクの文字"));
    s.setFieldData(QStringLiteral("https://example.org/日記"), link);
    s.setFieldLinkKind(1, link);
    s.setSelText(QStringLiteral(" 続き") + QChar(11) + QStringLiteral("改行の後\n"));
    s.insertPictureData(textsurfacetest::pngBytes());
    s.setSelText(QStringLiteral("\n"));
    const int table = s.insertTable(2, 2);
    s.setCellText(table, 1, 1, QStringLiteral("左上"));
    s.setCellText(table, 1, 2, QStringLiteral("右上"));
    s.setCellText(table, 2, 1, QStringLiteral("左下"));
    s.setCellText(table, 2, 2, QStringLiteral("右下"));
    textsurfacetest::toEnd(s);
    s.setSelText(QStringLiteral("終わり"));

    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString rtf = dir.filePath(QStringLiteral("entry.rtf"));
    ASSERT_TRUE(s.saveFile(rtf, TextSurface::Rtf));
    QProcess process;
    process.start(soffice,
                  {QStringLiteral("-env:UserInstallation=file://") + dir.filePath("profile"),
                   QStringLiteral("--headless"), QStringLiteral("--convert-to"),
                   QStringLiteral("txt:Text (encoded):UTF8"), QStringLiteral("--outdir"),
                   dir.path(), rtf});
    ASSERT_TRUE(process.waitForFinished(120000));
    QFile out(dir.filePath(QStringLiteral("entry.txt")));
    ASSERT_TRUE(out.open(QIODevice::ReadOnly)) << process.readAllStandardError().toStdString();
    const QString converted = QString::fromUtf8(out.readAll());
    EXPECT_EQ(withoutSpace(converted).toStdString(), withoutSpace(s.text()).toStdString());
}
