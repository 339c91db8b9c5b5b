#pragma once

#include <QByteArrayView>
#include <QString>
#include <sqlite3.h>

namespace diary {

// A prepared statement read column by column without copies, for the loops over every entry
// that platform::Database's row lists are not made for.
class Step {
public:
    Step(sqlite3 *db, const char *sql) {
        if (db)
            sqlite3_prepare_v2(db, sql, -1, &m_stmt, nullptr);
    }
    ~Step() { sqlite3_finalize(m_stmt); }
    Step(const Step &) = delete;
    Step &operator=(const Step &) = delete;

    bool ok() const { return m_stmt != nullptr; }
    void bind(int index, QByteArrayView utf8) {
        sqlite3_bind_text64(m_stmt, index, utf8.data(), sqlite3_uint64(utf8.size()),
                            SQLITE_TRANSIENT, SQLITE_UTF8);
    }
    void bind(int index, const QString &text) { bind(index, QByteArrayView(text.toUtf8())); }
    void bind(int index, qint64 value) { sqlite3_bind_int64(m_stmt, index, value); }
    // SQLITE_ROW, SQLITE_DONE or an error code.
    int next() { return m_stmt ? sqlite3_step(m_stmt) : SQLITE_MISUSE; }
    void reset() {
        sqlite3_reset(m_stmt);
        sqlite3_clear_bindings(m_stmt);
    }
    QByteArrayView text(int column) {
        const auto *data = reinterpret_cast<const char *>(sqlite3_column_text(m_stmt, column));
        return QByteArrayView(data, data ? sqlite3_column_bytes(m_stmt, column) : 0);
    }
    QString string(int column) { return QString::fromUtf8(text(column)); }
    qint64 integer(int column) { return sqlite3_column_int64(m_stmt, column); }
    sqlite3_stmt *get() const { return m_stmt; }

private:
    sqlite3_stmt *m_stmt = nullptr;
};

} // namespace diary
