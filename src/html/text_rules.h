#pragma once

#include <QString>
#include <QtGlobal>

namespace html {

// Text operations shared by the conversion rules.

// Trims spaces (U+0020) only; line feeds and other white space stay.
QString trimSpaces(const QString &text);

// Replaces every pair of spaces by one space in a single pass.
QString halveDoubleSpaces(const QString &text);

// The text after the first a (ignoring case; an empty a is the start) up to the next b
// (ignoring case), or to the end when b does not follow; empty when a does not occur.
QString textBetween(const QString &text, const QString &a, const QString &b);

// Removes a declaration (style text without double quotes) or an attribute (text holding a
// double quote) by name.
QString removeItem(const QString &text, const QString &name);

// Moves the attribute attrName out of attributes into style as property:value.
void attributeToDeclaration(QString &attributes, QString &style, const QString &attrName,
                            const QString &property);

// A colour value 0x00BBGGRR as RRGGBB.
QString colourText(qint32 value);

// Leading number of a text ("12.5pt" gives 12.5, no number gives 0).
double leadingNumber(const QString &text);

// Page file name of a tag link target: "7" gives "007.htm", "12.HTML" stays.
QString pageFileName(const QString &name);

// True when the text is empty or holds only space characters code page 932 cannot write
// (such as the no-break space), which is what an empty exported paragraph holds.
bool isBlankParagraphText(const QString &text);

} // namespace html
