#pragma once

#include "platform/text/text_model.h"

#include <QByteArray>
#include <QString>
#include <optional>

namespace platform {
class Printer;
}

namespace preview {

// The stored printer settings: the Windows device-mode record in its single-byte form, 146 bytes,
// little-endian, as "Page.prndt" holds it, so that a file written on Windows reads here. Paper
// width and length are tenths of a millimetre.
struct PrinterRecord {
    static constexpr int Size = 146;
    enum Field : quint32 {
        FieldOrientation = 0x1,
        FieldPaperSize = 0x2,
        FieldPaperLength = 0x4,
        FieldPaperWidth = 0x8,
        FieldScale = 0x10,
        FieldCopies = 0x100,
        FieldDefaultSource = 0x200,
        FieldPrintQuality = 0x400,
        FieldColour = 0x800,
        FieldDuplex = 0x1000,
    };

    QByteArray deviceName = QByteArray(32, '\0'); // padded, single-byte (CP932) characters
    quint16 specVersion = 0;
    quint16 driverVersion = 0;
    quint16 size = Size;
    quint16 driverExtra = 0;
    quint32 fields = 0;
    qint16 orientation = 0;
    qint16 paperSize = 0;
    qint16 paperLength = 0;
    qint16 paperWidth = 0;
    qint16 scale = 0;
    qint16 copies = 0;
    qint16 defaultSource = 0;
    qint16 printQuality = 0;
    qint16 colour = 0;
    qint16 duplex = 0;
    qint16 yResolution = 0;
    qint16 ttOption = 0;
    qint16 collate = 0;
    QByteArray formName = QByteArray(32, '\0');
    QByteArray rest = QByteArray(44, '\0'); // the display members, kept as read

    // The device name up to its first zero byte, blanks trimmed.
    QString device() const;
    // Cut to 31 bytes on a character boundary, zero padded.
    void setDevice(const QString &name);

    QByteArray toBytes() const;
    // Nothing unless bytes is exactly one record.
    static std::optional<PrinterRecord> fromBytes(const QByteArray &bytes);

    bool operator==(const PrinterRecord &) const = default;
};

// Paper code of a document page: the size table tried in order, each side within 2 %, the page
// taken in portrait order (a landscape page's height against the short side); 256 otherwise.
int paperCodeFor(const platform::PageSetup &page);

// Twips to the record's tenths of a millimetre.
int tenthsOfMillimetre(int twips);

// Puts the document's paper into the record: its code, for 256 the page's short and long side as
// width and length, and orientation 1 or 2.
void setDocumentPaper(PrinterRecord &record, const platform::PageSetup &page);

// A record of the printer's current settings; the mask holds the fields the printer gave.
PrinterRecord fillFromPrinter(const platform::Printer &printer);

// Makes current the first installed printer whose name, cut to the stored name's length,
// equals the stored name ignoring case. False when none does (or the record names none).
bool selectStoredPrinter(platform::Printer &printer, const PrinterRecord &record);

// Gives the printer the record's paper, orientation, source, quality, colour, duplex and scale;
// values of 0 are left alone.
void applyToPrinter(const PrinterRecord &record, platform::Printer &printer);

// File access: reading answers nothing for a missing or malformed file.
std::optional<PrinterRecord> readRecordFile(const QString &path);
bool writeRecordFile(const QString &path, const PrinterRecord &record, QString *error = nullptr);

// The user data folder's "Page.prndt".
QString defaultSettingsFile();
// The file the preview and printing read: given when it is not empty and exists, else the default.
QString settingsFileForUse(const QString &given);
// The file the printer set-up writes: given when it is not empty, else the default.
QString settingsFileForSetup(const QString &given);

} // namespace preview
