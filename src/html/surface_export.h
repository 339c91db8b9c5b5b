#pragma once

#include "html/yhtm.h"

namespace platform {
class TextSurface;
}

namespace html {

// The export step for a text surface: every picture of the main text and of the header and
// footer areas gets its export code (3 PNG, 4 its own format), main-text pictures save mode 0,
// then the whole document is written as an HTML page with its NAME_images folder.
yHtm::ExportPage surfaceExport(platform::TextSurface &surface);

} // namespace html
