#include "app/listing_link.h"

#include "editor/interface.h"
#include "windows/entry_edit/sbedt.h"
#include "windows/main/fm_txt.h"
#include "windows/search/sbfnd.h"

namespace appshell {
namespace {

// The main window's editor inside its frame.
QRect editorArea(const mainwin::fmTxt &main) {
    const QWidget *editor = main.editorControl();
    const QPoint inFrame = editor->mapTo(&main, QPoint(0, 0)) +
                           (main.geometry().topLeft() - main.frameGeometry().topLeft());
    return QRect(inFrame, editor->size());
}

QMargins frameMargins(const QWidget &window) {
    const QRect inside = window.geometry();
    const QRect outside = window.frameGeometry();
    return {inside.left() - outside.left(), inside.top() - outside.top(),
            outside.right() - inside.right(), outside.bottom() - inside.bottom()};
}

} // namespace

ListingLink::ListingLink(mainwin::fmTxt *main) : m_main(main) {}

searchwin::sbFnd &ListingLink::listing() {
    searchwin::sbFnd &window = searchwin::sbFnd::instance();
    if (m_main)
        window.setPlacement(m_main->frameGeometry(), editorArea(*m_main), frameMargins(*m_main));
    if (m_connected != &window) {
        m_connected = &window;
        QObject::connect(&window, &searchwin::sbFnd::entryRequested, &window,
                         [this](const QString &key) { openEntry(key); });
    }
    return window;
}

void ListingLink::openEntry(const QString &key) {
    entryedit::sbEdt &edit = entryedit::sbEdt::instance();
    if (m_main)
        edit.setPlacement(m_main->frameGeometry(), editorArea(*m_main));
    if (m_editConnected != &edit) {
        m_editConnected = &edit;
        // A summary changed in the edit window shows in the month list at once.
        QObject::connect(&edit, &entryedit::sbEdt::entrySaved, &edit, [main = m_main] {
            if (main)
                main->FillMonthList(true);
        });
    }
    edit.ActDc(key);
}

void ListingLink::ActDate(const QString &sCp, const QString &sDt) {
    listing().ActDate(sCp, sDt);
}

void ListingLink::ActWd(const QString &sWd) {
    listing().ActWd(sWd);
}

bool ListingLink::closeEntryWindows() {
    // The edit window saves into the diary, so it has to close while the diary is still open.
    entryedit::sbEdt *edit = entryedit::sbEdt::existing();
    return !edit || !edit->isVisible() || edit->close();
}

} // namespace appshell
