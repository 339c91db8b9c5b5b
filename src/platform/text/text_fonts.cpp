#include "platform/text/text_fonts.h"

#include <QFont>
#include <QFontDatabase>
#include <QStringList>

namespace platform {

namespace {

struct Substitute {
    const char16_t *face;
    const char16_t *ipa;
};

// Proportional faces go to the proportional IPA faces, fixed-pitch ones to the fixed-pitch.
constexpr Substitute kSubstitutes[] = {
    {u"ＭＳ Ｐゴシック", u"IPAPGothic"}, {u"MS PGothic", u"IPAPGothic"},
    {u"ＭＳ ゴシック", u"IPAGothic"},    {u"MS Gothic", u"IPAGothic"},
    {u"ＭＳ Ｐ明朝", u"IPAPMincho"},     {u"MS PMincho", u"IPAPMincho"},
    {u"ＭＳ 明朝", u"IPAMincho"},        {u"MS Mincho", u"IPAMincho"},
    {u"メイリオ", u"IPAPGothic"},        {u"Meiryo", u"IPAPGothic"},
};

} // namespace

void installFontSubstitutes() {
    const QStringList installed = QFontDatabase::families();
    for (const Substitute &s : kSubstitutes) {
        const QString face = QString::fromUtf16(s.face);
        const QString ipa = QString::fromUtf16(s.ipa);
        // An installed face is used as it is; a missing IPA face leaves the system's choice.
        if (installed.contains(face) || !installed.contains(ipa))
            continue;
        if (!QFont::substitutes(face).contains(ipa, Qt::CaseInsensitive))
            QFont::insertSubstitution(face, ipa);
    }
}

QFont layoutFont(QFont font) {
    font.setStyleStrategy(QFont::StyleStrategy(font.styleStrategy() | QFont::PreferNoShaping));
    return font;
}

} // namespace platform
