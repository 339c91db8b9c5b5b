#include "rtf_common.h"
#include "rtf_writer.h"

#include <QStringDecoder>
#include <QStringEncoder>

#include <array>

namespace platform::rtf::detail {

namespace {

// The colours Word shows as highlighting; others are written as character shading.
constexpr std::array<QRgb, 16> Highlights{
    0x000000, 0x0000FF, 0x00FFFF, 0x00FF00, 0xFF00FF, 0xFF0000, 0xFFFF00, 0xFFFFFF,
    0x000080, 0x008080, 0x008000, 0x800080, 0x800000, 0x808000, 0x808080, 0xC0C0C0};

// A solid brush of an opaque colour, which reads back equal from a colour table entry.
bool plainColor(const QVariant &value, QColor *color) {
    const QBrush brush = value.value<QBrush>();
    if (brush.style() != Qt::SolidPattern)
        return false;
    *color = brush.color();
    return QBrush(QColor(color->rgb())) == brush;
}

} // namespace

void Writer::openGroup() {
    m_out += '{';
    m_ucStack.append(m_uc);
}

void Writer::closeGroup() {
    m_out += '}';
    if (!m_ucStack.isEmpty())
        m_uc = m_ucStack.takeLast();
}

void Writer::delimit() {
    if (m_out.isEmpty())
        return;
    const char last = m_out.back();
    if ((last >= 'a' && last <= 'z') || (last >= 'A' && last <= 'Z') ||
        (last >= '0' && last <= '9'))
        m_out += ' ';
}

void Writer::number(const char *word, int value) {
    m_out += word;
    m_out += QByteArray::number(value);
}

int Writer::fontIndex(const QString &family) {
    const qsizetype i = m_fonts.indexOf(family);
    if (i >= 0)
        return int(i);
    m_fonts.append(family);
    return int(m_fonts.size() - 1);
}

int Writer::colorIndex(const QColor &color) {
    const QRgb rgb = color.rgb() & 0xFFFFFF;
    const auto it = m_colorIndex.constFind(rgb);
    if (it != m_colorIndex.constEnd())
        return it.value();
    m_colors.append(rgb);
    const int index = int(m_colors.size()); // entry 0 is "auto"
    m_colorIndex.insert(rgb, index);
    return index;
}

void Writer::restGroup(const char *name, const QTextFormat &rest) {
    QTextFormat copy = rest;
    copy.clearProperty(QTextFormat::ObjectIndex);
    if (copy.properties().isEmpty())
        return;
    m_out += "{\\*\\";
    m_out += name;
    m_out += ' ';
    m_out += encodeFormat(copy).toHex();
    m_out += '}';
}

void Writer::charWords(const QTextCharFormat &format, QTextFormat *rest) {
    *rest = format;
    const auto done = [rest](int property) { rest->clearProperty(property); };
    const QStringList families = format.fontFamilies().toStringList();
    if (families.size() == 1 && !families.first().isEmpty() &&
        format.property(QTextFormat::FontFamilies).typeId() == QMetaType::QStringList) {
        number("\\f", fontIndex(families.first()));
        done(QTextFormat::FontFamilies);
    }
    if (format.hasProperty(QTextFormat::FontPointSize)) {
        const double half = format.doubleProperty(QTextFormat::FontPointSize) * 2;
        if (half >= 1 && half <= 3276 && half == int(half)) {
            number("\\fs", int(half));
            done(QTextFormat::FontPointSize);
        }
    }
    if (format.hasProperty(QTextFormat::FontWeight)) {
        const int weight = format.intProperty(QTextFormat::FontWeight);
        if (weight == QFont::Bold || weight == QFont::Normal) {
            m_out += weight == QFont::Bold ? "\\b" : "\\b0";
            done(QTextFormat::FontWeight);
        }
    }
    if (format.hasProperty(QTextFormat::FontItalic)) {
        m_out += format.fontItalic() ? "\\i" : "\\i0";
        done(QTextFormat::FontItalic);
    }
    if (format.hasProperty(QTextFormat::FontStrikeOut)) {
        m_out += format.fontStrikeOut() ? "\\strike" : "\\strike0";
        done(QTextFormat::FontStrikeOut);
    }
    if (format.hasProperty(QTextFormat::TextUnderlineStyle)) {
        const char *word = nullptr;
        switch (format.intProperty(QTextFormat::TextUnderlineStyle)) {
        case QTextCharFormat::NoUnderline:
            word = "\\ulnone";
            break;
        case QTextCharFormat::SingleUnderline:
            word = "\\ul";
            break;
        case QTextCharFormat::DashUnderline:
            word = "\\uldash";
            break;
        case QTextCharFormat::DotLine:
            word = "\\uld";
            break;
        case QTextCharFormat::DashDotLine:
            word = "\\uldashd";
            break;
        case QTextCharFormat::DashDotDotLine:
            word = "\\uldashdd";
            break;
        case QTextCharFormat::WaveUnderline:
            word = "\\ulwave";
            break;
        default:
            break;
        }
        if (word) {
            m_out += word;
            done(QTextFormat::TextUnderlineStyle);
        }
    }
    QColor color;
    if (format.hasProperty(QTextFormat::ForegroundBrush) &&
        plainColor(format.property(QTextFormat::ForegroundBrush), &color)) {
        number("\\cf", colorIndex(color));
        done(QTextFormat::ForegroundBrush);
    }
    if (format.hasProperty(QTextFormat::BackgroundBrush) &&
        plainColor(format.property(QTextFormat::BackgroundBrush), &color)) {
        const bool highlight = std::find(Highlights.begin(), Highlights.end(),
                                         color.rgb() & 0xFFFFFF) != Highlights.end();
        number(highlight ? "\\highlight" : "\\chcbpat", colorIndex(color));
        done(QTextFormat::BackgroundBrush);
    }
    if (format.hasProperty(QTextFormat::TextVerticalAlignment)) {
        switch (format.intProperty(QTextFormat::TextVerticalAlignment)) {
        case QTextCharFormat::AlignSuperScript:
            m_out += "\\super";
            done(QTextFormat::TextVerticalAlignment);
            break;
        case QTextCharFormat::AlignSubScript:
            m_out += "\\sub";
            done(QTextFormat::TextVerticalAlignment);
            break;
        case QTextCharFormat::AlignNormal:
            m_out += "\\nosupersub";
            done(QTextFormat::TextVerticalAlignment);
            break;
        default:
            break;
        }
    }
}

void Writer::blockWords(const QTextBlockFormat &format, QTextFormat *rest) {
    *rest = format;
    const auto done = [rest](int property) { rest->clearProperty(property); };
    if (format.hasProperty(QTextFormat::BlockAlignment)) {
        const char *word = nullptr;
        switch (format.intProperty(QTextFormat::BlockAlignment)) {
        case Qt::AlignLeft:
            word = "\\ql";
            break;
        case Qt::AlignRight:
            word = "\\qr";
            break;
        case Qt::AlignHCenter:
            word = "\\qc";
            break;
        case Qt::AlignJustify:
            word = "\\qj";
            break;
        default:
            break;
        }
        if (word) {
            m_out += word;
            done(QTextFormat::BlockAlignment);
        }
    }
    const auto length = [&](int property, const char *word, bool positive) {
        int twips = 0;
        if (format.hasProperty(property) && exactTwips(format.doubleProperty(property), &twips) &&
            (!positive || twips >= 0)) {
            number(word, twips);
            done(property);
        }
    };
    length(QTextFormat::BlockLeftMargin, "\\li", false);
    length(QTextFormat::BlockRightMargin, "\\ri", false);
    length(QTextFormat::TextIndent, "\\fi", false);
    length(QTextFormat::BlockTopMargin, "\\sb", true);
    length(QTextFormat::BlockBottomMargin, "\\sa", true);
    if (format.hasProperty(QTextFormat::LineHeight) &&
        format.hasProperty(QTextFormat::LineHeightType)) {
        const double height = format.doubleProperty(QTextFormat::LineHeight);
        const int type = format.intProperty(QTextFormat::LineHeightType);
        int twips = 0;
        bool written = false;
        if (type == QTextBlockFormat::ProportionalHeight) {
            const double sl = height * 12 / 5;
            if (sl >= 1 && sl <= MaxTwips && sl == int(sl) && int(sl) * 5 / 12.0 == height) {
                number("\\sl", int(sl));
                m_out += "\\slmult1";
                written = true;
            }
        } else if ((type == QTextBlockFormat::MinimumHeight ||
                    type == QTextBlockFormat::FixedHeight) &&
                   exactTwips(height, &twips) && twips > 0) {
            number("\\sl", type == QTextBlockFormat::FixedHeight ? -twips : twips);
            m_out += "\\slmult0";
            written = true;
        }
        if (written) {
            done(QTextFormat::LineHeight);
            done(QTextFormat::LineHeightType);
        }
    }
    if (format.hasProperty(QTextFormat::PageBreakPolicy) &&
        format.intProperty(QTextFormat::PageBreakPolicy) == QTextFormat::PageBreak_AlwaysBefore) {
        m_out += "\\pagebb";
        done(QTextFormat::PageBreakPolicy);
    }
    if (format.hasProperty(QTextFormat::HeadingLevel)) {
        const int level = format.intProperty(QTextFormat::HeadingLevel);
        if (level >= 1 && level <= 6) {
            number("\\outlinelevel", level - 1);
            done(QTextFormat::HeadingLevel);
        }
    }
    QColor color;
    if (format.hasProperty(QTextFormat::BackgroundBrush) &&
        plainColor(format.property(QTextFormat::BackgroundBrush), &color)) {
        number("\\cbpat", colorIndex(color));
        done(QTextFormat::BackgroundBrush);
    }
}

// The CP932 bytes of a character, for readers without \uN; "?" where CP932 has none. Known
// for the whole thread: converters are opened once for each character, as one that met an
// unmappable character stays in error.
QByteArray Writer::fallback(char16_t unit) {
    thread_local QHash<char16_t, QByteArray> known;
    const auto it = known.constFind(unit);
    if (it != known.constEnd())
        return it.value();
    QByteArray bytes = "?";
    const QChar ch(unit);
    QStringEncoder encoder("windows-31j");
    QStringDecoder decoder("windows-31j");
    if (encoder.isValid() && decoder.isValid() && !ch.isSurrogate()) {
        const QByteArray encoded = encoder.encode(QStringView(&ch, 1));
        if (!encoded.isEmpty() && encoded.size() <= 2 && !encoder.hasError() &&
            QString(decoder.decode(encoded)) == QString(ch))
            bytes = encoded;
    }
    known.insert(unit, bytes);
    return bytes;
}

void Writer::text(QStringView text) {
    for (const QChar ch : text) {
        const char16_t u = ch.unicode();
        if (u >= 0x20 && u < 0x7F) {
            if (u == '\\' || u == '{' || u == '}')
                m_out += '\\';
            m_out += char(u);
            continue;
        }
        switch (u) {
        case u'\t':
            m_out += "\\tab ";
            continue;
        case 0x2028:
            m_out += "\\line ";
            continue;
        case 0xA0:
            m_out += "\\~";
            continue;
        default:
            break;
        }
        if (u < 0x20 || u == QChar::ObjectReplacementCharacter || u == 0x7F)
            continue;
        const QByteArray bytes = fallback(u);
        if (bytes.size() != m_uc) {
            m_uc = int(bytes.size());
            number("\\uc", m_uc);
        }
        number("\\u", int(qint16(u)));
        for (char b : bytes) {
            if (uchar(b) >= 0x80 || b == '\\' || b == '{' || b == '}') {
                static const char digits[] = "0123456789abcdef";
                m_out += "\\'";
                m_out += digits[uchar(b) >> 4];
                m_out += digits[uchar(b) & 15];
            } else {
                m_out += b;
            }
        }
    }
}

} // namespace platform::rtf::detail
