#pragma once

#include <QByteArray>
#include <QColor>
#include <QString>
#include <QTextCharFormat>

class QTextCursor;
class QTextDocument;

// Small helpers shared by the text surface's files and its codecs.
namespace platform::surfaceutil {

// 0x00BBGGRR integers at the surface's API.
int toBgr(const QColor &color);
QColor fromBgr(int bgr);

// Inserts text with the surface's codes at the cursor (replacing its selection): 10 (and CR LF,
// CR) a paragraph end, 11 a line break, 12 a page break; code 1 is dropped.
void insertCoded(QTextCursor &cursor, const QString &text, const QTextCharFormat &format);

// Maps raw document text to the surface's codes (U+2028 to 11, U+FFFC to 1).
QString codedText(const QString &raw);

// The format text takes after a picture: the picture's own properties removed.
QTextCharFormat textFormat(QTextCharFormat format);

// Removes the field properties from a char format.
QTextCharFormat withoutField(QTextCharFormat format);

// Removes the field properties from the characters from..end (document positions) that carry
// field id (any field for 0).
void stripField(QTextDocument &document, int from, int end, int id);

// The resource name of a picture: derived from its bytes, so equal pictures share one resource
// and names never clash between documents.
QString imageName(const QByteArray &encoded);

// The encoded bytes of an image resource (PNG for a decoded image), empty when missing.
QByteArray imageBytes(const QTextDocument &document, const QString &name);

} // namespace platform::surfaceutil
