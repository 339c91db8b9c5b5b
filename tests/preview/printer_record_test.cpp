#include "preview/printer_record.h"
#include "preview_samples.h"
#include "recording_printer.h"

#include <QFile>
#include <QtEndian>
#include <gtest/gtest.h>

using preview::PrinterRecord;
using previewtest::A4Height;
using previewtest::A4Width;

namespace {

platform::PageSetup pageOf(int width, int height, bool landscape = false) {
    platform::PageSetup p;
    p.width = width;
    p.height = height;
    p.landscape = landscape;
    return p;
}

void put16(QByteArray &b, int at, qint16 v) {
    qToLittleEndian(v, b.data() + at);
}

} // namespace

TEST(PaperCodes, TableSizesWithinTwoPercentInPortraitOrder) {
    EXPECT_EQ(preview::paperCodeFor(pageOf(A4Width, A4Height)), 9);
    EXPECT_EQ(preview::paperCodeFor(pageOf(11800, 16700)), 9);
    EXPECT_EQ(preview::paperCodeFor(pageOf(11500, 16838)), 256);
    EXPECT_EQ(preview::paperCodeFor(pageOf(8300, 11900)), 11);
    EXPECT_EQ(preview::paperCodeFor(pageOf(10318, 14581)), 13);
    EXPECT_EQ(preview::paperCodeFor(pageOf(5666, 8386)), 43);
    EXPECT_EQ(preview::paperCodeFor(pageOf(12240, 15840)), 1);
    // A landscape page is compared with its height against the short side.
    EXPECT_EQ(preview::paperCodeFor(pageOf(A4Height, A4Width, true)), 9);
    EXPECT_EQ(preview::paperCodeFor(pageOf(A4Height, A4Width, false)), 256);
}

TEST(PaperCodes, LandscapeA4GivesCodeNineAndOrientationTwo) {
    PrinterRecord r;
    preview::setDocumentPaper(r, pageOf(A4Height, A4Width, true));
    EXPECT_EQ(r.paperSize, 9);
    EXPECT_EQ(r.orientation, 2);
    preview::setDocumentPaper(r, pageOf(A4Width, A4Height));
    EXPECT_EQ(r.orientation, 1);
}

TEST(PaperCodes, UserDefinedPaperIsStoredInTenthsOfAMillimetrePortraitOrder) {
    PrinterRecord r;
    preview::setDocumentPaper(r, pageOf(11500, 16838));
    EXPECT_EQ(r.paperSize, 256);
    EXPECT_EQ(r.paperWidth, 2028);
    EXPECT_EQ(r.paperLength, 2970);
    preview::setDocumentPaper(r, pageOf(16838, 11500, true));
    EXPECT_EQ(r.paperWidth, 2028);
    EXPECT_EQ(r.paperLength, 2970);
    EXPECT_EQ(r.orientation, 2);
}

TEST(PaperCodes, CodesMapToQtPaper) {
    EXPECT_EQ(platform::pageSizeForCode(9).id(), QPageSize::A4);
    EXPECT_EQ(platform::pageSizeForCode(11).id(), QPageSize::A5);
    EXPECT_EQ(platform::pageSizeForCode(13).id(), QPageSize::JisB5);
    EXPECT_EQ(platform::pageSizeForCode(43).id(), QPageSize::Postcard);
    EXPECT_EQ(platform::pageSizeForCode(1).id(), QPageSize::Letter);
    EXPECT_FALSE(platform::pageSizeForCode(256).isValid());
    EXPECT_EQ(platform::codeForPageSize(QPageSize(QSizeF(120, 170), QPageSize::Millimeter)), 256);
    EXPECT_EQ(platform::codeForPageSize(QPageSize(QPageSize::JisB5)), 13);
}

TEST(PrinterRecordLayout, HandMadeRecordReadsFieldByField) {
    QByteArray bytes(146, '\0');
    const QByteArray name("Office Laser");
    bytes.replace(0, name.size(), name);
    put16(bytes, 32, 0x0401);                            // dmSpecVersion
    put16(bytes, 34, 0x0600);                            // driver version
    put16(bytes, 36, 146);                               // size
    put16(bytes, 38, 0);                                 // driver extra
    qToLittleEndian(quint32(0x1E1F), bytes.data() + 40); // fields
    put16(bytes, 44, 2);                                 // orientation
    put16(bytes, 46, 256);                               // paper size
    put16(bytes, 48, 2970);                              // length
    put16(bytes, 50, 2028);                              // width
    put16(bytes, 52, 90);                                // scale
    put16(bytes, 54, 3);                                 // copies
    put16(bytes, 56, 7);                                 // default source
    put16(bytes, 58, 600);                               // print quality
    put16(bytes, 60, 1);                                 // colour
    put16(bytes, 62, 2);                                 // duplex
    put16(bytes, 64, 300);                               // y resolution
    bytes.replace(70, 2, "A4");                          // form name
    bytes[145] = char(0x7f);                             // last byte of the remaining members

    const auto r = PrinterRecord::fromBytes(bytes);
    ASSERT_TRUE(r);
    EXPECT_EQ(r->device(), QStringLiteral("Office Laser"));
    EXPECT_EQ(r->specVersion, 0x0401);
    EXPECT_EQ(r->driverVersion, 0x0600);
    EXPECT_EQ(r->size, 146);
    EXPECT_EQ(r->fields, 0x1E1Fu);
    EXPECT_EQ(r->orientation, 2);
    EXPECT_EQ(r->paperSize, 256);
    EXPECT_EQ(r->paperLength, 2970);
    EXPECT_EQ(r->paperWidth, 2028);
    EXPECT_EQ(r->scale, 90);
    EXPECT_EQ(r->copies, 3);
    EXPECT_EQ(r->defaultSource, 7);
    EXPECT_EQ(r->printQuality, 600);
    EXPECT_EQ(r->colour, 1);
    EXPECT_EQ(r->duplex, 2);
    EXPECT_EQ(r->yResolution, 300);
    EXPECT_EQ(r->formName.left(3), QByteArray("A4\0", 3));
    EXPECT_EQ(r->rest.at(43), char(0x7f));
    EXPECT_EQ(r->toBytes(), bytes);
}

TEST(PrinterRecordLayout, WriteThenReadGivesTheSameBytes) {
    PrinterRecord r;
    r.setDevice(QStringLiteral("ｷﾔﾉﾝ 複合機 LBP-9999 with a name longer than the field"));
    r.fields = PrinterRecord::FieldPaperSize | PrinterRecord::FieldOrientation;
    r.paperSize = 9;
    r.orientation = 1;
    r.copies = 1;
    const QByteArray bytes = r.toBytes();
    ASSERT_EQ(bytes.size(), 146);
    // The name is cut on a character boundary and keeps a terminating zero.
    EXPECT_EQ(bytes.at(31), '\0');
    EXPECT_TRUE(r.device().startsWith(QStringLiteral("ｷﾔﾉﾝ 複合機")));
    const auto back = PrinterRecord::fromBytes(bytes);
    ASSERT_TRUE(back);
    EXPECT_EQ(*back, r);
    EXPECT_EQ(back->toBytes(), bytes);
}

TEST(PrinterRecordLayout, FilesOfAnotherSizeAreNotRecords) {
    previewtest::UserFolder folder;
    EXPECT_FALSE(PrinterRecord::fromBytes(QByteArray(145, 'x')));
    EXPECT_FALSE(PrinterRecord::fromBytes(QByteArray(147, 'x')));
    QFile big(folder.path("big.prndt"));
    ASSERT_TRUE(big.open(QIODevice::WriteOnly));
    big.write(QByteArray(4096, '\1'));
    big.close();
    EXPECT_FALSE(preview::readRecordFile(big.fileName()));
    EXPECT_FALSE(preview::readRecordFile(folder.path("missing.prndt")));

    PrinterRecord r;
    r.setDevice(QStringLiteral("Recorder"));
    ASSERT_TRUE(preview::writeRecordFile(folder.path("ok.prndt"), r));
    EXPECT_EQ(QFile(folder.path("ok.prndt")).size(), 146);
    EXPECT_EQ(preview::readRecordFile(folder.path("ok.prndt")), r);
}

TEST(PrinterRecordPrinter, FillingSetsTheMaskBitsOfWhatThePrinterGave) {
    testsupport::RecordingPrinter printer;
    printer.setCurrent(QStringLiteral("Office Laser"));
    printer.setPaperSize(11);
    printer.setOrientation(2);
    PrinterRecord r = preview::fillFromPrinter(printer);
    EXPECT_EQ(r.device(), QStringLiteral("Office Laser"));
    EXPECT_EQ(r.size, 146);
    EXPECT_EQ(r.paperSize, 11);
    EXPECT_EQ(r.paperLength, 0);
    EXPECT_EQ(r.orientation, 2);
    EXPECT_EQ(r.defaultSource, 7);
    EXPECT_EQ(r.printQuality, 600);
    // Every bit but scale, which this printer cannot give.
    EXPECT_EQ(r.fields, 0x2u | 0x200u | 0x400u | 0x800u | 0x1000u | 0x1u);
    EXPECT_EQ(r.scale, 0);

    printer.setCustomPaper(QSizeF(120.5, 170));
    r = preview::fillFromPrinter(printer);
    EXPECT_EQ(r.paperSize, 256);
    EXPECT_EQ(r.fields & 0xEu, 0xEu);
    EXPECT_EQ(r.paperWidth, 1205);
    EXPECT_EQ(r.paperLength, 1700);
}

TEST(PrinterRecordPrinter, StoredNameSelectsByPrefixIgnoringCase) {
    testsupport::RecordingPrinter printer;
    printer.printers << QStringLiteral("A very long printer queue name beyond thirty-one");
    PrinterRecord r;
    r.setDevice(QStringLiteral("office laser"));
    EXPECT_TRUE(preview::selectStoredPrinter(printer, r));
    EXPECT_EQ(printer.deviceName(), QStringLiteral("Office Laser"));
    r.setDevice(printer.printers.last());
    EXPECT_TRUE(preview::selectStoredPrinter(printer, r));
    EXPECT_EQ(printer.deviceName(), printer.printers.last());
    r.setDevice(QStringLiteral("Gone"));
    EXPECT_FALSE(preview::selectStoredPrinter(printer, r));
    r.setDevice(QString());
    EXPECT_FALSE(preview::selectStoredPrinter(printer, r));
    EXPECT_EQ(printer.deviceName(), printer.printers.last());
}

TEST(PrinterRecordPrinter, ApplyingGivesThePrinterTheRecordsValues) {
    testsupport::RecordingPrinter printer;
    PrinterRecord r;
    r.paperSize = 256;
    r.paperWidth = 2028;
    r.paperLength = 2970;
    r.orientation = 2;
    r.defaultSource = 4;
    r.printQuality = 300;
    r.colour = 1;
    r.duplex = 3;
    preview::applyToPrinter(r, printer);
    EXPECT_EQ(printer.paperSize(), 256);
    EXPECT_EQ(printer.paperMillimetres(), QSizeF(202.8, 297.0));
    EXPECT_EQ(printer.orientation(), 2);
    EXPECT_EQ(printer.paperSource(), 4);
    EXPECT_EQ(printer.printQuality(), 300);
    EXPECT_EQ(printer.colourMode(), 1);
    EXPECT_EQ(printer.duplex(), 3);

    // Zero means "not given" and leaves the printer alone.
    preview::applyToPrinter(PrinterRecord(), printer);
    EXPECT_EQ(printer.paperSize(), 256);
    EXPECT_EQ(printer.colourMode(), 1);
}

TEST(PrinterRecordFiles, TheSettingsFileFallsBackToTheDefault) {
    previewtest::UserFolder folder;
    const QString fallback = folder.path("Page.prndt");
    EXPECT_EQ(preview::defaultSettingsFile(), fallback);
    EXPECT_EQ(preview::settingsFileForUse(QString()), fallback);
    EXPECT_EQ(preview::settingsFileForUse(folder.path("other.prndt")), fallback);
    EXPECT_EQ(preview::settingsFileForSetup(folder.path("other.prndt")),
              folder.path("other.prndt"));
    EXPECT_EQ(preview::settingsFileForSetup(QString()), fallback);
    ASSERT_TRUE(preview::writeRecordFile(folder.path("other.prndt"), PrinterRecord()));
    EXPECT_EQ(preview::settingsFileForUse(folder.path("other.prndt")), folder.path("other.prndt"));
}
