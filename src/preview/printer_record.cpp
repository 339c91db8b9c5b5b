#include "preview/printer_record.h"

#include "platform/printing.h"
#include "settings/app_values.h"
#include "settings/cp932.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QtEndian>

namespace preview {
namespace {

struct PaperSide {
    int code;
    int shortSide; // twips
    int longSide;
};

constexpr PaperSide kPaperTable[] = {
    {platform::PaperCode::A4, 11906, 16838},     {platform::PaperCode::A5, 8300, 11900},
    {platform::PaperCode::JisB5, 10318, 14581},  {platform::PaperCode::Postcard, 5666, 8386},
    {platform::PaperCode::Letter, 12240, 15840},
};

bool within2Percent(int side, int tableSide) {
    return qAbs(1.0 - double(side) / tableSide) < 0.02;
}

class Writer {
public:
    explicit Writer(QByteArray &out) : m_out(out) {}
    void bytes(const QByteArray &b, int length) {
        m_out.append(b.left(length));
        if (b.size() < length)
            m_out.append(QByteArray(length - b.size(), '\0'));
    }
    template <typename T> void value(T v) {
        char buffer[sizeof(T)];
        qToLittleEndian(v, buffer);
        m_out.append(buffer, sizeof(T));
    }

private:
    QByteArray &m_out;
};

class Reader {
public:
    explicit Reader(const QByteArray &in) : m_in(in) {}
    QByteArray bytes(int length) {
        const QByteArray b = m_in.mid(m_at, length);
        m_at += length;
        return b;
    }
    template <typename T> T value() {
        const T v = qFromLittleEndian<T>(m_in.constData() + m_at);
        m_at += sizeof(T);
        return v;
    }

private:
    const QByteArray &m_in;
    int m_at = 0;
};

} // namespace

QString PrinterRecord::device() const {
    const int end = deviceName.indexOf('\0');
    return settings::decodeCp932(end < 0 ? deviceName : deviceName.left(end)).trimmed();
}

void PrinterRecord::setDevice(const QString &name) {
    // Cut whole characters so that the stored bytes stay a valid name.
    QString cut = name;
    QByteArray encoded = settings::encodeCp932(cut);
    while (encoded.size() > 31) {
        cut.chop(1);
        encoded = settings::encodeCp932(cut);
    }
    deviceName = encoded + QByteArray(32 - encoded.size(), '\0');
}

QByteArray PrinterRecord::toBytes() const {
    QByteArray out;
    out.reserve(Size);
    Writer w(out);
    w.bytes(deviceName, 32);
    w.value(specVersion);
    w.value(driverVersion);
    w.value(size);
    w.value(driverExtra);
    w.value(fields);
    for (qint16 v : {orientation, paperSize, paperLength, paperWidth, scale, copies, defaultSource,
                     printQuality, colour, duplex, yResolution, ttOption, collate})
        w.value(v);
    w.bytes(formName, 32);
    w.bytes(rest, 44);
    return out;
}

std::optional<PrinterRecord> PrinterRecord::fromBytes(const QByteArray &bytes) {
    if (bytes.size() != Size)
        return std::nullopt;
    PrinterRecord r;
    Reader in(bytes);
    r.deviceName = in.bytes(32);
    r.specVersion = in.value<quint16>();
    r.driverVersion = in.value<quint16>();
    r.size = in.value<quint16>();
    r.driverExtra = in.value<quint16>();
    r.fields = in.value<quint32>();
    for (qint16 *v : {&r.orientation, &r.paperSize, &r.paperLength, &r.paperWidth, &r.scale,
                      &r.copies, &r.defaultSource, &r.printQuality, &r.colour, &r.duplex,
                      &r.yResolution, &r.ttOption, &r.collate})
        *v = in.value<qint16>();
    r.formName = in.bytes(32);
    r.rest = in.bytes(44);
    return r;
}

int paperCodeFor(const platform::PageSetup &page) {
    const int shortSide = page.landscape ? page.height : page.width;
    const int longSide = page.landscape ? page.width : page.height;
    for (const PaperSide &row : kPaperTable)
        if (within2Percent(shortSide, row.shortSide) && within2Percent(longSide, row.longSide))
            return row.code;
    return platform::PaperCode::UserDefined;
}

int tenthsOfMillimetre(int twips) {
    return qRound(twips * 254.0 / 1440.0);
}

void setDocumentPaper(PrinterRecord &record, const platform::PageSetup &page) {
    const int code = paperCodeFor(page);
    record.paperSize = qint16(code);
    if (code == platform::PaperCode::UserDefined) {
        // Device-mode paper is given in portrait order; the orientation turns it.
        const int shortSide = qMin(page.width, page.height);
        const int longSide = qMax(page.width, page.height);
        record.paperWidth = qint16(qMin(tenthsOfMillimetre(shortSide), 32767));
        record.paperLength = qint16(qMin(tenthsOfMillimetre(longSide), 32767));
    }
    record.orientation = qint16(page.landscape ? platform::Landscape : platform::Portrait);
}

PrinterRecord fillFromPrinter(const platform::Printer &printer) {
    PrinterRecord r;
    r.setDevice(printer.deviceName());
    const int code = printer.paperSize();
    if (code != platform::PaperCode::UserDefined) {
        r.fields |= PrinterRecord::FieldPaperSize;
        r.paperSize = qint16(code);
    } else {
        r.fields |= PrinterRecord::FieldPaperSize | PrinterRecord::FieldPaperLength |
                    PrinterRecord::FieldPaperWidth;
        r.paperSize = qint16(code);
        const QSizeF mm = printer.paperMillimetres();
        r.paperLength = qint16(qBound(0, qRound(mm.height() * 10), 32767));
        r.paperWidth = qint16(qBound(0, qRound(mm.width() * 10), 32767));
    }
    const auto take = [&r](std::optional<int> value, PrinterRecord::Field bit, qint16 &field) {
        if (!value)
            return;
        field = qint16(qBound(-32768, *value, 32767));
        r.fields |= bit;
    };
    take(printer.paperSource(), PrinterRecord::FieldDefaultSource, r.defaultSource);
    take(printer.printQuality(), PrinterRecord::FieldPrintQuality, r.printQuality);
    take(printer.colourMode(), PrinterRecord::FieldColour, r.colour);
    take(printer.duplex(), PrinterRecord::FieldDuplex, r.duplex);
    take(printer.orientation(), PrinterRecord::FieldOrientation, r.orientation);
    take(printer.scale(), PrinterRecord::FieldScale, r.scale);
    return r;
}

bool selectStoredPrinter(platform::Printer &printer, const PrinterRecord &record) {
    const QString stored = record.device().toUpper();
    if (stored.isEmpty())
        return false;
    for (const QString &name : printer.installedPrinters())
        if (name.left(stored.size()).toUpper() == stored)
            return printer.setCurrent(name);
    return false;
}

void applyToPrinter(const PrinterRecord &record, platform::Printer &printer) {
    if (record.paperSize == platform::PaperCode::UserDefined) {
        if (record.paperWidth > 0 && record.paperLength > 0)
            printer.setCustomPaper(QSizeF(record.paperWidth / 10.0, record.paperLength / 10.0));
    } else if (record.paperSize > 0) {
        printer.setPaperSize(record.paperSize);
    }
    if (record.orientation == platform::Portrait || record.orientation == platform::Landscape)
        printer.setOrientation(record.orientation);
    if (record.defaultSource > 0)
        printer.setPaperSource(record.defaultSource);
    if (record.printQuality != 0)
        printer.setPrintQuality(record.printQuality);
    if (record.colour > 0)
        printer.setColourMode(record.colour);
    if (record.duplex > 0)
        printer.setDuplex(record.duplex);
    if (record.scale != 0)
        printer.setScale(record.scale);
}

std::optional<PrinterRecord> readRecordFile(const QString &path) {
    QFile file(path);
    if (path.isEmpty() || !file.open(QIODevice::ReadOnly))
        return std::nullopt;
    // One byte more than a record is enough to tell a foreign file.
    return PrinterRecord::fromBytes(file.read(PrinterRecord::Size + 1));
}

bool writeRecordFile(const QString &path, const PrinterRecord &record, QString *error) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(record.toBytes()) != PrinterRecord::Size ||
        !file.commit()) {
        if (error)
            *error = file.errorString();
        return false;
    }
    return true;
}

QString defaultSettingsFile() {
    return QDir(settings::appValues().userDir).filePath(QStringLiteral("Page.prndt"));
}

QString settingsFileForUse(const QString &given) {
    if (!given.isEmpty() && QFileInfo::exists(given))
        return given;
    return defaultSettingsFile();
}

QString settingsFileForSetup(const QString &given) {
    return given.isEmpty() ? defaultSettingsFile() : given;
}

} // namespace preview
