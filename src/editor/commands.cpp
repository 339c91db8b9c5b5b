#include "editor/commands.h"

#include "platform/dialogs.h"

#include <QHash>
#include <algorithm>
#include <initializer_list>

namespace editor {

namespace {

bool among(int code, std::initializer_list<int> codes) {
    return std::find(codes.begin(), codes.end(), code) != codes.end();
}

QString cutCaption(const QString &caption) {
    const qsizetype paren = caption.indexOf(u'(');
    return (paren >= 0 ? caption.left(paren) : caption).trimmed();
}

// Captions whose argument the menu supplies as it stands.
const QHash<QString, int> &plainCaptions() {
    static const QHash<QString, int> table = {
        {QStringLiteral("元に戻す"), cmd::Undo},
        {QStringLiteral("やり直し"), cmd::Redo},
        {QStringLiteral("切り取り"), cmd::Cut},
        {QStringLiteral("ｺﾋﾟｰ"), cmd::Copy},
        {QStringLiteral("貼付"), cmd::Paste},
        {QStringLiteral("貼り付け"), cmd::Paste},
        {QStringLiteral("ｸﾘｱ"), cmd::Clear},
        {QStringLiteral("全て選択"), cmd::SelectAll},
        {QStringLiteral("検索"), cmd::Find},
        {QStringLiteral("置換"), cmd::Replace},
        {QStringLiteral("整形"), cmd::Tidy},
        {QStringLiteral("他のﾍﾟｰｼﾞを参照"), cmd::OtherPage},
        {QStringLiteral("文書を更新"), cmd::Save},
        {QStringLiteral("ﾂｰﾙﾊﾞｰ"), cmd::BarToggle},
        {QStringLiteral("文字色指定"), cmd::BarToggle},
        {QStringLiteral("書式指定"), cmd::BarToggle},
        {QStringLiteral("ｽﾃｰﾀｽﾊﾞｰ"), cmd::BarToggle},
        {QStringLiteral("ﾙｰﾗｰ"), cmd::BarToggle},
        {QStringLiteral("全て表示"), cmd::BarToggle},
        {QStringLiteral("全て非表示"), cmd::BarToggle},
        {QStringLiteral("ﾃｷｽﾄ"), cmd::InsertTextFile},
        {QStringLiteral("画像 WMF形式"), cmd::InsertWmf},
        {QStringLiteral("ﾃｷｽﾄﾌﾚｰﾑ"), cmd::InsertTextFrame},
        {QStringLiteral("OLEｵﾌﾞｼﾞｪｸﾄ"), cmd::InsertOle},
        {QStringLiteral("ｲﾝﾗｲﾝﾌﾚｰﾑ"), cmd::InsertInlineFrame},
        {QStringLiteral("javascript"), cmd::JavaScript},
        {QStringLiteral("改頁"), cmd::PageBreak},
        {QStringLiteral("ｽﾀｲﾙ"), cmd::UserStyle},
        {QStringLiteral("ﾌｫﾝﾄ"), cmd::FontDialog},
        {QStringLiteral("段落"), cmd::ParagraphDialog},
        {QStringLiteral("ﾘｽﾄ"), cmd::ListDialog},
        {QStringLiteral("書式のｺﾋﾟｰ"), cmd::CopyFormat},
        {QStringLiteral("書式の貼り付け"), cmd::PasteFormat},
        {QStringLiteral("表挿入"), cmd::TableInsert},
        {QStringLiteral("表分割"), cmd::TableSplit},
        {QStringLiteral("表削除"), cmd::TableDelete},
        {QStringLiteral("表選択"), cmd::TableSelect},
        {QStringLiteral("表属性"), cmd::TableProperties},
        {QStringLiteral("ｸﾞﾘｯﾄﾞ"), cmd::GridLines},
        {QStringLiteral("文書ﾍﾟｰｼﾞ"), cmd::PageSetup},
        {QStringLiteral("ﾍﾟｰｼﾞ表示"), cmd::DisplaySettings},
        {QStringLiteral("ﾕｰｻﾞｰｽﾀｲﾙ"), cmd::UserStyles},
        {QStringLiteral("画像ﾚｲｱｳﾄの既定値"), cmd::PictureDefaults},
        {QStringLiteral("IME･更新確認"), cmd::ImeSettings},
        {QStringLiteral("既定のﾌﾞﾘﾝﾀ設定"), cmd::PrinterSettings},
        {QStringLiteral("文書貼付"), cmd::PasteMode},
        // Sub-menu entries that stand for a command with a fixed argument of their own.
        {QStringLiteral("ｸﾞﾗﾌ"), cmd::InsertGraph},
        {QStringLiteral("ﾁｬｰﾄ"), cmd::InsertChart},
        {QStringLiteral("ﾜｰﾄﾞ・ﾜｰﾄﾞﾊﾟｯﾄ文書"), cmd::InsertDocument},
        {QStringLiteral("他ﾍﾟｰｼﾞの文書"), cmd::InsertOtherPage},
    };
    return table;
}

const QHash<QString, QString> &pasteCaptions() {
    static const QHash<QString, QString> table = {
        {QStringLiteral("ﾃｷｽﾄとして貼り付け"), QStringLiteral("TXT")},
        {QStringLiteral("画像として貼り付け"), QStringLiteral("PIC")},
        {QStringLiteral("ｵﾌﾞｼﾞｪｸﾄとして貼り付け"), QStringLiteral("OBJ")},
    };
    return table;
}

int markerArgument(const QString &caption) {
    if (caption.contains(QStringLiteral("修正")))
        return 1;
    if (caption.contains(QStringLiteral("削除")))
        return 2;
    return 0;
}

} // namespace

bool takesSnapshot(int code) {
    return among(code, {10, 15, 23, 24, 30, 32, 33, 40, 41, 50, 51, 53, 55, 60, 71});
}

bool leavesDocumentAlone(int code) {
    return among(code,
                 {cmd::SaveAs, cmd::Print, cmd::Preview, cmd::WebView, cmd::Copy, cmd::RefreshBars,
                  cmd::SelectAll, cmd::Find, cmd::DisplaySettings, cmd::BarToggle, cmd::ImeSettings,
                  cmd::PrinterSettings, cmd::PasteMode, cmd::GridLines, cmd::Zoom, cmd::Repaint});
}

bool focusesSurface(int code) {
    return among(code, {13, 14, 20});
}

bool closesInputMethod(int code) {
    return code >= 63 && code <= 66;
}

bool switchesDocument(int code) {
    return among(code, {2, 4, 5});
}

bool alwaysChanges(int code) {
    return among(code, {10, 23, 24, 30, 40, 54, 60, 71, 80, 82});
}

bool changesWhenReported(int code) {
    // A paste or picture that failed, or a link, tag or tooltip that was cancelled or refused,
    // leaves the flag alone.
    return among(code, {15, 32, 33, 34, 35, 41, 42, 43, 44, 50, 51, 53, 55, 61, 62, 63, 64, 85});
}

std::optional<int> zoomFor(int current, const QVariant &argument) {
    const QString text = argument.toString().trimmed();
    if (text == QStringLiteral("拡大"))
        return current + 20;
    if (text == QStringLiteral("縮小"))
        return current - 20;
    bool ok = false;
    const double value = text.toDouble(&ok);
    if (!ok || value == 0 || value <= 10 || value >= 1000)
        return std::nullopt;
    return int(value);
}

BarToggle barToggleFor(const QVariant &argument) {
    BarToggle toggle;
    bool ok = false;
    const int a = argument.toInt(&ok);
    if (!ok || a == 0)
        return toggle;
    toggle.show = a > 0;
    const int which = a < 0 ? -a : a;
    if (a == 7 || a == -8) {
        toggle.valid = true;
        std::fill(std::begin(toggle.bands), std::end(toggle.bands), true);
        toggle.rulers = true;
    } else if (which >= 1 && which <= 4) {
        toggle.valid = true;
        toggle.bands[which - 1] = true;
    } else if (which == 5) {
        toggle.valid = true;
        toggle.rulers = true;
    }
    return toggle;
}

std::optional<MenuCommand> commandForCaption(const QString &caption, const QVariant &argument) {
    const QString c = cutCaption(caption);
    if (c == QStringLiteral("初期化")) {
        if (platform::dialogs().message(QStringLiteral("文書全体を初期化して良いですか"),
                                        platform::Buttons::OkCancel,
                                        platform::Icon::Question) != platform::Answer::Ok)
            return std::nullopt;
        return MenuCommand{cmd::New, {}};
    }
    if (c == QStringLiteral("画像"))
        return MenuCommand{argument.toInt() == 3 ? cmd::InsertPicture : cmd::InsertSizedPicture,
                           argument};
    if (c.startsWith(QStringLiteral("ﾊｲﾊﾟｰﾘﾝｸ")))
        return MenuCommand{cmd::Hyperlink, markerArgument(c)};
    if (c.startsWith(QStringLiteral("ﾀｸﾞ")))
        return MenuCommand{cmd::Tag, markerArgument(c)};
    if (c.startsWith(QStringLiteral("ﾂｰﾙﾁｯﾌﾟ")))
        return MenuCommand{cmd::Tooltip, markerArgument(c)};
    if (c.startsWith(QStringLiteral("dxml参照")))
        return MenuCommand{cmd::DxmlReference, c.contains(QStringLiteral("削除")) ? 2 : 0};
    if (c == QStringLiteral("字下げ"))
        return MenuCommand{cmd::Indent, 0};
    if (c == QStringLiteral("文字数を指定して字下げ"))
        return MenuCommand{cmd::Indent, 1};
    const auto paste = pasteCaptions().constFind(c);
    if (paste != pasteCaptions().constEnd())
        return MenuCommand{cmd::Paste, *paste};
    const auto plain = plainCaptions().constFind(c);
    if (plain != plainCaptions().constEnd())
        return MenuCommand{*plain, argument};
    return std::nullopt;
}

std::optional<MenuCommand> RepeatEntry::choose(const QString &caption, const QVariant &argument) {
    if (caption.contains(QStringLiteral("繰り返し")))
        return repeat(argument);
    const QString c = cutCaption(caption);
    std::optional<MenuCommand> command = commandForCaption(caption, argument);
    if (c == QStringLiteral("元に戻す")) {
        m_caption = QStringLiteral("やり直し(&R)");
    } else if (c == QStringLiteral("やり直し")) {
        m_caption = QStringLiteral("やり直しできません");
    } else if (command) {
        m_remembered = c;
        m_rememberedArgument = argument;
        m_caption = QStringLiteral("繰り返し(&R)") + QChar(0x3000) + c;
    }
    return command;
}

std::optional<MenuCommand> RepeatEntry::repeat(const QVariant &argument) {
    if (!isRepeat() || m_remembered.isEmpty())
        return std::nullopt;
    return commandForCaption(m_remembered, argument.isValid() ? argument : m_rememberedArgument);
}

const QList<ToolbarKey> &toolbarKeys() {
    static const QList<ToolbarKey> keys = {
        {"New", cmd::New},         {"Open", cmd::Open}, {"Save", cmd::Save}, {"Print", cmd::Print},
        {"Preview", cmd::Preview}, {"Cut", cmd::Cut},   {"Copy", cmd::Copy}, {"Paste", cmd::Paste},
        {"Undo", cmd::Undo},       {"Redo", cmd::Redo}, {"Find", cmd::Find},
    };
    return keys;
}

KeyState toolbarKeyState(const QString &key, int editorType, const ToolbarState &state) {
    KeyState s;
    if (key == QLatin1String("New")) {
        s.visible = editorType > 0;
        s.enabled = state.documentExists;
    } else if (key == QLatin1String("Open")) {
        s.visible = editorType > 0;
    } else if (key == QLatin1String("Save")) {
        s.visible = editorType >= 0;
        s.enabled = state.saveAllowed;
    } else if (key == QLatin1String("Print") || key == QLatin1String("Preview") ||
               key == QLatin1String("Find")) {
        s.enabled = state.documentExists;
    } else if (key == QLatin1String("Cut") || key == QLatin1String("Copy")) {
        s.enabled = state.canCopy;
    } else if (key == QLatin1String("Paste")) {
        s.enabled = state.canPaste;
    } else if (key == QLatin1String("Undo")) {
        s.enabled = state.canUndo;
    } else if (key == QLatin1String("Redo")) {
        s.enabled = state.canRedo;
    }
    return s;
}

} // namespace editor
