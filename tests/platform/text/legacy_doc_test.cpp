#include "platform/text/legacy_doc/text_surface_legacy_doc.h"
#include "platform/text/text_surface.h"
#include "text_surface_test_util.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using platform::TextSurface;
namespace legacydoc = platform::legacydoc;

namespace {

// A compound file header (version 3, 512-byte sectors) with nothing behind it.
const QByteArray DamagedLegacy = QByteArray::fromHex("D0CF11E0A1B11AE1") + QByteArray(16, '\0') +
                                 QByteArray::fromHex("3E000300FEFF09000600") +
                                 QByteArray(1024 - 34, '\0');

// Puts the program back to the one found on this machine.
struct ConverterGuard {
    ~ConverterGuard() {
        legacydoc::setConverterProgram({});
        legacydoc::setTimeLimit(60000, 3000);
    }
};

} // namespace

TEST(LegacyDoc, WithoutAWorkingLibreOfficeEverythingFailsCleanly) {
    ConverterGuard guard;
    QTemporaryDir dir;
    legacydoc::setConverterProgram(dir.filePath(QStringLiteral("no-soffice")));
    EXPECT_TRUE(legacydoc::converterProgram().isEmpty());
    TextSurface surface;
    surface.setSelText(QStringLiteral("kept"));
    QString error;
    EXPECT_FALSE(surface.loadFromMemory(DamagedLegacy, TextSurface::Word97, false, &error));
    EXPECT_TRUE(error.contains(QStringLiteral("LibreOffice")));
    EXPECT_EQ(surface.text(), QStringLiteral("kept"));
    EXPECT_FALSE(surface.saveFile(dir.filePath(QStringLiteral("a.doc")), TextSurface::Word97));
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("a.doc"))));

    // A converter that never ends is stopped at its time limit.
    const QString hanging = dir.filePath(QStringLiteral("soffice"));
    QFile script(hanging);
    ASSERT_TRUE(script.open(QIODevice::WriteOnly));
    script.write("#!/bin/sh\nsleep 30 &\nsleep 30\n");
    script.close();
    script.setPermissions(QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    legacydoc::setConverterProgram(hanging);
    legacydoc::setTimeLimit(300, 0);
    QByteArray legacy;
    EXPECT_FALSE(
        legacydoc::convertFromDocx(surface.saveToMemory(TextSurface::Docx), &legacy, &error));
    EXPECT_TRUE(error.contains(QStringLiteral("did not finish")));
    EXPECT_TRUE(legacy.isEmpty());
}

// Documents written by us as Word 97-2003 in one LibreOffice run and read back in a
// second one: text, Japanese, a table and a picture survive.
TEST(LegacyDoc, DocumentsGoThroughLibreOfficeInBatches) {
    if (legacydoc::converterProgram().isEmpty())
        GTEST_SKIP() << "LibreOffice (soffice) is not installed";
    constexpr int Documents = 4;
    QList<QByteArray> packages;
    for (int i = 0; i < Documents; ++i) {
        TextSurface surface;
        surface.setSelText(QStringLiteral("日記 %1 は晴れ\n").arg(i));
        if (i == 0) {
            const int table = surface.insertTable(2, 2);
            surface.setCellText(table, 1, 1, QStringLiteral("左上"));
            surface.setCellText(table, 2, 2, QStringLiteral("右下"));
            textsurfacetest::toEnd(surface);
            surface.insertPictureData(textsurfacetest::pngBytes(40, 30));
        }
        packages << surface.saveToMemory(TextSurface::Docx);
    }
    const QList<legacydoc::Converted> written = legacydoc::convertManyFromDocx(packages);
    ASSERT_EQ(written.size(), Documents);
    QList<QByteArray> legacy;
    for (const legacydoc::Converted &one : written) {
        ASSERT_TRUE(one.ok()) << one.error.toStdString();
        EXPECT_TRUE(legacydoc::isLegacyDocument(one.bytes));
        legacy << one.bytes;
    }
    legacy << DamagedLegacy;
    const QList<legacydoc::Converted> read = legacydoc::convertManyToDocx(legacy);
    ASSERT_EQ(read.size(), Documents + 1);
    EXPECT_FALSE(read.last().ok());

    // Loading each one now takes the converted package the batch left behind.
    for (int i = 0; i < Documents; ++i) {
        TextSurface surface;
        QString error;
        ASSERT_TRUE(surface.loadFromMemory(legacy[i], TextSurface::Word97, false, &error))
            << error.toStdString();
        EXPECT_TRUE(surface.text().startsWith(QStringLiteral("日記 %1 は晴れ").arg(i)));
        if (i == 0) {
            ASSERT_EQ(surface.tableIds().size(), 1);
            const int table = surface.tableIds().first();
            EXPECT_EQ(surface.cellText(table, 1, 1), QStringLiteral("左上"));
            EXPECT_EQ(surface.cellText(table, 2, 2), QStringLiteral("右下"));
            EXPECT_GT(surface.nextObject(0, TextSurface::PictureObject), 0);
        }
    }
}
