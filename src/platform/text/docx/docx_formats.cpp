#include "docx_formats.h"

#include "docx_common.h"
#include "platform/text/text_model.h"

#include <QXmlStreamReader>
#include <QXmlStreamWriter>

#include <array>

namespace platform::docx::detail {

namespace {

using L = QLatin1StringView;

struct UnderlineName {
    QTextCharFormat::UnderlineStyle style;
    L name;
};
// Written names first; the rest are read only.
constexpr std::array kUnderlines{
    UnderlineName{QTextCharFormat::NoUnderline, L("none")},
    UnderlineName{QTextCharFormat::SingleUnderline, L("single")},
    UnderlineName{QTextCharFormat::DashUnderline, L("dash")},
    UnderlineName{QTextCharFormat::DotLine, L("dotted")},
    UnderlineName{QTextCharFormat::DashDotLine, L("dotDash")},
    UnderlineName{QTextCharFormat::DashDotDotLine, L("dotDotDash")},
    UnderlineName{QTextCharFormat::WaveUnderline, L("wave")},
    UnderlineName{QTextCharFormat::SpellCheckUnderline, L("wavyDouble")},
    UnderlineName{QTextCharFormat::DotLine, L("dottedHeavy")},
    UnderlineName{QTextCharFormat::DashUnderline, L("dashedHeavy")},
    UnderlineName{QTextCharFormat::DashUnderline, L("dashLong")},
    UnderlineName{QTextCharFormat::DashUnderline, L("dashLongHeavy")},
    UnderlineName{QTextCharFormat::DashDotLine, L("dashDotHeavy")},
    UnderlineName{QTextCharFormat::DashDotDotLine, L("dashDotDotHeavy")},
    UnderlineName{QTextCharFormat::WaveUnderline, L("wavyHeavy")},
};
constexpr int kWrittenUnderlines = 8;

struct HighlightName {
    L name;
    QRgb rgb;
};
constexpr std::array kHighlights{
    HighlightName{L("yellow"), 0xFFFF00},    HighlightName{L("green"), 0x00FF00},
    HighlightName{L("cyan"), 0x00FFFF},      HighlightName{L("magenta"), 0xFF00FF},
    HighlightName{L("blue"), 0x0000FF},      HighlightName{L("red"), 0xFF0000},
    HighlightName{L("darkBlue"), 0x000080},  HighlightName{L("darkCyan"), 0x008080},
    HighlightName{L("darkGreen"), 0x008000}, HighlightName{L("darkMagenta"), 0x800080},
    HighlightName{L("darkRed"), 0x800000},   HighlightName{L("darkYellow"), 0x808000},
    HighlightName{L("darkGray"), 0x808080},  HighlightName{L("lightGray"), 0xC0C0C0},
    HighlightName{L("black"), 0x000000},     HighlightName{L("white"), 0xFFFFFF},
};

// Paragraph values Word has no place for, as ignorable attributes of w:pPr.
constexpr std::array<std::pair<int, L>, 5> kExtras{{{TextProp::LineSpacing, L("ls")},
                                                    {TextProp::LineAmount, L("la")},
                                                    {TextProp::IndentD, L("id")},
                                                    {TextProp::IndentE, L("ie")},
                                                    {QTextFormat::BlockIndent, L("bi")}}};

double twipsRounded(double px) {
    return pxFromTwips(twipsFromPx(px));
}

bool onOff(const QXmlStreamReader &xml) {
    const QStringView v = xml.attributes().value(kNsW, L("val"));
    return !(v == L("0") || v == L("false") || v == L("off"));
}

QStringView wAttr(const QXmlStreamReader &xml, L name) {
    return xml.attributes().value(kNsW, name);
}

int wInt(const QXmlStreamReader &xml, L name, bool *ok = nullptr) {
    return wAttr(xml, name).toInt(ok);
}

void writeVal(QXmlStreamWriter &xml, L element, const QString &value) {
    xml.writeEmptyElement(kNsW, element);
    xml.writeAttribute(kNsW, L("val"), value);
}

void writeToggle(QXmlStreamWriter &xml, L element, bool on) {
    xml.writeEmptyElement(kNsW, element);
    if (!on)
        xml.writeAttribute(kNsW, L("val"), L("0"));
}

void writeShading(QXmlStreamWriter &xml, const QBrush &brush) {
    xml.writeEmptyElement(kNsW, L("shd"));
    xml.writeAttribute(kNsW, L("val"), L("clear"));
    xml.writeAttribute(kNsW, L("color"), L("auto"));
    xml.writeAttribute(kNsW, L("fill"),
                       brush.style() == Qt::NoBrush ? QString(L("auto"))
                                                    : colorText(brush.color()));
}

QBrush canonicalBrush(const QBrush &brush) {
    if (brush.style() == Qt::NoBrush)
        return QBrush();
    return QBrush(QColor(brush.color().rgb()));
}

QBrush readShading(const QXmlStreamReader &xml) {
    const QColor fill = readColor(wAttr(xml, L("fill")));
    if (fill.isValid())
        return QBrush(fill);
    // A patterned shading without a fill keeps the pattern colour ("solid" is the colour itself).
    const QColor color = readColor(wAttr(xml, L("color")));
    if (wAttr(xml, L("val")) == L("solid") && color.isValid())
        return QBrush(color);
    return QBrush();
}

void copyInt(const QTextFormat &from, QTextFormat &to, int property) {
    if (from.hasProperty(property))
        to.setProperty(property, from.intProperty(property));
}

} // namespace

QColor readColor(QStringView text) {
    if (text.size() != 6)
        return {};
    bool ok = false;
    const uint rgb = text.toUInt(&ok, 16);
    return ok ? QColor(QRgb(rgb)) : QColor();
}

QString colorText(const QColor &color) {
    return QStringLiteral("%1").arg(color.rgb() & 0xFFFFFF, 6, 16, QLatin1Char('0')).toUpper();
}

QTextCharFormat canonicalCharFormat(const QTextCharFormat &f) {
    QTextCharFormat c;
    if (f.isImageFormat()) {
        const QTextImageFormat image = f.toImageFormat();
        QTextImageFormat i;
        i.setName(image.name());
        if (image.hasProperty(QTextFormat::ImageWidth))
            i.setWidth(pxFromEmu(emuFromPx(image.width())));
        if (image.hasProperty(QTextFormat::ImageHeight))
            i.setHeight(pxFromEmu(emuFromPx(image.height())));
        for (int p :
             {TextProp::ObjectId, TextProp::ObjectKind, TextProp::PictureExportCode,
              TextProp::PictureSaveMode, TextProp::TextFlow, TextProp::ScaleX, TextProp::ScaleY})
            copyInt(f, i, p);
        for (int p : {int(QTextFormat::ImageAltText), int(TextProp::PictureFileName)})
            if (f.hasProperty(p))
                i.setProperty(p, f.stringProperty(p));
        c = i;
    }
    const QStringList families = f.fontFamilies().toStringList();
    if (!families.isEmpty() && !families.first().isEmpty())
        c.setFontFamilies(QStringList{families.first()});
    if (f.hasProperty(QTextFormat::FontPointSize) && f.fontPointSize() > 0)
        c.setFontPointSize(qRound(f.fontPointSize() * 2) / 2.0);
    if (f.hasProperty(QTextFormat::FontWeight))
        c.setFontWeight(f.fontWeight() >= QFont::DemiBold ? QFont::Bold : QFont::Normal);
    if (f.hasProperty(QTextFormat::FontItalic))
        c.setFontItalic(f.fontItalic());
    if (f.hasProperty(QTextFormat::TextUnderlineStyle))
        c.setUnderlineStyle(f.underlineStyle());
    else if (f.hasProperty(QTextFormat::FontUnderline))
        c.setUnderlineStyle(f.boolProperty(QTextFormat::FontUnderline)
                                ? QTextCharFormat::SingleUnderline
                                : QTextCharFormat::NoUnderline);
    if (f.hasProperty(QTextFormat::TextUnderlineColor) && f.underlineColor().isValid())
        c.setUnderlineColor(QColor(f.underlineColor().rgb()));
    if (f.hasProperty(QTextFormat::FontStrikeOut))
        c.setFontStrikeOut(f.fontStrikeOut());
    if (f.hasProperty(QTextFormat::FontCapitalization)) {
        const QFont::Capitalization caps = f.fontCapitalization();
        if (caps == QFont::MixedCase || caps == QFont::AllUppercase || caps == QFont::SmallCaps)
            c.setFontCapitalization(caps);
    }
    if (f.hasProperty(QTextFormat::ForegroundBrush) && f.foreground().style() != Qt::NoBrush)
        c.setForeground(canonicalBrush(f.foreground()));
    if (f.hasProperty(QTextFormat::BackgroundBrush))
        c.setBackground(canonicalBrush(f.background()));
    if (f.hasProperty(QTextFormat::TextVerticalAlignment)) {
        const auto v = f.verticalAlignment();
        if (v == QTextCharFormat::AlignNormal || v == QTextCharFormat::AlignSuperScript ||
            v == QTextCharFormat::AlignSubScript)
            c.setVerticalAlignment(v);
    }
    if (!f.stringProperty(TextProp::RubyText).isEmpty()) {
        c.setProperty(TextProp::RubyText, f.stringProperty(TextProp::RubyText));
        if (f.intProperty(TextProp::RubyGroup) != 0)
            c.setProperty(TextProp::RubyGroup, 1);
    }
    if (f.intProperty(TextProp::NoteMark) > 0) {
        c.setProperty(TextProp::NoteMark, f.intProperty(TextProp::NoteMark));
        c.setProperty(TextProp::NoteId, f.intProperty(TextProp::NoteId));
    }
    if (f.intProperty(TextProp::FieldId) > 0) {
        c.setProperty(TextProp::FieldId, f.intProperty(TextProp::FieldId));
        c.setProperty(TextProp::FieldData, f.stringProperty(TextProp::FieldData));
        c.setProperty(TextProp::FieldLinkKind, f.intProperty(TextProp::FieldLinkKind));
        c.setProperty(TextProp::FieldAttribute, f.intProperty(TextProp::FieldAttribute));
    }
    return c;
}

QTextBlockFormat canonicalBlockFormat(const QTextBlockFormat &f) {
    QTextBlockFormat c;
    if (f.hasProperty(QTextFormat::BlockAlignment)) {
        const Qt::Alignment h = f.alignment() & Qt::AlignHorizontal_Mask & ~Qt::AlignAbsolute;
        if (h == Qt::AlignRight || h == Qt::AlignHCenter || h == Qt::AlignJustify)
            c.setAlignment(h);
        else
            c.setAlignment(Qt::AlignLeft);
    }
    for (int p :
         {QTextFormat::BlockLeftMargin, QTextFormat::BlockRightMargin, QTextFormat::TextIndent,
          QTextFormat::BlockTopMargin, QTextFormat::BlockBottomMargin})
        if (f.hasProperty(p))
            c.setProperty(p, twipsRounded(f.doubleProperty(p)));
    if (f.hasProperty(QTextFormat::LineHeightType)) {
        switch (f.lineHeightType()) {
        case QTextBlockFormat::ProportionalHeight:
            c.setLineHeight(qRound(f.lineHeight()), QTextBlockFormat::ProportionalHeight);
            break;
        case QTextBlockFormat::FixedHeight:
        case QTextBlockFormat::MinimumHeight:
            c.setLineHeight(twipsRounded(f.lineHeight()), f.lineHeightType());
            break;
        default:
            break;
        }
    }
    if (f.hasProperty(QTextFormat::BackgroundBrush))
        c.setBackground(canonicalBrush(f.background()));
    const auto breaks = f.pageBreakPolicy() &
                        (QTextFormat::PageBreak_AlwaysBefore | QTextFormat::PageBreak_AlwaysAfter);
    if (breaks)
        c.setPageBreakPolicy(breaks);
    if (f.hasProperty(QTextFormat::BlockNonBreakableLines))
        c.setNonBreakableLines(f.nonBreakableLines());
    if (f.headingLevel() > 0)
        c.setHeadingLevel(qMin(f.headingLevel(), 9));
    for (const auto &extra : kExtras)
        copyInt(f, c, extra.first);
    return c;
}

void writeRunProperties(QXmlStreamWriter &xml, const QTextCharFormat &f) {
    const QStringList families = f.fontFamilies().toStringList();
    const bool any = !families.isEmpty() || f.hasProperty(QTextFormat::FontPointSize) ||
                     f.hasProperty(QTextFormat::FontWeight) ||
                     f.hasProperty(QTextFormat::FontItalic) ||
                     f.hasProperty(QTextFormat::TextUnderlineStyle) ||
                     f.hasProperty(QTextFormat::FontStrikeOut) ||
                     f.hasProperty(QTextFormat::FontCapitalization) ||
                     f.hasProperty(QTextFormat::ForegroundBrush) ||
                     f.hasProperty(QTextFormat::BackgroundBrush) ||
                     f.hasProperty(QTextFormat::TextVerticalAlignment);
    if (!any)
        return;
    xml.writeStartElement(kNsW, L("rPr"));
    if (!families.isEmpty()) {
        const QString &name = families.first();
        xml.writeEmptyElement(kNsW, L("rFonts"));
        xml.writeAttribute(kNsW, L("ascii"), name);
        xml.writeAttribute(kNsW, L("eastAsia"), name);
        xml.writeAttribute(kNsW, L("hAnsi"), name);
    }
    if (f.hasProperty(QTextFormat::FontWeight))
        writeToggle(xml, L("b"), f.fontWeight() >= QFont::DemiBold);
    if (f.hasProperty(QTextFormat::FontItalic))
        writeToggle(xml, L("i"), f.fontItalic());
    if (f.hasProperty(QTextFormat::FontCapitalization)) {
        const QFont::Capitalization caps = f.fontCapitalization();
        writeToggle(xml, caps == QFont::SmallCaps ? L("smallCaps") : L("caps"),
                    caps != QFont::MixedCase);
    }
    if (f.hasProperty(QTextFormat::FontStrikeOut))
        writeToggle(xml, L("strike"), f.fontStrikeOut());
    if (f.hasProperty(QTextFormat::ForegroundBrush))
        writeVal(xml, L("color"), colorText(f.foreground().color()));
    if (f.hasProperty(QTextFormat::FontPointSize)) {
        const QString half = QString::number(qRound(f.fontPointSize() * 2));
        writeVal(xml, L("sz"), half);
    }
    if (f.hasProperty(QTextFormat::TextUnderlineStyle)) {
        const auto style = f.underlineStyle();
        L name("single");
        for (int i = 0; i < kWrittenUnderlines; ++i)
            if (kUnderlines[i].style == style)
                name = kUnderlines[i].name;
        writeVal(xml, L("u"), name);
        if (f.hasProperty(QTextFormat::TextUnderlineColor))
            xml.writeAttribute(kNsW, L("color"), colorText(f.underlineColor()));
    }
    if (f.hasProperty(QTextFormat::BackgroundBrush))
        writeShading(xml, f.background());
    if (f.hasProperty(QTextFormat::TextVerticalAlignment)) {
        const auto v = f.verticalAlignment();
        writeVal(xml, L("vertAlign"),
                 v == QTextCharFormat::AlignSuperScript ? QString(L("superscript"))
                 : v == QTextCharFormat::AlignSubScript ? QString(L("subscript"))
                                                        : QString(L("baseline")));
    }
    xml.writeEndElement();
}

void writeParagraphProperties(QXmlStreamWriter &xml, const QTextBlockFormat &b,
                              const QTextCharFormat &mark, const ParagraphExtras &list) {
    xml.writeStartElement(kNsW, L("pPr"));
    for (const auto &[property, name] : kExtras)
        if (b.hasProperty(property))
            xml.writeAttribute(kNsDj, name, QString::number(b.intProperty(property)));
    if (b.hasProperty(QTextFormat::BlockNonBreakableLines))
        writeToggle(xml, L("keepLines"), b.nonBreakableLines());
    if (b.pageBreakPolicy() & QTextFormat::PageBreak_AlwaysBefore)
        xml.writeEmptyElement(kNsW, L("pageBreakBefore"));
    if (!list.isEmpty()) {
        xml.writeStartElement(kNsW, L("numPr"));
        writeVal(xml, L("ilvl"), QString::number(list.level));
        writeVal(xml, L("numId"), QString::number(list.numId));
        xml.writeEndElement();
    }
    if (b.hasProperty(QTextFormat::BackgroundBrush))
        writeShading(xml, b.background());
    const bool before = b.hasProperty(QTextFormat::BlockTopMargin);
    const bool after = b.hasProperty(QTextFormat::BlockBottomMargin);
    const auto lineType = b.hasProperty(QTextFormat::LineHeightType) ? b.lineHeightType() : -1;
    if (before || after || lineType >= 0) {
        xml.writeEmptyElement(kNsW, L("spacing"));
        if (before)
            xml.writeAttribute(kNsW, L("before"), QString::number(twipsFromPx(b.topMargin())));
        if (after)
            xml.writeAttribute(kNsW, L("after"), QString::number(twipsFromPx(b.bottomMargin())));
        if (lineType == QTextBlockFormat::ProportionalHeight) {
            xml.writeAttribute(kNsW, L("line"), QString::number(qRound(b.lineHeight() * 2.4)));
            xml.writeAttribute(kNsW, L("lineRule"), L("auto"));
        } else if (lineType == QTextBlockFormat::FixedHeight ||
                   lineType == QTextBlockFormat::MinimumHeight) {
            xml.writeAttribute(kNsW, L("line"), QString::number(twipsFromPx(b.lineHeight())));
            xml.writeAttribute(kNsW, L("lineRule"),
                               lineType == QTextBlockFormat::FixedHeight ? L("exact")
                                                                         : L("atLeast"));
        }
    }
    const bool left = b.hasProperty(QTextFormat::BlockLeftMargin);
    const bool right = b.hasProperty(QTextFormat::BlockRightMargin);
    const bool first = b.hasProperty(QTextFormat::TextIndent);
    if (left || right || first) {
        xml.writeEmptyElement(kNsW, L("ind"));
        if (left)
            xml.writeAttribute(kNsW, L("left"), QString::number(twipsFromPx(b.leftMargin())));
        if (right)
            xml.writeAttribute(kNsW, L("right"), QString::number(twipsFromPx(b.rightMargin())));
        if (first) {
            const int indent = twipsFromPx(b.textIndent());
            if (indent < 0)
                xml.writeAttribute(kNsW, L("hanging"), QString::number(-indent));
            else
                xml.writeAttribute(kNsW, L("firstLine"), QString::number(indent));
        }
    }
    if (b.hasProperty(QTextFormat::BlockAlignment)) {
        const Qt::Alignment h = b.alignment();
        writeVal(xml, L("jc"),
                 h == Qt::AlignRight     ? QString(L("right"))
                 : h == Qt::AlignHCenter ? QString(L("center"))
                 : h == Qt::AlignJustify ? QString(L("both"))
                                         : QString(L("left")));
    }
    if (b.headingLevel() > 0)
        writeVal(xml, L("outlineLvl"), QString::number(b.headingLevel() - 1));
    writeRunProperties(xml, mark);
    xml.writeEndElement();
}

void ThemeFonts::read(const QByteArray &bytes) {
    QXmlStreamReader xml(bytes);
    QString *latin = nullptr;
    QString *eastAsia = nullptr;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        const QStringView n = xml.name();
        const QString face = xml.attributes().value(L("typeface")).toString();
        if (n == L("majorFont") || n == L("minorFont")) {
            const bool major = n == L("majorFont");
            latin = major ? &majorLatin : &minorLatin;
            eastAsia = major ? &majorEastAsia : &minorEastAsia;
        } else if (latin && n == L("latin")) {
            *latin = face;
        } else if (eastAsia && n == L("ea") && !face.isEmpty()) {
            *eastAsia = face;
        } else if (eastAsia && n == L("font") && eastAsia->isEmpty() &&
                   xml.attributes().value(L("script")) == L("Jpan")) {
            *eastAsia = face;
        }
    }
}

QString ThemeFonts::font(QStringView name) const {
    if (name == L("minorHAnsi") || name == L("minorAscii"))
        return minorLatin;
    if (name == L("majorHAnsi") || name == L("majorAscii"))
        return majorLatin;
    if (name == L("minorEastAsia"))
        return minorEastAsia;
    if (name == L("majorEastAsia"))
        return majorEastAsia;
    return {};
}

void readRunProperties(QXmlStreamReader &xml, QTextCharFormat &f, QString *style,
                       const ThemeFonts *theme, bool *deleted) {
    while (xml.readNextStartElement()) {
        const QStringView n = xml.name();
        if (xml.namespaceUri() != kNsW) {
            xml.skipCurrentElement();
            continue;
        }
        if (n == L("del")) {
            if (deleted)
                *deleted = true;
        } else if (n == L("rStyle")) {
            if (style)
                *style = wAttr(xml, L("val")).toString();
        } else if (n == L("rFonts")) {
            QString main = wAttr(xml, L("ascii")).toString();
            if (main.isEmpty())
                main = wAttr(xml, L("hAnsi")).toString();
            if (main.isEmpty() && theme)
                main = theme->font(wAttr(xml, L("asciiTheme")));
            QString eastAsia = wAttr(xml, L("eastAsia")).toString();
            if (eastAsia.isEmpty() && theme)
                eastAsia = theme->font(wAttr(xml, L("eastAsiaTheme")));
            QStringList families;
            if (!main.isEmpty())
                families << main;
            if (!eastAsia.isEmpty() && eastAsia != main)
                families << eastAsia;
            if (!families.isEmpty())
                f.setFontFamilies(families);
        } else if (n == L("b")) {
            f.setFontWeight(onOff(xml) ? QFont::Bold : QFont::Normal);
        } else if (n == L("i")) {
            f.setFontItalic(onOff(xml));
        } else if (n == L("caps")) {
            f.setFontCapitalization(onOff(xml) ? QFont::AllUppercase : QFont::MixedCase);
        } else if (n == L("smallCaps")) {
            f.setFontCapitalization(onOff(xml) ? QFont::SmallCaps : QFont::MixedCase);
        } else if (n == L("strike") || n == L("dstrike")) {
            f.setFontStrikeOut(onOff(xml));
        } else if (n == L("color")) {
            const QColor c = readColor(wAttr(xml, L("val")));
            if (c.isValid())
                f.setForeground(QBrush(c));
        } else if (n == L("sz")) {
            bool ok = false;
            const int half = wInt(xml, L("val"), &ok);
            if (ok && half > 0)
                f.setFontPointSize(half / 2.0);
        } else if (n == L("u")) {
            const QStringView v = wAttr(xml, L("val"));
            QTextCharFormat::UnderlineStyle style = QTextCharFormat::SingleUnderline;
            for (const UnderlineName &u : kUnderlines)
                if (u.name == v) {
                    style = u.style;
                    break;
                }
            f.setUnderlineStyle(style);
            const QColor c = readColor(wAttr(xml, L("color")));
            if (c.isValid())
                f.setUnderlineColor(c);
        } else if (n == L("highlight")) {
            const QStringView v = wAttr(xml, L("val"));
            f.setBackground(QBrush());
            for (const HighlightName &h : kHighlights)
                if (h.name == v)
                    f.setBackground(QBrush(QColor(h.rgb)));
        } else if (n == L("shd")) {
            // A highlight wins over shading, as in Word.
            if (!f.hasProperty(QTextFormat::BackgroundBrush) ||
                f.background().style() == Qt::NoBrush)
                f.setBackground(readShading(xml));
        } else if (n == L("vertAlign")) {
            const QStringView v = wAttr(xml, L("val"));
            f.setVerticalAlignment(v == L("superscript") ? QTextCharFormat::AlignSuperScript
                                   : v == L("subscript") ? QTextCharFormat::AlignSubScript
                                                         : QTextCharFormat::AlignNormal);
        }
        xml.skipCurrentElement();
    }
}

void readParagraphProperties(QXmlStreamReader &xml, ParagraphProps &p,
                             const std::function<void()> &section) {
    QTextBlockFormat &b = p.block;
    for (const auto &[property, name] : kExtras) {
        bool ok = false;
        const int value = xml.attributes().value(kNsDj, name).toInt(&ok);
        if (ok)
            b.setProperty(property, value);
    }
    while (xml.readNextStartElement()) {
        const QStringView n = xml.name();
        if (xml.namespaceUri() != kNsW) {
            xml.skipCurrentElement();
            continue;
        }
        bool ok = false;
        if (n == L("rPr")) {
            readRunProperties(xml, p.mark, nullptr, nullptr, &p.markDeleted);
            continue;
        }
        if (n == L("sectPr") && section) {
            section();
            continue;
        }
        if (n == L("numPr")) {
            while (xml.readNextStartElement()) {
                if (xml.name() == L("ilvl"))
                    p.level = wInt(xml, L("val"));
                else if (xml.name() == L("numId"))
                    p.numId = wInt(xml, L("val"));
                xml.skipCurrentElement();
            }
            continue;
        }
        if (n == L("pStyle")) {
            p.style = wAttr(xml, L("val")).toString();
        } else if (n == L("keepLines")) {
            b.setNonBreakableLines(onOff(xml));
        } else if (n == L("pageBreakBefore")) {
            b.setPageBreakPolicy(onOff(xml) ? QTextFormat::PageBreak_AlwaysBefore
                                            : QTextFormat::PageBreak_Auto);
        } else if (n == L("shd")) {
            b.setBackground(readShading(xml));
        } else if (n == L("spacing")) {
            const int before = wInt(xml, L("before"), &ok);
            if (ok)
                b.setTopMargin(pxFromTwips(before));
            const int after = wInt(xml, L("after"), &ok);
            if (ok)
                b.setBottomMargin(pxFromTwips(after));
            const int line = wInt(xml, L("line"), &ok);
            if (ok && line > 0) {
                const QStringView rule = wAttr(xml, L("lineRule"));
                if (rule == L("exact"))
                    b.setLineHeight(pxFromTwips(line), QTextBlockFormat::FixedHeight);
                else if (rule == L("atLeast"))
                    b.setLineHeight(pxFromTwips(line), QTextBlockFormat::MinimumHeight);
                else
                    b.setLineHeight(qRound(line / 2.4), QTextBlockFormat::ProportionalHeight);
            }
        } else if (n == L("ind")) {
            int v = wInt(xml, L("left"), &ok);
            if (!ok)
                v = wInt(xml, L("start"), &ok);
            if (ok)
                b.setLeftMargin(pxFromTwips(v));
            v = wInt(xml, L("right"), &ok);
            if (!ok)
                v = wInt(xml, L("end"), &ok);
            if (ok)
                b.setRightMargin(pxFromTwips(v));
            v = wInt(xml, L("firstLine"), &ok);
            if (ok)
                b.setTextIndent(pxFromTwips(v));
            v = wInt(xml, L("hanging"), &ok);
            if (ok)
                b.setTextIndent(-pxFromTwips(v));
        } else if (n == L("jc")) {
            const QStringView v = wAttr(xml, L("val"));
            b.setAlignment(v == L("right") || v == L("end")         ? Qt::AlignRight
                           : v == L("center")                       ? Qt::AlignHCenter
                           : v == L("both") || v == L("distribute") ? Qt::AlignJustify
                                                                    : Qt::AlignLeft);
        } else if (n == L("outlineLvl")) {
            const int level = wInt(xml, L("val"), &ok);
            if (ok && level >= 0 && level < 9)
                b.setHeadingLevel(level + 1);
        }
        xml.skipCurrentElement();
    }
}

} // namespace platform::docx::detail
