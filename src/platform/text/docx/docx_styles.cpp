#include "docx_styles.h"

#include "docx_common.h"

#include <QXmlStreamReader>

namespace platform::docx::detail {

namespace {
using L = QLatin1StringView;
constexpr int kMaxStyleDepth = 32;

QString wValue(const QXmlStreamReader &xml, L name = L("val")) {
    return xml.attributes().value(kNsW, name).toString();
}
} // namespace

void StyleSheet::read(const QByteArray &bytes, const ThemeFonts *theme) {
    QXmlStreamReader xml(bytes);
    if (!xml.readNextStartElement())
        return;
    while (xml.readNextStartElement()) {
        if (xml.name() == L("docDefaults")) {
            while (xml.readNextStartElement()) {
                const bool run = xml.name() == L("rPrDefault");
                const bool para = xml.name() == L("pPrDefault");
                while (xml.readNextStartElement()) {
                    if (run && xml.name() == L("rPr")) {
                        readRunProperties(xml, m_defaultRun, nullptr, theme);
                    } else if (para && xml.name() == L("pPr")) {
                        ParagraphProps props;
                        readParagraphProperties(xml, props);
                        m_defaultBlock = props.block;
                    } else {
                        xml.skipCurrentElement();
                    }
                }
            }
        } else if (xml.name() == L("style")) {
            const QString id = wValue(xml, L("styleId"));
            const QString type = wValue(xml, L("type"));
            const QString isDefault = wValue(xml, L("default"));
            if (type == L("paragraph") && (isDefault == L("1") || isDefault == L("true")))
                m_defaultParagraph = id;
            Style style;
            while (xml.readNextStartElement()) {
                if (xml.name() == L("basedOn")) {
                    style.basedOn = wValue(xml);
                    xml.skipCurrentElement();
                } else if (xml.name() == L("pPr")) {
                    readParagraphProperties(xml, style.props);
                } else if (xml.name() == L("rPr")) {
                    readRunProperties(xml, style.props.mark, nullptr, theme);
                } else {
                    xml.skipCurrentElement();
                }
            }
            m_styles.insert(id, style);
        } else {
            xml.skipCurrentElement();
        }
    }
}

// The chain from a style up to its root, root first, so that later entries override.
QList<const StyleSheet::Style *> StyleSheet::chainOf(const QString &styleId) const {
    QList<const Style *> chain;
    QString id = styleId;
    while (!id.isEmpty() && chain.size() < kMaxStyleDepth) {
        const auto it = m_styles.constFind(id);
        if (it == m_styles.cend())
            break;
        chain.prepend(&*it);
        id = it->basedOn;
    }
    return chain;
}

ParagraphProps StyleSheet::paragraph(const QString &styleId) const {
    if (const auto it = m_resolved.constFind(styleId); it != m_resolved.cend())
        return *it;
    const QList<const Style *> chain = chainOf(styleId);
    ParagraphProps result;
    result.block = m_defaultBlock;
    result.mark = m_defaultRun;
    for (const Style *s : chain) {
        result.block.merge(s->props.block);
        result.mark.merge(s->props.mark);
        if (s->props.numId >= 0)
            result.numId = s->props.numId;
        if (s->props.level >= 0)
            result.level = s->props.level;
    }
    result.style = styleId;
    return *m_resolved.insert(styleId, result);
}

QTextCharFormat StyleSheet::characterStyle(const QString &styleId) const {
    const QList<const Style *> chain = chainOf(styleId);
    QTextCharFormat format;
    for (const Style *s : chain)
        format.merge(s->props.mark);
    return format;
}

void NumberingDefinitions::read(const QByteArray &bytes) {
    QXmlStreamReader xml(bytes);
    if (!xml.readNextStartElement())
        return;
    while (xml.readNextStartElement()) {
        if (xml.name() == L("abstractNum")) {
            const int id = wValue(xml, L("abstractNumId")).toInt();
            QHash<int, Level> &levels = m_abstract[id];
            while (xml.readNextStartElement()) {
                if (xml.name() != L("lvl")) {
                    xml.skipCurrentElement();
                    continue;
                }
                const int ilvl = wValue(xml, L("ilvl")).toInt();
                Level level;
                while (xml.readNextStartElement()) {
                    if (xml.name() == L("numFmt"))
                        level.numFmt = wValue(xml);
                    else if (xml.name() == L("lvlText"))
                        level.text = wValue(xml);
                    xml.skipCurrentElement();
                }
                levels.insert(ilvl, level);
            }
        } else if (xml.name() == L("num")) {
            const int numId = wValue(xml, L("numId")).toInt();
            while (xml.readNextStartElement()) {
                if (xml.name() == L("abstractNumId"))
                    m_nums.insert(numId, wValue(xml).toInt());
                xml.skipCurrentElement();
            }
        } else {
            xml.skipCurrentElement();
        }
    }
}

bool NumberingDefinitions::listFormat(int numId, int level, QTextListFormat &format) const {
    const auto num = m_nums.constFind(numId);
    if (num == m_nums.cend())
        return false;
    const auto levels = m_abstract.constFind(*num);
    if (levels == m_abstract.cend())
        return false;
    const Level def = levels->value(level);
    format = QTextListFormat();
    format.setIndent(level + 1);
    if (def.numFmt == L("none"))
        return false;
    if (def.numFmt == L("bullet")) {
        const QString &t = def.text;
        if (t == QStringLiteral("\u25E6") || t == L("o"))
            format.setStyle(QTextListFormat::ListCircle);
        else if (t == QStringLiteral("\u25AA") || t == QStringLiteral("\u25A0") ||
                 t == QStringLiteral("\uF0A7"))
            format.setStyle(QTextListFormat::ListSquare);
        else
            format.setStyle(QTextListFormat::ListDisc);
        return true;
    }
    if (def.numFmt == L("lowerLetter"))
        format.setStyle(QTextListFormat::ListLowerAlpha);
    else if (def.numFmt == L("upperLetter"))
        format.setStyle(QTextListFormat::ListUpperAlpha);
    else if (def.numFmt == L("lowerRoman"))
        format.setStyle(QTextListFormat::ListLowerRoman);
    else if (def.numFmt == L("upperRoman"))
        format.setStyle(QTextListFormat::ListUpperRoman);
    else
        format.setStyle(QTextListFormat::ListDecimal);
    // "(%1)" gives prefix "(" and suffix ")"; a multi-level "%1.%2." keeps its outer texts.
    const QString &t = def.text;
    const qsizetype first = t.indexOf(u'%');
    if (first >= 0) {
        qsizetype last = t.lastIndexOf(u'%');
        if (last + 1 < t.size() && t.at(last + 1).isDigit())
            ++last;
        if (!t.left(first).isEmpty())
            format.setNumberPrefix(t.left(first));
        format.setNumberSuffix(t.mid(last + 1));
    } else {
        format.setNumberSuffix(QString());
    }
    return true;
}

} // namespace platform::docx::detail
