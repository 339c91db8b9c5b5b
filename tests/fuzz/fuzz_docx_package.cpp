// A whole Word package from outside: zip structure, relationships, every part.
#include "fuzz_support.h"
#include "platform/text/docx/docx_codec.h"

#include <QTextDocument>

DRJVO_FUZZ_INIT

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    QTextDocument main;
    std::array<QTextDocument, 4> areas;
    platform::TextContent content;
    content.main = &main;
    for (std::size_t i = 0; i < areas.size(); ++i)
        content.areas[i] = &areas[i];
    // Every other input is read as a long entry is, with a first screen after its first block.
    platform::docx::FirstScreen first;
    first.minimumPart = 0;
    first.characters = 1;
    first.shown = [&main] { main.toPlainText(); };
    platform::docx::read(fuzzsupport::bytes(data, size), content, nullptr,
                         size % 2 ? &first : nullptr);
    return 0;
}
