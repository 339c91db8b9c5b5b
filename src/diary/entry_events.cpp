#include "diary/entry_events.h"

#include "platform/dialogs.h"

namespace diary {

EntryEvents &entryEvents() {
    static EntryEvents events;
    return events;
}

FollowUp followWrite(const EntryKey &shownKey, const EntryKey &writtenKey, bool changed) {
    if (shownKey.isEmpty() || shownKey != writtenKey)
        return FollowUp::Nothing;
    if (!changed)
        return FollowUp::Reload;
    const platform::Answer answer = platform::dialogs().message(
        QStringLiteral("%1 の日記が別のウィンドウで保存されました。\n"
                       "このウィンドウでの変更を残しますか。\n"
                       "残さない場合は、保存された内容を読み込み直します。")
            .arg(displayKey(shownKey)),
        platform::Buttons::YesNo, platform::Icon::Question, {}, platform::Answer::Yes);
    return answer == platform::Answer::No ? FollowUp::Reload : FollowUp::KeepOwn;
}

void tellEntryUnreadable(const EntryKey &key) {
    platform::dialogs().message(QStringLiteral("%1 の日記を読み込めません。\n"
                                               "保存されている内容はそのまま残します。\n"
                                               "この日の日記は、削除するまで編集できません。")
                                    .arg(displayKey(key)),
                                platform::Buttons::Ok, platform::Icon::Exclamation);
}

} // namespace diary
