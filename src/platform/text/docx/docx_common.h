#pragma once

#include <QHash>
#include <QLatin1StringView>
#include <QList>
#include <QString>
#include <QTextFormat>
#include <QtGlobal>

class QXmlStreamReader;

// Shared pieces of the Word package writer and reader: namespaces, units and the drJvo record
// part that keeps what WordprocessingML has no place for.
namespace platform::docx::detail {

inline constexpr QLatin1StringView kNsW{
    "http://schemas.openxmlformats.org/wordprocessingml/2006/main"};
inline constexpr QLatin1StringView kNsR{
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships"};
inline constexpr QLatin1StringView kNsWp{
    "http://schemas.openxmlformats.org/drawingml/2006/wordprocessingDrawing"};
inline constexpr QLatin1StringView kNsA{"http://schemas.openxmlformats.org/drawingml/2006/main"};
inline constexpr QLatin1StringView kNsPic{
    "http://schemas.openxmlformats.org/drawingml/2006/picture"};
inline constexpr QLatin1StringView kNsWps{
    "http://schemas.microsoft.com/office/word/2010/wordprocessingShape"};
inline constexpr QLatin1StringView kNsMc{
    "http://schemas.openxmlformats.org/markup-compatibility/2006"};
inline constexpr QLatin1StringView kNsPkgRels{
    "http://schemas.openxmlformats.org/package/2006/relationships"};
// A picture's description and file name are cut to these lengths when read.
inline constexpr qsizetype kMaxAltText = 4096;
inline constexpr qsizetype kMaxFileName = 1024;

// Our own markup: ignorable attributes in the parts and the record part's elements.
inline constexpr QLatin1StringView kNsDj{"urn:drjvo:docx:1"};

inline constexpr QLatin1StringView kRelBase{
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships/"};

// Document lengths are pixels at 96 dpi: 15 twips, 9525 EMU.
inline int twipsFromPx(double px) {
    return qRound(px * 15.0);
}
inline double pxFromTwips(double twips) {
    return twips / 15.0;
}
inline qint64 emuFromPx(double px) {
    return qRound64(px * 9525.0);
}
inline double pxFromEmu(qint64 emu) {
    return emu / 9525.0;
}
inline qint64 emuFromTwips(int twips) {
    return qint64(twips) * 635;
}
inline int twipsFromEmu(qint64 emu) {
    return int(qRound64(emu / 635.0));
}

// A field's properties, kept per field bookmark.
struct FieldRecord {
    int id = 0;
    int kind = 0;
    int attribute = 0;
    QString data;
};

// A picture's or text frame's properties, kept per drawing (wp:docPr id).
struct ObjectRecord {
    int id = 0;
    int kind = 0;
    QString name; // picture resource name
    int exportCode = -1;
    int saveMode = -1;
    int textFlow = -1;
    int scaleX = -1;
    int scaleY = -1;
    QString fileName; // the file a picture came from
    QString frame;    // text frame format values, see writeFrameRecord
};

// The record part: keyed by the package-wide bookmark number and drawing id.
struct Records {
    QHash<int, FieldRecord> fields;
    QHash<int, ObjectRecord> objects;
    bool present = false; // the package is one of ours
};

QByteArray writeRecords(const QList<QPair<int, FieldRecord>> &fields,
                        const QList<QPair<int, ObjectRecord>> &objects);
Records readRecords(const QByteArray &xml);

// A format without its document-bound object index, as text for an attribute (typed values of
// the format codec in base64 behind a version mark); earlier, unmarked values are still read.
QString encodeFormat(QTextFormat format);
QTextFormat decodeFormat(QStringView text);

// The name of the bookmark that delimits field number n.
// Hands a part to the XML reader. A part in UTF-8 (as its declaration says or implies) goes as
// text, which the reader takes far faster than bytes it has to decode itself; any other encoding,
// or bytes that are not valid UTF-8, go as bytes, for the reader to decode or refuse.
void feedXml(QXmlStreamReader &xml, const QByteArray &bytes);

QString fieldBookmarkName(int n);
int fieldBookmarkNumber(QStringView name); // 0 when not ours

} // namespace platform::docx::detail
