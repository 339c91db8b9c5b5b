#pragma once

#include <QByteArray>
#include <QString>

namespace launcher {

// The parameter records exchanged with the companion programs: fixed-length text fields in
// CP932 padded with spaces, little-endian signed integers.
struct PictureParams {
    QString folder;
    QString extension = QStringLiteral("*.png");
    QString file;
    qint32 width = 0;
    qint32 height = 0;
    qint16 flag = 0;
    qint16 ok = 0;
};

struct GraphParams {
    QString folder;
    QString extension = QStringLiteral("*.bmp");
    QString file;
    qint16 ok = 0;
};

constexpr int kPictureRecordSize = 532;
constexpr int kGraphRecordSize = 522;

// Empty when a text does not fit its field or CP932 cannot hold it.
QByteArray encodePicture(const PictureParams &params);
QByteArray encodeGraph(const GraphParams &params);
// False when the bytes are shorter than a record.
bool decodePicture(const QByteArray &bytes, PictureParams &params);
bool decodeGraph(const QByteArray &bytes, GraphParams &params);

} // namespace launcher
