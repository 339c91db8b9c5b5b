#include "editor/styles/indent.h"

#include "editor/styles/paragraph_rewrite.h"
#include "editor/styles/styles.h"
#include "platform/dialogs.h"
#include "platform/text/text_surface.h"

#include <cmath>

namespace editor {

namespace {

// Far beyond any page width, well inside the stored 16-bit field.
constexpr int kMaxIndent = 31680;

} // namespace

bool indentParagraph(platform::TextSurface &surface, const settings::UserStyleTable &table,
                     int editorType, int argument) {
    const int unit = indentUnit(table);
    if (surface.fontSize() > table.styles[settings::Body].size && surface.leftIndent() > 0) {
        platform::dialogs().message(
            QStringLiteral("見出し部には、設定できません (Htmではｽﾀｲﾙｼｰﾄで設定します)"));
        return false;
    }
    SurfaceBatch batch(surface);
    QString selected = surface.selText();
    if (selected.isEmpty()) {
        platform::dialogs().message(QStringLiteral("範囲が指定されていません"));
        return false;
    }
    if (selected.startsWith(QChar(10)))
        selected.remove(0, 1);
    if (selected.endsWith(QChar(10)))
        selected.chop(1);
    if (selected.contains(QChar(10))) {
        if (editorType > 1) {
            platform::dialogs().message(QStringLiteral("複数の段落にまたがっています"));
            return false;
        }
        joinSelectedParagraphs(surface);
    }

    int indent = surface.leftIndent() + unit;
    if (argument == 1) {
        QString answer = QString::number(surface.leftIndent() / double(unit));
        if (!platform::dialogs().input(QStringLiteral("左ｲﾝﾃﾞﾝﾄの文字数を指定して下さい"),
                                       QStringLiteral("字下げ(字上げ)"), answer))
            return false;
        bool ok = false;
        const double characters = answer.trimmed().toDouble(&ok);
        if (!ok || !std::isfinite(characters))
            return false;
        indent = int(std::lround(qBound(-1e6, characters * unit, 1e6)));
    }
    indent = qBound(0, indent, kMaxIndent);

    rewriteBoundaries(surface, true, BreakDirection::EndsToBreaks);
    surface.setLeftIndent(indent);
    return true;
}

} // namespace editor
