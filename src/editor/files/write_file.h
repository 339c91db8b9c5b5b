#pragma once

#include <QString>

namespace editor {
class uTxm;
}

namespace editor::files {

enum class Written { Ok, Failed, Unsupported, Cancelled };

// Writes the document to path in the format its extension names (rtf, txt, doc, docx, pdf, and
// htm/html through the HTML converter). A failure or an extension outside these is reported to
// the user; the document's changed flag is left alone.
Written writeByExtension(uTxm &editor, const QString &path);

// The message of an extension no writer takes.
QString unsupportedMessage(const QString &path);
// The message of a file that could not be written.
QString saveFailedMessage(const QString &path);

} // namespace editor::files
