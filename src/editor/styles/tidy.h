#pragma once

namespace platform {
class TextSurface;
}

namespace editor {

// The text half of tidying (command 24): neighbouring paragraphs outside lists that look alike
// are joined with line breaks, and trailing blanks and empty paragraphs at the end go. Returns
// true when the text changed.
bool tidyText(platform::TextSurface &surface);

} // namespace editor
