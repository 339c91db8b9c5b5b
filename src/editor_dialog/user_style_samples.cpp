#include "editor_dialog/user_style_samples.h"

#include <QtGlobal>
#include <cmath>

namespace editor_dialog {
namespace {

using settings::UserStyle;
using settings::UserStyleTable;

constexpr int kSamples = 6;
constexpr int kWhite = 0xFFFFFF;

const char16_t *const kSampleTexts[kSamples] = {
    u"見出1　今日の出来事",      u"見出2　朝の散歩",
    u"見出3　公園にて",          u"本文　桜が咲き始めていました。",
    u"強調　とても綺麗でした。", u"補足　(午前7時頃)",
};

void showCharacters(platform::TextSurface &s, const UserStyle &style) {
    s.setFontName(style.fontName);
    s.setFontSize(style.size);
    s.setTextColor(style.textColor);
    s.setBold(style.bold == 1);
    s.setBackColor(style.backColor);
}

void readCharacters(const platform::TextSurface &s, UserStyle &style) {
    style.fontName = s.fontName();
    style.size = qint16(qBound(1, int(std::lround(s.fontSize())), 1638));
    style.textColor = s.textColor();
    style.bold = s.bold() ? 1 : 0;
    style.backColor = s.backColor();
}

qint16 field(int value) {
    return qint16(qBound(-32768, value, 32767));
}

void showArea(platform::TextSurface &s, const QString &text, const UserStyle &style) {
    s.clearWhole();
    s.setSelText(text);
    s.select(0, -1);
    showCharacters(s, style);
    s.setAlignment(style.alignment);
    s.setSelStart(0);
}

void readArea(platform::TextSurface &s, UserStyle &style) {
    // The first character carries the area's format.
    s.select(0, 1);
    readCharacters(s, style);
    style.alignment = field(s.alignment());
    s.setSelStart(0);
}

} // namespace

StyleSamples::StyleSamples()
    : m_text(std::make_unique<platform::TextSurface>()),
      m_head(std::make_unique<platform::TextSurface>()),
      m_foot(std::make_unique<platform::TextSurface>()) {}

void StyleSamples::selectSample(int style) {
    const int wanted = qBound(0, style, kSamples - 1);
    int start = 0;
    for (int i = 0; i < wanted; ++i)
        start = m_text->paragraphEnd(start) + 1;
    m_text->select(start, m_text->paragraphEnd(start) - start);
}

void StyleSamples::show(const UserStyleTable &table) {
    m_text->clearWhole();
    QStringList lines;
    for (const char16_t *line : kSampleTexts)
        lines << QString::fromUtf16(line);
    m_text->setSelText(lines.join(QChar(10)));
    for (int i = 0; i < kSamples; ++i) {
        const UserStyle &style = table.styles[std::size_t(i)];
        selectSample(i);
        showCharacters(*m_text, style);
        const bool heading = i <= settings::Heading3;
        m_text->setAlignment(heading ? style.alignment : 0);
        m_text->setSpaceBefore(heading ? style.spacingA : 0);
        m_text->setSpaceAfter(heading ? style.spacingB : 0);
        m_text->setLineSpacing(heading ? style.lineSpacing
                                       : platform::TextSurface::AutomaticLineSpacing);
        m_text->setLeftIndent(style.leftIndent);
        m_text->setRightIndent(style.indentB);
        m_text->setFirstLineIndent(style.indentC);
    }
    m_text->setSelStart(0);
    showArea(*m_head, QStringLiteral("ﾍｯﾀﾞｰ　2026年4月1日 (水)"), table.styles[settings::Header]);
    showArea(*m_foot, QStringLiteral("ﾌｯﾀｰ　- 1 -"), table.styles[settings::Footer]);
}

void StyleSamples::setAreaAlignment(bool footer, int alignment) {
    platform::TextSurface &s = footer ? *m_foot : *m_head;
    s.select(0, -1);
    s.setAlignment(alignment);
    s.setSelStart(0);
}

int StyleSamples::areaAlignment(bool footer) {
    platform::TextSurface &s = footer ? *m_foot : *m_head;
    s.setSelStart(0);
    return s.alignment();
}

UserStyleTable StyleSamples::read(const UserStyleTable &base) {
    UserStyleTable table = base;
    for (int i = 0; i < kSamples; ++i) {
        UserStyle &style = table.styles[std::size_t(i)];
        selectSample(i);
        if (i <= settings::Heading3) {
            style.alignment = field(m_text->alignment());
            style.spacingA = field(m_text->spaceBefore());
            style.spacingB = field(m_text->spaceAfter());
            style.lineSpacing = field(m_text->lineSpacing());
        } else {
            style.alignment = 0;
            style.spacingA = 0;
            style.spacingB = 0;
            style.lineSpacing = platform::TextSurface::AutomaticLineSpacing;
        }
        style.leftIndent = field(m_text->leftIndent());
        style.indentB = field(m_text->rightIndent());
        style.indentC = field(m_text->firstLineIndent());
        readCharacters(*m_text, style);
    }
    m_text->setSelStart(0);
    readArea(*m_head, table.styles[settings::Header]);
    readArea(*m_foot, table.styles[settings::Footer]);
    return table;
}

bool keepHeadingOrder(UserStyleTable &table) {
    auto size = [&table](int i) -> qint16 & { return table.styles[std::size_t(i)].size; };
    const bool ordered = size(settings::Heading2) < size(settings::Heading1) &&
                         size(settings::Heading3) < size(settings::Heading2) &&
                         size(settings::Heading3) >= size(settings::Body) &&
                         size(settings::Heading3) >= size(settings::Emphasis) &&
                         size(settings::Heading3) >= 10;
    if (ordered)
        return false;
    int b = qMin<int>(size(settings::Body), 12);
    const int c = qMin<int>(size(settings::Emphasis), 12);
    if (c < b)
        b = c;
    const int e = b > 10 ? b + 1 : 12;
    size(settings::Heading1) = qint16(e + 2);
    size(settings::Heading2) = qint16(e + 1);
    size(settings::Heading3) = qint16(e);
    size(settings::Body) = qint16(b);
    size(settings::Emphasis) = qint16(c);
    return true;
}

float checkedLineSpacing(double factor) {
    return factor >= 1 && factor <= 2 ? float(factor) : 1.2f;
}

bool confirmUserStyles(StyleSamples &samples, UserStyleTable &table, double factor,
                       bool titleIsFirstHeading, bool enterIsLineBreak) {
    UserStyleTable edited = samples.read(table);
    edited.titleIsFirstHeading = titleIsFirstHeading;
    edited.enterIsLineBreak = enterIsLineBreak;
    edited.lineSpacingFactor = checkedLineSpacing(factor);
    const bool reordered = keepHeadingOrder(edited);
    UserStyle &supplement = edited.styles[settings::Supplement];
    supplement.fontName = edited.styles[settings::Body].fontName;
    supplement.backColor = kWhite;
    table = edited;
    return reordered;
}

} // namespace editor_dialog
