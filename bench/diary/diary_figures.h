#pragma once

#include <QString>

namespace diary {
class Store;
}

// The search times beside memmem over the same folded bytes and a bare trigram query, the file's
// unused share and index size, and resident memory; then the same after compaction.
void printFigures(diary::Store &store, const QString &userDir, const QString &tplDir);
