#pragma once

#include "scripted_dialogs.h"

#include <QApplication>
#include <QByteArray>
#include <QStandardPaths>

#include <cstddef>
#include <cstdint>
#include <memory>

// Every target needs the real Qt text engine (fonts, layout), on the offscreen platform and with
// the per-user folders redirected, as the tests have it. Messages a reader shows about damaged
// input are answered at once instead of waiting for a user.
namespace fuzzsupport {

inline testsupport::ScriptedDialogs &quietDialogs() {
    static testsupport::ScriptedDialogs *dialogs = [] {
        auto owned = std::make_unique<testsupport::ScriptedDialogs>();
        testsupport::ScriptedDialogs *raw = owned.get();
        platform::setDialogs(std::move(owned));
        return raw;
    }();
    dialogs->shown.clear();
    return *dialogs;
}

inline void startQt() {
    static int argc = 1;
    static char name[] = "drjvo_fuzz";
    static char *argv[] = {name, nullptr};
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QStandardPaths::setTestModeEnabled(true);
    static QApplication app(argc, argv);
    quietDialogs();
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
