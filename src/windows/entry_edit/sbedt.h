#pragma once

#include "diary/keys.h"

#include <QPointer>
#include <QRect>
#include <QString>
#include <QWidget>

namespace editor {
class uTxm;
}

namespace entryedit {

// The entry edit window: a second editor on any date, without moving the main window's
// calendar. Saves go straight to the diary with the title field as the summary.
class sbEdt : public QWidget {
    Q_OBJECT
public:
    explicit sbEdt(QWidget *parent = nullptr);
    ~sbEdt() override;

    // The one instance of the process, created on first use; releaseInstance deletes it (shutdown,
    // after a close() that was not cancelled, so unsaved changes were offered).
    static sbEdt &instance();
    static void releaseInstance();
    // The instance when one was created, without creating it.
    static sbEdt *existing();

    // Where the window goes on its first display: over the lower 70 % of the host's editor
    // area. mainWindow is the host's frame in screen coordinates, editorArea the editor's
    // rectangle inside it.
    void setPlacement(const QRect &mainWindow, const QRect &editorArea);

    // Opens the entry of sDt ("yyMMdd") and shows the window. Unsaved changes of the entry held
    // so far are offered for saving under its own key first; false (nothing changed) when the
    // user cancels that question.
    bool ActDc(const QString &sDt);

    diary::EntryKey EditKey() const { return m_editKey; }
    editor::uTxm &uTxm() const { return *m_editor; }

    // Writes the editor's document under EditKey with the title field whole as the summary.
    bool saveEntry();

    // Closing (close()) asks the editor about unsaved changes; a cancel keeps the window open.

signals:
    // The entry of key was written.
    void entrySaved(const QString &key);

protected:
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    // Asks the editor about unsaved changes; false when the user cancelled or the save failed.
    bool leaveEntry();
    // Shows EditKey's entry; false when it cannot be read (the editor is then empty and
    // read-only).
    bool loadEntry();
    void followWrite(const QString &key);
    void followRemoval(const QString &key);

    editor::uTxm *m_editor = nullptr;
    diary::EntryKey m_editKey;
    QRect m_placement;
    bool m_placed = false;
    bool m_saveFailed = false;
    bool m_writing = false; // this window is writing its row
    static QPointer<sbEdt> s_instance;
};

} // namespace entryedit
