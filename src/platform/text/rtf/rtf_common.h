#pragma once

#include <QByteArray>
#include <QString>
#include <QTextFormat>

// Pieces the RTF reader and writer share.
namespace platform::rtf::detail {

constexpr int MaxDepth = 256;            // nested groups
constexpr int MaxTableEntries = 4096;    // fonts, colours, lists
constexpr int MaxRowCells = 256;         // cell definitions in one row
constexpr qint64 MaxTableCells = 200000; // cells in one document
constexpr qsizetype MaxPictureBytes = 64 << 20;
constexpr qint64 MaxPicturePixels = 36'000'000;   // one picture, 6000 × 6000
constexpr qint64 MaxDocumentPixels = 400'000'000; // all pictures of one file
constexpr int MaxTwips = 31680 * 4;               // about 2.2 m: lengths beyond are nonsense

// Private destinations: the rest of a format the control words did not express.
inline constexpr char CharRest[] = "djcf";
inline constexpr char ParagraphRest[] = "djpf";
inline constexpr char TableRest[] = "djtf";
inline constexpr char CellRest[] = "djclf";
inline constexpr char ListRest[] = "djlf";
inline constexpr char DefaultFont[] = "djdf";
// A text frame's paragraphs stand between these two, the first with the frame's format.
inline constexpr char FrameBegin[] = "djfrb";
inline constexpr char FrameEnd[] = "djfre";
constexpr int MaxFrameDepth = 8;

// A format's properties as bytes of the surface's checked format codec; the object index, which
// belongs to one document, is left out.
QByteArray encodeFormat(const QTextFormat &format);
// Reads bytes of encodeFormat; false for anything the codec refuses.
bool decodeFormat(const QByteArray &bytes, QTextFormat *format);
// Sets every property of from on to.
void mergeFormat(QTextFormat &to, const QTextFormat &from);

// Pixels (96 dpi) and twips.
inline double pxFromTwips(int twips) {
    return twips / 15.0;
}
// The twips of a pixel length when they give the same length back.
bool exactTwips(double px, int *twips);

// The Windows code page of an RTF \fcharset, 0 when the charset names none.
int codePageOfCharset(int charset);

// Decodes bytes of a Windows code page (932 two bytes a character), through Qt's ICU codecs.
QString decodeCodePage(int codePage, const QByteArray &bytes);

} // namespace platform::rtf::detail
