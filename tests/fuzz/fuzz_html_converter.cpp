// The HTML converter over an exported page from outside.
#include "fuzz_support.h"
#include "html/converter.h"
#include "settings/user_styles.h"

DRJVO_FUZZ_INIT

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    static const settings::UserStyleTable styles = settings::UserStyleTable::defaults();
    html::convertPage(
        QString::fromUtf8(fuzzsupport::bytes(data, size)),
        {QStringLiteral("/nonexistent/page.htm"), QStringLiteral("a\tb\r"), QStringLiteral("t")},
        styles);
    return 0;
}
