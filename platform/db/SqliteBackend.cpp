// Native SQLite backend: the SQLite C API, no ODBC driver in between.

#include <sqlite3.h>

#include <cctype>
#include <charconv>
#include <cstring>

#include "platform/db/Backend.h"
#include "platform/db/CDBException.h"
#include "platform/db/TimestampText.h"

bool operator==(const TIMESTAMP_STRUCT& a, const TIMESTAMP_STRUCT& b) {
    return a.year == b.year && a.month == b.month && a.day == b.day && a.hour == b.hour &&
           a.minute == b.minute && a.second == b.second && a.fraction == b.fraction;
}

namespace tesk::db {
namespace {

[[noreturn]] void raise(sqlite3* db, int rc, std::string_view context = {}) {
    const int extended = db ? sqlite3_extended_errcode(db) : rc;
    const char* state = (rc & 0xff) == SQLITE_CONSTRAINT ? "23000"
                        : (rc & 0xff) == SQLITE_BUSY     ? "HYT00"
                                                         : "HY000";
    throw CDBException(db ? sqlite3_errmsg(db) : sqlite3_errstr(rc), state, extended,
                       std::string(context));
}

std::string upper(std::string_view s) {
    std::string out(s);
    for (char& c : out) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return out;
}

// "VARCHAR(40)" gives 40, "NUMERIC(10,2)" gives 10 and 2.
void parseSize(std::string_view decl, uint32_t& precision, int16_t& scale) {
    const auto open = decl.find('(');
    if (open == std::string_view::npos) return;
    const char* p = decl.data() + open + 1;
    const char* end = decl.data() + decl.size();
    while (p < end && *p == ' ') ++p;
    unsigned v = 0;
    auto r = std::from_chars(p, end, v);
    if (r.ec != std::errc()) return;
    precision = v;
    p = r.ptr;
    while (p < end && (*p == ' ' || *p == ',')) ++p;
    int s = 0;
    if (std::from_chars(p, end, s).ec == std::errc()) scale = static_cast<int16_t>(s);
}

// ODBC type, size and scale from a declared column type, as the SQLite ODBC
// driver would describe them where it is sensible.
void describeDeclared(const char* decltype_, ColumnDesc& d) {
    if (!decltype_) {  // an expression
        d.sqlType = SQL_VARCHAR;
        d.precision = 255;
        return;
    }
    const std::string t = upper(decltype_);
    auto has = [&](const char* word) { return t.find(word) != std::string::npos; };
    if (has("BIGINT")) { d.sqlType = SQL_BIGINT; d.precision = 19; }
    else if (has("SMALLINT")) { d.sqlType = SQL_SMALLINT; d.precision = 5; }
    else if (has("TINYINT")) { d.sqlType = SQL_TINYINT; d.precision = 3; }
    else if (has("INT")) { d.sqlType = SQL_INTEGER; d.precision = 10; }
    else if (has("BOOL") || t == "BIT") { d.sqlType = SQL_BIT; d.precision = 1; }
    else if (has("NUMERIC") || has("DECIMAL")) {
        d.sqlType = SQL_NUMERIC; d.precision = 15;
        parseSize(t, d.precision, d.scale);
    }
    else if (has("DOUBLE") || has("FLOAT")) { d.sqlType = SQL_DOUBLE; d.precision = 15; }
    else if (has("REAL")) { d.sqlType = SQL_REAL; d.precision = 7; }
    else if (has("TIMESTAMP") || has("DATETIME")) { d.sqlType = SQL_TYPE_TIMESTAMP; d.precision = 23; d.scale = 3; }
    else if (has("DATE")) { d.sqlType = SQL_TYPE_DATE; d.precision = 10; }
    else if (has("BLOB") || has("BINARY") || has("BYTEA")) { d.sqlType = SQL_LONGVARBINARY; d.precision = 2147483647; }
    else if (has("VARCHAR") || has("CHARACTER VARYING")) { d.sqlType = SQL_VARCHAR; d.precision = 255; parseSize(t, d.precision, d.scale); d.scale = 0; }
    else if (has("CHAR")) { d.sqlType = SQL_CHAR; d.precision = 1; parseSize(t, d.precision, d.scale); d.scale = 0; }
    else { d.sqlType = SQL_LONGVARCHAR; d.precision = 65536; }  // TEXT, CLOB, untyped
}

class SqliteStatement final : public Statement {
public:
    SqliteStatement(sqlite3* db, std::string_view sql) : m_db(db) {
        const int rc = sqlite3_prepare_v3(db, sql.data(), static_cast<int>(sql.size()),
                                          SQLITE_PREPARE_PERSISTENT, &m_stmt, nullptr);
        if (rc != SQLITE_OK) raise(db, rc);
        m_columnCount = sqlite3_column_count(m_stmt);
    }
    ~SqliteStatement() override { sqlite3_finalize(m_stmt); }

    void bind(int index, const Value& value, int16_t) override {
        const int i = index + 1;
        int rc = SQLITE_OK;
        if (std::holds_alternative<std::monostate>(value)) rc = sqlite3_bind_null(m_stmt, i);
        else if (auto* v = std::get_if<int64_t>(&value)) rc = sqlite3_bind_int64(m_stmt, i, *v);
        else if (auto* d = std::get_if<double>(&value)) rc = sqlite3_bind_double(m_stmt, i, *d);
        else if (auto* s = std::get_if<std::string>(&value))
            rc = sqlite3_bind_text64(m_stmt, i, s->data(), s->size(), SQLITE_TRANSIENT, SQLITE_UTF8);
        else if (auto* b = std::get_if<std::vector<uint8_t>>(&value))
            rc = b->empty() ? sqlite3_bind_zeroblob(m_stmt, i, 0)
                            : sqlite3_bind_blob64(m_stmt, i, b->data(), b->size(), SQLITE_TRANSIENT);
        else if (auto* t = std::get_if<TIMESTAMP_STRUCT>(&value)) {
            const std::string text = formatTimestamp(*t);
            rc = sqlite3_bind_text64(m_stmt, i, text.data(), text.size(), SQLITE_TRANSIENT, SQLITE_UTF8);
        }
        if (rc != SQLITE_OK) raise(m_db, rc);
    }

    void execute() override {
        forgetValue();
        sqlite3_reset(m_stmt);
        m_changes = 0;
        if (m_columnCount > 0) return;  // a query runs as it is fetched
        const int rc = sqlite3_step(m_stmt);
        if (rc != SQLITE_DONE && rc != SQLITE_ROW) {
            sqlite3_reset(m_stmt);
            raise(m_db, rc);
        }
        m_changes = sqlite3_changes64(m_db);
        sqlite3_reset(m_stmt);
    }

    int64_t rowsAffected() override { return m_changes; }

    bool fetch() override {
        forgetValue();
        const int rc = sqlite3_step(m_stmt);
        if (rc == SQLITE_ROW) return true;
        if (rc == SQLITE_DONE) {
            m_changes = sqlite3_changes64(m_db);
            return false;
        }
        sqlite3_reset(m_stmt);
        raise(m_db, rc);
    }

    void reset() override {
        forgetValue();
        sqlite3_reset(m_stmt);
        sqlite3_clear_bindings(m_stmt);
    }

    int columnCount() override { return m_columnCount; }

    const ColumnDesc& describe(int column) override {
        if (m_columns.empty()) describeAll();
        return m_columns.at(static_cast<size_t>(column));
    }

    bool isNull(int column) override { return sqlite3_value_type(value(column)) == SQLITE_NULL; }
    int64_t getInt64(int column) override { return sqlite3_value_int64(value(column)); }
    double getDouble(int column) override { return sqlite3_value_double(value(column)); }
    std::string_view getText(int column) override {
        sqlite3_value* v = value(column);
        const auto* p = reinterpret_cast<const char*>(sqlite3_value_text(v));
        return p ? std::string_view(p, static_cast<size_t>(sqlite3_value_bytes(v))) : std::string_view();
    }
    std::string_view getBlob(int column) override {
        sqlite3_value* v = value(column);
        const auto* p = static_cast<const char*>(sqlite3_value_blob(v));
        return p ? std::string_view(p, static_cast<size_t>(sqlite3_value_bytes(v))) : std::string_view();
    }
    bool getTimestamp(int column, TIMESTAMP_STRUCT& out) override {
        if (isNull(column)) return false;
        return parseTimestamp(getText(column), out);
    }

private:
    // The current row's value of the column, looked up once for the accessors
    // that follow (a null test, then the read): each sqlite3_column_* call
    // enters the statement afresh. Connections here are single-threaded (no
    // mutex), which is what makes reading the column's value directly safe.
    sqlite3_value* value(int column) {
        if (column != m_valueColumn) {
            m_value = sqlite3_column_value(m_stmt, column);
            m_valueColumn = column;
        }
        return m_value;
    }
    void forgetValue() { m_valueColumn = -1; }

    void describeAll() {
        m_columns.resize(static_cast<size_t>(m_columnCount));
        for (int c = 0; c < m_columnCount; ++c) {
            ColumnDesc& d = m_columns[static_cast<size_t>(c)];
            d.name = sqlite3_column_name(m_stmt, c);
            describeDeclared(sqlite3_column_decltype(m_stmt, c), d);
            const char* table = sqlite3_column_table_name(m_stmt, c);
            const char* origin = sqlite3_column_origin_name(m_stmt, c);
            const char* dbName = sqlite3_column_database_name(m_stmt, c);
            int notNull = 0, primaryKey = 0, autoInc = 0;
            const char* type = nullptr;
            const char* collation = nullptr;
            if (table && origin &&
                sqlite3_table_column_metadata(m_db, dbName, table, origin, &type, &collation,
                                              &notNull, &primaryKey, &autoInc) == SQLITE_OK) {
                // An INTEGER PRIMARY KEY is the rowid and never null.
                const bool rowid = primaryKey && type && upper(type) == "INTEGER";
                d.nullability = (notNull || rowid) ? SQL_NO_NULLS : SQL_NULLABLE;
            }
        }
    }

    sqlite3* m_db;
    sqlite3_stmt* m_stmt = nullptr;
    int m_columnCount = 0;
    int64_t m_changes = 0;
    std::vector<ColumnDesc> m_columns;
    int m_valueColumn = -1;  // the column m_value belongs to, on the current row
    sqlite3_value* m_value = nullptr;
};

class SqliteConnection final : public Connection {
public:
    SqliteConnection(const std::string& path, int busyTimeoutMs) : m_path(path), m_timeout(busyTimeoutMs) {
        const int rc = sqlite3_open_v2(path.c_str(), &m_db,
                                       SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX,
                                       nullptr);
        if (rc != SQLITE_OK) {
            std::string message = m_db ? sqlite3_errmsg(m_db) : sqlite3_errstr(rc);
            sqlite3_close(m_db);
            throw CDBException(message + ": " + path, "08001", rc);
        }
        sqlite3_busy_timeout(m_db, busyTimeoutMs);
        sqlite3_extended_result_codes(m_db, 1);
        // Double quotes name identifiers only, as in standard SQL: a misspelt
        // column in a filter is an error, not a string literal.
        sqlite3_db_config(m_db, SQLITE_DBCONFIG_DQS_DML, 0, nullptr);
        sqlite3_db_config(m_db, SQLITE_DBCONFIG_DQS_DDL, 0, nullptr);
        executeScript("PRAGMA foreign_keys = ON");
        // Write-ahead logging lets one connection write while another reads.
        try {
            executeScript("PRAGMA journal_mode = WAL");
        } catch (const CDBException&) {
            // a read-only or in-memory database keeps its journal
        }
        sqlite3_wal_hook(m_db, &SqliteConnection::afterCommit, this);
    }
    ~SqliteConnection() override { sqlite3_close_v2(m_db); }

    Engine engine() const override { return Engine::Sqlite; }
    std::unique_ptr<Statement> prepare(std::string_view sql) override {
        return std::make_unique<SqliteStatement>(m_db, sql);
    }
    void executeScript(std::string_view sql) override {
        const std::string text(sql);
        char* error = nullptr;
        const int rc = sqlite3_exec(m_db, text.c_str(), nullptr, nullptr, &error);
        if (rc != SQLITE_OK) {
            std::string message = error ? error : sqlite3_errstr(rc);
            sqlite3_free(error);
            throw CDBException(message, (rc & 0xff) == SQLITE_CONSTRAINT ? "23000" : "HY000",
                               sqlite3_extended_errcode(m_db));
        }
    }
    // An open query pins its connection's snapshot: a write on that connection
    // after another connection committed would fail. Scans get a peer.
    bool allowsStatementsDuringScan() const override { return false; }
    std::unique_ptr<Connection> openPeer() override {
        return std::make_unique<SqliteConnection>(m_path, m_timeout);
    }
    std::string serverInfo() override { return std::string("SQLite ") + sqlite3_libversion(); }

private:
    // SQLite's own automatic checkpoint, with one difference. A record set
    // streaming its rows holds a read snapshot on its scan connection, and
    // no checkpoint can pass that snapshot until the scan ends; the built-in
    // rule (try once the log passes kCheckpointPages) would then try again
    // after every commit of an edit loop, each try walking the whole log.
    // Here a blocked log is tried again only once it has grown by as much.
    static constexpr int kCheckpointPages = 1000;  // SQLite's default threshold
    static int afterCommit(void* self, sqlite3* db, const char* name, int pages) {
        auto* connection = static_cast<SqliteConnection*>(self);
        if (pages < kCheckpointPages) {
            connection->m_checkpointTriedAt = 0;
            return SQLITE_OK;
        }
        if (connection->m_checkpointTriedAt != 0 && pages - connection->m_checkpointTriedAt < kCheckpointPages)
            return SQLITE_OK;
        connection->m_checkpointTriedAt = pages;
        sqlite3_wal_checkpoint_v2(db, name, SQLITE_CHECKPOINT_PASSIVE, nullptr, nullptr);
        return SQLITE_OK;
    }

    std::string m_path;
    int m_timeout;
    sqlite3* m_db = nullptr;
    int m_checkpointTriedAt = 0;  // log pages at the last checkpoint tried
};

} // namespace

std::unique_ptr<Connection> openSqlite(const std::string& path, int busyTimeoutMs) {
    return std::make_unique<SqliteConnection>(path, busyTimeoutMs);
}

} // namespace tesk::db
