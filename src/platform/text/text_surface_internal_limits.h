#pragma once

#include <QtGlobal>

// The bounds format 3's reader holds bytes to: far above any real document, low enough that bytes
// from outside cannot exhaust the machine. Documents other readers build are held to the same
// bounds before the surface takes them.
namespace platform::internalformat {

constexpr quint32 MaxFormats = 1 << 20;
constexpr quint32 MaxImages = 10000;
constexpr quint32 MaxNameChars = 4096;
constexpr int MaxBlocks = 1000000;
constexpr qint64 MaxCells = 100000; // per document, every table together
constexpr int MaxDepth = 16;        // frames and tables inside each other
constexpr double MaxFontPoints = 16384;

} // namespace platform::internalformat
