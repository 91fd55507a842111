// ODBC backend through unixODBC, ANSI API only.
//
// Queries fetch blocks of rows into bound column buffers; the accessors read
// those buffers. Text and binary cells longer than their buffer (long columns
// above all) are read again whole with SQLGetData, on demand, after
// positioning the cursor on the row with SQLSetPos. Drivers that cannot
// SQLGetData inside a block fetch rows one at a time instead.

#include <sql.h>
#include <sqlext.h>

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <initializer_list>
#include <limits>
#include <memory>
#include <mutex>
#include <utility>

#include "platform/db/Backend.h"
#include "platform/db/CDBException.h"
#include "platform/db/TimestampText.h"

namespace tesk::db {
namespace {

constexpr SQLULEN kBlockRows = 256;
// Largest buffer per text or binary cell; longer values are read with SQLGetData.
constexpr SQLLEN kMaxCellBytes = 1024;
// Text parameters longer than this go as SQL_LONGVARCHAR.
constexpr size_t kLongTextParam = 4000;
// Rows per server round trip of a streaming scan (psqlODBC's Fetch=).
constexpr int kScanFetchRows = 1000;

// The first diagnostic record of the handle, as the driver wrote it. A
// server's message can run past SQL_MAX_MESSAGE_LENGTH, and not every driver
// manager reports the full length of a cut one, so the buffer is as large as
// the call allows.
[[noreturn]] void raise(SQLSMALLINT type, SQLHANDLE handle, const char* context) {
    SQLCHAR state[6] = {0};
    SQLINTEGER native = 0;
    SQLSMALLINT length = 0;
    std::string message(std::numeric_limits<SQLSMALLINT>::max(), '\0');
    const SQLRETURN rc = SQLGetDiagRec(type, handle, 1, state, &native, reinterpret_cast<SQLCHAR*>(message.data()),
                                       static_cast<SQLSMALLINT>(message.size()), &length);
    const std::string what = std::string("while ") + context;
    if (!SQL_SUCCEEDED(rc)) throw CDBException("The ODBC driver reported no diagnostic " + what + ".", "HY000", 0, what);
    message.resize(std::strlen(message.c_str()));
    throw CDBException(std::move(message), reinterpret_cast<char*>(state), native, what);
}

void check(SQLRETURN rc, SQLSMALLINT type, SQLHANDLE handle, const char* context) {
    if (!SQL_SUCCEEDED(rc) && rc != SQL_NO_DATA) raise(type, handle, context);
}

// A statement handle freed with its owner, unless released.
struct StmtHandle {
    SQLHSTMT h = SQL_NULL_HSTMT;
    explicit StmtHandle(SQLHDBC dbc) {
        check(SQLAllocHandle(SQL_HANDLE_STMT, dbc, &h), SQL_HANDLE_DBC, dbc, "allocating a statement");
    }
    struct Adopt {};
    StmtHandle(Adopt, SQLHSTMT handle) : h(handle) {}
    ~StmtHandle() {
        if (h != SQL_NULL_HSTMT) SQLFreeHandle(SQL_HANDLE_STMT, h);
    }
    StmtHandle(const StmtHandle&) = delete;
    StmtHandle& operator=(const StmtHandle&) = delete;
    SQLHSTMT release() { return std::exchange(h, SQLHSTMT{}); }
};

SQLHENV environment() {
    static SQLHENV env = [] {
        SQLHENV h = SQL_NULL_HENV;
        if (!SQL_SUCCEEDED(SQLAllocHandle(SQL_HANDLE_ENV, SQL_NULL_HANDLE, &h)))
            throw CDBException("Cannot allocate the ODBC environment.", "HY001");
        check(SQLSetEnvAttr(h, SQL_ATTR_ODBC_VERSION, reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3), 0), SQL_HANDLE_ENV,
              h, "choosing ODBC 3 behaviour");
        return h;
    }();
    return env;
}

bool isIntegerType(SQLSMALLINT t) {
    return t == SQL_INTEGER || t == SQL_SMALLINT || t == SQL_TINYINT || t == SQL_BIGINT || t == SQL_BIT;
}
bool isRealType(SQLSMALLINT t) { return t == SQL_REAL || t == SQL_FLOAT || t == SQL_DOUBLE; }
bool isDateType(SQLSMALLINT t) {
    return t == SQL_TYPE_TIMESTAMP || t == SQL_TYPE_DATE || t == SQL_TYPE_TIME || t == SQL_TIMESTAMP ||
           t == SQL_DATE || t == SQL_TIME;
}
bool isBinaryType(SQLSMALLINT t) { return t == SQL_BINARY || t == SQL_VARBINARY || t == SQL_LONGVARBINARY; }

// The narrow type for a wide one: the ANSI API delivers narrow text either way.
SQLSMALLINT narrowType(SQLSMALLINT t) {
    switch (t) {
    case SQL_WCHAR: return SQL_CHAR;
    case SQL_WVARCHAR: return SQL_VARCHAR;
    case SQL_WLONGVARCHAR: return SQL_LONGVARCHAR;
    default: return t;
    }
}

int64_t toInt64(double v) {
    if (std::isnan(v)) return 0;
    if (v >= 9.2233720368547758e18) return std::numeric_limits<int64_t>::max();
    if (v <= -9.2233720368547758e18) return std::numeric_limits<int64_t>::min();
    return static_cast<int64_t>(v);
}

double parseDouble(std::string_view t) {
    return t.empty() ? 0.0 : std::strtod(std::string(t).c_str(), nullptr);
}

// One result column: how it is fetched and its block buffers.
struct Column {
    ColumnDesc desc;
    SQLSMALLINT cType = SQL_C_CHAR;
    SQLLEN width = 0;  // buffer bytes per row
    // Left unfilled: the driver writes every cell it reports, and a one-row
    // lookup should not pay for clearing a whole block of long cells.
    std::unique_ptr<char[]> buffer;
    std::vector<SQLLEN> indicator;
    // A cell that did not fit its buffer, read whole; wholeRow is its row in the block.
    std::string whole;
    SQLULEN wholeRow = std::numeric_limits<SQLULEN>::max();
    std::string scratch;  // text made from a number or a date

    bool isVariable() const { return cType == SQL_C_CHAR || cType == SQL_C_BINARY; }
    SQLLEN capacity() const { return cType == SQL_C_CHAR ? width - 1 : width; }
};

// Statements a connection keeps prepared, by their text, once their owners
// are done with them. psqlODBC prepares on the server: a statement made
// afresh costs three round trips besides its execution (parse, describe, and
// deallocate when freed), and code that reads one row by its key, or writes
// one, repeats the same text row after row.
struct PreparedStatements {
    struct Entry {
        std::string sql;
        SQLHSTMT handle = SQL_NULL_HSTMT;
        std::vector<Column> columns;  // as described; their buffers are let go
    };
    static constexpr size_t kKept = 16;

    std::mutex mutex;
    std::vector<Entry> idle;  // the most recently returned last
    bool open = true;         // false once the connection is gone

    // Frees every kept statement; the caller holds the mutex.
    void clear() {
        for (Entry& e : idle) SQLFreeHandle(SQL_HANDLE_STMT, e.handle);
        idle.clear();
    }
};

// True when the statement's first word is one of `words` (upper case).
bool startsWithWord(std::string_view sql, std::initializer_list<std::string_view> words) {
    size_t i = 0;
    while (i < sql.size() && std::isspace(static_cast<unsigned char>(sql[i]))) ++i;
    const std::string_view rest = sql.substr(i);
    for (std::string_view word : words) {
        if (rest.size() < word.size()) continue;
        bool same = true;
        for (size_t k = 0; k < word.size() && same; ++k)
            same = std::toupper(static_cast<unsigned char>(rest[k])) == word[k];
        if (same && (rest.size() == word.size() || !std::isalnum(static_cast<unsigned char>(rest[word.size()]))))
            return true;
    }
    return false;
}

// Only data statements are kept: anything else may change what a kept
// statement's columns are, and empties the store.
bool isKeepable(std::string_view sql) { return startsWithWord(sql, {"SELECT", "INSERT", "UPDATE", "DELETE", "WITH"}); }

// Transaction control leaves every table as it is.
bool controlsTransaction(std::string_view script) {
    return script.find(';') == std::string_view::npos &&
           startsWithWord(script, {"BEGIN", "COMMIT", "ROLLBACK", "END", "START", "SAVEPOINT", "RELEASE"});
}

class OdbcStatement final : public Statement {
public:
    OdbcStatement(SQLHDBC dbc, std::string_view sql, bool getDataInBlocks,
                  std::shared_ptr<PreparedStatements> keep)
        : m_handle(dbc), m_stmt(m_handle.h), m_getDataInBlocks(getDataInBlocks), m_keep(std::move(keep)),
          m_sql(sql) {
        check(SQLPrepare(m_stmt, reinterpret_cast<SQLCHAR*>(m_sql.data()), SQL_NTS), SQL_HANDLE_STMT, m_stmt,
              "preparing a statement");
    }
    // A statement taken back from the connection's store, prepared already.
    OdbcStatement(PreparedStatements::Entry&& kept, bool getDataInBlocks, std::shared_ptr<PreparedStatements> keep)
        : m_handle(StmtHandle::Adopt{}, kept.handle), m_stmt(m_handle.h), m_getDataInBlocks(getDataInBlocks),
          m_keep(std::move(keep)), m_sql(std::move(kept.sql)) {
        m_columns = std::move(kept.columns);
    }

    // Back to the connection's store when it may be used again: after an
    // error its columns may no longer be what they were described as.
    ~OdbcStatement() override {
        if (!m_keep || !m_reusable) return;
        std::lock_guard lock(m_keep->mutex);
        if (!m_keep->open) return;
        closeCursor();
        SQLFreeStmt(m_stmt, SQL_RESET_PARAMS);
        SQLFreeStmt(m_stmt, SQL_UNBIND);
        for (Column& c : m_columns) {
            c.buffer.reset();
            c.indicator = {};
            c.whole = {};
            c.scratch = {};
            c.wholeRow = std::numeric_limits<SQLULEN>::max();
        }
        m_keep->idle.push_back({std::move(m_sql), m_handle.release(), std::move(m_columns)});
        if (m_keep->idle.size() > PreparedStatements::kKept) {
            SQLFreeHandle(SQL_HANDLE_STMT, m_keep->idle.front().handle);
            m_keep->idle.erase(m_keep->idle.begin());
        }
    }

    void bind(int index, const Value& value, int16_t sqlTypeHint) override {
        if (index < 0) throw CDBException("Parameter index out of range.", "07009");
        if (static_cast<size_t>(index) >= m_params.size()) m_params.resize(static_cast<size_t>(index) + 1);
        m_params[static_cast<size_t>(index)] = Param{value, sqlTypeHint, 0};
    }

    void execute() override {
        closeCursor();
        SQLFreeStmt(m_stmt, SQL_RESET_PARAMS);
        for (size_t i = 0; i < m_params.size(); ++i) bindParameter(static_cast<SQLUSMALLINT>(i + 1), m_params[i]);
        const SQLRETURN rc = SQLExecute(m_stmt);
        if (!SQL_SUCCEEDED(rc) && rc != SQL_NO_DATA) m_reusable = false;
        check(rc, SQL_HANDLE_STMT, m_stmt, "executing a statement");
        m_rowsAffected = 0;
        if (rc != SQL_NO_DATA) {
            SQLLEN count = 0;
            if (SQL_SUCCEEDED(SQLRowCount(m_stmt, &count)) && count > 0) m_rowsAffected = count;
        }
        SQLSMALLINT n = 0;
        check(SQLNumResultCols(m_stmt, &n), SQL_HANDLE_STMT, m_stmt, "counting result columns");
        if (n == 0) {
            SQLFreeStmt(m_stmt, SQL_CLOSE);
            return;
        }
        if (!m_bound) {
            if (m_columns.size() != static_cast<size_t>(n)) describeAll(n);
            bindColumns();
        }
        m_open = true;
    }

    int64_t rowsAffected() override { return m_rowsAffected; }

    bool fetch() override {
        if (!m_open) return false;
        if (m_row + 1 < m_fetched) {
            ++m_row;
            return true;
        }
        for (Column& c : m_columns) c.wholeRow = std::numeric_limits<SQLULEN>::max();
        m_fetched = 0;
        m_row = 0;
        const SQLRETURN rc = SQLFetch(m_stmt);
        if (rc == SQL_NO_DATA) {
            closeCursor();
            return false;
        }
        if (!SQL_SUCCEEDED(rc)) m_reusable = false;
        check(rc, SQL_HANDLE_STMT, m_stmt, "fetching rows");
        if (m_fetched == 0) {
            closeCursor();
            return false;
        }
        return true;
    }

    void reset() override {
        closeCursor();
        m_params.clear();
        SQLFreeStmt(m_stmt, SQL_RESET_PARAMS);
    }

    int columnCount() override {
        if (m_columns.empty()) {
            SQLSMALLINT n = 0;
            check(SQLNumResultCols(m_stmt, &n), SQL_HANDLE_STMT, m_stmt, "counting result columns");
            if (n > 0) describeAll(n);
        }
        return static_cast<int>(m_columns.size());
    }

    const ColumnDesc& describe(int column) override {
        columnCount();
        return col(column).desc;
    }

    bool isNull(int column) override { return currentIndicator(col(column)) == SQL_NULL_DATA; }

    int64_t getInt64(int column) override {
        Column& c = col(column);
        if (isNull(column)) return 0;
        switch (c.cType) {
        case SQL_C_SBIGINT: return number<int64_t>(c);
        case SQL_C_DOUBLE: return toInt64(number<double>(c));
        case SQL_C_TYPE_TIMESTAMP: return 0;
        default: {
            const std::string_view t = variableCell(c);
            int64_t v = 0;
            const auto r = std::from_chars(t.data(), t.data() + t.size(), v);
            if (r.ec == std::errc() && r.ptr == t.data() + t.size()) return v;
            return toInt64(parseDouble(t));
        }
        }
    }

    double getDouble(int column) override {
        Column& c = col(column);
        if (isNull(column)) return 0;
        switch (c.cType) {
        case SQL_C_DOUBLE: return number<double>(c);
        case SQL_C_SBIGINT: return static_cast<double>(number<int64_t>(c));
        case SQL_C_TYPE_TIMESTAMP: return 0;
        default: return parseDouble(variableCell(c));
        }
    }

    std::string_view getText(int column) override {
        Column& c = col(column);
        if (isNull(column)) return {};
        char buf[40];
        switch (c.cType) {
        case SQL_C_SBIGINT: {
            const auto r = std::to_chars(buf, buf + sizeof buf, number<int64_t>(c));
            c.scratch.assign(buf, r.ptr);
            return c.scratch;
        }
        case SQL_C_DOUBLE: {
            // A REAL holds a float: print it as one, "0.1" rather than "0.10000000149011612".
            const double v = number<double>(c);
            const auto r = c.desc.sqlType == SQL_REAL ? std::to_chars(buf, buf + sizeof buf, static_cast<float>(v))
                                                      : std::to_chars(buf, buf + sizeof buf, v);
            c.scratch.assign(buf, r.ptr);
            return c.scratch;
        }
        case SQL_C_TYPE_TIMESTAMP: c.scratch = formatTimestamp(number<TIMESTAMP_STRUCT>(c)); return c.scratch;
        default: return variableCell(c);
        }
    }

    std::string_view getBlob(int column) override {
        Column& c = col(column);
        if (isNull(column)) return {};
        return c.isVariable() ? variableCell(c) : getText(column);
    }

    bool getTimestamp(int column, TIMESTAMP_STRUCT& out) override {
        Column& c = col(column);
        if (isNull(column)) return false;
        if (c.cType == SQL_C_TYPE_TIMESTAMP) {
            out = number<TIMESTAMP_STRUCT>(c);
            return true;
        }
        if (c.cType != SQL_C_CHAR) return false;
        return parseTimestamp(variableCell(c), out);
    }

private:
    struct Param {
        Value value;
        int16_t hint = 0;
        SQLLEN indicator = 0;
    };

    // Every cell read passes here: the checks stay small enough to inline,
    // their errors are raised out of line.
    Column& col(int column) {
        if (column < 0 || static_cast<size_t>(column) >= m_columns.size()) [[unlikely]]
            raiseColumnOutOfRange(column);
        return m_columns[static_cast<size_t>(column)];
    }
    [[noreturn, gnu::cold, gnu::noinline]] static void raiseColumnOutOfRange(int column) {
        throw CDBException("Column index " + std::to_string(column) + " is out of range.", "07009");
    }

    SQLLEN currentIndicator(const Column& c) const {
        if (!m_open || m_fetched == 0) [[unlikely]]
            raiseNoCurrentRow();
        return c.indicator[m_row];
    }
    [[noreturn, gnu::cold, gnu::noinline]] static void raiseNoCurrentRow() {
        throw CDBException("No current row.", "24000");
    }

    const char* cell(const Column& c) const { return c.buffer.get() + static_cast<size_t>(c.width) * m_row; }

    template <class T>
    T number(const Column& c) const {
        T v;
        std::memcpy(&v, cell(c), sizeof v);
        return v;
    }

    // The current row's text or binary cell, read whole when it did not fit.
    std::string_view variableCell(Column& c) {
        const SQLLEN n = currentIndicator(c);
        if (n != SQL_NO_TOTAL && n >= 0 && n <= c.capacity()) return std::string_view(cell(c), static_cast<size_t>(n));
        if (c.wholeRow != m_row) readWhole(c);
        return c.whole;
    }

    void readWhole(Column& c) {
        const auto columnNumber = static_cast<SQLUSMALLINT>(&c - m_columns.data() + 1);
        if (m_arraySize > 1)
            check(SQLSetPos(m_stmt, static_cast<SQLSETPOSIROW>(m_row + 1), SQL_POSITION, SQL_LOCK_NO_CHANGE),
                  SQL_HANDLE_STMT, m_stmt, "positioning on a row");
        c.whole.clear();
        char piece[32768];
        const size_t room = c.cType == SQL_C_CHAR ? sizeof piece - 1 : sizeof piece;
        for (;;) {
            SQLLEN got = 0;
            const SQLRETURN rc = SQLGetData(m_stmt, columnNumber, c.cType, piece, sizeof piece, &got);
            if (rc == SQL_NO_DATA) break;
            check(rc, SQL_HANDLE_STMT, m_stmt, "reading a long value");
            if (got == SQL_NULL_DATA) break;
            const size_t n = (got == SQL_NO_TOTAL || static_cast<size_t>(got) > room) ? room : static_cast<size_t>(got);
            c.whole.append(piece, n);
            if (rc == SQL_SUCCESS) break;
        }
        c.wholeRow = m_row;
    }

    void describeAll(SQLSMALLINT n) {
        m_columns.clear();
        m_columns.resize(static_cast<size_t>(n));
        for (SQLSMALLINT i = 0; i < n; ++i) {
            Column& c = m_columns[static_cast<size_t>(i)];
            const auto columnNumber = static_cast<SQLUSMALLINT>(i + 1);
            SQLCHAR name[256] = {0};
            SQLSMALLINT nameLength = 0, type = 0, digits = 0, nullable = SQL_NULLABLE_UNKNOWN;
            SQLULEN size = 0;
            check(SQLDescribeCol(m_stmt, columnNumber, name, sizeof name, &nameLength, &type, &size, &digits, &nullable),
                  SQL_HANDLE_STMT, m_stmt, "describing a column");
            // Some drivers answer "nullable" to SQLDescribeCol for everything;
            // the descriptor field is the one they fill from the schema.
            SQLLEN attribute = nullable;
            if (!SQL_SUCCEEDED(SQLColAttribute(m_stmt, columnNumber, SQL_DESC_NULLABLE, nullptr, 0, nullptr, &attribute)))
                attribute = nullable;
            c.desc.name = reinterpret_cast<char*>(name);
            c.desc.sqlType = narrowType(type);
            c.desc.precision = static_cast<uint32_t>(std::min<SQLULEN>(size, std::numeric_limits<uint32_t>::max()));
            c.desc.scale = digits;
            c.desc.nullability = static_cast<int16_t>(attribute);
            const SQLSMALLINT t = c.desc.sqlType;
            if (isIntegerType(t)) {
                c.cType = SQL_C_SBIGINT;
                c.width = sizeof(int64_t);
            } else if (isRealType(t)) {
                c.cType = SQL_C_DOUBLE;
                c.width = sizeof(double);
            } else if (isDateType(t)) {
                c.cType = SQL_C_TYPE_TIMESTAMP;
                c.width = sizeof(TIMESTAMP_STRUCT);
            } else if (isBinaryType(t)) {
                c.cType = SQL_C_BINARY;
                c.width = size == 0 ? kMaxCellBytes : static_cast<SQLLEN>(std::min<SQLULEN>(size, kMaxCellBytes));
            } else {
                c.cType = SQL_C_CHAR;
                // Characters may take four bytes each; a decimal adds sign and point.
                const SQLULEN bytes = size == 0 ? kMaxCellBytes : std::min<SQLULEN>(size * 4 + 2, kMaxCellBytes);
                c.width = static_cast<SQLLEN>(bytes) + 1;
            }
        }
    }

    void bindColumns() {
        m_arraySize = m_getDataInBlocks ? kBlockRows : 1;
        check(SQLSetStmtAttr(m_stmt, SQL_ATTR_ROW_BIND_TYPE, SQL_BIND_BY_COLUMN, 0), SQL_HANDLE_STMT, m_stmt,
              "setting up block fetch");
        check(SQLSetStmtAttr(m_stmt, SQL_ATTR_ROW_ARRAY_SIZE, reinterpret_cast<SQLPOINTER>(m_arraySize), 0),
              SQL_HANDLE_STMT, m_stmt, "setting up block fetch");
        check(SQLSetStmtAttr(m_stmt, SQL_ATTR_ROWS_FETCHED_PTR, &m_fetched, 0), SQL_HANDLE_STMT, m_stmt,
              "setting up block fetch");
        for (size_t i = 0; i < m_columns.size(); ++i) {
            Column& c = m_columns[i];
            c.indicator.assign(m_arraySize, 0);
            c.buffer = std::make_unique_for_overwrite<char[]>(static_cast<size_t>(c.width) * m_arraySize);
            check(SQLBindCol(m_stmt, static_cast<SQLUSMALLINT>(i + 1), c.cType, c.buffer.get(), c.width,
                             c.indicator.data()),
                  SQL_HANDLE_STMT, m_stmt, "binding a column");
        }
        m_bound = true;
    }

    // The value's storage stays in m_params until the next execute or reset.
    void bindParameter(SQLUSMALLINT parameterNumber, Param& p) {
        SQLSMALLINT cType = SQL_C_CHAR, sqlType = p.hint ? p.hint : SQL_VARCHAR, digits = 0;
        SQLULEN size = 1;
        SQLPOINTER data = nullptr;
        SQLLEN bufferLength = 0;
        p.indicator = 0;
        if (std::holds_alternative<std::monostate>(p.value)) {
            p.indicator = SQL_NULL_DATA;
        } else if (auto* i = std::get_if<int64_t>(&p.value)) {
            cType = SQL_C_SBIGINT, sqlType = SQL_BIGINT, size = 19, data = i;
        } else if (auto* d = std::get_if<double>(&p.value)) {
            cType = SQL_C_DOUBLE, sqlType = SQL_DOUBLE, size = 15, data = d;
        } else if (auto* s = std::get_if<std::string>(&p.value)) {
            if (!p.hint) sqlType = s->size() > kLongTextParam ? SQL_LONGVARCHAR : SQL_VARCHAR;
            size = std::max<SQLULEN>(s->size(), 1);
            if (sqlType == SQL_NUMERIC || sqlType == SQL_DECIMAL) {
                // Scale: the digits after the point as written.
                const size_t point = s->find('.');
                digits = point == std::string::npos ? 0 : static_cast<SQLSMALLINT>(s->size() - point - 1);
            }
            data = s->data();
            bufferLength = p.indicator = static_cast<SQLLEN>(s->size());
        } else if (auto* b = std::get_if<std::vector<uint8_t>>(&p.value)) {
            cType = SQL_C_BINARY, sqlType = SQL_LONGVARBINARY, size = std::max<SQLULEN>(b->size(), 1);
            // An empty vector has no storage; the driver still wants a buffer.
            static uint8_t empty = 0;
            data = b->empty() ? &empty : b->data();
            bufferLength = p.indicator = static_cast<SQLLEN>(b->size());
        } else if (auto* t = std::get_if<TIMESTAMP_STRUCT>(&p.value)) {
            // "yyyy-mm-dd hh:mm:ss.ffffff": microseconds, what the server keeps.
            cType = SQL_C_TYPE_TIMESTAMP, sqlType = SQL_TYPE_TIMESTAMP, size = 26, digits = 6, data = t;
        }
        check(SQLBindParameter(m_stmt, parameterNumber, SQL_PARAM_INPUT, cType, sqlType, size, digits, data, bufferLength,
                               &p.indicator),
              SQL_HANDLE_STMT, m_stmt, "binding a parameter");
    }

    void closeCursor() {
        if (m_open) SQLFreeStmt(m_stmt, SQL_CLOSE);
        m_open = false;
        m_fetched = 0;
        m_row = 0;
    }

    StmtHandle m_handle;
    SQLHSTMT m_stmt;
    bool m_getDataInBlocks;
    std::shared_ptr<PreparedStatements> m_keep;  // null: freed, not kept
    std::string m_sql;
    bool m_reusable = true;
    std::vector<Param> m_params;
    std::vector<Column> m_columns;
    bool m_bound = false;
    bool m_open = false;
    SQLULEN m_arraySize = 1;
    SQLULEN m_fetched = 0;
    SQLULEN m_row = 0;
    int64_t m_rowsAffected = 0;
};

// True when the connection string sets the keyword (case-insensitive).
bool mentions(const std::string& connect, std::string_view keyword) {
    auto lower = [](std::string s) {
        for (char& ch : s) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
        return s;
    };
    const std::string text = lower(connect);
    const std::string key = lower(std::string(keyword)) + "=";
    for (size_t at = text.find(key); at != std::string::npos; at = text.find(key, at + 1)) {
        size_t before = at;
        while (before > 0 && text[before - 1] == ' ') --before;
        if (before == 0 || text[before - 1] == ';') return true;
    }
    return false;
}

class OdbcConnection final : public Connection {
public:
    explicit OdbcConnection(std::string connect) : m_connect(std::move(connect)) {
        SQLHENV env = environment();
        check(SQLAllocHandle(SQL_HANDLE_DBC, env, &m_dbc), SQL_HANDLE_ENV, env, "allocating a connection");
        SQLSetConnectAttr(m_dbc, SQL_ATTR_LOGIN_TIMEOUT, reinterpret_cast<SQLPOINTER>(10), 0);
        const SQLRETURN rc = SQLDriverConnect(m_dbc, nullptr, reinterpret_cast<SQLCHAR*>(m_connect.data()), SQL_NTS,
                                              nullptr, 0, nullptr, SQL_DRIVER_NOPROMPT);
        if (!SQL_SUCCEEDED(rc)) {
            try {
                raise(SQL_HANDLE_DBC, m_dbc, "connecting");
            } catch (...) {
                SQLFreeHandle(SQL_HANDLE_DBC, m_dbc);
                throw;
            }
        }
        SQLUINTEGER extensions = 0;
        if (SQL_SUCCEEDED(SQLGetInfo(m_dbc, SQL_GETDATA_EXTENSIONS, &extensions, sizeof extensions, nullptr))) {
            const SQLUINTEGER needed = SQL_GD_BLOCK | SQL_GD_BOUND | SQL_GD_ANY_COLUMN | SQL_GD_ANY_ORDER;
            m_getDataInBlocks = (extensions & needed) == needed;
        }
        char driver[128] = {0};
        SQLGetInfo(m_dbc, SQL_DRIVER_NAME, driver, sizeof driver, nullptr);
        m_psql = std::strncmp(driver, "psqlodbc", 8) == 0;
    }
    ~OdbcConnection() override {
        {
            std::lock_guard lock(m_prepared->mutex);
            m_prepared->open = false;
            m_prepared->clear();
        }
        SQLDisconnect(m_dbc);
        SQLFreeHandle(SQL_HANDLE_DBC, m_dbc);
    }

    Engine engine() const override { return Engine::Odbc; }

    std::unique_ptr<Statement> prepare(std::string_view sql) override {
        const bool keepable = isKeepable(sql);
        {
            std::lock_guard lock(m_prepared->mutex);
            if (!keepable) {
                m_prepared->clear();
            } else {
                auto& idle = m_prepared->idle;
                for (auto it = idle.rbegin(); it != idle.rend(); ++it)
                    if (it->sql == sql) {
                        PreparedStatements::Entry kept = std::move(*it);
                        idle.erase(std::next(it).base());
                        return std::make_unique<OdbcStatement>(std::move(kept), m_getDataInBlocks, m_prepared);
                    }
            }
        }
        return std::make_unique<OdbcStatement>(m_dbc, sql, m_getDataInBlocks,
                                               keepable ? m_prepared : nullptr);
    }

    void executeScript(std::string_view sql) override {
        if (!controlsTransaction(sql)) {
            // A script may change tables that kept statements read.
            std::lock_guard lock(m_prepared->mutex);
            m_prepared->clear();
        }
        StmtHandle stmt(m_dbc);
        const std::string text(sql);
        SQLRETURN rc = SQLExecDirect(stmt.h, reinterpret_cast<SQLCHAR*>(const_cast<char*>(text.c_str())), SQL_NTS);
        check(rc, SQL_HANDLE_STMT, stmt.h, "running a script");
        while (rc != SQL_NO_DATA) {
            rc = SQLMoreResults(stmt.h);
            check(rc, SQL_HANDLE_STMT, stmt.h, "running a script");
        }
    }

    // psqlODBC streams a query through a cursor inside a transaction, which the
    // driver commits at the next statement on the connection; a failing
    // statement there rolls the cursor away and the scan ends early without an
    // error. Scans therefore get a connection of their own.
    bool allowsStatementsDuringScan() const override { return false; }

    std::unique_ptr<Connection> openPeer() override {
        std::string connect = m_connect;
        // The peer only scans: have psqlODBC stream rather than hold the result,
        // unless the connection string chose otherwise.
        if (m_psql && !mentions(connect, "UseDeclareFetch")) {
            if (!connect.empty() && connect.back() != ';') connect += ';';
            connect += "UseDeclareFetch=1;";
            if (!mentions(connect, "Fetch")) connect += "Fetch=" + std::to_string(kScanFetchRows) + ";";
        }
        return std::make_unique<OdbcConnection>(std::move(connect));
    }

    std::string serverInfo() override {
        char name[128] = {0}, version[128] = {0};
        check(SQLGetInfo(m_dbc, SQL_DBMS_NAME, name, sizeof name, nullptr), SQL_HANDLE_DBC, m_dbc,
              "reading the server's name");
        check(SQLGetInfo(m_dbc, SQL_DBMS_VER, version, sizeof version, nullptr), SQL_HANDLE_DBC, m_dbc,
              "reading the server's version");
        return std::string(name) + " " + version;
    }

private:
    std::string m_connect;
    SQLHDBC m_dbc = SQL_NULL_HDBC;
    bool m_getDataInBlocks = false;
    std::shared_ptr<PreparedStatements> m_prepared = std::make_shared<PreparedStatements>();
    bool m_psql = false;
};

} // namespace

std::unique_ptr<Connection> openOdbc(const std::string& connectionString) {
    return std::make_unique<OdbcConnection>(connectionString);
}

} // namespace tesk::db
