// The surface's readers of bytes from outside: format 3 (the clipboard's private type), RTF and
// HTML, each loaded whole and into a selection. The first byte picks the reader.
#include "fuzz_support.h"
#include "platform/text/text_surface.h"

DRJVO_FUZZ_INIT

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    if (size < 1)
        return 0;
    using platform::TextSurface;
    static const int formats[] = {TextSurface::Internal, TextSurface::Rtf, TextSurface::Html};
    const int format = formats[data[0] % 3];
    const QByteArray bytes = fuzzsupport::bytes(data + 1, size - 1);
    TextSurface surface;
    surface.setSelText(QStringLiteral("前"));
    if (surface.loadFromMemory(bytes, format, (data[0] / 3) % 2 == 1))
        surface.saveToMemory(TextSurface::Internal);
    return 0;
}
