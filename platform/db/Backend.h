#pragma once
// The statement-level interface that record sets use to reach a database.
// Two implementations: native SQLite (the embedded default) and ODBC.

#include <sql.h>
#include <sqlext.h>

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

bool operator==(const TIMESTAMP_STRUCT& a, const TIMESTAMP_STRUCT& b);

namespace tesk::db {

// A parameter or column value. Dates travel as ODBC timestamp structures.
using Value = std::variant<std::monostate, int64_t, double, std::string, std::vector<uint8_t>,
                           TIMESTAMP_STRUCT>;

// What the driver (or, for SQLite, the schema) says about a result column.
struct ColumnDesc {
    std::string name;
    int16_t sqlType = SQL_VARCHAR;       // ODBC SQL type code
    uint32_t precision = 0;              // ODBC column size
    int16_t scale = 0;                   // decimal digits
    int16_t nullability = SQL_NULLABLE_UNKNOWN;
};

// One prepared statement. Parameters and columns are numbered from 0.
// Column accessors read the current row; texts and blobs stay valid until
// the next fetch, reset or destruction.
class Statement {
public:
    virtual ~Statement() = default;

    // sqlTypeHint tells an ODBC driver how to type a text parameter
    // (SQL_NUMERIC for decimals kept as text); SQLite ignores it.
    virtual void bind(int index, const Value& value, int16_t sqlTypeHint = 0) = 0;
    // Runs the statement. A query is then positioned before its first row.
    virtual void execute() = 0;
    // Rows changed by the last INSERT, UPDATE or DELETE.
    virtual int64_t rowsAffected() = 0;
    // Advances to the next row; false at the end of the result.
    virtual bool fetch() = 0;
    // Ends the current result and forgets the bound parameters.
    virtual void reset() = 0;

    virtual int columnCount() = 0;
    virtual const ColumnDesc& describe(int column) = 0;

    virtual bool isNull(int column) = 0;
    virtual int64_t getInt64(int column) = 0;
    virtual double getDouble(int column) = 0;
    virtual std::string_view getText(int column) = 0;
    virtual std::string_view getBlob(int column) = 0;
    // False when the column holds no readable date.
    virtual bool getTimestamp(int column, TIMESTAMP_STRUCT& out) = 0;
};

enum class Engine { Sqlite, Odbc };

class Connection {
public:
    virtual ~Connection() = default;
    virtual Engine engine() const = 0;
    virtual std::unique_ptr<Statement> prepare(std::string_view sql) = 0;
    // Runs one or more statements that take no parameters and return no rows.
    virtual void executeScript(std::string_view sql) = 0;
    // True when a query may stay open while other statements run on this
    // connection. Where false, record sets stream their rows over a second
    // connection made by openPeer().
    virtual bool allowsStatementsDuringScan() const = 0;
    virtual std::unique_ptr<Connection> openPeer() = 0;
    // Driver or engine name and version, for messages and benchmarks.
    virtual std::string serverInfo() = 0;
};

std::unique_ptr<Connection> openSqlite(const std::string& path, int busyTimeoutMs = 5000);
std::unique_ptr<Connection> openOdbc(const std::string& connectionString);

} // namespace tesk::db
