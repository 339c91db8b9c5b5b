#pragma once

#include <QFont>

namespace platform {

// Entries and styles written on Windows name the Japanese system faces (ＭＳ Ｐゴシック, ＭＳ 明朝,
// ...). Where those are not installed, the text is drawn, printed and exported to PDF with the
// matching IPA face, while the documents keep the names they carry.
void installFontSubstitutes();

// The default font a document lays its text out with. Text is broken into runs wherever the
// script changes, and Japanese changes it every few characters (kanji, kana, Latin); shaping
// each short run through OpenType is most of the time a long paragraph takes to lay out.
// Japanese and Latin text need no shaping to be drawn right, so it is skipped for them; scripts
// that need it (Arabic, Indic, ...) are still shaped.
QFont layoutFont(QFont font);

} // namespace platform
