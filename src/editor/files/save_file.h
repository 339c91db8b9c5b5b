#pragma once

#include <QString>

namespace editor {
class uTxm;
}

namespace editor::files {

// Save (command 4) in an editor of a file (type above 0): to path, else to the current file,
// else to a name asked for. Writes the format the extension names. True when written.
bool saveToFile(uTxm &editor, const QString &path = {});

// The proposal of the save dialog: the first line of the text, empty for a text without a line
// feed.
QString proposedName(const QString &text);

// Writes "$Wrk.htm" in the work folder and opens it; the changed flag stays as it was, since
// nothing was stored.
bool viewAsWebPage(uTxm &editor);

} // namespace editor::files
