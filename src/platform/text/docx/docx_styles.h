#pragma once

#include "docx_formats.h"

#include <QByteArray>
#include <QHash>

// What styles.xml defines, for packages written by other programs.
namespace platform::docx::detail {

class StyleSheet {
public:
    void read(const QByteArray &xml, const ThemeFonts *theme = nullptr);

    const QTextCharFormat &defaultRun() const { return m_defaultRun; }
    QString defaultParagraphStyle() const { return m_defaultParagraph; }
    // A paragraph style with everything it inherits (docDefaults included).
    ParagraphProps paragraph(const QString &styleId) const;
    // The run properties of a character style and the styles it is based on.
    QTextCharFormat characterStyle(const QString &styleId) const;

private:
    struct Style {
        QString basedOn;
        ParagraphProps props; // props.mark holds the style's run properties
    };
    QList<const Style *> chainOf(const QString &styleId) const;

    QTextCharFormat m_defaultRun;
    QTextBlockFormat m_defaultBlock;
    QString m_defaultParagraph;
    QHash<QString, Style> m_styles;
    mutable QHash<QString, ParagraphProps> m_resolved;
};

} // namespace platform::docx::detail
