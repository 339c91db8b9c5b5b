#include "settings/cp932.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace settings {
namespace {

// ICU registers the Windows table under several names; the first that opens is used.
constexpr const char *kNames[] = {"windows-31j", "cp932", "Shift_JIS"};

// The first name ICU opens; converters are built in place from it because a moved ICU-backed
// converter forgets its error state.
const char *codecName() {
    static const char *const name = [] {
        for (const char *candidate : kNames)
            if (QStringEncoder(candidate).isValid())
                return candidate;
        return static_cast<const char *>(nullptr);
    }();
    return name;
}

char16_t cp932Form(char16_t c) {
    switch (c) {
    case 0x301C:
        return 0xFF5E; // WAVE DASH -> FULLWIDTH TILDE
    case 0x2212:
        return 0xFF0D; // MINUS SIGN -> FULLWIDTH HYPHEN-MINUS
    case 0x2016:
        return 0x2225; // DOUBLE VERTICAL LINE -> PARALLEL TO
    case 0x00A2:
        return 0xFFE0; // CENT SIGN
    case 0x2014:
        return 0x2015; // EM DASH -> HORIZONTAL BAR
    case 0x00A3:
        return 0xFFE1; // POUND SIGN
    case 0x00AC:
        return 0xFFE2; // NOT SIGN
    default:
        return c;
    }
}

} // namespace

QString toCp932Forms(const QString &text) {
    QString out = text;
    for (QChar &c : out)
        c = QChar(cp932Form(c.unicode()));
    return out;
}

QByteArray encodeCp932(const QString &text) {
    const QString mapped = toCp932Forms(text);
    if (!codecName())
        return mapped.toLatin1();
    QStringEncoder encoder(codecName());
    QByteArray whole = encoder.encode(mapped);
    if (!encoder.hasError())
        return whole;

    // Some character has no CP932 code: encode one code point at a time and put "?" in its
    // place (the ICU converter would write an unreadable substitute byte pair instead).
    QByteArray out;
    out.reserve(whole.size());
    for (qsizetype i = 0; i < mapped.size();) {
        const qsizetype len = (mapped.at(i).isHighSurrogate() && i + 1 < mapped.size()) ? 2 : 1;
        QStringEncoder one(codecName());
        const QByteArray bytes = one.encode(QStringView(mapped).mid(i, len));
        out += one.hasError() ? QByteArray("?") : bytes;
        i += len;
    }
    return out;
}

QString decodeCp932(const QByteArray &bytes, bool *ok) {
    if (!codecName()) {
        if (ok)
            *ok = false;
        return QString::fromLatin1(bytes);
    }
    QStringDecoder decoder(codecName(), QStringDecoder::Flag::Stateless);
    QString text = decoder.decode(bytes);
    if (ok)
        *ok = !decoder.hasError();
    return text;
}

bool survivesCp932(const QString &text) {
    if (!codecName())
        return false;
    QStringEncoder encoder(codecName());
    const QByteArray bytes = encoder.encode(toCp932Forms(text));
    Q_UNUSED(bytes);
    return !encoder.hasError();
}

} // namespace settings
