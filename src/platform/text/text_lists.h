#pragma once

#include <QString>
#include <QTextListFormat>

class QTextBlock;
class QTextBlockFormat;
class QTextList;

// List labels Qt cannot show. Qt 6.4 numbers every list from 1, while a list read from a file may
// start elsewhere (TextProp::ListStart). The items of such a list carry a block ListStyle of
// ListStyleUndefined, which keeps Qt from drawing its own marker; the view and the page renderer
// draw listItemLabel in its place. The list format itself stays as it is, so codecs keep it.
namespace platform {

// The number of a list's first item.
int listStart(const QTextListFormat &format);
// A numbered list whose first item is not 1: its labels are ours to draw.
bool hasOwnLabels(const QTextListFormat &format);
// The item's Qt marker is switched off and its label is drawn by us.
bool drawsOwnLabel(const QTextBlock &block);
// What the item's label shows: Qt's text, or for lists with their own labels the number counted
// from the list's start. Empty for bullets and blocks outside lists.
QString listItemLabel(const QTextBlock &block);
// Switches Qt's marker off or on for every item of the list, as the list's format needs.
void updateOwnLabels(QTextList *list);
// The block format values that switch Qt's marker off.
void switchOffQtMarker(QTextBlockFormat &format);

} // namespace platform
