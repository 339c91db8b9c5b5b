#pragma once

#include "editor/commands.h"
#include "editor/form_filling/form_index.h"
#include "editor/ime.h"
#include "editor/settings.h"
#include "editor/snapshot.h"
#include "settings/user_styles.h"

#include <QByteArray>
#include <QString>
#include <QVariant>
#include <QWidget>
#include <functional>
#include <memory>

class QLabel;
class QLineEdit;

namespace platform {
class TextSurface;
class TextView;
} // namespace platform

namespace html {
class yHtm;
}

namespace editor {

class BandBar;
class ColourBand;
class ColourPicker;
class ContextMenu;
class EntryPoints;
class FormatBand;
class FormatDialogs;
class HorizontalRuler;
class StatusBand;
class ToolBarBand;
class VerticalRuler;
class SurfaceHook;

// The rich-text editor control both host windows embed: title box, band bar (toolbar, colour
// band, formatting bar, status bar), rulers, the editing view of its text surface, and the
// status and tip panels. Hosts switch it on with cOn, talk to it through the operations below
// and hear from it through the six signals.
class uTxm : public QWidget {
    Q_OBJECT
public:
    explicit uTxm(QWidget *parent = nullptr);
    ~uTxm() override;

    // --- Lifecycle ---------------------------------------------------------------------------
    void cOn(qintptr nHnd, int iTy, bool vShwTt = false, const QString &vFmGrp = {});
    void cOff();
    void cTyp(int iTy);
    bool isOn() const { return m_bLoad; }

    // --- Commands ----------------------------------------------------------------------------
    void rtAct(int iJb, const QVariant &vArg = {});
    void rtActTL(int iJb);

    // --- Document ----------------------------------------------------------------------------
    QString SelTxt() const;
    void setSelTxt(const QString &text);
    int PageWdIn() const;
    void FndWd(const QString &sWd);
    void ChkUdt(bool &bCancel);
    void SetData(const QByteArray &yDt, bool &bOk, bool bCpyNw = false);
    void InsData(const QByteArray &yDt, bool &bOk);
    void ApndData(const QByteArray &yDt, bool &bOk);
    bool bDcEdt() const { return m_changed; }
    void setBDcEdt(bool bEd);
    QString Title() const;
    void setTitle(const QString &sTitle);
    void ChkJbMn0(bool &bExDoc, bool &bOvrw) const;
    void ChkJbMn1(bool &bUndo, bool &bRedo, bool &bCopy, bool &bPaste, bool &bExDoc, bool &bOvrw,
                  bool &bTx, bool &bPc, bool &bMt, bool &bLk, int &iRet) const;
    void ChkJbMn3(bool &bInHd, bool &bInTf, QString *vFdTyp = nullptr) const;
    void ChkJbMn5(bool &bShwGrd, bool &bInsTb, bool &bInsCL, bool &bInsRw, bool &bDelCL,
                  bool &bDelRw, bool &bSlcTb, bool &bSplTb, bool &bInHd, bool &bInTf,
                  QString *vFdTyp = nullptr) const;
    void ChkJbMn6(bool &bInTf) const;
    platform::TextSurface *GetObj();
    void EndObj();
    void GetData(QByteArray &yDt, QString &sTx, QString &sTTL, bool &bOk);
    bool bHaveData() const;
    void GetMTxt(QString &sTx, QString &sCp);
    void SetText(const QString &sTx);
    void HeadFtMn(bool &bHdP, bool &bHdF, bool &bFtp, bool &bFtF) const;
    void txIME(bool bIME);
    bool imeOpen() const;

    // --- Form filling: numbers as the numbered preview shows them ------------------------------
    void T_Start(const QString &sBmp);
    void T_End();
    QString TvCelVL(int iNo, int nRw, int nCL);
    void TvCelVL(int iNo, int nRw, int nCL, const QString &sVL);
    void T_TxFrDt(int iTf, const QByteArray &yDt);
    void T_TxFdTx(int iFd, const QString &sTxt);
    void T_TxFdPc(int iFd, const QString &sPcFL);
    const FormIndex &formIndex() const { return m_form; }
    // A read-only editor takes no input and runs no command that changes or stores the document;
    // the host sets it for an entry that must not be written over. A failed SetData sets it too.
    void setReadOnly(bool on);
    bool readOnly() const { return m_readOnly; }

    // --- For the editor's parts, the hosts' tests and the settings dialog ----------------------
    platform::TextSurface &surface() const { return *m_surface; }
    platform::TextView *view() const { return m_view; }
    int editorType() const { return m_type; }
    bool busy() const { return m_busy; }
    EditorSettings &values() { return m_values; }
    const EditorSettings &values() const { return m_values; }
    settings::UserStyleTable &userStyles() { return m_styles; }
    QString printTitle() const { return m_printTitle; }
    void setPrintTitle(const QString &title) { m_printTitle = title; }
    QString currentFile() const { return m_currentFile; }
    void setCurrentFile(const QString &path) { m_currentFile = path; }
    bool workFileSwitch() const { return m_workFile; }
    int screenDpi() const { return m_screenDpi; }
    int currentTextFrame() const { return m_currentTextFrame; }
    void setCurrentTextFrame(int id) { m_currentTextFrame = id; }
    bool snapshotArmed() const { return m_snapshot.armed(); }
    void takeSnapshot();

    // --- Files ---------------------------------------------------------------------------------
    // Saves under vFL (asks for a name when it is empty) in the format its extension names;
    // vFL receives the path written. bNoAct: no question whether to open a written HTML page.
    void txSaveAs(QVariant &vFL, bool bNoAct = false);
    // Writes the document as an HTML page through the converter (asks for a name when vFL and
    // the current file are empty). bOk: the page was written. iJb is not used.
    void SaveHtm(int iJb, bool &bOk, const QVariant &vFL = {});
    // Initial folder of the file dialogs; updated to the folder of each file saved.
    QString lastFolder() const { return m_lastFolder; }
    void setLastFolder(const QString &folder) { m_lastFolder = folder; }
    // The name the file dialog was left with by its last use.
    QString dialogFileName() const { return m_dialogFileName; }
    void setDialogFileName(const QString &name) { m_dialogFileName = name; }
    // Where a file is loaded: below 0 every text frame, else the selected text frame (0 the
    // main text).
    int textFrameSelector() const;
    void setAllTextFramesSelected(bool on) { m_allTextFrames = on; }
    // The new-document step in a load mode of settings.h, as command 2 runs it.
    void startNewDocument(int mode) { newDocument(mode); }
    void setBusy(bool on) { m_busy = on; }
    // Another document came in: undo must not bring the last one's snapshot back.
    void disarmSnapshot() { m_snapshot.disarm(); }
    // The HTML converter, made on first use and kept while the editor lives.
    html::yHtm &htmlConverter();

    void setEntryPoints(std::unique_ptr<EntryPoints> entryPoints);
    EntryPoints &entryPoints() const { return *m_entryPoints; }
    void setFormatDialogs(std::unique_ptr<FormatDialogs> dialogs);

    // Settings (load modes of settings.h) and the band layout value.
    void loadSettings(int mode);
    void storeSettings();
    QString bandLayoutValue() const;
    void restoreBandLayout(const QString &value);
    bool rulersShown() const { return m_values.rulers; }

    // Refreshes page, line, column, zoom, the rulers and the formatting bar.
    void refreshStatus();
    // Applies the toolbar flags when one of them changed.
    void refreshToolbar();
    void layoutBars();
    void showPanelText(const QString &status, const QString &tip = {});

    // The context menu and what happens after it closed (its pending command).
    ContextMenu &contextMenu() const { return *m_menu; }
    void showContextMenu(const QPoint &pos);
    void actOnMenu();

    // Colour band actions (choices in imFcr/imBcr, clicks on cmFcr/cmBcr).
    void colourChosen(ColourPicker *picker);
    void repeatColour(ColourPicker *picker);

    QLineEdit *txTitle() const { return m_title; }
    BandBar *clBar() const { return m_bandBar; }
    ToolBarBand *tlBar() const { return m_toolBar; }
    ColourBand *frFmt() const { return m_colourBand; }
    FormatBand *vButton() const { return m_formatBand; }
    StatusBand *vStatus() const { return m_statusBand; }
    HorizontalRuler *vRuler() const { return m_ruler; }
    VerticalRuler *vRulerV() const { return m_rulerV; }
    QLabel *pnStatus() const { return m_pnStatus; }
    QLabel *pnTip() const { return m_pnTip; }

signals:
    void LinkClicked(const QString &kind, const QString &text, const QString &target);
    void SaveRequested();
    void QueryFolder(QString &folder);
    void DocumentSwitched();
    void EditedChanged(bool value);
    void CommandDone(int iJb);
    // Raised by the save-as and tag parts.
    void FileSaved(const QString &fileName);
    void TagChosen(const QString &first, const QString &second);
    // The tag command asks its host for the tag's text and value (both prefilled for an edit).
    void TagRequested(QString &sText, QString &sValue);

protected:
    void resizeEvent(QResizeEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    friend class SurfaceHook;
    // Sets the busy flag for its lifetime (or until release) and restores what was there.
    class Busy {
    public:
        explicit Busy(uTxm *editor);
        ~Busy();
        Busy(const Busy &) = delete;
        Busy &operator=(const Busy &) = delete;
        void release();

    private:
        uTxm *m_editor;
        bool m_previous;
    };

    void buildWidgets();
    void connectSurface();
    void syncViewFromSurface();
    void surfaceChanged();
    void titleChanged();
    void titleEnter();
    void toolbarClicked(const QString &key);
    bool keyPress(QKeyEvent *event);
    void enterKey(bool shift);
    void applyDisplayValues();
    void applyBarToggle(const QVariant &argument);
    void updateRulers();
    bool anyDocumentModified() const;
    void markUnmodified();
    void afterLoad();
    bool loadDocument(const QByteArray &bytes, bool intoSelection);
    void newDocument(int mode);
    void saveDocument();
    void reRender();
    void zoom(const QVariant &argument);
    bool runCommand(int code, const QVariant &argument);
    bool runTableCommand(int code, const QString &entry);
    bool runFormatDialog(int code, const QVariant &argument);
    bool runTextColourDialog();
    bool runDisplaySettings();
    void setPasteMode(int argument);
    void applyFormatBand(const std::function<void()> &change);

    std::unique_ptr<platform::TextSurface> m_surface;
    platform::TextView *m_view = nullptr;
    std::unique_ptr<SurfaceHook> m_hook;
    std::unique_ptr<EntryPoints> m_entryPoints;
    std::unique_ptr<FormatDialogs> m_formatDialogs;
    ContextMenu *m_menu = nullptr;
    QLineEdit *m_title = nullptr;
    BandBar *m_bandBar = nullptr;
    ToolBarBand *m_toolBar = nullptr;
    ColourBand *m_colourBand = nullptr;
    FormatBand *m_formatBand = nullptr;
    StatusBand *m_statusBand = nullptr;
    HorizontalRuler *m_ruler = nullptr;
    VerticalRuler *m_rulerV = nullptr;
    QWidget *m_rulerCorner = nullptr;
    QLabel *m_pnStatus = nullptr;
    QLabel *m_pnTip = nullptr;

    EditorSettings m_values;
    settings::UserStyleTable m_styles = settings::UserStyleTable::defaults();
    SnapshotUndo m_snapshot;
    InputMethodControl m_ime;
    ToolbarState m_toolbarCache;
    bool m_toolbarCached = false;

    bool m_bLoad = false;
    qintptr m_handle = 0;
    int m_type = 0;
    bool m_showTitle = false;
    QString m_groupSuffix;
    bool m_changed = false;
    bool m_busy = false;
    bool m_readOnly = false;
    bool m_layoutSuspended = true;
    bool m_syncing = false;
    bool m_touched = false; // the document changed while busy
    bool m_workFile = false;
    int m_screenDpi = 96;
    int m_currentTextFrame = 0;
    QString m_printTitle;
    QString m_currentFile;
    QString m_lastFolder;
    QString m_dialogFileName;
    bool m_allTextFrames = false;
    std::unique_ptr<html::yHtm> m_htm;
    FormIndex m_form;
};

} // namespace editor
