#pragma once

#include <QString>

namespace editor {
class uTxm;
}

namespace editor::textimport {

// The plain text of a txt, doc, docx, rtf or htm file, read by a second, invisible surface, with
// every paragraph end turned into a line break so that it goes in as one paragraph. Empty for
// another extension; false when the file cannot be read.
bool readPlainText(const QString &path, QString *text);

// Command 32: asks for a file and inserts its plain text at the caret. True when text went in.
bool insertTextFile(uTxm &editor);

} // namespace editor::textimport
