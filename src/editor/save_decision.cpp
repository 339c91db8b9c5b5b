#include "editor/save_decision.h"

#include "platform/dialogs.h"

namespace editor {

LeaveAction decideOnLeave(bool changed, int editorType, const QString &updateMode,
                          bool withCancel) {
    if (!changed || editorType < 0)
        return LeaveAction::Nothing;
    if (updateMode == QStringLiteral("上書"))
        return LeaveAction::Save;
    if (updateMode != QStringLiteral("確認"))
        return LeaveAction::Nothing;
    const platform::Answer answer = platform::dialogs().message(
        QStringLiteral("現在の文書を保存しますか"),
        withCancel ? platform::Buttons::YesNoCancel : platform::Buttons::YesNo,
        platform::Icon::Question);
    switch (answer) {
    case platform::Answer::Yes:
        return LeaveAction::Save;
    case platform::Answer::No:
        return withCancel ? LeaveAction::Discard : LeaveAction::Nothing;
    default:
        return withCancel ? LeaveAction::Cancel : LeaveAction::Nothing;
    }
}

} // namespace editor
