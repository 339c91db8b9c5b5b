#pragma once

#include "platform/text/text_model.h"

#include <QByteArray>
#include <QString>

#include <functional>

// The package is a standard Word document (document, styles, numbering, headers and footers,
// pictures in word/media). What WordprocessingML has no place for is kept where Word and
// LibreOffice leave it alone:
// - a field's text is enclosed in a bookmark named "_drJvoF" + n; the record part
//   customXml/item1.xml holds field n's id, data, link kind and attribute. Links are also
//   w:hyperlink elements (relationship targets, w:anchor for "#..." data, w:tooltip for "TP_..."),
//   and a tag "TG_..." is also a bookmark of that name, so links and tooltips work in Word;
// - pictures and text frames carry the number n in their drawing name ("Picture n",
//   "Text Box n"); the record part holds object id, kind, resource name, export code, save mode,
//   text flow and scales, and a text frame's whole QTextFrameFormat;
// - a table's and a cell's whole format, and the paragraph values kept as given, ride in
//   ignorable attributes of our own namespace (mc:Ignorable="dj"), read back from our packages.
// Packages of other programs are read through their styles (basedOn chains, docDefaults, theme
// fonts), numbering, tables, pictures, hyperlinks and HYPERLINK fields.
namespace platform::docx {

// Writes the content as a WordprocessingML package (.docx) in memory. The bytes depend only on
// the content: writing the same content twice gives identical bytes.
QByteArray write(const TextContent &content);

// Reads a .docx package into the content's documents (cleared first) and page values. Areas that
// the package holds are read into the matching non-null documents of content.areas and their
// bits set in content.page.headerFooterBits. Returns false and leaves a reason in error when the
// bytes are not a readable package.
//
// A long main text can be shown before it is all read: given a first screen, and when the part
// is at least minimumPart bytes long and its page values stand alone at the end of the body
// (as in our packages), the page values and the header and footer are read first, and `shown` is
// called once, with the main text's edit blocks closed, as soon as `characters` characters of it
// are in, at the end of a top-level paragraph or table. Reading then goes on; what is read in
// the end is the same as without a first screen.
struct FirstScreen {
    int minimumPart = 64 * 1024; // bytes of the main part's XML
    int characters = 8000;
    std::function<void()> shown;
};
bool read(const QByteArray &bytes, TextContent &content, QString *error = nullptr,
          const FirstScreen *first = nullptr);

} // namespace platform::docx
