#pragma once

namespace platform {
class TextSurface;
}

namespace editor {

// Rewrites of paragraph boundaries on the surface's codes: 10 paragraph end, 11 line break, 12
// page break (which ends a paragraph too).

enum class BreakDirection { EndsToBreaks, BreaksToEnds };

// Keeps the surface's edits in one batch for its lifetime: laid out once, undone as one step.
class SurfaceBatch {
public:
    explicit SurfaceBatch(platform::TextSurface &surface);
    ~SurfaceBatch();
    SurfaceBatch(const SurfaceBatch &) = delete;
    SurfaceBatch &operator=(const SurfaceBatch &) = delete;

private:
    platform::TextSurface &m_surface;
};

// The paragraph end at position becomes a line break, when the paragraphs on both sides sit in
// the same frame or table cell. False when nothing changed.
bool paragraphEndToLineBreak(platform::TextSurface &surface, int position);
// The line break at position becomes a paragraph end.
bool lineBreakToParagraphEnd(platform::TextSurface &surface, int position);

// The rewrite done before a style is applied. With extend, a selection that starts at a
// paragraph boundary is made to end at one too. Inside the selection (one trailing end or break
// aside) paragraph ends of paragraphs outside lists become line breaks, or line breaks become
// paragraph ends. The selection is kept. Returns true when the selection starts inside a
// paragraph.
bool rewriteBoundaries(platform::TextSurface &surface, bool extend, BreakDirection direction);

// Makes the line holding position a paragraph of its own, selects it and returns its end.
int isolateLine(platform::TextSurface &surface, int position);

// Joins the selected paragraphs where both neighbours are outside lists; the selection is kept.
void joinSelectedParagraphs(platform::TextSurface &surface);
// Joins neighbouring paragraphs outside lists whose indents, spacing and alignment are equal.
void joinEqualParagraphs(platform::TextSurface &surface);

} // namespace editor
