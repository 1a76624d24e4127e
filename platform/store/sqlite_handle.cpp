#include "platform/store/sqlite_handle.h"

#include <QFileInfo>
#include <QStringList>
#include <QUrl>
#include <cerrno>

#include "platform/store/czech_collation.h"
#include "platform/store/log_reading_copy.h"
#include "platform/store/store_error.h"

namespace platform {

int EngineCode(sqlite3* db, int code) {
    // The write-ahead log's index and some writes report a full disk as an
    // I/O error; the system's error number tells it apart.
    if ((code & 0xFF) == SQLITE_IOERR && db != nullptr && sqlite3_system_errno(db) == ENOSPC) {
        return SQLITE_FULL;
    }
    return code;
}

QString SqliteMessage(sqlite3* db, int code) {
    code = EngineCode(db, code);
    const QString engine = db != nullptr ? QString::fromUtf8(sqlite3_errmsg(db))
                                         : QString::fromUtf8(sqlite3_errstr(code));
    QString text;
    switch (code & 0xFF) {
        case SQLITE_BUSY:
        case SQLITE_LOCKED:
            text = QStringLiteral("Databáze je zamčena jiným programem.");
            break;
        case SQLITE_NOTADB:
        case SQLITE_CORRUPT:
            text = QStringLiteral("Soubor databáze je poškozen nebo to není databáze Harvel.");
            break;
        case SQLITE_CONSTRAINT:
            text = code == SQLITE_CONSTRAINT_UNIQUE
                       ? QStringLiteral("Záznam se stejnou hodnotou klíče již existuje.")
                       : QStringLiteral("Zápis porušuje pravidlo tabulky.");
            break;
        case SQLITE_READONLY:
        case SQLITE_PERM:
            text = QStringLiteral("Do databáze nelze zapisovat.");
            break;
        case SQLITE_FULL:
            text = QStringLiteral("Na disku není místo.");
            break;
        case SQLITE_CANTOPEN:
            text = QStringLiteral("Databázi nelze otevřít.");
            break;
        case SQLITE_IOERR:
            text = QStringLiteral("Chyba při čtení nebo zápisu databáze.");
            break;
        case SQLITE_NOMEM:
            text = QStringLiteral("Nedostatek paměti.");
            break;
        default:
            text = QStringLiteral("Chyba databáze.");
    }
    return text + QStringLiteral(" (SQLite: ") + engine + ')';
}

Statement::Statement(sqlite3* db, const QString& sql) : db_(db) {
    const QByteArray text = sql.toUtf8();
    const int rc =
        sqlite3_prepare_v2(db, text.constData(), static_cast<int>(text.size()), &stmt_, nullptr);
    if (rc != SQLITE_OK) {
        const QString message = SqliteMessage(db, rc);
        const int code = EngineCode(db, rc);
        sqlite3_finalize(stmt_);
        stmt_ = nullptr;
        throw StoreError(message, code);
    }
}

Statement::~Statement() {
    sqlite3_finalize(stmt_);
}

void Statement::Bind(int index, const Value& value) {
    int rc = SQLITE_OK;
    if (const auto* i = std::get_if<std::int64_t>(&value)) {
        rc = sqlite3_bind_int64(stmt_, index, *i);
    } else if (const auto* d = std::get_if<double>(&value)) {
        rc = sqlite3_bind_double(stmt_, index, *d);
    } else if (const auto* s = std::get_if<QString>(&value)) {
        const QByteArray utf8 = s->toUtf8();
        rc = sqlite3_bind_text(stmt_, index, utf8.constData(), static_cast<int>(utf8.size()),
                               SQLITE_TRANSIENT);
    } else if (const auto* b = std::get_if<QByteArray>(&value)) {
        rc = sqlite3_bind_blob(stmt_, index, b->constData(), static_cast<int>(b->size()),
                               SQLITE_TRANSIENT);
    } else {
        rc = sqlite3_bind_null(stmt_, index);
    }
    if (rc != SQLITE_OK) {
        throw StoreError(SqliteMessage(db_, rc));
    }
}

bool Statement::Step() {
    const int rc = sqlite3_step(stmt_);
    if (rc == SQLITE_ROW) {
        return true;
    }
    if (rc == SQLITE_DONE) {
        return false;
    }
    const int extended = sqlite3_extended_errcode(db_);
    const int code = EngineCode(db_, extended != SQLITE_OK ? extended : rc);
    const QString message = SqliteMessage(db_, code);
    sqlite3_reset(stmt_);
    throw StoreError(message, code);
}

void Statement::Reset() {
    sqlite3_reset(stmt_);
    sqlite3_clear_bindings(stmt_);
}

Value Statement::Column(int index) const {
    switch (sqlite3_column_type(stmt_, index)) {
        case SQLITE_INTEGER:
            return Value(static_cast<std::int64_t>(sqlite3_column_int64(stmt_, index)));
        case SQLITE_FLOAT:
            return Value(sqlite3_column_double(stmt_, index));
        case SQLITE_TEXT: {
            const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(stmt_, index));
            return Value(QString::fromUtf8(text, sqlite3_column_bytes(stmt_, index)));
        }
        case SQLITE_BLOB: {
            const auto* data = static_cast<const char*>(sqlite3_column_blob(stmt_, index));
            return Value(QByteArray(data, sqlite3_column_bytes(stmt_, index)));
        }
        default:
            return Value();
    }
}

namespace {

// SQLite maps at most this much (and never more than its compiled limit).
constexpr qint64 kMappedBytes = qint64(4) << 30;
// The page cache of a mapped connection, in KiB: the pages themselves stay
// in the mapping.
constexpr int kMappedCacheKiB = 2048;
// The cache of a short scattered reading (KeepPageCacheSmall).
constexpr int kSmallCacheKiB = 4096;

// A file: URI naming the file as it is, so any character of the path is kept.
QByteArray ImmutableUri(const QString& file) {
    return QUrl::fromLocalFile(QFileInfo(file).absoluteFilePath()).toEncoded() + "?immutable=1";
}

}  // namespace

Connection::Connection(const QString& file, Access access) {
    // A connection is only ever used by the thread that opened it, so SQLite
    // need not lock its mutex on every call.
    int flags = SQLITE_OPEN_NOMUTEX;
    QByteArray path = file.toUtf8();
    switch (access) {
        case Access::ReadWrite:
            flags |= SQLITE_OPEN_READWRITE;
            break;
        case Access::Create:
            flags |= SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE;
            break;
        case Access::ReadOnly:
            flags |= SQLITE_OPEN_READONLY;
            break;
        case Access::Immutable:
            flags |= SQLITE_OPEN_READONLY | SQLITE_OPEN_URI;
            path = ImmutableUri(file);
            break;
    }
    const int rc = sqlite3_open_v2(path.constData(), &db_, flags, nullptr);
    if (rc != SQLITE_OK) {
        const QString message = SqliteMessage(db_, rc);
        const int code = EngineCode(db_, rc);
        sqlite3_close(db_);
        db_ = nullptr;
        throw StoreError(message, code);
    }
    sqlite3_extended_result_codes(db_, 1);
    sqlite3_busy_timeout(db_, 2000);
    RegisterCzechCollation(db_);
    try {
        // Reading the catalogue first tells a foreign or damaged file apart.
        Execute(QStringLiteral("SELECT count(*) FROM sqlite_master"));
        if (access == Access::ReadWrite || access == Access::Create) {
            Execute(QStringLiteral("PRAGMA journal_mode=WAL"));
            Execute(QStringLiteral("PRAGMA synchronous=FULL"));
        }
        // Sorting a book list of a whole kennel stays in memory instead of
        // spilling to temporary files; 64 MB of page cache at most.
        Execute(QStringLiteral("PRAGMA temp_store=MEMORY"));
        Execute(QStringLiteral("PRAGMA cache_size=-65536"));
    } catch (...) {
        sqlite3_close(db_);
        db_ = nullptr;
        throw;
    }
}

std::unique_ptr<Connection> Connection::OpenForReading(const QString& file) {
    try {
        return std::make_unique<Connection>(file, Access::ReadOnly);
    } catch (const StoreError& error) {
        if (!IsNoWriteFailure(error.EngineCode())) {
            throw;
        }
    }
    // Read as it lies, the file would not show what its log holds.
    if (!HasWriteAheadLog(file)) {
        return std::make_unique<Connection>(file, Access::Immutable);
    }
    auto copy = std::make_unique<LogReadingCopy>(file);
    auto connection = std::make_unique<Connection>(copy->File(), Access::ReadOnly);
    connection->copy_ = std::move(copy);
    return connection;
}

bool IsNoWriteFailure(int code) {
    switch (code & 0xFF) {
        case SQLITE_READONLY:
        case SQLITE_CANTOPEN:
        case SQLITE_IOERR:
        case SQLITE_FULL:
        case SQLITE_PERM:
            return true;
        default:
            return false;
    }
}

Connection::~Connection() {
    if (db_ != nullptr) {
        sqlite3_close_v2(db_);
    }
    // The private copy (when there is one) goes only after its connection.
    copy_.reset();
}

void Connection::MapFileForReading() {
    Execute(QStringLiteral("PRAGMA mmap_size=%1").arg(kMappedBytes));
    Execute(QStringLiteral("PRAGMA cache_size=-%1").arg(kMappedCacheKiB));
}

void Connection::KeepPageCacheSmall() {
    Execute(QStringLiteral("PRAGMA cache_size=-%1").arg(kSmallCacheKiB));
}

void Connection::Execute(const QString& sql) {
    Statement statement(db_, sql);
    while (statement.Step()) {
    }
}

bool Connection::TableExists(const QString& sqlName) {
    Statement statement(db_,
                        QStringLiteral("SELECT 1 FROM sqlite_master WHERE type='table' AND name=?1 "
                                       "COLLATE NOCASE"));
    statement.Bind(1, Value(sqlName));
    return statement.Step();
}

QStringList Connection::TableColumns(const QString& sqlName) {
    Statement statement(db_, QStringLiteral("SELECT name FROM pragma_table_info(?1)"));
    statement.Bind(1, Value(sqlName));
    QStringList names;
    while (statement.Step()) {
        const Value v = statement.Column(0);
        if (const auto* s = std::get_if<QString>(&v)) {
            names << *s;
        }
    }
    return names;
}

}  // namespace platform
