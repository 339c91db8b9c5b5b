#pragma once

#include <QDate>

// Date switches in the started program's main window, from the pick to the editor's first paint,
// medians of several runs: between two typical entries (target under 10 ms), and to the
// 100,000-character entry stored on largeDay beside the switch to a typical one.
void printDateSwitchFigures(const QDate &largeDay);
