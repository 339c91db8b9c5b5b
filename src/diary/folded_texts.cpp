#include "diary/folded_texts.h"

#include "diary/sqlite_step.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace diary {

bool FoldedTexts::loadSome(sqlite3 *db, int rows) {
    if (rows > 0)
        return readRows(db, rows);
    // All the rest, in batches so that the buffer is sized after the first.
    while (m_state != State::Loaded) {
        if (!readRows(db, 256))
            return false;
    }
    return true;
}

bool FoldedTexts::readRows(sqlite3 *db, int rows) {
    if (m_state == State::Loaded)
        return true;
    if (m_state == State::Empty) {
        // The count comes from the key index; summing the texts' sizes would read them all.
        Step count(db, "SELECT count(*) FROM ms日誌検索");
        if (count.next() != SQLITE_ROW)
            return false;
        m_expected = count.integer(0);
        m_ids.reserve(m_expected);
        m_starts.reserve(m_expected + 1);
        m_next = std::numeric_limits<qint64>::max();
        m_state = State::Partial;
    }
    // Each step seeks afresh: no read stays open between the steps, whatever is saved meanwhile.
    Step next(db, "SELECT id, sf文書 FROM ms日誌検索 WHERE id < ? ORDER BY id DESC LIMIT ?");
    next.bind(1, m_next);
    next.bind(2, qint64(rows));
    int read = 0;
    int rc;
    while ((rc = next.next()) == SQLITE_ROW) {
        m_next = next.integer(0);
        m_ids.append(m_next);
        m_starts.append(m_text.size());
        m_text += next.text(1);
        ++read;
    }
    if (rc != SQLITE_DONE) {
        clear();
        return false;
    }
    // One block for all the texts, sized from the first rows with room to spare: growing it
    // step by step would copy it and leave the old blocks resident.
    if (read > 0 && m_ids.size() == read && m_expected > read)
        m_text.reserve(qsizetype(double(m_text.size()) / read * double(m_expected) * 1.25));
    if (read < rows) {
        m_starts.append(m_text.size());
        m_state = State::Loaded;
    }
    return true;
}

void FoldedTexts::clear() {
    m_state = State::Empty;
    m_next = 0;
    m_expected = 0;
    m_text = QByteArray();
    m_ids.clear();
    m_starts.clear();
    m_changed.clear();
    m_removed.clear();
}

void FoldedTexts::put(qint64 id, const QByteArray &folded) {
    if (m_state == State::Empty)
        return;
    m_changed.insert(id, folded);
    m_removed.insert(id);
}

void FoldedTexts::remove(qint64 id) {
    if (m_state == State::Empty)
        return;
    m_changed.remove(id);
    m_removed.insert(id);
}

QList<qint64> FoldedTexts::find(QByteArrayView needle) const {
    QList<qint64> ids;
    if (needle.isEmpty())
        return ids;
    const char *base = m_text.constData();
    qsizetype at = 0;
    while (at < m_text.size()) {
        const void *hit =
            ::memmem(base + at, size_t(m_text.size() - at), needle.data(), size_t(needle.size()));
        if (!hit)
            break;
        const qsizetype pos = static_cast<const char *>(hit) - base;
        // The entry the hit starts in; a hit running into the next entry is no match.
        const auto next = std::upper_bound(m_starts.cbegin(), m_starts.cend(), pos);
        const qsizetype entry = next - m_starts.cbegin() - 1;
        if (pos + needle.size() <= *next) {
            if (!m_removed.contains(m_ids.at(entry)))
                ids.append(m_ids.at(entry));
            at = *next;
        } else {
            at = pos + 1;
        }
    }
    for (auto it = m_changed.cbegin(); it != m_changed.cend(); ++it) {
        if (QByteArrayView(it.value()).indexOf(needle) >= 0)
            ids.append(it.key());
    }
    std::sort(ids.begin(), ids.end(), std::greater<>());
    return ids;
}

} // namespace diary
