// Writes a few starting inputs for each fuzz target, made by the program's own writers from one
// entry with text, a table, a link, a picture and a text frame.
#include "platform/text/text_format_codec.h"
#include "platform/text/text_surface.h"
#include "settings/yini.h"
#include "test_images.h"

#include <QApplication>
#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTextTableFormat>
#include <quazip/quazip.h>
#include <quazip/quazipfile.h>

#include <cstdio>

using platform::TextSurface;

namespace {

bool put(const QString &folder, const QString &name, const QByteArray &bytes) {
    QDir().mkpath(folder);
    QFile file(QDir(folder).filePath(name));
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QByteArray partOf(const QByteArray &package, const QString &name) {
    QByteArray copy = package;
    QBuffer buffer(&copy);
    QuaZip zip(&buffer);
    if (!zip.open(QuaZip::mdUnzip) || !zip.setCurrentFile(name))
        return {};
    QuaZipFile file(&zip);
    file.open(QIODevice::ReadOnly);
    return file.readAll();
}

void fill(TextSurface &surface) {
    surface.setSelText(QStringLiteral("今日は晴れ。Hello 日記\n"));
    const int link = surface.insertField(QStringLiteral("案内"));
    surface.setFieldData(QStringLiteral("https://example.org/"), link);
    surface.setSelText(QStringLiteral("\n"));
    surface.insertTable(2, 3);
    surface.setSelText(QStringLiteral("セル"));
    surface.select(surface.textLength(), 0);
    surface.insertPictureData(testsupport::pngBytes(8, 6, Qt::darkCyan));
    surface.insertTextFrame(1000, 2000, {100, 100, 100, 100});
    surface.setSelText(QStringLiteral("枠の文"));
}

// Formats as the typed codec writes them (first byte 0) and as earlier versions stored them
// through Qt's stream (first byte 1).
bool putStoredFormats(const QString &folder) {
    QTextCharFormat character;
    character.setFontFamilies({QStringLiteral("游明朝")});
    character.setFontPointSize(10.5);
    character.setForeground(Qt::darkRed);
    character.setAnchorHref(QStringLiteral("https://example.org/"));
    QTextTableFormat table;
    table.setColumnWidthConstraints({QTextLength(QTextLength::FixedLength, 72),
                                     QTextLength(QTextLength::PercentageLength, 50)});
    table.setBorder(1);
    table.setCellPadding(4);
    QTextFrameFormat frame;
    frame.setWidth(QTextLength(QTextLength::FixedLength, 200));
    frame.setPosition(QTextFrameFormat::FloatRight);
    const QList<QTextFormat> formats = {character, table, frame};
    bool ok = true;
    for (qsizetype i = 0; i < formats.size(); ++i) {
        QByteArray typed(1, '\0');
        QByteArray legacy(1, '\1');
        {
            QDataStream out(&typed, QIODevice::Append);
            platform::formatcodec::writeFormat(out, formats[i]);
            QDataStream old(&legacy, QIODevice::Append);
            old.setVersion(QDataStream::Qt_6_4);
            old << formats[i];
        }
        ok &= put(folder, QStringLiteral("typed%1").arg(i), typed);
        ok &= put(folder, QStringLiteral("stream%1").arg(i), legacy);
    }
    return ok;
}

} // namespace

int main(int argc, char **argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QStandardPaths::setTestModeEnabled(true);
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: make_fuzz_inputs CORPUS_FOLDER\n");
        return 2;
    }
    const QDir root(QString::fromLocal8Bit(argv[1]));
    TextSurface surface;
    fill(surface);
    const QByteArray docx = surface.saveWholeToMemory(TextSurface::Docx);
    const QByteArray internal = surface.saveWholeToMemory(TextSurface::Internal);
    const QByteArray rtf = surface.saveWholeToMemory(TextSurface::Rtf);
    QTemporaryDir dir;
    const QString htmlPath = dir.filePath(QStringLiteral("page.htm"));
    surface.saveFile(htmlPath, TextSurface::Html);
    QFile htmlFile(htmlPath);
    htmlFile.open(QIODevice::ReadOnly);
    const QByteArray html = htmlFile.readAll();

    bool ok =
        put(root.filePath(QStringLiteral("docx_package")), QStringLiteral("entry.docx"), docx);
    ok &= put(root.filePath(QStringLiteral("docx_part")), QStringLiteral("document.xml"),
              partOf(docx, QStringLiteral("word/document.xml")));
    ok &= put(root.filePath(QStringLiteral("surface_format")), QStringLiteral("internal"),
              QByteArray(1, '\0') + internal);
    ok &= put(root.filePath(QStringLiteral("surface_format")), QStringLiteral("rtf"),
              QByteArray(1, '\1') + rtf);
    ok &= put(root.filePath(QStringLiteral("surface_format")), QStringLiteral("html"),
              QByteArray(1, '\2') + html);
    ok &= put(root.filePath(QStringLiteral("html_converter")), QStringLiteral("page.htm"), html);
    ok &= putStoredFormats(root.filePath(QStringLiteral("stored_format")));

    const QString iniPath = dir.filePath(QStringLiteral("User.xml"));
    settings::yIni ini;
    bool iniOk = false;
    ini.GetTxt(iniPath, iniOk);
    ini.GetGtx(QStringLiteral("設定"));
    ini.SetVal(QStringLiteral("列数"), QStringLiteral("2"));
    ini.SetVal(QStringLiteral("ﾌｧﾝｸｼｮﾝ"), QStringLiteral("表示"));
    ini.SetGtx();
    ini.SetTxt(iniOk);
    QFile iniFile(iniPath);
    iniFile.open(QIODevice::ReadOnly);
    ok &= put(root.filePath(QStringLiteral("settings")), QStringLiteral("User.xml"),
              iniFile.readAll());
    return ok ? 0 : 1;
}
