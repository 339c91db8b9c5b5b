#include "keybar/key_bindings.h"

#include "keybar/host.h"
#include "keybar/key_map.h"
#include "keybar/key_row.h"
#include "keybar/menu_code.h"
#include "keybar/notation.h"

#include <QAction>
#include <QStringList>

namespace keybar {

namespace {

QString upToParenthesis(const QString &text) {
    const qsizetype open = text.indexOf(u'(');
    return open < 0 ? text : text.left(open);
}

} // namespace

void KeyBindings::cOn(Host *host, bool fullRow) {
    if (fullRow)
        m_row.setLayoutText(QStringLiteral("4|4|4"));
    m_host = host;
    m_keyMap.clear();
    m_row.setKeySet(u'F');
}

void KeyBindings::cOff() {
    m_keyMap.clear();
    m_host = nullptr;
}

void KeyBindings::cKey(const QString &keyName, int menuNumber, int entryIndex,
                       const QString &caption, const QString &tooltip) {
    QAction *entry = m_host ? m_host->menuEntry(menuNumber, entryIndex) : nullptr;
    if (!entry)
        return;
    const QString tip = tooltip.isEmpty() ? upToParenthesis(entry->text()) : tooltip;
    m_keyMap = withBinding(m_keyMap, keyName, encodeMenuCode(menuNumber, entryIndex));
    if (!m_row.hasKey(keyName))
        return;
    if (caption.isEmpty()) {
        m_row.setCaption(keyName, QString());
        m_row.setTooltip(keyName, QString());
        return;
    }
    m_row.setCaption(keyName, keyName + u' ' + caption);
    if (!tip.isEmpty())
        m_row.setTooltip(keyName, tip);
}

void KeyBindings::cCap(const QString &keyName, const QString &caption) {
    m_row.setCaption(keyName, keyName + u' ' + caption);
    const QString code = codeForKey(m_keyMap, keyName);
    if (code.isEmpty() || !m_host)
        return;
    const MenuRef ref = decodeMenuCode(code);
    if (QAction *entry = m_host->menuEntry(ref.menu, ref.index))
        entry->setText(caption);
}

void KeyBindings::cKyS() {
    m_parentMap.clear();
    if (m_host)
        m_parentMap = buildParentMap(notation(m_host->hostName()), m_keyMap);
}

void KeyBindings::SetEnb(int menuNumber, const QString &entryIndices, bool enabled,
                         bool visibility) {
    if (!m_host)
        return;
    QString keys;
    const QStringList indices = entryIndices.split(u'.', Qt::SkipEmptyParts);
    for (const QString &text : indices) {
        bool ok = false;
        const int index = text.trimmed().toInt(&ok);
        QAction *entry = ok ? m_host->menuEntry(menuNumber, index) : nullptr;
        if (!entry)
            continue;
        if (visibility)
            entry->setVisible(enabled);
        else if (entry->isVisible())
            entry->setEnabled(enabled);

        const QString code = encodeMenuCode(menuNumber, index);
        const QString key = keyForCode(m_keyMap, code);
        if (!key.isEmpty())
            keys += key + u',';
        keys += keysOfParent(m_parentMap, code);
    }
    if (keys.endsWith(u','))
        keys.chop(1);
    if (!keys.isEmpty())
        SetEnbKy(keys, enabled);
}

void KeyBindings::SetEnbKy(const QString &keyNames, bool enabled) {
    QString list = keyNames;
    if (list.endsWith(u','))
        list.chop(1);
    const QStringList names = list.toUpper().split(u',');
    for (const QString &name : names)
        m_row.setEnabled(name.trimmed(), enabled);
}

void KeyBindings::SetEnbByMenu() {
    const QStringList entries = m_keyMap.split(u',', Qt::SkipEmptyParts);
    for (const QString &entry : entries) {
        const qsizetype eq = entry.indexOf(u'=');
        if (eq < 0)
            continue;
        const QString keyName = entry.left(eq);
        if (!m_row.hasKey(keyName))
            return;
        const MenuRef ref = decodeMenuCode(entry.mid(eq + 1));
        if (QAction *action = m_host ? m_host->menuEntry(ref.menu, ref.index) : nullptr)
            m_row.setEnabled(keyName, action->isEnabled());
    }
}

KeyBindings::Press KeyBindings::press(int keyNumber, int modifierState) const {
    const QString keyName = QString(modifierState == 2 ? u'C' : u'F') + QString::number(keyNumber);
    const QString code = codeForKey(m_keyMap, keyName);
    Press result;
    result.bound = !code.isEmpty();
    const Key *key = m_row.key(keyName);
    if (result.bound && key && key->enabled && m_host)
        result.command = decodeMenuCode(code);
    return result;
}

} // namespace keybar
