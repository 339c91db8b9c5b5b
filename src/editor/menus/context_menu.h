#pragma once

#include "editor/commands.h"

#include <QObject>
#include <QPoint>
#include <QVariant>

class QAction;
class QMenu;

namespace editor {

// The editor's context menu: the root menu with 編集, 表示, 挿入, 書式, 表 and 設定. Choosing an
// entry leaves a pending command (iRJb, vOpt) for the editor to run after the menu closes, and
// rewrites the repeat entry.
class ContextMenu : public QObject {
    Q_OBJECT
public:
    explicit ContextMenu(QObject *parent = nullptr);
    ~ContextMenu() override;

    QMenu *menu() const { return m_root; }
    // Shows the menu (at pos when both coordinates are at least 1, else at the mouse) and returns
    // once it closed.
    void popup(const QPoint &pos);

    int iRJb = 0;
    QVariant vOpt;

    // The entry with this caption, searched through every sub-menu.
    QAction *action(const QString &caption) const;
    QAction *repeatAction() const { return m_repeat; }
    RepeatEntry &repeatEntry() { return m_repeatEntry; }
    // Ctrl+Y: the command of the repeat entry.
    std::optional<MenuCommand> RepertJb() { return m_repeatEntry.repeat(); }

    // Check marks of the display menu (bands 1 to 4, then rulers), the paste mode entries and the
    // header/footer entries (bits 1, 2, 4, 8).
    void setBarChecks(const bool bands[4], bool rulers);
    bool barChecked(int entry) const;
    void setPasteChecks(bool plain);
    bool plainPasteChecked() const;
    bool richPasteChecked() const;
    void setHeaderFooterChecks(int bits);
    // The 書式 menu at the caret: the style entry of the caret's style (0 to 5) is checked, the
    // heading entries are enabled only where headings apply, format paste once one was copied.
    void setStyleStates(int style, bool headings, bool formatCopied);
    bool styleChecked(int style) const;

private:
    QAction *add(QMenu *menu, const QString &text, const QString &lookup = {},
                 const QVariant &argument = {});
    void chosen(QAction *action);
    void buildEdit();
    void buildView();
    void buildInsert();
    void buildFormat();
    void buildTable();
    void buildSettings();

    QMenu *m_root = nullptr;
    QAction *m_repeat = nullptr;
    QList<QAction *> m_barEntries;
    QAction *m_richPaste = nullptr;
    QAction *m_plainPaste = nullptr;
    QList<QAction *> m_headerFooter;
    QList<QAction *> m_styles;
    QAction *m_pasteFormat = nullptr;
    RepeatEntry m_repeatEntry;
};

} // namespace editor
