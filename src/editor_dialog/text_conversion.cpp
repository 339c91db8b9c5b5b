#include "editor_dialog/text_conversion.h"

#include <unicode/translit.h>
#include <unicode/unistr.h>

#include <memory>

namespace editor_dialog {
namespace {

const char *transliteratorId(Conversion conversion) {
    switch (conversion) {
    case Conversion::FullWidth:
        return "Halfwidth-Fullwidth";
    case Conversion::HalfWidth:
        return "Hiragana-Katakana; Fullwidth-Halfwidth";
    case Conversion::Upper:
        return "Any-Upper";
    case Conversion::Lower:
        return "Any-Lower";
    case Conversion::Proper:
        return "Any-Title";
    }
    return "Any-Null";
}

} // namespace

QString convertText(const QString &text, Conversion conversion) {
    UErrorCode status = U_ZERO_ERROR;
    std::unique_ptr<icu::Transliterator> transliterator(icu::Transliterator::createInstance(
        icu::UnicodeString(transliteratorId(conversion)), UTRANS_FORWARD, status));
    if (U_FAILURE(status) || !transliterator)
        return text;
    icu::UnicodeString value(reinterpret_cast<const char16_t *>(text.utf16()),
                             int32_t(text.size()));
    transliterator->transliterate(value);
    return QString(reinterpret_cast<const QChar *>(value.getBuffer()), value.length());
}

} // namespace editor_dialog
