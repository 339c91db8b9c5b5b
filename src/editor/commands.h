#pragma once

#include <QString>
#include <QVariant>
#include <optional>

namespace editor {

// Editor command codes (rtAct). Codes are shared by the toolbar, the context menus, the keyboard
// and the hosts.
namespace cmd {
enum : int {
    Open = 1,
    New = 2,
    OpenByName = 3,
    Save = 4,
    SaveAs = 5,
    Print = 6,
    Preview = 7,
    WebView = 8,
    GoToTitle = 9,
    OpenWorkFile = 10,
    Undo = 11,
    Redo = 12,
    Cut = 13,
    Copy = 14,
    Paste = 15,
    RefreshBars = 16,
    Clear = 20,
    SelectAll = 21,
    Find = 22,
    Replace = 23,
    Tidy = 24,
    OtherPage = 25,
    DisplaySettings = 26,
    BarToggle = 27,
    InsertDocument = 30,
    InsertOtherPage = 31,
    InsertTextFile = 32,
    InsertPicture = 33,
    InsertSizedPicture = 34,
    InsertWmf = 35,
    InsertTextFrame = 40,
    InsertOle = 41,
    InsertGraph = 42,
    InsertChart = 43,
    InsertInlineFrame = 44,
    JavaScript = 45,
    Hyperlink = 50,
    Tag = 51,
    DxmlReference = 52,
    Tooltip = 53,
    PageBreak = 54,
    Indent = 55,
    DataField = 56,
    HeaderFooter = 57,
    UserStyle = 60,
    FontDialog = 61,
    TextColour = 62,
    ParagraphDialog = 63,
    ListDialog = 64,
    PageSetup = 65,
    UserStyles = 66,
    PictureDefaults = 67,
    ImeSettings = 68,
    PrinterSettings = 69,
    CopyFormat = 70,
    PasteFormat = 71,
    PasteMode = 72,
    TableInsert = 80,
    TableSplit = 81,
    TableDelete = 82,
    TableSelect = 83,
    GridLines = 84,
    TableProperties = 85,
    Zoom = 86,
    WorkFileSwitch = 87,
    Repaint = 88,
};
}

// Dispatch steps that depend only on the code.
bool takesSnapshot(int code);
// Commands a read-only editor still runs: they neither change nor store the document.
bool leavesDocumentAlone(int code);
bool focusesSurface(int code);
bool closesInputMethod(int code);
bool switchesDocument(int code);
bool alwaysChanges(int code);
bool changesWhenReported(int code);

// New zoom for command 86: "拡大" and "縮小" step by 20, a number strictly between 10 and 1000
// is taken; anything else (0 included) leaves the zoom alone.
std::optional<int> zoomFor(int current, const QVariant &argument);

// Command 27: which bars an argument shows or hides. Bands are 1 to 4, rulers 5.
struct BarToggle {
    bool valid = false;
    bool show = false;
    bool bands[4] = {false, false, false, false};
    bool rulers = false;
};
BarToggle barToggleFor(const QVariant &argument);

// A context-menu choice turned into a command.
struct MenuCommand {
    int code = 0;
    QVariant argument;
};

// Caption lookup of the context menus. The caption is cut at its first "(" and trimmed. Returns
// nothing for an unknown caption and for "初期化" declined by the user.
std::optional<MenuCommand> commandForCaption(const QString &caption, const QVariant &argument);

// The second entry of the edit menu: redo, or a repeat of the last command chosen.
class RepeatEntry {
public:
    static QString initialCaption() { return QStringLiteral("やり直し(&R)"); }

    QString caption() const { return m_caption; }
    bool isRepeat() const { return m_caption.contains(QStringLiteral("繰り返し")); }
    QString remembered() const { return m_remembered; }

    // Turns a chosen entry into a command and rewrites the entry's caption. Choosing the repeat
    // entry runs the remembered caption with the new argument, or with the remembered one when
    // the click brings none.
    std::optional<MenuCommand> choose(const QString &caption, const QVariant &argument);
    // Ctrl+Y: the command the repeat entry would run now.
    std::optional<MenuCommand> repeat(const QVariant &argument = {});

private:
    QString m_caption = initialCaption();
    QString m_remembered;
    QVariant m_rememberedArgument;
};

// Toolbar flags, compared with the last applied ones so the toolbar is touched only on change.
struct ToolbarState {
    bool canCopy = false;
    bool canPaste = false;
    bool canUndo = false;
    bool canRedo = false;
    bool saveAllowed = false;
    bool documentExists = false;
    bool inHeading = false;

    bool operator==(const ToolbarState &) const = default;
};

// Visible and enabled state of one toolbar key for an editor type and the flags.
struct KeyState {
    bool visible = true;
    bool enabled = true;
};
KeyState toolbarKeyState(const QString &key, int editorType, const ToolbarState &state);

// The toolbar keys in their order, with the command each runs.
struct ToolbarKey {
    const char *key;
    int code;
};
const QList<ToolbarKey> &toolbarKeys();

} // namespace editor
