#pragma once

#include <QColor>
#include <QString>
#include <QTextBlockFormat>
#include <QTextCharFormat>

#include <functional>

class QXmlStreamReader;
class QXmlStreamWriter;

// Character and paragraph formatting: the values a Word package can hold, written as w:rPr and
// w:pPr and read back to the same values.
namespace platform::docx::detail {

// The part of a char format the package keeps, with values as they read back. Two fragments
// with equal canonical formats are one run.
QTextCharFormat canonicalCharFormat(const QTextCharFormat &format);
QTextBlockFormat canonicalBlockFormat(const QTextBlockFormat &format);

// w:rPr from a canonical format; writes nothing when the format is empty.
void writeRunProperties(QXmlStreamWriter &xml, const QTextCharFormat &format);

// The w:pPr children before numPr; the caller writes numPr itself between the two halves.
struct ParagraphExtras {
    int numId = 0;
    int level = 0;
    bool isEmpty() const { return numId == 0; }
};
void writeParagraphProperties(QXmlStreamWriter &xml, const QTextBlockFormat &block,
                              const QTextCharFormat &markFormat, const ParagraphExtras &list);

// What a w:pPr says, as far as it is read.
struct ParagraphProps {
    QTextBlockFormat block;
    QTextCharFormat mark; // the paragraph mark's run properties
    QString style;
    int numId = -1; // -1 none given, 0 explicitly no list
    int level = -1;
    bool markDeleted = false; // a tracked deletion of the paragraph mark
};

// Reads the element the reader is on (w:rPr, w:pPr) up to its end; merges into the target.
// The document theme's fonts, which other programs' run properties name instead of a family.
struct ThemeFonts {
    QString minorLatin, minorEastAsia, majorLatin, majorEastAsia;
    void read(const QByteArray &xml);
    QString font(QStringView themeName) const;
};

void readRunProperties(QXmlStreamReader &xml, QTextCharFormat &format, QString *style = nullptr,
                       const ThemeFonts *theme = nullptr, bool *deleted = nullptr);
// A w:sectPr inside goes to section, which reads it up to its end; without one it is skipped.
void readParagraphProperties(QXmlStreamReader &xml, ParagraphProps &props,
                             const std::function<void()> &section = {});

// "FF8080" style colours; "auto" and garbage are invalid.
QColor readColor(QStringView text);
QString colorText(const QColor &color);

} // namespace platform::docx::detail
