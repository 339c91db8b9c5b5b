#pragma once

#include "platform/text/text_model.h"

#include <QByteArray>
#include <QString>

// Format 5: rich text. The writer gives plain RTF that word processors read (font and colour
// tables, \listtable, \trowd tables with merged cells, \pict PNG and JPEG, HYPERLINK fields,
// headers and footers, page values); text is ASCII with \uN escapes and a CP932 fallback.
// What RTF has no word for (field ids and data, picture properties, whole table, cell and list
// formats, paragraph values kept as given) rides in private destinations {\*\dj...} that other
// readers skip, so that our own files read back to the same document.
namespace platform::rtf {

// The content as RTF. The bytes depend only on the content.
QByteArray write(const TextContent &content);

// Reads RTF into the content's documents (cleared first) and page values; the areas the file
// holds are read into the non-null documents of content.areas and their bits set. Returns false
// with a reason for bytes that are not readable RTF; the documents are then unspecified, so
// callers read into scratch documents.
bool read(const QByteArray &bytes, TextContent &content, QString *error = nullptr);

} // namespace platform::rtf
