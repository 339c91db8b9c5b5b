#pragma once

#include "keybar/host.h"
#include "windows/main/main_menus.h"

#include <QDate>
#include <QMainWindow>

namespace settings {
class yIni;
}
namespace editor {
class uTxm;
}
namespace keybar {
class uFky;
}
namespace diary {
class SearchWarmUp;
}
namespace diary::backup {
class Runner;
}
namespace backupwin {
class BackupWindow;
}
namespace exportwin {
class ExportDialog;
}
namespace platform {
class Calendar;
class Grid;
} // namespace platform

namespace mainwin {

class ListingWindow;

// The main window: calendar, month list, editor and function-key bar. It holds the one current
// date (CurKey) whose entry is in the editor. Closing it (close box or "終了(&X)") is the only way
// the program ends: once CloseMain has agreed, shutdownRequested tells the application to shut
// down.
class fmTxt : public QMainWindow, public keybar::Host {
    Q_OBJECT

public:
    explicit fmTxt(settings::yIni &ini, QWidget *parent = nullptr);
    ~fmTxt() override;

    // The load step run once by start-up. userDir and tplDir are the folders of the diary and
    // its template; false when the diary cannot be opened (the user has been told) and the
    // program must not go on.
    bool LoadStep(const QString &userDir, const QString &tplDir);

    // The command dispatcher of the menus and function keys: (menu code, item index).
    Q_INVOKABLE void fnMenu(int iMenu, int iNdx) override;

    void LoadEntry();
    void SaveEntry();
    void DeleteEntry();
    void FillMonthList(bool select);
    void LayoutMain();
    void CloseMain(bool &cancel);
    void SaveWinPos();
    void RestoreWinPos();
    void ShowFkeyBar(bool show, bool store);
    void SetCalCols(int index, bool store);
    void RefreshFileMenu();
    void JumpDate(int index);

    // Today's backup of the diary, when there is none yet, on a worker thread; its progress on
    // the key bar.
    void startDailyBackup(const QDate &today);
    // Reads what short words are searched in while the program is idle, once the window is up,
    // so that the first such search does not wait for it. Stopped when the window closes.
    void startSearchWarmUp();
    diary::SearchWarmUp *searchWarmUp() const { return m_warmUp; }
    // The window "ﾊﾞｯｸｱｯﾌﾟと復元", made on first use.
    backupwin::BackupWindow *backupWindow();
    diary::backup::Runner *backups() const { return m_backups; }
    // The dialog "日記の書き出し", made on first use.
    exportwin::ExportDialog *exportDialog();

    // The search and recent-list window; not owned.
    void setListingWindow(ListingWindow *listing) { m_listing = listing; }

    // keybar::Host
    QAction *menuEntry(int menuNumber, int index) const override;
    QString hostName() const override { return QStringLiteral("fmTxt"); }
    QWidget *hostWindow() const override { return const_cast<fmTxt *>(this); }

    const MainMenus &menus() const { return m_menus; }
    bool fkeyBarShown() const { return m_fkeyShown; }
    int calColsIndex() const { return m_calColsIndex; }
    QString CurKey() const { return m_curKey; }
    QString MonthKeys() const { return m_monthKeys; }
    editor::uTxm *editorControl() const { return m_editor; }
    platform::Calendar *calendar() const { return m_calendar; }
    platform::Grid *monthList() const { return m_list; }
    keybar::uFky *keyBar() const { return m_keys; }

    // The calendar's date is set and handled as a pick by the user.
    void pickDate(const QDate &date);
    // A click on row r of the month list.
    void openListRow(int row);

signals:
    void shutdownRequested();

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void connectMenus();
    void connectControls();
    void registerKeys();
    void refreshBoldDays();
    void showRecent(int index);
    void search();
    void editorCommand(int code);
    void keepMinimumSize();
    void focusEditor();
    bool saveFailed();
    // Shows CurKey's entry; one that cannot be read leaves the editor empty and read-only.
    void showEntry();
    void refreshFileMenu(bool edited);
    void followWrite(const QString &key);
    void followRemoval(const QString &key);
    void connectBackups();
    void showRestoredDiary();

    settings::yIni &m_ini;
    MainMenus m_menus;
    QWidget *m_area = nullptr;
    platform::Calendar *m_calendar = nullptr;
    platform::Grid *m_list = nullptr;
    editor::uTxm *m_editor = nullptr;
    keybar::uFky *m_keys = nullptr;
    ListingWindow *m_listing = nullptr;
    diary::backup::Runner *m_backups = nullptr;
    diary::SearchWarmUp *m_warmUp = nullptr;
    backupwin::BackupWindow *m_backupWindow = nullptr;
    exportwin::ExportDialog *m_exportDialog = nullptr;
    QString m_userDir;
    QString m_tplDir;
    QString m_curKey;
    QString m_monthKeys;
    bool m_fkeyShown = true;
    int m_calColsIndex = 1;
    bool m_loaded = false;
    bool m_closed = false;
    bool m_saveFailed = false;
    bool m_unreadable = false; // CurKey's stored entry cannot be read: nothing is written over it
    bool m_writing = false;    // this window is writing or deleting a row
};

} // namespace mainwin
