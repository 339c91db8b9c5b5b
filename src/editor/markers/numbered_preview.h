#pragma once

namespace platform {
class TextSurface;
}

namespace editor {

// Loads the whole document of source into copy and numbers what form filling fills: every field
// of link kind 1 shows "FD:" n, every empty table cell of the main text "t,r,c", every text
// frame "TF:" n. False when the document could not be copied.
bool numberedCopy(platform::TextSurface &source, platform::TextSurface &copy);

} // namespace editor
