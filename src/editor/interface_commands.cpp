#include "editor/interface.h"

#include "editor/bars/bands.h"
#include "editor/colours.h"
#include "editor/entry_points.h"
#include "editor/markers/insert_menu_state.h"
#include "editor/menus/context_menu.h"
#include "editor/menus/format_dialogs.h"
#include "editor/save_decision.h"
#include "editor/styles/format_carrier.h"
#include "editor/styles/styles.h"
#include "editor/surface_hook.h"
#include "platform/dialogs.h"
#include "platform/text/text_surface.h"
#include "platform/view/text_view.h"
#include "settings/app_values.h"
#include "settings/yini.h"

#include <QAction>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>

namespace editor {

void uTxm::rtAct(int iJb, const QVariant &vArg) {
    if (m_readOnly && !leavesDocumentAlone(iJb))
        return;
    Busy busy(this);
    m_touched = false;
    if (takesSnapshot(iJb))
        takeSnapshot();
    if (focusesSurface(iJb))
        m_view->setFocus();
    if (closesInputMethod(iJb))
        txIME(false);

    const bool reported = runCommand(iJb, vArg);

    if (switchesDocument(iJb))
        emit DocumentSwitched();
    if (alwaysChanges(iJb))
        setBDcEdt(true);
    if (iJb == cmd::DisplaySettings)
        reRender();
    if (changesWhenReported(iJb) && reported)
        setBDcEdt(true);
    // Undo, redo, cut and clear change the document as surely as the commands above; a changed
    // document that is not marked as such would be left without the save question.
    if ((iJb == cmd::Undo || iJb == cmd::Redo || iJb == cmd::Cut || iJb == cmd::Clear) && m_touched)
        setBDcEdt(true);
    syncViewFromSurface();
    emit CommandDone(iJb);
    busy.release();
    refreshToolbar();
    refreshStatus();
}

bool uTxm::runCommand(int code, const QVariant &argument) {
    platform::TextSurface &s = *m_surface;
    EntryPoints &ep = *m_entryPoints;
    QString answer;
    switch (code) {
    case cmd::Open:
        return ep.openDocument(*this, false);
    case cmd::New:
        newDocument(NewDocumentLoad);
        return true;
    case cmd::OpenByName:
        return ep.openFileByName(*this, argument.toString());
    case cmd::Save:
        saveDocument();
        return true;
    case cmd::SaveAs:
        return ep.saveAs(*this, argument.toString());
    case cmd::Print:
        return ep.print(*this);
    case cmd::Preview:
        return ep.preview(*this);
    case cmd::WebView:
        return ep.viewAsWebPage(*this);
    case cmd::GoToTitle:
        m_title->setFocus();
        return false;
    case cmd::OpenWorkFile:
        return ep.openDocument(*this, true);
    case cmd::Undo:
        return m_snapshot.undo(s);
    case cmd::Redo:
        if (s.canRedo())
            s.redo();
        return true;
    case cmd::Cut:
        return s.clipboard(platform::TextSurface::ClipCut);
    case cmd::Copy:
        return s.clipboard(platform::TextSurface::ClipCopy);
    case cmd::Paste:
        return ep.paste(*this, argument.toString());
    case cmd::RefreshBars:
        m_bandBar->update();
        return false;
    case cmd::Clear:
        return s.clipboard(platform::TextSurface::ClipDelete);
    case cmd::SelectAll:
        s.setSelStart(0);
        s.setSelLength(-1);
        return false;
    case cmd::Find:
        return ep.settingsPage(*this, QStringLiteral("FD"), answer);
    case cmd::Replace:
        return ep.settingsPage(*this, QStringLiteral("RP"), answer);
    case cmd::Tidy:
        s.setSelLength(0);
        return ep.tidy(*this);
    case cmd::DisplaySettings:
        return runDisplaySettings();
    case cmd::BarToggle:
        applyBarToggle(argument);
        return false;
    case cmd::InsertDocument:
        return ep.insertDocument(*this);
    case cmd::InsertTextFile:
        return ep.insertTextFile(*this);
    case cmd::InsertPicture:
    case cmd::InsertSizedPicture:
    case cmd::InsertWmf:
        return ep.insertPicture(*this, code);
    case cmd::InsertTextFrame:
        return ep.insertTextFrame(*this);
    case cmd::InsertOle:
    case cmd::InsertGraph:
    case cmd::InsertChart:
    case cmd::InsertInlineFrame:
        return ep.insertObject(*this, code);
    case cmd::Hyperlink:
    case cmd::Tag:
    case cmd::DxmlReference:
    case cmd::Tooltip:
    case cmd::DataField:
        return ep.marker(*this, code, argument);
    case cmd::PageBreak:
        s.setSelLength(0);
        s.setSelText(QString(QChar(12)));
        return true;
    case cmd::Indent:
        return ep.indent(*this, argument.toInt());
    case cmd::HeaderFooter:
        return ep.headerFooter(*this, argument.toInt());
    case cmd::UserStyle:
        return ep.applyUserStyle(*this, argument.toInt());
    case cmd::FontDialog:
    case cmd::ParagraphDialog:
    case cmd::ListDialog:
        return runFormatDialog(code, argument);
    case cmd::TextColour:
        return runTextColourDialog();
    case cmd::PageSetup:
        return ep.settingsPage(*this, QStringLiteral("PG"), answer);
    case cmd::UserStyles:
        return ep.settingsPage(*this, QStringLiteral("US"), answer);
    case cmd::PictureDefaults:
        answer = QString::number(m_values.textFlow) + QString::number(m_values.colourReduction);
        ep.settingsPage(*this, QStringLiteral("TF"), answer);
        if (!answer.isEmpty()) {
            m_values.textFlow = answer.left(1).toInt();
            m_values.colourReduction = answer.right(1).toInt();
        }
        return false;
    case cmd::ImeSettings:
        answer = imePageAnswer(m_values.ime, m_values.updateMode);
        ep.settingsPage(*this, QStringLiteral("IM"), answer);
        readImePageAnswer(answer, m_values.ime, m_values.updateMode);
        return false;
    case cmd::PrinterSettings:
        return ep.printerSettings(*this);
    case cmd::CopyFormat:
        return ep.copyFormat(*this);
    case cmd::PasteFormat:
        return ep.pasteFormat(*this);
    case cmd::PasteMode:
        setPasteMode(argument.toInt());
        return false;
    case cmd::TableInsert:
    case cmd::TableSplit:
    case cmd::TableDelete:
    case cmd::TableSelect:
        return runTableCommand(code, argument.toString());
    case cmd::GridLines:
        s.setGridLines(!s.gridLines());
        m_view->setTableGridShown(s.gridLines());
        return false;
    case cmd::TableProperties:
        return runFormatDialog(code, argument);
    case cmd::Zoom:
        zoom(argument);
        return false;
    case cmd::WorkFileSwitch:
        m_workFile = argument.toBool();
        return false;
    case cmd::Repaint:
        m_view->viewport()->update();
        return false;
    default:
        return false;
    }
}

bool uTxm::runTableCommand(int code, const QString &entry) {
    platform::TextSurface &s = *m_surface;
    const bool top = entry == QStringLiteral("上");
    const bool bottom = entry == QStringLiteral("下");
    const bool table = entry == QStringLiteral("表");
    switch (code) {
    case cmd::TableInsert:
        if (table) {
            QString answer;
            return m_entryPoints->settingsPage(*this, QStringLiteral("TB"), answer);
        }
        if (entry == QStringLiteral("左") || entry == QStringLiteral("右"))
            return s.insertColumn(entry == QStringLiteral("右"));
        if (top || bottom)
            return s.insertRow(bottom);
        return false;
    case cmd::TableSplit:
        return (top || bottom) && s.splitTable(bottom);
    case cmd::TableDelete:
        if (table)
            return s.selectTable() && s.deleteTable();
        if (entry == QStringLiteral("列"))
            return s.deleteColumn();
        if (entry == QStringLiteral("行"))
            return s.deleteRow();
        return false;
    case cmd::TableSelect:
        if (table)
            return s.selectTable();
        if (entry == QStringLiteral("行"))
            return s.selectRow();
        if (entry == QStringLiteral("ｾﾙ"))
            return s.selectCell();
        return false;
    default:
        return false;
    }
}

bool uTxm::runFormatDialog(int code, const QVariant &argument) {
    platform::TextSurface &s = *m_surface;
    switch (code) {
    case cmd::FontDialog: {
        FontValues values = readFont(s);
        if (!m_formatDialogs->editFont(this, values))
            return false;
        applyFont(s, values);
        return true;
    }
    case cmd::ParagraphDialog: {
        ParagraphValues values = readParagraph(s);
        if (!m_formatDialogs->editParagraph(this, values))
            return false;
        applyParagraph(s, values);
        return true;
    }
    case cmd::ListDialog: {
        ListValues values = readList(s);
        if (!m_formatDialogs->editList(this, values))
            return false;
        applyList(s, values);
        return true;
    }
    case cmd::TableProperties: {
        runTableCommand(cmd::TableSelect, argument.toString());
        TableValues values;
        if (!readTable(s, values) || !m_formatDialogs->editTable(this, values))
            return false;
        return applyTable(s, values);
    }
    default:
        return false;
    }
}

bool uTxm::runTextColourDialog() {
    QColor colour = colorFromValue(m_surface->textColor());
    if (!platform::dialogs().chooseColor(QStringLiteral("文字色"), colour) || !colour.isValid())
        return false;
    m_surface->setTextColor(valueFromColor(colour));
    return true;
}

void uTxm::setPasteMode(int argument) {
    // The check marks always show the mode in force, whoever set it.
    m_values.plainPaste = argument == 1 || argument == 3;
    m_menu->setPasteChecks(m_values.plainPaste);
}

void uTxm::zoom(const QVariant &argument) {
    if (const std::optional<int> percent = zoomFor(m_view->zoom(), argument))
        m_view->setZoom(*percent);
    else if (argument.toString().trimmed().toDouble() == 0)
        return; // 0, or text that reads as 0, does nothing at all
    m_view->viewport()->update();
}

void uTxm::newDocument(int mode) {
    if (m_changed) {
        if (decideOnLeave(m_changed, m_type, m_values.updateMode, false) == LeaveAction::Save)
            saveDocument();
        setBDcEdt(false);
    }
    // The whole document, whatever area or text frame the caret is in: nothing of the last
    // entry may stay in the new one.
    if (mode == NewDocumentLoad) {
        m_surface->clearWhole();
        if (m_showTitle) {
            Busy busy(this);
            m_title->clear();
        }
    }
    m_snapshot.disarm();
    layoutBars();
    m_view->show();
    m_currentFile.clear();
    loadSettings(mode);
    if (mode == NewDocumentLoad)
        m_entryPoints->applyUserStyles(*this);
    markUnmodified();
}

bool uTxm::runDisplaySettings() {
    // The display page answers view mode, a tab and the zoom; cancel gives back what it got.
    QString answer =
        QString::number(m_view->viewMode()) + QLatin1Char('\t') + QString::number(m_view->zoom());
    m_entryPoints->settingsPage(*this, QStringLiteral("DP"), answer);
    const QStringList parts = answer.split(QLatin1Char('\t'));
    bool modeRead = false;
    bool zoomRead = false;
    const int mode = parts.value(0).toInt(&modeRead);
    const int zoom = parts.value(1).toInt(&zoomRead);
    if (parts.size() != 2 || !modeRead || !zoomRead)
        return false;
    m_view->setViewMode(mode == 0 ? platform::TextView::NormalView : platform::TextView::PageView);
    m_view->setZoom(qBound(platform::TextView::MinZoom, zoom, platform::TextView::MaxZoom));
    m_values.viewMode = m_view->viewMode();
    m_values.zoom = m_view->zoom();
    writeDisplaySettings(settings::store(), m_groupSuffix, m_values.viewMode, m_values.zoom);
    return false;
}

void uTxm::reRender() {
    Busy busy(this);
    bool ok = false;
    const QByteArray bytes = m_surface->saveWholeToMemory(platform::TextSurface::Internal, &ok);
    if (ok)
        m_surface->loadWholeFromMemory(bytes, platform::TextSurface::Internal);
    m_view->refresh();
}

void uTxm::rtActTL(int iJb) {
    if (m_readOnly)
        return;
    Busy busy(this);
    m_touched = false;
    platform::TextSurface &s = *m_surface;
    switch (iJb) {
    case 0:
        m_entryPoints->textFrameMarker(*this);
        break;
    case 1:
    case 2:
        m_entryPoints->textFrameLayout(*this, iJb);
        break;
    case 4:
        if (m_currentTextFrame > 0 && s.selectTextFrame(m_currentTextFrame)) {
            s.select(0, -1);
            s.setSelText(QString());
            s.selectTextFrame(0);
        }
        break;
    case 5:
    case 6:
        if (m_currentTextFrame > 0)
            m_entryPoints->textFrameFile(*this, iJb);
        break;
    case 7:
        for (int id = s.nextObject(0, platform::TextSurface::TextFrameObject); id > 0;
             id = s.nextObject(id, platform::TextSurface::TextFrameObject)) {
            if (!s.selectTextFrame(id))
                continue;
            s.select(0, -1);
            s.setSelText(QString());
        }
        s.selectTextFrame(0);
        break;
    case 8:
        m_entryPoints->textFrameFile(*this, iJb);
        break;
    default:
        break;
    }
    if (m_touched)
        setBDcEdt(true);
    syncViewFromSurface();
}

// --- Context menu -------------------------------------------------------------------------------

void uTxm::showContextMenu(const QPoint &pos) {
    if (!m_readOnly && m_entryPoints->objectMenu(*this, pos))
        return;
    m_menu->setHeaderFooterChecks(m_surface->headerFooterBits());
    m_menu->setStyleStates(classifyStyle(*m_surface, m_styles), m_type > 0,
                           carrierOf(m_colourBand->cmTfm).has_value());
    bool inHeading = false;
    bool inTextFrame = false;
    QString markerKind;
    ChkJbMn3(inHeading, inTextFrame, &markerKind);
    if (QAction *insert = m_menu->action(QStringLiteral("挿入(&I)")))
        applyInsertMenuState(insert->menu(),
                             insertMenuState(markerKind, inHeading && m_type >= 1, inTextFrame));
    m_menu->popup(pos);
    actOnMenu();
}

void uTxm::actOnMenu() {
    const int code = m_menu->iRJb;
    const QVariant argument = m_menu->vOpt;
    m_menu->iRJb = 0;
    m_menu->vOpt = QVariant();
    switch (code) {
    case 0:
    case cmd::DxmlReference:
        return;
    case cmd::Hyperlink:
    case cmd::Tag:
    case cmd::Tooltip: {
        if (m_readOnly)
            return;
        Busy busy(this);
        if (m_entryPoints->marker(*this, code, argument))
            setBDcEdt(true);
        return;
    }
    default:
        rtAct(code, argument);
    }
}

// --- Keys ---------------------------------------------------------------------------------------

bool SurfaceHook::keyPress(QKeyEvent *event) {
    return m_editor->keyPress(event);
}

bool SurfaceHook::contextMenu(const QPoint &globalPos) {
    m_editor->showContextMenu(globalPos);
    return true;
}

bool SurfaceHook::doubleClick(const QPoint &globalPos) {
    return m_editor->entryPoints().objectDoubleClick(*m_editor, globalPos);
}

bool uTxm::keyPress(QKeyEvent *event) {
    const bool control = event->modifiers() & Qt::ControlModifier;
    if (event->matches(QKeySequence::Paste)) {
        rtAct(cmd::Paste, QString());
        return true;
    }
    if (control && event->key() == Qt::Key_Z) {
        rtAct(cmd::Undo);
        return true;
    }
    if (control && event->key() == Qt::Key_Y) {
        if (const std::optional<MenuCommand> command = m_menu->RepertJb())
            rtAct(command->code, command->argument);
        return true;
    }
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && !control &&
        m_styles.enterIsLineBreak && m_surface->activeArea() == 0) {
        enterKey(event->modifiers() & Qt::ShiftModifier);
        return true;
    }
    return false;
}

void uTxm::enterKey(bool shift) {
    const bool body = classifyStyle(*m_surface, m_styles) >= settings::Body;
    const bool lineBreak = body != shift;
    if (m_surface->fieldAtInput() > 0 && m_surface->selLength() == 0)
        m_surface->setSelStart(m_surface->selStart() + 1);
    m_surface->setSelText(QString(QChar(lineBreak ? 11 : 10)));
    syncViewFromSurface();
}

} // namespace editor
