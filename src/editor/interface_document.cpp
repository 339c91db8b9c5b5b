#include "editor/interface.h"

#include "editor/entry_points.h"
#include "editor/files/work_file.h"
#include "editor/save_decision.h"
#include "editor/styles/styles.h"
#include "platform/text/text_model.h"
#include "platform/text/text_surface.h"
#include "platform/view/text_view.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMimeData>
#include <QTextFrame>

#include <cmath>

namespace editor {

namespace {

QString markerKind(const QString &data) {
    const QString head = data.left(3).toUpper();
    if (head == QLatin1String("TG_"))
        return QStringLiteral("TG");
    if (head == QLatin1String("TP_"))
        return QStringLiteral("TP");
    return QStringLiteral("LK");
}

// Id of the text frame the cursor stands in, 0 outside every text frame.
int textFrameAt(const QTextCursor &cursor) {
    for (QTextFrame *frame = cursor.currentFrame(); frame; frame = frame->parentFrame())
        if (frame->frameFormat().intProperty(platform::TextProp::ObjectKind) ==
            platform::TextSurface::TextFrameObject)
            return frame->frameFormat().intProperty(platform::TextProp::ObjectId);
    return 0;
}

// Spaces and tabs only: a leading U+3000 is a paragraph indent and code 11 a line break.
QString trimBlanks(const QString &line) {
    auto blank = [](QChar c) { return c == u' ' || c == u'\t'; };
    qsizetype start = 0;
    qsizetype end = line.size();
    while (start < end && blank(line.at(start)))
        ++start;
    while (end > start && blank(line.at(end - 1)))
        --end;
    return line.mid(start, end - start);
}

} // namespace

QString uTxm::SelTxt() const {
    if (!m_bLoad)
        return {};
    return m_surface->selText();
}

void uTxm::setSelTxt(const QString &text) {
    m_surface->setSelText(text);
}

int uTxm::PageWdIn() const {
    return int(std::lround(m_surface->page().width / 15.0));
}

void uTxm::FndWd(const QString &sWd) {
    const qsizetype blank = sWd.indexOf(u' ');
    const QString word = blank >= 0 ? sWd.left(blank) : sWd;
    m_surface->find(word, 0, platform::TextSurface::FindNoMessage);
}

void uTxm::saveDocument() {
    if (m_readOnly)
        return;
    if (m_type <= 0) {
        files::workFileSave(*this);
        emit SaveRequested();
        setBDcEdt(false);
    } else {
        m_entryPoints->saveFile(*this);
    }
}

void uTxm::ChkUdt(bool &bCancel) {
    switch (decideOnLeave(m_changed, m_type, m_values.updateMode, true)) {
    case LeaveAction::Save:
        saveDocument();
        break;
    case LeaveAction::Discard:
        setBDcEdt(false);
        break;
    case LeaveAction::Cancel:
        bCancel = true;
        break;
    case LeaveAction::Nothing:
        break;
    }
}

bool uTxm::loadDocument(const QByteArray &bytes, bool intoSelection) {
    const bool ok = intoSelection
                        ? m_surface->loadFromMemory(bytes, platform::TextSurface::Word97, true)
                        : m_surface->loadWholeFromMemory(bytes, platform::TextSurface::Word97);
    afterLoad();
    return ok;
}

void uTxm::afterLoad() {
    m_snapshot.disarm();
    m_view->refresh();
    syncViewFromSurface();
    if (!m_changed)
        markUnmodified();
}

void uTxm::SetData(const QByteArray &yDt, bool &bOk, bool bCpyNw) {
    Busy busy(this);
    if (!bCpyNw &&
        decideOnLeave(m_changed, m_type, m_values.updateMode, false) == LeaveAction::Save)
        saveDocument();
    setBDcEdt(false);
    bOk = loadDocument(yDt, false);
    if (!bOk) {
        // Another day's text must never stay on screen under this one's date.
        m_surface->clearWhole();
        m_snapshot.disarm();
        m_view->refresh();
        syncViewFromSurface();
        markUnmodified();
        setReadOnly(true);
    }
    m_surface->setSelStart(0);
    txIME(m_values.ime == QLatin1String("ON"));
    refreshStatus();
    busy.release();
    m_toolbarCached = false;
    refreshToolbar();
}

void uTxm::InsData(const QByteArray &yDt, bool &bOk) {
    bOk = false;
    if (m_readOnly)
        return;
    Busy busy(this);
    setBDcEdt(true);
    bOk = loadDocument(yDt, true);
    refreshStatus();
}

void uTxm::ApndData(const QByteArray &yDt, bool &bOk) {
    bOk = false;
    if (m_readOnly)
        return;
    Busy busy(this);
    bOk = loadDocument(yDt, true);
    refreshStatus();
}

void uTxm::setBDcEdt(bool bEd) {
    emit EditedChanged(bEd);
    m_changed = bEd;
    if (!bEd)
        markUnmodified();
}

QString uTxm::Title() const {
    if (m_showTitle)
        return m_title->text();
    const QString text = m_surface->text();
    const qsizetype lineFeed = text.indexOf(QChar(10));
    if (lineFeed < 0)
        return {};
    const qsizetype lineBreak = text.indexOf(QChar(11));
    return text.left(lineBreak >= 0 && lineBreak < lineFeed ? lineBreak : lineFeed);
}

void uTxm::setTitle(const QString &sTitle) {
    Busy busy(this);
    m_title->setText(sTitle);
}

void uTxm::ChkJbMn0(bool &bExDoc, bool &bOvrw) const {
    bExDoc = bHaveData();
    bOvrw = bExDoc && m_changed;
}

void uTxm::ChkJbMn1(bool &bUndo, bool &bRedo, bool &bCopy, bool &bPaste, bool &bExDoc, bool &bOvrw,
                    bool &bTx, bool &bPc, bool &bMt, bool &bLk, int &iRet) const {
    bUndo = m_snapshot.canUndo(*m_surface);
    bRedo = m_surface->canRedo();
    bCopy = m_surface->canCopy();
    bPaste = m_surface->canPaste();
    ChkJbMn0(bExDoc, bOvrw);
    const QMimeData *data = QGuiApplication::clipboard()->mimeData();
    if (!data)
        return;
    if (data->hasFormat(QStringLiteral("text/uri-list")))
        bLk = true;
    if (data->hasFormat(QStringLiteral("image/svg+xml")))
        bMt = true;
    if (data->hasImage())
        bPc = true;
    if (data->hasText() || data->hasFormat(QStringLiteral("text/rtf")) || data->hasHtml()) {
        bTx = true;
        iRet = 1;
    }
    if (bPc || bMt || bLk)
        iRet += 2;
}

void uTxm::ChkJbMn3(bool &bInHd, bool &bInTf, QString *vFdTyp) const {
    const int frame = textFrameAt(m_view->textCursor());
    if (frame > 0)
        const_cast<uTxm *>(this)->m_currentTextFrame = frame;
    bInTf = frame > 0 || m_surface->selectedTextFrame() > 0;
    bInHd = caretInHeading(*m_surface, m_styles);
    if (vFdTyp) {
        const int field = m_surface->fieldAtInput();
        *vFdTyp = field > 0 ? markerKind(m_surface->fieldData(field)) : QString();
    }
}

void uTxm::ChkJbMn5(bool &bShwGrd, bool &bInsTb, bool &bInsCL, bool &bInsRw, bool &bDelCL,
                    bool &bDelRw, bool &bSlcTb, bool &bSplTb, bool &bInHd, bool &bInTf,
                    QString *vFdTyp) const {
    ChkJbMn3(bInHd, bInTf, vFdTyp);
    if (bInHd || bInTf) {
        bShwGrd = bInsTb = bInsCL = bInsRw = bDelCL = bDelRw = bSlcTb = bSplTb = false;
        return;
    }
    const bool inTable = m_surface->tableAtCaret() > 0;
    bShwGrd = m_surface->gridLines();
    bInsTb = !inTable;
    bInsCL = bInsRw = bDelCL = bDelRw = bSlcTb = bSplTb = inTable;
}

void uTxm::ChkJbMn6(bool &bInTf) const {
    bool inHeading = false;
    ChkJbMn3(inHeading, bInTf);
}

platform::TextSurface *uTxm::GetObj() {
    m_busy = true;
    return m_surface.get();
}

void uTxm::EndObj() {
    m_busy = false;
    syncViewFromSurface();
}

void uTxm::GetData(QByteArray &yDt, QString &sTx, QString &sTTL, bool &bOk) {
    bool ok = false;
    yDt = m_readOnly ? QByteArray()
                     : m_surface->saveWholeToMemory(platform::TextSurface::Word97, &ok);
    // The plain text is the main text's, and the user goes on there.
    m_surface->toMainText();
    syncViewFromSurface();
    sTx = m_surface->text();
    sTTL = m_title->text();
    bOk = ok && !yDt.isEmpty();
}

bool uTxm::bHaveData() const {
    // Asked on every caret move: the text is not copied out to learn whether it is blank.
    if (m_surface->hasNonBlankText())
        return true;
    return m_surface->nextObject(0, platform::TextSurface::PictureObject) > 0 ||
           m_surface->nextObject(0, platform::TextSurface::TextFrameObject) > 0;
}

void uTxm::GetMTxt(QString &sTx, QString &sCp) {
    Busy busy(this);
    const int caret = m_surface->selStart();
    const int length = m_surface->selLength();
    const QString text = m_surface->text();
    const QString crlf = QStringLiteral("\r\n");
    sTx.clear();
    sCp.clear();
    qsizetype start = 0;
    for (qsizetype end = text.indexOf(QChar(10)); end >= 0;
         start = end + 1, end = text.indexOf(QChar(10), start)) {
        m_surface->setSelStart(int(end));
        const int style = classifyStyle(*m_surface, m_styles);
        QString line = trimBlanks(text.mid(start, end - start));
        line.replace(QChar(11), crlf);
        if (sCp.isEmpty() && style < settings::Body)
            sCp = line;
        if (style == settings::Heading1)
            line = crlf + QString(30, u'-') + crlf + line + crlf + QString(30, u'-');
        else if (style == settings::Heading2)
            line = crlf + QStringLiteral("■■") + QChar(0x3000) + line;
        else if (style == settings::Heading3)
            line = crlf + QChar(0x3000) + QStringLiteral("■") + QChar(0x3000) + line;
        sTx += line + crlf;
    }
    while (sTx.startsWith(crlf))
        sTx.remove(0, 2);
    while (sTx.endsWith(crlf))
        sTx.chop(2);
    m_surface->select(caret, length);
}

void uTxm::SetText(const QString &sTx) {
    {
        Busy busy(this);
        m_surface->clearWhole();
        if (!sTx.isEmpty()) {
            m_surface->setSelStart(0);
            m_surface->setSelText(sTx);
            // The new text is where undo starts, not a step that could empty the document.
            m_surface->document()->clearUndoRedoStacks();
        }
        m_snapshot.disarm();
        syncViewFromSurface();
    }
    setBDcEdt(false);
    refreshStatus();
}

void uTxm::HeadFtMn(bool &bHdP, bool &bHdF, bool &bFtp, bool &bFtF) const {
    const int bits = m_surface->headerFooterBits();
    bHdP = bits & platform::HeaderEveryPage;
    bHdF = bits & platform::HeaderFirstPage;
    bFtp = bits & platform::FooterEveryPage;
    bFtF = bits & platform::FooterFirstPage;
}

void uTxm::txIME(bool bIME) {
    m_ime.setOpen(bIME);
}

bool uTxm::imeOpen() const {
    return m_ime.isOpen();
}

void uTxm::takeSnapshot() {
    m_snapshot.take(*m_surface);
}

void uTxm::setReadOnly(bool on) {
    m_readOnly = on;
    m_view->setInteractive(!on);
    m_title->setReadOnly(on);
}

} // namespace editor
