#pragma once

#include "diary/folded_texts.h"
#include "diary/store.h"

namespace diary {

// The 50 newest entries (key, summary, text) whose text holds word as a literal substring,
// letter case ignored (both sides Unicode case-folded). Words of three or more characters are
// looked up in the trigram index and each hit confirmed on the folded copy; shorter words scan
// the folded texts held in memory (loaded on first use). Without a search copy (a diary that
// could not be given one) the entries' texts are scanned instead.
QList<DiaryRow> searchEntries(platform::Database &db, FoldedTexts &folded, const QString &word,
                              bool haveCopy);

} // namespace diary
