#include "platform/text/legacy_format_stream.h"

#include "platform/text/text_format_codec.h"

#include <QBrush>
#include <QBuffer>
#include <QColor>
#include <QDataStream>
#include <QStringList>
#include <QTextLength>

#include <cmath>
#include <cstring>
#include <optional>

namespace platform::formatcodec {
namespace {

constexpr quint32 MaxLegacyProperties = 256;
constexpr quint32 MaxLegacyListItems = 1000;
constexpr quint32 NullStringLength = 0xffffffffu;

// The stream layout of Qt 6.4 written in big-endian order, read with every length checked.
class LegacyReader {
public:
    explicit LegacyReader(const QByteArray &bytes) : m_bytes(bytes) {}

    bool ok() const { return m_ok; }
    bool atEnd() const { return m_pos == m_bytes.size(); }

    quint8 u8() {
        if (!need(1))
            return 0;
        return quint8(m_bytes[m_pos++]);
    }
    quint16 u16() {
        const quint16 high = u8();
        return quint16(high << 8 | u8());
    }
    quint32 u32() {
        const quint32 high = u16();
        return high << 16 | u16();
    }
    double f64() {
        if (!need(8))
            return 0;
        quint64 bits = 0;
        for (int i = 0; i < 8; ++i)
            bits = bits << 8 | quint8(m_bytes[m_pos++]);
        double value = 0;
        std::memcpy(&value, &bits, sizeof value);
        if (!std::isfinite(value))
            m_ok = false;
        return m_ok ? value : 0.0;
    }
    std::optional<QString> string() {
        const quint32 length = u32();
        if (!m_ok)
            return std::nullopt;
        if (length == NullStringLength)
            return QString();
        if (length % 2 != 0 || length / 2 > quint32(MaxStringChars) || !need(length))
            return std::nullopt;
        QString text(qsizetype(length / 2), Qt::Uninitialized);
        for (qsizetype i = 0; i < text.size(); ++i)
            text[i] = QChar(
                quint16(quint8(m_bytes[m_pos + 2 * i]) << 8 | quint8(m_bytes[m_pos + 2 * i + 1])));
        m_pos += length;
        return text;
    }
    // A type name written as a NUL-terminated byte string with its length first.
    std::optional<QByteArray> typeName() {
        const quint32 length = u32();
        if (!m_ok || length == 0 || length > 128 || !need(length))
            return std::nullopt;
        QByteArray name = m_bytes.mid(m_pos, length - 1);
        const bool terminated = m_bytes[m_pos + length - 1] == '\0';
        m_pos += length;
        if (!terminated)
            return std::nullopt;
        return name;
    }

private:
    bool need(qsizetype count) {
        if (!m_ok || count > m_bytes.size() - m_pos) {
            m_ok = false;
            return false;
        }
        return true;
    }

    const QByteArray &m_bytes;
    qsizetype m_pos = 0;
    bool m_ok = true;
};

std::optional<QColor> readColor(LegacyReader &in) {
    const quint8 model = in.u8();
    const quint16 alpha = in.u16();
    const quint16 red = in.u16();
    const quint16 green = in.u16();
    const quint16 blue = in.u16();
    in.u16(); // padding
    if (!in.ok())
        return std::nullopt;
    if (model == QColor::Invalid)
        return QColor();
    if (model != QColor::Rgb)
        return std::nullopt;
    return QColor::fromRgba64(red, green, blue, alpha);
}

// Plain and pattern brushes only: textures and gradients carry pictures and stop lists that no
// stored format of ours holds.
std::optional<QBrush> readBrush(LegacyReader &in) {
    const quint8 style = in.u8();
    const std::optional<QColor> color = readColor(in);
    if (!color || style > Qt::DiagCrossPattern)
        return std::nullopt;
    for (int i = 0; i < 9; ++i) // the brush's transform, which stored formats never set
        in.f64();
    if (!in.ok())
        return std::nullopt;
    return QBrush(*color, Qt::BrushStyle(style));
}

std::optional<QTextLength> readLength(LegacyReader &in) {
    const quint32 type = in.u32();
    const double value = in.f64();
    if (!in.ok() || type > QTextLength::PercentageLength)
        return std::nullopt;
    return QTextLength(QTextLength::Type(type), value);
}

std::optional<QVariant> readVariant(LegacyReader &in, bool nested);

std::optional<QVariant> readLengthList(LegacyReader &in, bool asVariants) {
    const quint32 count = in.u32();
    if (!in.ok() || count > MaxLegacyListItems)
        return std::nullopt;
    QVariantList lengths;
    for (quint32 i = 0; i < count; ++i) {
        std::optional<QVariant> item;
        if (asVariants) {
            item = readVariant(in, true);
            if (item && item->metaType() != QMetaType::fromType<QTextLength>())
                return std::nullopt;
        } else if (const std::optional<QTextLength> length = readLength(in)) {
            item = QVariant::fromValue(*length);
        }
        if (!item)
            return std::nullopt;
        lengths << *item;
    }
    return QVariant(lengths);
}

std::optional<QVariant> readVariant(LegacyReader &in, bool nested) {
    const quint32 type = in.u32();
    const quint8 isNull = in.u8();
    if (!in.ok() || isNull > 1)
        return std::nullopt;
    // Inside a list only lengths are stored.
    if (nested && type != QMetaType::QTextLength)
        return std::nullopt;
    switch (type) {
    case QMetaType::Bool: {
        const quint8 value = in.u8();
        return in.ok() && value <= 1 ? std::optional<QVariant>(value == 1) : std::nullopt;
    }
    case QMetaType::Int: {
        const qint32 value = qint32(in.u32());
        return in.ok() ? std::optional<QVariant>(int(value)) : std::nullopt;
    }
    case QMetaType::Double:
    case QMetaType::Float: {
        const double value = in.f64();
        return in.ok() ? std::optional<QVariant>(value) : std::nullopt;
    }
    case QMetaType::QString: {
        const std::optional<QString> text = in.string();
        return text ? std::optional<QVariant>(*text) : std::nullopt;
    }
    case QMetaType::QStringList: {
        const quint32 count = in.u32();
        if (!in.ok() || count > MaxLegacyListItems)
            return std::nullopt;
        QStringList list;
        for (quint32 i = 0; i < count; ++i) {
            const std::optional<QString> text = in.string();
            if (!text)
                return std::nullopt;
            list << *text;
        }
        return QVariant(list);
    }
    case QMetaType::QColor: {
        const std::optional<QColor> color = readColor(in);
        return color ? std::optional<QVariant>(*color) : std::nullopt;
    }
    case QMetaType::QBrush: {
        const std::optional<QBrush> brush = readBrush(in);
        return brush ? std::optional<QVariant>(*brush) : std::nullopt;
    }
    case QMetaType::QTextLength: {
        const std::optional<QTextLength> length = readLength(in);
        return length ? std::optional<QVariant>(QVariant::fromValue(*length)) : std::nullopt;
    }
    case QMetaType::QVariantList:
        return readLengthList(in, true);
    case QMetaType::User: {
        const std::optional<QByteArray> name = in.typeName();
        if (name == QByteArrayLiteral("QList<QTextLength>"))
            return readLengthList(in, false);
        if (name == QByteArrayLiteral("QList<int>")) {
            const quint32 count = in.u32();
            if (!in.ok() || count > MaxLegacyListItems)
                return std::nullopt;
            QList<int> list;
            for (quint32 i = 0; i < count && in.ok(); ++i)
                list << int(qint32(in.u32()));
            return in.ok() ? std::optional<QVariant>(QVariant::fromValue(list)) : std::nullopt;
        }
        return std::nullopt;
    }
    default:
        return std::nullopt;
    }
}

} // namespace

bool readLegacyStreamFormat(const QByteArray &bytes, QTextFormat *format) {
    LegacyReader in(bytes);
    const qint32 type = qint32(in.u32());
    const quint32 count = in.u32();
    if (!in.ok() || count > MaxLegacyProperties)
        return false;
    QTextFormat parsed(type);
    int properties = 0;
    for (quint32 i = 0; i < count; ++i) {
        const qint32 key = qint32(in.u32());
        const std::optional<QVariant> value = readVariant(in, false);
        if (!value || key <= QTextFormat::ObjectIndex || parsed.hasProperty(key))
            return false;
        parsed.setProperty(key, *value);
        ++properties;
    }
    if (!in.atEnd())
        return false;
    // The codec's own checks decide what is acceptable; a value it would drop refuses the whole.
    QByteArray checked;
    {
        QDataStream out(&checked, QIODevice::WriteOnly);
        writeFormat(out, parsed);
    }
    QDataStream stream(checked);
    ByteReader reader(stream);
    QTextFormat result;
    if (!readFormat(reader, &result) || result.properties().size() != properties)
        return false;
    *format = result;
    return true;
}

} // namespace platform::formatcodec
