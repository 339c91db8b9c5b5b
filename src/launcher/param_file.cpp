#include "launcher/param_file.h"

#include "settings/cp932.h"

#include <QtEndian>

namespace launcher {

namespace {

constexpr int kFolder = 0;
constexpr int kExtension = 255;
constexpr int kFile = 265;
constexpr int kAfterFile = 520;

bool putText(QByteArray &record, int offset, int size, const QString &text) {
    if (!settings::survivesCp932(text))
        return false;
    const QByteArray bytes = settings::encodeCp932(text);
    if (bytes.size() > size)
        return false;
    record.replace(offset, bytes.size(), bytes);
    return true;
}

// Trimmed of spaces at both ends and cut at the first NUL.
QString getText(const QByteArray &record, int offset, int size) {
    QByteArray bytes = record.mid(offset, size);
    const qsizetype nul = bytes.indexOf('\0');
    if (nul >= 0)
        bytes.truncate(nul);
    return settings::decodeCp932(bytes.trimmed());
}

template <typename T> void putInt(QByteArray &record, int offset, T value) {
    qToLittleEndian<T>(value, record.data() + offset);
}

template <typename T> T getInt(const QByteArray &record, int offset) {
    return qFromLittleEndian<T>(record.constData() + offset);
}

QByteArray textPart(const QString &folder, const QString &extension, const QString &file,
                    int size) {
    QByteArray record(size, ' ');
    if (!putText(record, kFolder, 255, folder) || !putText(record, kExtension, 10, extension) ||
        !putText(record, kFile, 255, file))
        return {};
    return record;
}

} // namespace

QByteArray encodePicture(const PictureParams &p) {
    QByteArray record = textPart(p.folder, p.extension, p.file, kPictureRecordSize);
    if (record.isEmpty())
        return {};
    putInt<qint32>(record, kAfterFile, p.width);
    putInt<qint32>(record, kAfterFile + 4, p.height);
    putInt<qint16>(record, kAfterFile + 8, p.flag);
    putInt<qint16>(record, kAfterFile + 10, p.ok);
    return record;
}

QByteArray encodeGraph(const GraphParams &p) {
    QByteArray record = textPart(p.folder, p.extension, p.file, kGraphRecordSize);
    if (record.isEmpty())
        return {};
    putInt<qint16>(record, kAfterFile, p.ok);
    return record;
}

bool decodePicture(const QByteArray &bytes, PictureParams &p) {
    if (bytes.size() < kPictureRecordSize)
        return false;
    p.folder = getText(bytes, kFolder, 255);
    p.extension = getText(bytes, kExtension, 10);
    p.file = getText(bytes, kFile, 255);
    p.width = getInt<qint32>(bytes, kAfterFile);
    p.height = getInt<qint32>(bytes, kAfterFile + 4);
    p.flag = getInt<qint16>(bytes, kAfterFile + 8);
    p.ok = getInt<qint16>(bytes, kAfterFile + 10);
    return true;
}

bool decodeGraph(const QByteArray &bytes, GraphParams &p) {
    if (bytes.size() < kGraphRecordSize)
        return false;
    p.folder = getText(bytes, kFolder, 255);
    p.extension = getText(bytes, kExtension, 10);
    p.file = getText(bytes, kFile, 255);
    p.ok = getInt<qint16>(bytes, kAfterFile);
    return true;
}

} // namespace launcher
