#include "platform/database.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cstring>
#include <filesystem>
#include <sqlite3.h>
#include <system_error>

#ifdef Q_OS_WIN
#include <io.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

namespace platform {

namespace {

const QString DateFormat = QStringLiteral("yyyy-MM-dd HH:mm:ss");

// A prepared statement that finalizes itself.
class Statement {
public:
    Statement(sqlite3 *db, const QString &sql) {
        m_rc = sqlite3_prepare16_v2(db, sql.utf16(), int(sql.size() * sizeof(char16_t)), &m_stmt,
                                    nullptr);
    }
    ~Statement() { sqlite3_finalize(m_stmt); }
    Statement(const Statement &) = delete;
    Statement &operator=(const Statement &) = delete;

    bool ok() const { return m_rc == SQLITE_OK && m_stmt; }
    sqlite3_stmt *get() const { return m_stmt; }

    bool bind(const QVariantList &params) {
        if (params.size() != sqlite3_bind_parameter_count(m_stmt))
            return false;
        for (int i = 0; i < params.size(); ++i) {
            if (bindOne(i + 1, params.at(i)) != SQLITE_OK)
                return false;
        }
        return true;
    }

private:
    int bindOne(int index, const QVariant &v) {
        if (v.isNull())
            return sqlite3_bind_null(m_stmt, index);
        switch (v.typeId()) {
        case QMetaType::QByteArray: {
            const QByteArray b = v.toByteArray();
            return sqlite3_bind_blob64(m_stmt, index, b.constData(), sqlite3_uint64(b.size()),
                                       SQLITE_TRANSIENT);
        }
        case QMetaType::Bool:
        case QMetaType::Int:
        case QMetaType::UInt:
        case QMetaType::LongLong:
        case QMetaType::Long:
        case QMetaType::Short:
            return sqlite3_bind_int64(m_stmt, index, v.toLongLong());
        case QMetaType::Double:
        case QMetaType::Float:
            return sqlite3_bind_double(m_stmt, index, v.toDouble());
        case QMetaType::QDateTime:
            return bindText(index, v.toDateTime().toString(DateFormat));
        case QMetaType::QDate:
            return bindText(index, v.toDate().toString(Qt::ISODate));
        default:
            return bindText(index, v.toString());
        }
    }

    int bindText(int index, const QString &s) {
        return sqlite3_bind_text16(m_stmt, index, s.utf16(), int(s.size() * sizeof(char16_t)),
                                   SQLITE_TRANSIENT);
    }

    sqlite3_stmt *m_stmt = nullptr;
    int m_rc = SQLITE_ERROR;
};

QString textOf(const void *utf16, int bytes) {
    return QString(static_cast<const QChar *>(utf16), bytes / int(sizeof(char16_t)));
}

QString columnName(sqlite3_stmt *stmt, int column) {
    return QString::fromUtf8(sqlite3_column_name(stmt, column));
}

// The value of one column read by the name convention.
QVariant columnValue(sqlite3_stmt *stmt, int column, const QString &name) {
    const int type = sqlite3_column_type(stmt, column);
    if (type == SQLITE_NULL)
        return columnDefault(name);
    const QChar first = name.isEmpty() ? QChar() : name.at(0).toLower();
    if (first == u's') {
        const void *text = sqlite3_column_text16(stmt, column);
        return textOf(text, sqlite3_column_bytes16(stmt, column));
    }
    if (first == u'd') {
        const QString text =
            textOf(sqlite3_column_text16(stmt, column), sqlite3_column_bytes16(stmt, column));
        QDateTime dt = QDateTime::fromString(text, DateFormat);
        if (!dt.isValid())
            dt = QDateTime::fromString(text, Qt::ISODate);
        return dt.isValid() ? QVariant(dt) : QVariant();
    }
    switch (type) {
    case SQLITE_INTEGER:
        return qlonglong(sqlite3_column_int64(stmt, column));
    case SQLITE_FLOAT:
        return sqlite3_column_double(stmt, column);
    default: {
        const void *data = sqlite3_column_blob(stmt, column);
        return QByteArray(static_cast<const char *>(data), sqlite3_column_bytes(stmt, column));
    }
    }
}

QVariant valueOf(sqlite3_value *v) {
    switch (sqlite3_value_type(v)) {
    case SQLITE_NULL:
        return {};
    case SQLITE_INTEGER:
        return qlonglong(sqlite3_value_int64(v));
    case SQLITE_FLOAT:
        return sqlite3_value_double(v);
    case SQLITE_BLOB:
        return QByteArray(static_cast<const char *>(sqlite3_value_blob(v)), sqlite3_value_bytes(v));
    default: {
        const auto *text = reinterpret_cast<const char *>(sqlite3_value_text(v));
        return QString::fromUtf8(text, sqlite3_value_bytes(v));
    }
    }
}

void callFunction(sqlite3_context *context, int argc, sqlite3_value **argv) {
    const auto *function = static_cast<Database::Function *>(sqlite3_user_data(context));
    QVariantList arguments;
    arguments.reserve(argc);
    for (int i = 0; i < argc; ++i)
        arguments.append(valueOf(argv[i]));
    const QVariant result = (*function)(arguments);
    if (result.isNull()) {
        sqlite3_result_null(context);
    } else if (result.typeId() == QMetaType::QByteArray) {
        const QByteArray b = result.toByteArray();
        sqlite3_result_blob64(context, b.constData(), sqlite3_uint64(b.size()), SQLITE_TRANSIENT);
    } else if (result.typeId() == QMetaType::Bool || result.typeId() == QMetaType::Int ||
               result.typeId() == QMetaType::LongLong) {
        sqlite3_result_int64(context, result.toLongLong());
    } else {
        const QByteArray utf8 = result.toString().toUtf8();
        sqlite3_result_text64(context, utf8.constData(), sqlite3_uint64(utf8.size()),
                              SQLITE_TRANSIENT, SQLITE_UTF8);
    }
}

// contains(haystack, needle): 1 when the needle's bytes occur in the haystack's. On UTF-8 text
// this is exactly a character substring test, and far faster than instr's step-by-step compare.
void containsFunction(sqlite3_context *context, int, sqlite3_value **argv) {
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL || sqlite3_value_type(argv[1]) == SQLITE_NULL) {
        sqlite3_result_null(context);
        return;
    }
    const auto *haystack = reinterpret_cast<const char *>(sqlite3_value_text(argv[0]));
    const qsizetype haystackSize = sqlite3_value_bytes(argv[0]);
    const auto *needle = reinterpret_cast<const char *>(sqlite3_value_text(argv[1]));
    const qsizetype needleSize = sqlite3_value_bytes(argv[1]);
    sqlite3_result_int(
        context,
        QByteArrayView(haystack, haystackSize).indexOf(QByteArrayView(needle, needleSize)) >= 0);
}

void deleteFunction(void *p) {
    delete static_cast<Database::Function *>(p);
}

QString quoted(const QString &identifier) {
    return u'"' + QString(identifier).replace(u'"', QStringLiteral("\"\"")) + u'"';
}

// Pushes a file's data to the disk; false when the file cannot be opened or synced.
bool flushToDisk(const QString &path) {
#ifdef Q_OS_WIN
    QFile file(path);
    if (!file.open(QIODevice::ReadWrite))
        return false;
    return _commit(file.handle()) == 0;
#else
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY);
    if (fd < 0)
        return false;
    const bool ok = ::fsync(fd) == 0;
    ::close(fd);
    return ok;
#endif
}

} // namespace

QVariant columnDefault(const QString &name) {
    const QChar first = name.isEmpty() ? QChar() : name.at(0).toLower();
    if (first == u's')
        return QStringLiteral("");
    if (first == u'd')
        return {};
    return qlonglong(0);
}

Database::~Database() {
    close();
}

bool Database::open(const QString &path, Mode mode) {
    close();
    m_error.clear();
    m_errorCode = 0;
    if (mode != Mode::Create && !QFileInfo(path).isFile()) {
        m_error = QStringLiteral("no such file: %1").arg(path);
        m_errorCode = SQLITE_CANTOPEN;
        return false;
    }
    int flags = SQLITE_OPEN_READONLY;
    if (mode == Mode::ReadWrite)
        flags = SQLITE_OPEN_READWRITE;
    else if (mode == Mode::Create)
        flags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE;
    const int rc = sqlite3_open_v2(QFile::encodeName(path).constData(), &m_db, flags, nullptr);
    if (rc != SQLITE_OK) {
        fail(QStringLiteral("open"));
        close();
        return false;
    }
    m_path = path;
    sqlite3_extended_result_codes(m_db, 1);
    sqlite3_busy_timeout(m_db, 2000);
    sqlite3_create_function_v2(m_db, "contains", 2,
                               SQLITE_UTF8 | SQLITE_DETERMINISTIC | SQLITE_INNOCUOUS, nullptr,
                               containsFunction, nullptr, nullptr, nullptr);
    // SQLite reads the file only on first use: read the schema now so that a file that is not
    // a database is refused here.
    QVariantList count{0};
    if (!readRow(QStringLiteral("SELECT count(*) FROM sqlite_schema"), {}, count)) {
        const QString error = m_error;
        const int code = m_errorCode;
        close();
        m_error = error;
        m_errorCode = code;
        return false;
    }
    return true;
}

void Database::close() {
    if (m_db) {
        sqlite3_close_v2(m_db);
        m_db = nullptr;
    }
    m_path.clear();
}

bool Database::fail(const QString &what) {
    m_errorCode = m_db ? sqlite3_extended_errcode(m_db) : SQLITE_MISUSE;
    m_error = what + QStringLiteral(": ") +
              (m_db ? QString::fromUtf8(sqlite3_errmsg(m_db)) : QStringLiteral("not open"));
    return false;
}

int Database::exec(const QString &sql, const QVariantList &params) {
    if (!m_db) {
        fail(QStringLiteral("exec"));
        return -1;
    }
    Statement stmt(m_db, sql);
    if (!stmt.ok() || !stmt.bind(params)) {
        fail(sql);
        return -1;
    }
    int rc;
    while ((rc = sqlite3_step(stmt.get())) == SQLITE_ROW) {
    }
    if (rc != SQLITE_DONE) {
        fail(sql);
        return -1;
    }
    return sqlite3_changes(m_db);
}

bool Database::execScript(const QString &sql) {
    if (!m_db)
        return fail(QStringLiteral("exec"));
    char *message = nullptr;
    if (sqlite3_exec(m_db, sql.toUtf8().constData(), nullptr, nullptr, &message) != SQLITE_OK) {
        sqlite3_free(message);
        return fail(sql);
    }
    return true;
}

bool Database::readRow(const QString &sql, const QVariantList &params, QVariantList &values,
                       bool *found) {
    if (found)
        *found = false;
    if (!m_db)
        return fail(QStringLiteral("read"));
    Statement stmt(m_db, sql);
    if (!stmt.ok() || !stmt.bind(params))
        return fail(sql);
    const int columns = sqlite3_column_count(stmt.get());
    values.resize(columns);
    const int rc = sqlite3_step(stmt.get());
    if (rc != SQLITE_ROW && rc != SQLITE_DONE)
        return fail(sql);
    for (int c = 0; c < columns; ++c) {
        const QString name = columnName(stmt.get(), c);
        values[c] = rc == SQLITE_ROW ? columnValue(stmt.get(), c, name) : columnDefault(name);
    }
    if (found)
        *found = rc == SQLITE_ROW;
    return true;
}

bool Database::readRows(const QString &sql, const QVariantList &params, Rows &rows, int maxRows) {
    rows = Rows();
    if (!m_db)
        return fail(QStringLiteral("read"));
    Statement stmt(m_db, sql);
    if (!stmt.ok() || !stmt.bind(params))
        return fail(sql);
    const int columns = sqlite3_column_count(stmt.get());
    for (int c = 0; c < columns; ++c)
        rows.columns.append(columnName(stmt.get(), c));
    int rc = SQLITE_DONE;
    while (rows.count() < maxRows && (rc = sqlite3_step(stmt.get())) == SQLITE_ROW) {
        QVariantList row;
        row.reserve(columns);
        for (int c = 0; c < columns; ++c)
            row.append(columnValue(stmt.get(), c, rows.columns.at(c)));
        rows.values.append(std::move(row));
    }
    if (rc != SQLITE_ROW && rc != SQLITE_DONE) {
        rows = Rows();
        return fail(sql);
    }
    return true;
}

bool Database::addOrUpdate(const QString &table, const QString &keyColumn, const QVariant &key,
                           const QStringList &columns, const QVariantList &values) {
    if (columns.isEmpty() || columns.size() != values.size())
        return false;
    QStringList assignments;
    QStringList names{quoted(keyColumn)};
    QStringList marks{QStringLiteral("?")};
    for (const QString &column : columns) {
        assignments.append(quoted(column) + QStringLiteral("=?"));
        names.append(quoted(column));
        marks.append(QStringLiteral("?"));
    }
    const QString update = QStringLiteral("UPDATE %1 SET %2 WHERE %3=?")
                               .arg(quoted(table), assignments.join(u','), quoted(keyColumn));
    const QString insert = QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                               .arg(quoted(table), names.join(u','), marks.join(u','));
    if (!execScript(QStringLiteral("SAVEPOINT addOrUpdate")))
        return false;
    const int updated = exec(update, QVariantList(values) << key);
    const bool ok = updated > 0 || (updated == 0 && exec(insert, QVariantList{key} + values) == 1);
    if (!ok) {
        const QString error = m_error;
        const int code = m_errorCode;
        execScript(QStringLiteral("ROLLBACK TO addOrUpdate; RELEASE addOrUpdate"));
        m_error = error;
        m_errorCode = code;
        return false;
    }
    return execScript(QStringLiteral("RELEASE addOrUpdate"));
}

bool Database::beginTransaction() {
    return execScript(QStringLiteral("BEGIN IMMEDIATE"));
}

bool Database::commit() {
    return execScript(QStringLiteral("COMMIT"));
}

void Database::rollback() {
    if (m_db && !sqlite3_get_autocommit(m_db))
        execScript(QStringLiteral("ROLLBACK"));
}

bool Database::compactInto(const QString &target) {
    return exec(QStringLiteral("VACUUM INTO ?"), {QDir::toNativeSeparators(target)}) >= 0;
}

bool Database::integrityOk() {
    Rows rows;
    if (!readRows(QStringLiteral("PRAGMA integrity_check"), {}, rows, 2))
        return false;
    return rows.count() == 1 && rows.values.first().first().toString() == u"ok";
}

bool Database::addFunction(const QString &name, int argumentCount, Function function) {
    if (!m_db)
        return fail(QStringLiteral("function"));
    auto *stored = new Function(std::move(function));
    const int rc =
        sqlite3_create_function_v2(m_db, name.toUtf8().constData(), argumentCount,
                                   SQLITE_UTF8 | SQLITE_DETERMINISTIC | SQLITE_INNOCUOUS, stored,
                                   callFunction, nullptr, nullptr, deleteFunction);
    return rc == SQLITE_OK || fail(QStringLiteral("function ") + name);
}

bool replaceFile(const QString &source, const QString &target, QString *error) {
    if (!flushToDisk(source)) {
        if (error)
            *error = QStringLiteral("cannot flush %1").arg(source);
        return false;
    }
    std::error_code ec;
    std::filesystem::rename(std::filesystem::path(source.toStdU16String()),
                            std::filesystem::path(target.toStdU16String()), ec);
    if (ec) {
        if (error)
            *error = QString::fromStdString(ec.message());
        return false;
    }
#ifndef Q_OS_WIN
    // The rename itself lives in the folder: make it durable too.
    flushToDisk(QFileInfo(target).absolutePath());
#endif
    return true;
}

} // namespace platform
