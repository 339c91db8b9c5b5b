#pragma once

#include <QList>

namespace platform {
class TextSurface;
}

namespace editor {

// A table as form filling numbers it: the text frame it stands in (0 the main text) and its id.
struct FormTable {
    int frameId = 0;
    int tableId = 0;
    bool operator==(const FormTable &) const = default;
};

// Every table of the main text, then those of each text frame in the frames' order, each once,
// in order of first appearance.
QList<FormTable> formTables(const platform::TextSurface &surface);

} // namespace editor
