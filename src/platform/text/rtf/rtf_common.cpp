#include "rtf_common.h"

#include "platform/text/text_format_codec.h"

#include <QDataStream>
#include <QHash>
#include <QIODevice>
#include <QStringDecoder>

#include <cmath>
#include <memory>

namespace platform::rtf::detail {

namespace {
constexpr auto StreamVersion = QDataStream::Qt_6_4;
}

QByteArray encodeFormat(const QTextFormat &format) {
    QTextFormat copy = format;
    copy.clearProperty(QTextFormat::ObjectIndex);
    QByteArray bytes;
    QDataStream stream(&bytes, QIODevice::WriteOnly);
    stream.setVersion(StreamVersion);
    formatcodec::writeFormat(stream, copy);
    return bytes;
}

bool decodeFormat(const QByteArray &bytes, QTextFormat *format) {
    QDataStream stream(bytes);
    stream.setVersion(StreamVersion);
    formatcodec::ByteReader in(stream);
    if (!formatcodec::readFormat(in, format) || in.remaining() != 0)
        return false;
    format->clearProperty(QTextFormat::ObjectIndex);
    return true;
}

void mergeFormat(QTextFormat &to, const QTextFormat &from) {
    const QMap<int, QVariant> properties = from.properties();
    for (auto it = properties.cbegin(); it != properties.cend(); ++it)
        to.setProperty(it.key(), it.value());
}

bool exactTwips(double px, int *twips) {
    const double t = px * 15;
    if (!std::isfinite(t) || std::abs(t) > MaxTwips)
        return false;
    *twips = int(std::lround(t));
    return pxFromTwips(*twips) == px;
}

int codePageOfCharset(int charset) {
    switch (charset) {
    case 0:
    case 1:
        return 0;
    case 77:
        return 10000;
    case 128:
        return 932;
    case 129:
        return 949;
    case 134:
        return 936;
    case 136:
        return 950;
    case 161:
        return 1253;
    case 162:
        return 1254;
    case 163:
        return 1258;
    case 177:
        return 1255;
    case 178:
        return 1256;
    case 186:
        return 1257;
    case 204:
        return 1251;
    case 222:
        return 874;
    case 238:
        return 1250;
    default:
        return 1252;
    }
}

QString decodeCodePage(int codePage, const QByteArray &bytes) {
    // One decoder per code page for the whole thread: ICU converters are slow to open.
    thread_local QHash<int, std::shared_ptr<QStringDecoder>> decoders;
    auto &slot = decoders[codePage];
    if (!slot) {
        QByteArray name;
        switch (codePage) {
        case 932:
            name = "windows-31j";
            break;
        case 936:
            name = "GBK";
            break;
        case 949:
            name = "windows-949";
            break;
        case 950:
            name = "Big5";
            break;
        case 874:
            name = "windows-874";
            break;
        case 10000:
            name = "macintosh";
            break;
        default:
            name = "windows-" + QByteArray::number(codePage);
            break;
        }
        slot = std::make_shared<QStringDecoder>(name.constData());
        if (!slot->isValid())
            slot = std::make_shared<QStringDecoder>("windows-1252");
    }
    if (!slot->isValid())
        return QString::fromLatin1(bytes);
    slot->resetState();
    return slot->decode(bytes);
}

} // namespace platform::rtf::detail
