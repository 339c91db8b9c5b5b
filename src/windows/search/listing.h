#pragma once

#include "diary/store.h"

#include <QColor>
#include <QList>
#include <QMargins>
#include <QRect>
#include <QString>

class QTextDocument;

// The listing of the search and recent-list window, kept apart from the window so it can be
// built and read without one.
namespace searchwin {

inline const QColor HeadingColour{0, 128, 128}; // mark and date
inline const QColor SummaryColour{0, 0, 128};
inline const QColor TextColour{0, 0, 0};
inline const QColor MatchColour{255, 0, 0}; // the first match, also underlined

// Replaces doc's content with one entry per row, in row order: a bold heading "■yy/MM/dd_",
// two spaces and the summary, then the plain text and an empty line. When word is not empty,
// the first match in each summary and each text (letter case ignored) is shown as word itself,
// red and underlined.
void buildListing(QTextDocument &doc, const QList<diary::DiaryRow> &rows, const QString &word);

// The key ("yyMMdd") of the heading whose mark and date touch the caret position pos (the
// character after or before it); "" anywhere else.
QString headingKeyAt(const QTextDocument &doc, int pos);

// The window's first place, as the geometry of its inside: its frame (title bar included, frame
// being the margins a window frame adds) over the host's editor area, from the host's top to
// its bottom, moved and shrunk as needed to stay inside screen.
QRect listingPlacement(const QRect &mainWindow, const QRect &editorArea, const QMargins &frame,
                       const QRect &screen);

} // namespace searchwin
