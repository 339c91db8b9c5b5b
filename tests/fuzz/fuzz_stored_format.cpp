// The two readers of a stored text format: the typed codec (clipboard, internal format, RTF
// extension) and the walker of the stream layout written by earlier versions (Word packages).
// The first byte picks the reader; a format that reads is written again and read back.
#include "fuzz_support.h"
#include "platform/text/legacy_format_stream.h"
#include "platform/text/text_format_codec.h"

#include <QDataStream>
#include <QIODevice>
#include <cstdlib>

DRJVO_FUZZ_INIT

using namespace platform::formatcodec;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    if (size < 1)
        return 0;
    const QByteArray bytes = fuzzsupport::bytes(data + 1, size - 1);
    QTextFormat format;
    bool read = false;
    if (data[0] % 2 == 0) {
        QDataStream stream(bytes);
        ByteReader in(stream);
        read = readFormat(in, &format) && in.ok();
    } else {
        read = readLegacyStreamFormat(bytes, &format);
    }
    if (!read)
        return 0;
    QByteArray again;
    {
        QDataStream out(&again, QIODevice::WriteOnly);
        writeFormat(out, format);
    }
    QDataStream stream(again);
    ByteReader in(stream);
    QTextFormat back;
    // Whatever a reader accepts, the program's own writer must write readably and stably.
    if (!readFormat(in, &back))
        std::abort();
    QByteArray third;
    {
        QDataStream out(&third, QIODevice::WriteOnly);
        writeFormat(out, back);
    }
    if (third != again)
        std::abort();
    return 0;
}
