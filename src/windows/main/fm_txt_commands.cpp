#include "windows/main/fm_txt.h"

#include "diary/connection.h"
#include "diary/keys.h"
#include "editor/interface.h"
#include "platform/dialogs.h"
#include "windows/main/date_rules.h"
#include "windows/main/listing.h"

#include <QAction>

namespace mainwin {

void fmTxt::fnMenu(int iMenu, int iNdx) {
    if (!m_loaded) {
        if (iMenu == OperationMenu && iNdx == 11) {
            bool cancel = false;
            CloseMain(cancel);
        }
        return;
    }
    switch (iMenu) {
    case OperationMenu:
        switch (iNdx) {
        case 0:
            editorCommand(7);
            break;
        case 1:
            editorCommand(6);
            break;
        case 2:
            editorCommand(5);
            break;
        case 5:
            m_editor->rtAct(4);
            saveFailed();
            break;
        case 7:
            DeleteEntry();
            break;
        case 11: {
            bool cancel = false;
            CloseMain(cancel);
            break;
        }
        default:
            break;
        }
        break;
    case ReferenceMenu:
        if (iNdx == 0)
            search();
        else if (iNdx >= 2 && iNdx <= 4)
            showRecent(iNdx);
        break;
    case DateMenu:
        if (iNdx == 0 || iNdx == 1 || (iNdx >= 3 && iNdx <= 5))
            JumpDate(iNdx);
        break;
    default:
        break;
    }
}

void fmTxt::editorCommand(int code) {
    m_editor->rtAct(code);
    RefreshFileMenu();
}

void fmTxt::JumpDate(int index) {
    QString key;
    switch (index) {
    case 0:
        key = diary::connection().firstKey();
        break;
    case 1:
        key = diary::connection().lastKey();
        break;
    case 3:
        key = diary::entryKey(QDate::currentDate());
        break;
    case 4:
        key = shiftedKey(m_curKey, -1);
        break;
    case 5:
        key = shiftedKey(m_curKey, -2);
        break;
    default:
        return;
    }
    const QDate date = diary::keyToDate(key);
    if (!date.isValid())
        return;
    pickDate(date);
}

void fmTxt::showRecent(int index) {
    if (m_curKey.isEmpty() || !m_listing)
        return;
    const QString title = listTitle(m_menus.entry(ReferenceMenu, index)->text());
    const QString key = index == 2 ? m_curKey : shiftedKey(m_curKey, index == 3 ? -1 : -2);
    m_listing->ActDate(title, key);
}

void fmTxt::search() {
    QString word = m_editor->SelTxt();
    if (word.isEmpty()) {
        if (!platform::dialogs().input(QStringLiteral("検索文字を指定して下さい"),
                                       platform::appTitle(), word) ||
            word.isEmpty())
            return;
    }
    if (m_listing)
        m_listing->ActWd(word);
}

} // namespace mainwin
