#pragma once

#include <QTextFormat>
#include <array>

class QTextDocument;

namespace platform {

// User properties carried by the char and frame formats of the surface's QTextDocuments. They are
// the contract between the text surface, its codecs (internal format, Word format, HTML export)
// and the view; every codec keeps all of them. Numbers are stable: they are written into the
// internal format.
namespace TextProp {
enum : int {
    // Fields (char format): a field is the maximal run of characters with the same FieldId.
    FieldId = QTextFormat::UserProperty + 1,   // int > 0
    FieldData = QTextFormat::UserProperty + 2, // QString data string ("TG_…", "TP_…", "@", URL)
    FieldLinkKind = QTextFormat::UserProperty + 3,  // int: 1 link or data field, 2 tag or tooltip
    FieldAttribute = QTextFormat::UserProperty + 4, // int attribute value (149 for markers)

    // Objects (pictures: QTextImageFormat; text frames: QTextFrameFormat).
    ObjectId = QTextFormat::UserProperty + 10,          // int > 0, stable while the document lives
    ObjectKind = QTextFormat::UserProperty + 11,        // int: 4 picture, 32 text frame
    PictureExportCode = QTextFormat::UserProperty + 12, // int (3 PNG, 4 the picture's own)
    PictureSaveMode = QTextFormat::UserProperty + 13,   // int
    TextFlow = QTextFormat::UserProperty + 14,          // int: 0 inline, 1/2/3 positioned modes
    ScaleX = QTextFormat::UserProperty + 15,            // int percent
    ScaleY = QTextFormat::UserProperty + 16,            // int percent
    FrameDistances = QTextFormat::UserProperty + 17,    // QList<int> left, top, right, bottom twips
    FrameTop = QTextFormat::UserProperty + 18,   // int twips from the top margin (positioned frame)
    FrameWidth = QTextFormat::UserProperty + 19, // int twips (QTextFrameFormat width is 1/15 of it)
    FrameHeight = QTextFormat::UserProperty + 20, // int twips
    // QString: the file a picture came from (the picture form of editor type 3).
    PictureFileName = QTextFormat::UserProperty + 21,

    // Paragraph values kept as given so that reading returns what was set (block format).
    LineSpacing = QTextFormat::UserProperty + 30, // int: 7936 automatic single, else percent
    LineAmount = QTextFormat::UserProperty + 31,  // int twips: minimum line pitch, 0 none
    IndentD = QTextFormat::UserProperty + 32,     // int
    IndentE = QTextFormat::UserProperty + 33,     // int

    // Ruby (furigana) over the characters that carry it (char format): the ruby text.
    RubyText = QTextFormat::UserProperty + 40, // QString
    // Footnotes and endnotes. A note's mark (char format) and its body paragraphs at the end of
    // the document (block format) share a NoteId; a separator paragraph comes before the bodies.
    NoteMark = QTextFormat::UserProperty + 41,      // int on the mark: 1 footnote, 2 endnote
    NoteId = QTextFormat::UserProperty + 42,        // int > 0, on the mark and the body blocks
    NoteBody = QTextFormat::UserProperty + 43,      // int on body blocks: 1 footnote, 2 endnote
    NoteSeparator = QTextFormat::UserProperty + 44, // bool on the separator block
    // The number a list's first item has in Word when it is not 1 (list format). Qt's lists
    // count from 1, so the view shows them from 1.
    ListStart = QTextFormat::UserProperty + 45, // int
    // Tells apart two rubies side by side with the same ruby text (char format, with RubyText):
    // adjacent characters with different values are under different rubies.
    RubyGroup = QTextFormat::UserProperty + 46, // int, absent or 1
};
} // namespace TextProp

// Plain-text codes of the surface. A paragraph end is QTextDocument's block separator (code 10). A
// line break inside a paragraph is U+2028 (code 11). A page break (code 12) is the block separator
// before a block whose format has QTextFormat::PageBreak_AlwaysBefore. A picture is U+FFFC (code
// 1). Lengths in QTextFormats (frame width, image size) are pixels at 96 dpi: one pixel is 15
// twips.

// Header and footer bits of the page: which of the four areas exist.
enum HeaderFooterBit : int {
    HeaderEveryPage = 1,
    HeaderFirstPage = 2,
    FooterEveryPage = 4,
    FooterFirstPage = 8,
};

// Page values stored with a document. Lengths in twips.
struct PageSetup {
    int width = 12240; // Letter, the first-start default
    int height = 15840;
    int marginLeft = 850; // 1.5 cm
    int marginTop = 850;
    int marginRight = 567; // 1 cm
    int marginBottom = 567;
    bool landscape = false;
    int headerFooterBits = 0; // HeaderFooterBit flags

    bool operator==(const PageSetup &) const = default;
};

// Page sizes and margins a document may name: up to 44 inches, in twips. Values from files are
// held to this range, so that no page has a negative or overflowing text area.
constexpr int MaxPageTwips = 63360;

constexpr int pageTwips(qint64 value) {
    return int(value < 0 ? (-value > MaxPageTwips ? MaxPageTwips : -value)
                         : (value > MaxPageTwips ? MaxPageTwips : value));
}

constexpr bool plausiblePage(const PageSetup &p) {
    const auto within = [](int v) { return v >= 0 && v <= MaxPageTwips; };
    return p.width > 0 && p.height > 0 && within(p.width) && within(p.height) &&
           within(p.marginLeft) && within(p.marginTop) && within(p.marginRight) &&
           within(p.marginBottom) && p.headerFooterBits >= 0 && p.headerFooterBits <= 15;
}

// The whole content of a surface, as codecs and the page renderer see it. Non-owning. areas holds
// the header and footer documents in bit order: 0 header on every page (bit 1), 1 header on the
// first page (bit 2), 2 footer on every page (bit 4), 3 footer on the first page (bit 8); an area
// whose bit is clear in page.headerFooterBits is ignored and may be null.
//
// Pictures live in the document's resources (QTextDocument::ImageResource) under the name of
// their QTextImageFormat, stored as the encoded file bytes (QByteArray: PNG, JPEG, ...) so that
// a picture is never re-encoded; readers accept a QImage resource too.
struct TextContent {
    QTextDocument *main = nullptr;
    std::array<QTextDocument *, 4> areas{};
    PageSetup page;
};

} // namespace platform
