#pragma once

#include "html/html_token.h"

#include <QString>

namespace html {

// What the tokeniser needs from the rest of the conversion.
struct TokenizerContext {
    QString bodyFont; // font name of the user style "本文"
    float lineSpacingFactor = 1.0f;
    QString baseAddress; // base href of the export, may be empty
};

// Rewrites paragraphs whose own style has a background colour into a plain paragraph holding
// a span with the character declarations; every tag must already stand between CRs.
QString rewriteHighlightedParagraphs(const QString &text);

// Normalises the body text (line breaks, tags on lines of their own, fonts, full-width
// spaces, highlighted paragraphs) and cuts it into tokens with their attributes, styles and
// tag rules applied. False when the body has more tokens than the list can count.
bool tokenizeBody(const QString &body, const TokenizerContext &context, TokenList &tokens);

} // namespace html
