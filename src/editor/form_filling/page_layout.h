#pragma once

namespace platform {
class TextSurface;
}

namespace editor {

// Prepares a form page: after the user agreed to lose a non-empty document, empties it and
// puts sections - 1 text frames one under the other, each as wide as the text and one section
// of the page high less the top and bottom margins. False when nothing changed.
bool layoutFormPage(platform::TextSurface &surface, int sections);

} // namespace editor
