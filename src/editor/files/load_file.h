#pragma once

#include <QString>

namespace editor {
class uTxm;
}

namespace editor::files {

// Loads the file at path into the document: replacing it (insert 0), at the caret between line
// feeds (insert set), into the text frame selector names (1 or more) or into every text frame
// (below 0, the file read once). A missing file or another extension does nothing; a file that
// cannot be read is reported. True when the file was loaded.
bool loadFile(uTxm &editor, const QString &path, bool insert, int selector);

// The open dialog "文書の読み込み", then loadFile with the chosen file. Unless skipProposal is
// set, a "Temp.Doc" in the work folder changed this month is proposed. True when a file was
// loaded.
bool openDialog(uTxm &editor, bool skipProposal, bool insert, int selector);

// The work document the open dialog proposes: "Temp.Doc" in the work folder (any case), when it
// was last changed in the current month. Empty otherwise.
QString proposedWorkFile(const QString &workFolder);

} // namespace editor::files
