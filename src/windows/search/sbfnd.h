#pragma once

#include <QMainWindow>
#include <QPointer>
#include <QRect>
#include <QString>

class QMenu;
class QTextBrowser;

namespace searchwin {

// The read-only listing of up to 50 diary entries: the recent lists and the full-text search.
// Clicking a heading's date asks the host (entryRequested) to open that entry.
class sbFnd : public QMainWindow {
    Q_OBJECT
public:
    explicit sbFnd(QWidget *parent = nullptr);
    ~sbFnd() override;

    // The one instance of the process, created on first use; releaseInstance deletes it (shutdown).
    static sbFnd &instance();
    static void releaseInstance();

    // Where the window goes on its first display: over the host's editor area, full height of
    // the host, on the host's screen. mainWindow is the host's frame in screen coordinates,
    // editorArea the editor's rectangle inside it, frame the margins of the host's window frame
    // (this window's own are not known before it is shown).
    void setPlacement(const QRect &mainWindow, const QRect &editorArea, const QMargins &frame);
    QRect placement() const { return m_placement; }

    // Caption sCp; the 50 most recent entries up to and including key sDt, newest first.
    void ActDate(const QString &sCp, const QString &sDt);
    // Caption sWd; the 50 newest entries containing sWd (letter case ignored), first match of
    // each summary and text highlighted.
    void ActWd(const QString &sWd);

    QTextBrowser *vDoc() const { return m_doc; }
    QMenu *mnFile() const { return m_mnFile; }
    QMenu *mnEdit() const { return m_mnEdit; }

    // Opens the entry of the heading holding text position pos, when pos lies in a heading's
    // mark and date. True when a key was reported.
    bool openAt(int pos);

signals:
    // A heading's date was clicked: the host opens the entry edit window on key.
    void entryRequested(const QString &key);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void buildMenus();
    void fill(const QString &caption, const QString &word, bool recent, const QString &key);
    void copySelection();
    void copyAll();
    void searchSelection();

    QTextBrowser *m_doc = nullptr;
    QMenu *m_mnFile = nullptr;
    QMenu *m_mnEdit = nullptr;
    QRect m_placement;
    bool m_placed = false;
    static QPointer<sbFnd> s_instance;
};

} // namespace searchwin
