#pragma once

#include <QString>

namespace settings {
struct UserStyleTable;
}

namespace html {

enum class HtmError {
    None,
    Export,   // the text surface could not write the page
    Read,     // the exported page could not be read
    NoBody,   // the exported page has no "<body"
    Overflow, // more tokens than the token list can count
    Write,    // the converted page could not be written
};

// Outcome of a conversion; message is the text the caller shows.
struct HtmStatus {
    HtmError error = HtmError::None;
    QString message;

    bool ok() const { return error == HtmError::None; }
};

// What the conversion reads besides the exported page.
struct PageContext {
    QString fileName;     // full path of the page; names the picture folder
    QString tooltipTable; // lines "link text TAB tooltip CR"
    QString title;        // written into the title element as it is
};

// The converted page in its parts.
struct ConvertedPage {
    HtmStatus status;
    QString head;       // doctype up to "</head>", style block included
    QString styleBlock; // the style element
    QString body;       // serialised body, full-width spaces restored

    QString page() const { return head + body; }
};

// Converts the page text the surface exported into the stored page. No files are touched.
ConvertedPage convertPage(const QString &exported, const PageContext &context,
                          const settings::UserStyleTable &styles);

// The base address the export wrote into its head (empty if there is none).
QString baseAddressOf(const QString &exported);

} // namespace html
