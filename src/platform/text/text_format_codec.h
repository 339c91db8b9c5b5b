#pragma once

#include <QByteArray>
#include <QDataStream>
#include <QString>
#include <QTextFormat>

// QTextFormat values written as explicit, typed properties. The reader never hands a byte to a
// Qt type's stream operator: every count, length, kind and enum is checked before it is used, so
// bytes from outside (the clipboard, a file) cannot crash, exhaust memory or plant values the
// text engine or a writer does not expect.
namespace platform::formatcodec {

// Reads from a byte array with every length checked against what is left.
class ByteReader {
public:
    explicit ByteReader(QDataStream &stream) : m_s(stream) {}

    bool ok() const { return m_ok && m_s.status() == QDataStream::Ok; }
    void fail() { m_ok = false; }
    qint64 remaining() const;

    quint8 u8();
    qint32 i32();
    quint32 u32();
    double f64(); // finite only
    bool boolean();
    QString string(quint32 maxChars);
    QByteArray bytes(quint32 maxBytes);

private:
    QDataStream &m_s;
    bool m_ok = true;
};

void writeString(QDataStream &stream, const QString &text);
void writeBytes(QDataStream &stream, const QByteArray &bytes);

void writeFormat(QDataStream &stream, const QTextFormat &format);
// A format with a known type and only known, valid property values; false on anything else.
bool readFormat(ByteReader &in, QTextFormat *format);

constexpr int MaxColumns = 1000;
constexpr int MaxStringChars = 1 << 20;

} // namespace platform::formatcodec
