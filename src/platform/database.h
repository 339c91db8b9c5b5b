#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <functional>

struct sqlite3;

namespace platform {

// The value a column reads as when there is no row or the value is Null, decided by the first
// letter of its name: "s"/"S" text (""), "d"/"D" a date (an empty QVariant), anything else a
// number (0).
QVariant columnDefault(const QString &name);

// Up to a limited number of rows of one statement, row by row.
struct Rows {
    QStringList columns;
    QList<QVariantList> values; // values[row][column]
    int count() const { return int(values.size()); }
};

// One SQLite connection. Every value reaches a statement as a bound parameter (QString as text,
// QByteArray as a blob, QDateTime as "yyyy-MM-dd HH:mm:ss" local time, a null QVariant as Null).
// Columns are read by the name convention of columnDefault: text columns give QString, date
// columns QDateTime, others qlonglong, double or QByteArray. Statements may use the SQL function
// contains(text, part): 1 when part occurs in text as a literal, case-sensitive substring.
class Database {
public:
    enum class Mode { ReadWrite, ReadOnly, Create };
    using Function = std::function<QVariant(const QVariantList &arguments)>;

    Database() = default;
    ~Database();
    Database(const Database &) = delete;
    Database &operator=(const Database &) = delete;

    // Opens an existing file (or creates one with Mode::Create). Fails, leaving the connection
    // closed, when the file is missing or is not an SQLite database; the file is not written.
    bool open(const QString &path, Mode mode = Mode::ReadWrite);
    void close();
    bool isOpen() const { return m_db != nullptr; }
    QString path() const { return m_path; }
    // Message and extended SQLite result code of the last failure.
    QString lastError() const { return m_error; }
    int lastErrorCode() const { return m_errorCode; }

    // Runs an action statement; the number of rows it changed, or -1 when it failed.
    int exec(const QString &sql, const QVariantList &params = {});
    // Runs statements without parameters, one after another (schema, pragmas).
    bool execScript(const QString &sql);
    // Reads the first row into values, one slot per selected column; with no row every slot gets
    // its column's default. found (optional) tells whether there was a row. False on failure.
    bool readRow(const QString &sql, const QVariantList &params, QVariantList &values,
                 bool *found = nullptr);
    // Reads at most maxRows rows. False on failure (rows then empty).
    bool readRows(const QString &sql, const QVariantList &params, Rows &rows, int maxRows = 500);
    // Adds or updates the row whose keyColumn equals key, setting columns to values, as one
    // transaction: either the whole row is written or nothing is.
    bool addOrUpdate(const QString &table, const QString &keyColumn, const QVariant &key,
                     const QStringList &columns, const QVariantList &values);

    bool beginTransaction();
    bool commit();
    void rollback();

    // Writes a compacted copy of the open database to target (which must not exist).
    bool compactInto(const QString &target);
    // PRAGMA integrity_check answers "ok".
    bool integrityOk();

    // Registers a deterministic SQL function usable in statements and triggers.
    bool addFunction(const QString &name, int argumentCount, Function function);

    sqlite3 *handle() const { return m_db; }

private:
    bool fail(const QString &what);

    sqlite3 *m_db = nullptr;
    QString m_path;
    QString m_error;
    int m_errorCode = 0;
};

// Replaces target by source in one step (the old target stays when it fails), after flushing
// source to the disk.
bool replaceFile(const QString &source, const QString &target, QString *error = nullptr);

} // namespace platform
