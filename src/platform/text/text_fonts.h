#pragma once

namespace platform {

// Entries and styles written on Windows name the Japanese system faces (ＭＳ Ｐゴシック, ＭＳ 明朝,
// ...). Where those are not installed, the text is drawn, printed and exported to PDF with the
// matching IPA face, while the documents keep the names they carry.
void installFontSubstitutes();

} // namespace platform
