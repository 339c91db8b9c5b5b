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

} // namespace platform::docx::detail
