#pragma once

#include <QString>

namespace editor {
class uTxm;
}

namespace editor::files {

// Before a diary entry goes to the host: pictures are kept in the document, empty fields go,
// and with the work-file switch on the Word work file is written ("temp.doc" in the work folder,
// or Dbs/_doc/NNNN.doc for the host's nTmpNo). False when the work file could not be written.
bool workFileSave(uTxm &editor);

// The work file for a work document number: "Dbs/_doc/NNNN.doc" under the user folder, or
// "temp.doc" in the work folder for 0.
QString workFilePath(int number);

} // namespace editor::files
