#pragma once

#include <QApplication>
#include <QByteArray>
#include <QStandardPaths>

#include <cstddef>
#include <cstdint>

// Every target needs the real Qt text engine (fonts, layout), on the offscreen platform and with
// the per-user folders redirected, as the tests have it.
namespace fuzzsupport {

inline void startQt() {
    static int argc = 1;
    static char name[] = "drjvo_fuzz";
    static char *argv[] = {name, nullptr};
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QStandardPaths::setTestModeEnabled(true);
    static QApplication app(argc, argv);
}

inline QByteArray bytes(const uint8_t *data, size_t size) {
    return QByteArray(reinterpret_cast<const char *>(data), qsizetype(size));
}

} // namespace fuzzsupport

#define DRJVO_FUZZ_INIT                                                                            \
    extern "C" int LLVMFuzzerInitialize(int *, char ***) {                                         \
        fuzzsupport::startQt();                                                                    \
        return 0;                                                                                  \
    }
