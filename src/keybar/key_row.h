#pragma once

#include <QObject>
#include <QString>
#include <array>

namespace keybar {

// One key of the row: what its button shows and whether it can be used.
struct Key {
    QString caption;
    QString tooltip;
    bool enabled = true;
};

// The state of the key row: two sets of twelve keys, "F" (normal) and "C" (Ctrl), the set
// currently shown and the layout text ("4|4|4" for three groups of four). Key names are the set
// letter and the number: "F1" ... "F12", "C1" ... "C12".
class KeyRow : public QObject {
    Q_OBJECT
public:
    static constexpr int kKeyCount = 12;

    using QObject::QObject;

    bool hasKey(const QString &keyName) const;
    // The key of a name, or nullptr when the row has no such key.
    const Key *key(const QString &keyName) const;
    const Key &key(QChar set, int number) const;

    void setCaption(const QString &keyName, const QString &caption);
    void setTooltip(const QString &keyName, const QString &tooltip);
    void setEnabled(const QString &keyName, bool enabled);

    // "F" or "C".
    QChar keySet() const { return m_set; }
    void setKeySet(QChar set);

    QString layoutText() const { return m_layout; }
    void setLayoutText(const QString &layout);
    // Group sizes read from the layout text; one group of twelve when it gives none.
    QList<int> groups() const;

signals:
    void changed();

private:
    Key *find(const QString &keyName);

    std::array<Key, kKeyCount> m_normal;
    std::array<Key, kKeyCount> m_ctrl;
    QChar m_set = u'F';
    QString m_layout;
};

} // namespace keybar
