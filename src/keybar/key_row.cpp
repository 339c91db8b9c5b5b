#include "keybar/key_row.h"

namespace keybar {

namespace {

// Index 0-11 of a key name, or -1. The number is written without leading zeros.
int indexOf(const QString &keyName) {
    if (keyName.size() < 2)
        return -1;
    bool ok = false;
    const QString digits = keyName.mid(1);
    const int number = digits.toInt(&ok);
    if (!ok || number < 1 || number > KeyRow::kKeyCount || QString::number(number) != digits)
        return -1;
    return number - 1;
}

} // namespace

Key *KeyRow::find(const QString &keyName) {
    const int index = indexOf(keyName);
    if (index < 0)
        return nullptr;
    if (keyName.at(0) == u'F')
        return &m_normal[index];
    if (keyName.at(0) == u'C')
        return &m_ctrl[index];
    return nullptr;
}

bool KeyRow::hasKey(const QString &keyName) const {
    return key(keyName) != nullptr;
}

const Key *KeyRow::key(const QString &keyName) const {
    return const_cast<KeyRow *>(this)->find(keyName);
}

const Key &KeyRow::key(QChar set, int number) const {
    const auto &keys = set == u'C' ? m_ctrl : m_normal;
    return keys[qBound(1, number, kKeyCount) - 1];
}

void KeyRow::setCaption(const QString &keyName, const QString &caption) {
    if (Key *k = find(keyName); k && k->caption != caption) {
        k->caption = caption;
        emit changed();
    }
}

void KeyRow::setTooltip(const QString &keyName, const QString &tooltip) {
    if (Key *k = find(keyName); k && k->tooltip != tooltip) {
        k->tooltip = tooltip;
        emit changed();
    }
}

void KeyRow::setEnabled(const QString &keyName, bool enabled) {
    if (Key *k = find(keyName); k && k->enabled != enabled) {
        k->enabled = enabled;
        emit changed();
    }
}

void KeyRow::setKeySet(QChar set) {
    const QChar normalised = set == u'C' ? u'C' : u'F';
    if (m_set != normalised) {
        m_set = normalised;
        emit changed();
    }
}

void KeyRow::setLayoutText(const QString &layout) {
    if (m_layout != layout) {
        m_layout = layout;
        emit changed();
    }
}

QList<int> KeyRow::groups() const {
    QList<int> sizes;
    int total = 0;
    const QStringList parts = m_layout.split(u'|', Qt::SkipEmptyParts);
    for (const QString &part : parts) {
        const int size = part.trimmed().toInt();
        if (size <= 0 || total + size > kKeyCount)
            break;
        sizes << size;
        total += size;
    }
    if (sizes.isEmpty())
        sizes << kKeyCount;
    return sizes;
}

} // namespace keybar
