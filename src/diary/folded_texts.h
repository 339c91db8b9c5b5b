#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QHash>
#include <QList>
#include <QSet>

struct sqlite3;

namespace diary {

// The folded copy of every entry held in one contiguous buffer, for words too short for the
// trigram index: one memmem pass over it instead of thousands of page reads. Read from the
// search copy on first use; the program's own saves and deletes after that go into a small
// overlay, so the buffer is never rewritten.
class FoldedTexts {
public:
    bool isLoaded() const { return m_loaded; }
    bool load(sqlite3 *db);
    void clear();
    // The entry of id now holds folded (UTF-8); or is gone.
    void put(qint64 id, const QByteArray &folded);
    void remove(qint64 id);
    // Ids of the entries that hold needle, highest first.
    QList<qint64> find(QByteArrayView needle) const;

private:
    bool m_loaded = false;
    QByteArray m_text;
    QList<qint64> m_ids;       // highest first
    QList<qsizetype> m_starts; // where each entry's text begins in m_text, plus the end
    QHash<qint64, QByteArray> m_changed;
    QSet<qint64> m_removed;
};

} // namespace diary
