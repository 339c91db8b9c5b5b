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
// search copy on first use, or a few rows at a time while the program is idle; the program's own
// saves and deletes after reading began go into a small overlay, so the buffer is never rewritten.
class FoldedTexts {
public:
    bool isLoaded() const { return m_state == State::Loaded; }
    // Reading has begun: changes are kept in the overlay from now on.
    bool isStarted() const { return m_state != State::Empty; }
    // Reads the rest.
    bool load(sqlite3 *db) { return loadSome(db, 0); }
    // Reads up to rows more entries (all the rest when rows is 0). False, and nothing kept, when
    // the copy cannot be read.
    bool loadSome(sqlite3 *db, int rows);
    void clear();
    // The entry of id now holds folded (UTF-8); or is gone.
    void put(qint64 id, const QByteArray &folded);
    void remove(qint64 id);
    // Ids of the entries that hold needle, highest first.
    QList<qint64> find(QByteArrayView needle) const;

private:
    bool readRows(sqlite3 *db, int rows);

    enum class State { Empty, Partial, Loaded };
    State m_state = State::Empty;
    // Rows below this id are still to be read.
    qint64 m_next = 0;
    qint64 m_expected = 0;
    QByteArray m_text;
    QList<qint64> m_ids;       // highest first
    QList<qsizetype> m_starts; // where each entry's text begins in m_text, plus the end
    QHash<qint64, QByteArray> m_changed;
    QSet<qint64> m_removed;
};

} // namespace diary
