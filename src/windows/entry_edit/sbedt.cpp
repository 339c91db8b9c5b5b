#include "windows/entry_edit/sbedt.h"

#include "diary/connection.h"
#include "diary/entry_events.h"
#include "editor/interface.h"
#include "editor/link_opening.h"
#include "platform/dialogs.h"
#include "platform/text/text_surface.h"
#include "settings/app_values.h"
#include "settings/yini.h"
#include "windows/entry_edit/edit_rules.h"

#include <QCloseEvent>
#include <QShortcut>
#include <QVBoxLayout>

namespace entryedit {

QPointer<sbEdt> sbEdt::s_instance;

sbEdt::sbEdt(QWidget *parent) : QWidget(parent, Qt::Window) {
    setWindowTitle(QStringLiteral("文書修正"));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_editor = new editor::uTxm(this);
    layout->addWidget(m_editor);
    connect(m_editor, &editor::uTxm::SaveRequested, this, &sbEdt::saveEntry);
    connect(m_editor, &editor::uTxm::LinkClicked, this,
            [this](const QString &, const QString &, const QString &target) {
                platform::DialogParentScope over(this);
                editor::openLinkTarget(target);
            });
    connect(&diary::entryEvents(), &diary::EntryEvents::written, this, &sbEdt::followWrite);
    connect(&diary::entryEvents(), &diary::EntryEvents::removed, this, &sbEdt::followRemoval);
    // Ctrl+S saves as the toolbar's save key does, wherever the focus is in this window.
    auto *save = new QShortcut(QKeySequence::Save, this);
    connect(save, &QShortcut::activated, this, [this] {
        if (m_editor->isOn())
            m_editor->rtAct(editor::cmd::Save);
    });
    resize(800, 560);
}

sbEdt::~sbEdt() = default;

sbEdt &sbEdt::instance() {
    if (!s_instance)
        s_instance = new sbEdt();
    return *s_instance;
}

void sbEdt::releaseInstance() {
    delete s_instance.data();
}

sbEdt *sbEdt::existing() {
    return s_instance.data();
}

void sbEdt::setPlacement(const QRect &mainWindow, const QRect &editorArea) {
    m_placement = editPlacement(mainWindow, editorArea, logicalDpiY());
}

bool sbEdt::ActDc(const QString &sDt) {
    if (sDt.isEmpty())
        return false;
    // A save the editor performs here still belongs to the entry held so far.
    if (!m_editKey.isEmpty() && !leaveEntry())
        return false;
    platform::DialogParentScope over(this);
    m_editKey = sDt;
    m_editor->cOn(qintptr(winId()), 0, true);
    const bool readable = loadEntry();
    setWindowTitle(editCaption(m_editKey));
    show();
    raise();
    activateWindow();
    if (!readable)
        diary::tellEntryUnreadable(m_editKey);
    return true;
}

bool sbEdt::loadEntry() {
    m_editor->setReadOnly(false);
    bool readable = false;
    const std::optional<diary::DiaryRow> row = diary::connection().load(m_editKey, &readable);
    if (row) {
        m_editor->setTitle(row->summary);
        m_editor->SetData(row->document, readable);
    } else {
        m_editor->rtAct(2);
    }
    // A read error must not look like an empty day, or the next save would replace the entry.
    m_editor->setReadOnly(!readable);
    return readable;
}

void sbEdt::followWrite(const QString &key) {
    if (m_writing || !m_editor->isOn())
        return;
    platform::DialogParentScope over(this);
    if (diary::followWrite(m_editKey, key, m_editor->bDcEdt()) != diary::FollowUp::Reload)
        return;
    m_editor->setBDcEdt(false);
    if (!loadEntry())
        diary::tellEntryUnreadable(m_editKey);
}

void sbEdt::followRemoval(const QString &key) {
    if (!m_writing && m_editor->isOn() && key == m_editKey && !m_editor->bDcEdt())
        loadEntry();
}

bool sbEdt::saveEntry() {
    if (m_editKey.isEmpty() || m_editor->readOnly())
        return false;
    platform::DialogParentScope over(this);
    platform::TextSurface *surface = m_editor->GetObj();
    bool ok = false;
    // The whole document, whatever header, footer or text frame is being edited.
    const QByteArray document = surface->saveWholeToMemory(platform::TextSurface::Word97, &ok);
    surface->toMainText();
    const QString text = surface->text();
    m_writing = true;
    const bool saved = ok && !document.isEmpty() &&
                       diary::connection().save(m_editKey, m_editor->Title(), text, document);
    m_writing = false;
    m_editor->EndObj();
    m_saveFailed = !saved;
    if (!saved) {
        platform::dialogs().message(QStringLiteral("保存できませんでした。\n") +
                                        diary::connection().lastError(),
                                    platform::Buttons::Ok, platform::Icon::Critical);
        return false;
    }
    emit entrySaved(m_editKey);
    return true;
}

void sbEdt::showEvent(QShowEvent *event) {
    // Placed once; afterwards the window keeps where the user put it.
    if (!m_placed && m_placement.isValid()) {
        m_placed = true;
        move(m_placement.topLeft());
        resize(m_placement.size());
    }
    QWidget::showEvent(event);
}

void sbEdt::closeEvent(QCloseEvent *event) {
    if (m_editor->isOn()) {
        if (!leaveEntry()) {
            event->ignore();
            return;
        }
        m_editor->cOff();
    }
    event->accept();
}

bool sbEdt::leaveEntry() {
    if (!m_editor->isOn())
        return true;
    // The save question is about this window's text: it stands over this window.
    platform::DialogParentScope over(this);
    bool cancel = false;
    m_saveFailed = false;
    m_editor->ChkUdt(cancel);
    if (m_saveFailed) {
        // The editor drops its changed flag after any save; the text is still unsaved.
        m_editor->setBDcEdt(true);
        return false;
    }
    return !cancel;
}

} // namespace entryedit
