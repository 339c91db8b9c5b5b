#include "platform/text/text_format_codec.h"

#include <QBrush>
#include <QColor>
#include <QIODevice>
#include <QList>
#include <QPen>
#include <QStringList>

#include <cmath>
#include <optional>

namespace platform::formatcodec {
namespace {

enum ValueTag : quint8 {
    TagBool = 1,
    TagInt,
    TagDouble,
    TagString,
    TagStringList,
    TagColor,
    TagBrush,
    TagPen,
    TagLength,
    TagLengthList,
    TagIntList,
};

constexpr quint32 MaxProperties = 256;
constexpr quint32 MaxListItems = 256;
constexpr double MaxMagnitude = 1e7;
constexpr double MaxFontPoints = 16384;
constexpr int MaxTableRows = 100000;

struct Range {
    int low;
    int high;
};

// Integer properties whose values index a table or an enum somewhere downstream.
std::optional<Range> intRange(int key) {
    switch (key) {
    case QTextFormat::TextUnderlineStyle:
        return Range{QTextCharFormat::NoUnderline, QTextCharFormat::SpellCheckUnderline};
    case QTextFormat::FrameBorderStyle:
    case QTextFormat::TableCellTopBorderStyle:
    case QTextFormat::TableCellBottomBorderStyle:
    case QTextFormat::TableCellLeftBorderStyle:
    case QTextFormat::TableCellRightBorderStyle:
        return Range{QTextFrameFormat::BorderStyle_None, QTextFrameFormat::BorderStyle_Outset};
    case QTextFormat::LineHeightType:
        return Range{QTextBlockFormat::SingleHeight, QTextBlockFormat::LineDistanceHeight};
    case QTextFormat::TextVerticalAlignment:
        return Range{QTextCharFormat::AlignNormal, QTextCharFormat::AlignBaseline};
    case QTextFormat::ListStyle:
        return Range{QTextListFormat::ListUpperRoman, QTextListFormat::ListStyleUndefined};
    case QTextFormat::FontCapitalization:
        return Range{QFont::MixedCase, QFont::Capitalize};
    case QTextFormat::FontLetterSpacingType:
        return Range{QFont::PercentageSpacing, QFont::AbsoluteSpacing};
    case QTextFormat::FontHintingPreference:
        return Range{QFont::PreferDefaultHinting, QFont::PreferFullHinting};
    case QTextFormat::FontWeight:
        return Range{1, 1000};
    case QTextFormat::FontStretch:
        return Range{0, 4000};
    case QTextFormat::FontPixelSize:
        return Range{0, int(MaxFontPoints)};
    case QTextFormat::CssFloat:
        return Range{QTextFrameFormat::InFlow, QTextFrameFormat::FloatRight};
    case QTextFormat::LayoutDirection:
        return Range{Qt::LeftToRight, Qt::LayoutDirectionAuto};
    case QTextFormat::BlockMarker:
        return Range{int(QTextBlockFormat::MarkerType::NoMarker),
                     int(QTextBlockFormat::MarkerType::Checked)};
    case QTextFormat::HeadingLevel:
        return Range{0, 6};
    case QTextFormat::ObjectType:
        return Range{QTextFormat::NoObject, QTextFormat::TableCellObject};
    case QTextFormat::TableColumns:
        return Range{0, MaxColumns};
    case QTextFormat::TableHeaderRowCount:
        return Range{0, MaxTableRows};
    case QTextFormat::TableCellRowSpan:
        return Range{1, MaxTableRows};
    case QTextFormat::TableCellColumnSpan:
        return Range{1, MaxColumns};
    case QTextFormat::BlockIndent:
    case QTextFormat::ListIndent:
        return Range{0, 1000};
    default:
        return std::nullopt;
    }
}

bool validInt(int key, qint64 value) {
    const std::optional<Range> range = intRange(key);
    return !range || (value >= range->low && value <= range->high);
}

bool validDouble(int key, double value) {
    if (!std::isfinite(value) || std::abs(value) > MaxMagnitude)
        return false;
    if (key == QTextFormat::FontPointSize)
        return value > 0 && value <= MaxFontPoints;
    return true;
}

bool validBrushStyle(int style) {
    return style >= Qt::NoBrush && style <= Qt::DiagCrossPattern;
}

bool validPenStyle(int style) {
    return style >= Qt::NoPen && style <= Qt::DashDotDotLine;
}

bool validLengthType(int type) {
    return type >= QTextLength::VariableLength && type <= QTextLength::PercentageLength;
}

bool knownType(int type) {
    return type == QTextFormat::InvalidFormat || type == QTextFormat::BlockFormat ||
           type == QTextFormat::CharFormat || type == QTextFormat::ListFormat ||
           type == QTextFormat::FrameFormat;
}

void writeColor(QDataStream &s, const QColor &color) {
    s << quint8(color.isValid()) << quint32(color.isValid() ? color.rgba() : 0);
}

std::optional<QColor> readColor(ByteReader &in) {
    const quint8 valid = in.u8();
    const quint32 rgba = in.u32();
    if (!in.ok() || valid > 1)
        return std::nullopt;
    return valid ? QColor::fromRgba(rgba) : QColor();
}

// Gradient and texture brushes keep their colour only.
void writeBrush(QDataStream &s, const QBrush &brush) {
    s << quint8(validBrushStyle(brush.style()) ? brush.style() : Qt::SolidPattern);
    writeColor(s, brush.color());
}

std::optional<QBrush> readBrush(ByteReader &in) {
    const quint8 style = in.u8();
    const std::optional<QColor> color = readColor(in);
    if (!color || !validBrushStyle(style))
        return std::nullopt;
    return QBrush(*color, Qt::BrushStyle(style));
}

std::optional<QTextLength> readLength(ByteReader &in) {
    const quint8 type = in.u8();
    const double value = in.f64();
    if (!in.ok() || !validLengthType(type) || std::abs(value) > MaxMagnitude)
        return std::nullopt;
    return QTextLength(QTextLength::Type(type), value);
}

bool writableLength(const QTextLength &length) {
    return validLengthType(length.type()) && std::isfinite(length.rawValue()) &&
           std::abs(length.rawValue()) <= MaxMagnitude;
}

// The tag a property is written with, or 0 when its value is not one the reader accepts.
quint8 tagOf(int key, const QVariant &value) {
    if (key == QTextFormat::ObjectIndex)
        return 0;
    const QMetaType type = value.metaType();
    if (type == QMetaType::fromType<bool>())
        return TagBool;
    if (type == QMetaType::fromType<int>())
        return validInt(key, value.toInt()) ? TagInt : 0;
    if (type == QMetaType::fromType<double>())
        return validDouble(key, value.toDouble()) ? TagDouble : 0;
    if (type == QMetaType::fromType<QString>())
        return value.toString().size() <= MaxStringChars ? TagString : 0;
    if (type == QMetaType::fromType<QStringList>())
        return value.toStringList().size() <= qsizetype(MaxListItems) ? TagStringList : 0;
    if (type == QMetaType::fromType<QColor>())
        return TagColor;
    if (type == QMetaType::fromType<QBrush>())
        return TagBrush;
    if (type == QMetaType::fromType<QPen>())
        return std::isfinite(value.value<QPen>().widthF()) ? TagPen : 0;
    if (type == QMetaType::fromType<QTextLength>())
        return writableLength(value.value<QTextLength>()) ? TagLength : 0;
    if (type == QMetaType::fromType<QVariantList>()) {
        const QVariantList list = value.toList();
        return list.size() <= MaxColumns &&
                       std::all_of(list.begin(), list.end(),
                                   [](const QVariant &item) {
                                       return item.metaType() ==
                                                  QMetaType::fromType<QTextLength>() &&
                                              writableLength(item.value<QTextLength>());
                                   })
                   ? TagLengthList
                   : 0;
    }
    if (type == QMetaType::fromType<QList<int>>())
        return value.value<QList<int>>().size() <= qsizetype(MaxListItems) ? TagIntList : 0;
    return 0;
}

void writeValue(QDataStream &s, quint8 tag, const QVariant &value) {
    switch (tag) {
    case TagBool:
        s << quint8(value.toBool());
        break;
    case TagInt:
        s << qint32(value.toInt());
        break;
    case TagDouble:
        s << value.toDouble();
        break;
    case TagString:
        writeString(s, value.toString());
        break;
    case TagStringList: {
        const QStringList list = value.toStringList();
        s << quint32(list.size());
        for (const QString &item : list)
            writeString(s, item);
        break;
    }
    case TagColor:
        writeColor(s, value.value<QColor>());
        break;
    case TagBrush:
        writeBrush(s, value.value<QBrush>());
        break;
    case TagPen: {
        const QPen pen = value.value<QPen>();
        s << quint8(validPenStyle(pen.style()) ? pen.style() : Qt::SolidLine)
          << qBound(0.0, pen.widthF(), 1000.0);
        writeBrush(s, pen.brush());
        break;
    }
    case TagLength: {
        const QTextLength length = value.value<QTextLength>();
        s << quint8(length.type()) << length.rawValue();
        break;
    }
    case TagLengthList: {
        const QVariantList lengths = value.toList();
        s << quint32(lengths.size());
        for (const QVariant &item : lengths) {
            const QTextLength length = item.value<QTextLength>();
            s << quint8(length.type()) << length.rawValue();
        }
        break;
    }
    case TagIntList: {
        const QList<int> list = value.value<QList<int>>();
        s << quint32(list.size());
        for (int item : list)
            s << qint32(item);
        break;
    }
    default:
        break;
    }
}

std::optional<QVariant> readValue(ByteReader &in, int key, quint8 tag) {
    switch (tag) {
    case TagBool: {
        const quint8 v = in.u8();
        if (!in.ok() || v > 1)
            return std::nullopt;
        return QVariant(v == 1);
    }
    case TagInt: {
        const qint32 v = in.i32();
        if (!in.ok() || !validInt(key, v))
            return std::nullopt;
        return QVariant(int(v));
    }
    case TagDouble: {
        const double v = in.f64();
        if (!in.ok() || !validDouble(key, v))
            return std::nullopt;
        return QVariant(v);
    }
    case TagString: {
        const QString v = in.string(MaxStringChars);
        return in.ok() ? std::optional<QVariant>(v) : std::nullopt;
    }
    case TagStringList: {
        const quint32 count = in.u32();
        if (!in.ok() || count > MaxListItems)
            return std::nullopt;
        QStringList list;
        for (quint32 i = 0; i < count && in.ok(); ++i)
            list << in.string(MaxStringChars);
        return in.ok() ? std::optional<QVariant>(list) : std::nullopt;
    }
    case TagColor: {
        const std::optional<QColor> color = readColor(in);
        return color ? std::optional<QVariant>(*color) : std::nullopt;
    }
    case TagBrush: {
        const std::optional<QBrush> brush = readBrush(in);
        return brush ? std::optional<QVariant>(*brush) : std::nullopt;
    }
    case TagPen: {
        const quint8 style = in.u8();
        const double width = in.f64();
        const std::optional<QBrush> brush = readBrush(in);
        if (!brush || !validPenStyle(style) || width < 0 || width > 1000)
            return std::nullopt;
        QPen pen(*brush, width);
        pen.setStyle(Qt::PenStyle(style));
        return QVariant(pen);
    }
    case TagLength: {
        const std::optional<QTextLength> length = readLength(in);
        return length ? std::optional<QVariant>(QVariant::fromValue(*length)) : std::nullopt;
    }
    case TagLengthList: {
        const quint32 count = in.u32();
        if (!in.ok() || count > quint32(MaxColumns))
            return std::nullopt;
        // Held as QTextFormat holds column widths: a list of QTextLength variants.
        QVariantList lengths;
        for (quint32 i = 0; i < count; ++i) {
            const std::optional<QTextLength> length = readLength(in);
            if (!length)
                return std::nullopt;
            lengths << QVariant::fromValue(*length);
        }
        return QVariant(lengths);
    }
    case TagIntList: {
        const quint32 count = in.u32();
        if (!in.ok() || count > MaxListItems)
            return std::nullopt;
        QList<int> list;
        for (quint32 i = 0; i < count && in.ok(); ++i)
            list << in.i32();
        return in.ok() ? std::optional<QVariant>(QVariant::fromValue(list)) : std::nullopt;
    }
    default:
        return std::nullopt;
    }
}

} // namespace

qint64 ByteReader::remaining() const {
    return m_s.device() ? m_s.device()->bytesAvailable() : 0;
}

quint8 ByteReader::u8() {
    quint8 v = 0;
    m_s >> v;
    return v;
}

qint32 ByteReader::i32() {
    qint32 v = 0;
    m_s >> v;
    return v;
}

quint32 ByteReader::u32() {
    quint32 v = 0;
    m_s >> v;
    return v;
}

double ByteReader::f64() {
    double v = 0;
    m_s >> v;
    if (!std::isfinite(v))
        fail();
    return std::isfinite(v) ? v : 0.0;
}

bool ByteReader::boolean() {
    const quint8 v = u8();
    if (v > 1)
        fail();
    return v == 1;
}

QString ByteReader::string(quint32 maxChars) {
    return QString::fromUtf8(bytes(maxChars * 3));
}

QByteArray ByteReader::bytes(quint32 maxBytes) {
    const quint32 size = u32();
    if (!ok() || size > maxBytes || qint64(size) > remaining()) {
        fail();
        return {};
    }
    QByteArray out(qsizetype(size), Qt::Uninitialized);
    if (m_s.readRawData(out.data(), int(size)) != int(size)) {
        fail();
        return {};
    }
    return out;
}

void writeString(QDataStream &stream, const QString &text) {
    writeBytes(stream, text.toUtf8());
}

void writeBytes(QDataStream &stream, const QByteArray &bytes) {
    stream << quint32(bytes.size());
    stream.writeRawData(bytes.constData(), int(bytes.size()));
}

void writeFormat(QDataStream &stream, const QTextFormat &format) {
    QList<QPair<int, quint8>> written;
    const QMap<int, QVariant> properties = format.properties();
    for (auto it = properties.cbegin(); it != properties.cend(); ++it)
        if (const quint8 tag = tagOf(it.key(), it.value()))
            written.append({it.key(), tag});
    stream << qint32(format.type()) << quint32(written.size());
    for (const auto &[key, tag] : std::as_const(written)) {
        stream << qint32(key) << tag;
        writeValue(stream, tag, properties.value(key));
    }
}

bool readFormat(ByteReader &in, QTextFormat *format) {
    const qint32 type = in.i32();
    const quint32 count = in.u32();
    if (!in.ok() || !knownType(type) || count > MaxProperties)
        return false;
    QTextFormat out(type);
    for (quint32 i = 0; i < count; ++i) {
        const qint32 key = in.i32();
        const quint8 tag = in.u8();
        if (!in.ok() || key <= QTextFormat::ObjectIndex || out.hasProperty(key))
            return false;
        const std::optional<QVariant> value = readValue(in, key, tag);
        if (!value || !in.ok())
            return false;
        out.setProperty(key, *value);
    }
    *format = out;
    return true;
}

} // namespace platform::formatcodec
