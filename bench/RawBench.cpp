// The raw stack beneath the record sets, doing what the record-set cases do.

#include <benchmark/benchmark.h>
#include <sql.h>
#include <sqlext.h>
#include <sqlite3.h>

#include <cstring>
#include <stdexcept>
#include <string>
#include <vector>

#include "bench/BenchCases.h"
#include "bench/BenchSupport.h"
#include "services/project/CTeskProject.h"

namespace tesk::bench {
namespace {

// Prepare, step, and read every column by its stored type: with the column
// accessors, as the API is commonly used, or through each column's value
// (one call into the statement per cell instead of two), the leaner way the
// record sets' own backend reads.
template <bool kThroughValues> void scanSqliteCApi(benchmark::State& state) {
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(SqliteFile().c_str(), &db, SQLITE_OPEN_READONLY | SQLITE_OPEN_NOMUTEX, nullptr) != SQLITE_OK)
        throw std::runtime_error(sqlite3_errmsg(db));
    int64_t rows = 0;
    for (auto _ : state) {
        sqlite3_stmt* st = nullptr;
        if (sqlite3_prepare_v2(db, kScanSql, -1, &st, nullptr) != SQLITE_OK)
            throw std::runtime_error(sqlite3_errmsg(db));
        const int n = sqlite3_column_count(st);
        rows = 0;
        int64_t ints = 0;
        double reals = 0;
        size_t bytes = 0;
        while (sqlite3_step(st) == SQLITE_ROW) {
            ++rows;
            for (int c = 0; c < n; ++c) {
                if constexpr (kThroughValues) {
                    sqlite3_value* v = sqlite3_column_value(st, c);
                    switch (sqlite3_value_type(v)) {
                    case SQLITE_INTEGER: ints += sqlite3_value_int64(v); break;
                    case SQLITE_FLOAT: reals += sqlite3_value_double(v); break;
                    case SQLITE_TEXT:
                        benchmark::DoNotOptimize(sqlite3_value_text(v));
                        bytes += static_cast<size_t>(sqlite3_value_bytes(v));
                        break;
                    default: break;
                    }
                } else {
                    switch (sqlite3_column_type(st, c)) {
                    case SQLITE_INTEGER: ints += sqlite3_column_int64(st, c); break;
                    case SQLITE_FLOAT: reals += sqlite3_column_double(st, c); break;
                    case SQLITE_TEXT:
                        benchmark::DoNotOptimize(sqlite3_column_text(st, c));
                        bytes += static_cast<size_t>(sqlite3_column_bytes(st, c));
                        break;
                    default: break;
                    }
                }
            }
        }
        sqlite3_finalize(st);
        benchmark::DoNotOptimize(ints);
        benchmark::DoNotOptimize(reals);
        benchmark::DoNotOptimize(bytes);
    }
    sqlite3_close(db);
    state.counters["rows"] = static_cast<double>(rows);
}

void odbcCheck(SQLRETURN rc, SQLSMALLINT type, SQLHANDLE h, const char* what) {
    if (SQL_SUCCEEDED(rc) || rc == SQL_NO_DATA) return;
    SQLCHAR state[6] = {0}, message[1024] = {0};
    SQLINTEGER native = 0;
    SQLSMALLINT length = 0;
    SQLGetDiagRec(type, h, 1, state, &native, message, sizeof message, &length);
    throw std::runtime_error(std::string(what) + ": " + reinterpret_cast<char*>(message));
}

// Bound columns of their natural C types, rows fetched a block at a time.
void scanOdbcRaw(benchmark::State& state) {
    constexpr SQLULEN kBlock = 256;
    SQLHENV env = SQL_NULL_HENV;
    SQLHDBC dbc = SQL_NULL_HDBC;
    SQLAllocHandle(SQL_HANDLE_ENV, SQL_NULL_HANDLE, &env);
    SQLSetEnvAttr(env, SQL_ATTR_ODBC_VERSION, reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3), 0);
    SQLAllocHandle(SQL_HANDLE_DBC, env, &dbc);
    std::string connect = StreamingOdbcConnect();
    odbcCheck(SQLDriverConnect(dbc, nullptr, reinterpret_cast<SQLCHAR*>(connect.data()), SQL_NTS, nullptr, 0,
                               nullptr, SQL_DRIVER_NOPROMPT),
              SQL_HANDLE_DBC, dbc, "connecting");
    int64_t rows = 0;
    for (auto _ : state) {
        SQLHSTMT st = SQL_NULL_HSTMT;
        SQLAllocHandle(SQL_HANDLE_STMT, dbc, &st);
        odbcCheck(SQLExecDirect(st, reinterpret_cast<SQLCHAR*>(const_cast<char*>(kScanSql)), SQL_NTS),
                  SQL_HANDLE_STMT, st, "executing");
        SQLSMALLINT n = 0;
        SQLNumResultCols(st, &n);
        struct Bound {
            SQLSMALLINT cType;
            SQLLEN width;
            std::vector<char> data;
            std::vector<SQLLEN> indicator;
        };
        std::vector<Bound> columns(static_cast<size_t>(n));
        SQLULEN fetched = 0;
        SQLSetStmtAttr(st, SQL_ATTR_ROW_BIND_TYPE, SQL_BIND_BY_COLUMN, 0);
        SQLSetStmtAttr(st, SQL_ATTR_ROW_ARRAY_SIZE, reinterpret_cast<SQLPOINTER>(kBlock), 0);
        SQLSetStmtAttr(st, SQL_ATTR_ROWS_FETCHED_PTR, &fetched, 0);
        for (SQLSMALLINT c = 0; c < n; ++c) {
            SQLCHAR name[256];
            SQLSMALLINT nameLength = 0, type = 0, digits = 0, nullable = 0;
            SQLULEN size = 0;
            SQLDescribeCol(st, static_cast<SQLUSMALLINT>(c + 1), name, sizeof name, &nameLength, &type, &size, &digits,
                           &nullable);
            Bound& b = columns[static_cast<size_t>(c)];
            switch (type) {
            case SQL_INTEGER: case SQL_SMALLINT: case SQL_TINYINT: case SQL_BIGINT: case SQL_BIT:
                b.cType = SQL_C_SBIGINT, b.width = sizeof(int64_t); break;
            case SQL_REAL: case SQL_FLOAT: case SQL_DOUBLE:
                b.cType = SQL_C_DOUBLE, b.width = sizeof(double); break;
            case SQL_TYPE_TIMESTAMP: case SQL_TIMESTAMP:
                b.cType = SQL_C_TYPE_TIMESTAMP, b.width = sizeof(TIMESTAMP_STRUCT); break;
            default:
                b.cType = SQL_C_CHAR;
                b.width = static_cast<SQLLEN>(size == 0 || size > 1024 ? 1024 : size * 4) + 1;
            }
            b.data.assign(static_cast<size_t>(b.width) * kBlock, 0);
            b.indicator.assign(kBlock, 0);
            odbcCheck(SQLBindCol(st, static_cast<SQLUSMALLINT>(c + 1), b.cType, b.data.data(), b.width,
                                 b.indicator.data()),
                      SQL_HANDLE_STMT, st, "binding");
        }
        rows = 0;
        int64_t ints = 0;
        double reals = 0;
        size_t bytes = 0;
        for (;;) {
            const SQLRETURN rc = SQLFetch(st);
            if (rc == SQL_NO_DATA) break;
            odbcCheck(rc, SQL_HANDLE_STMT, st, "fetching");
            for (SQLULEN r = 0; r < fetched; ++r) {
                for (const Bound& b : columns) {
                    const SQLLEN ind = b.indicator[r];
                    if (ind == SQL_NULL_DATA) continue;
                    const char* cell = b.data.data() + r * static_cast<size_t>(b.width);
                    if (b.cType == SQL_C_SBIGINT) {
                        int64_t v;
                        std::memcpy(&v, cell, sizeof v);
                        ints += v;
                    } else if (b.cType == SQL_C_DOUBLE) {
                        double v;
                        std::memcpy(&v, cell, sizeof v);
                        reals += v;
                    } else {
                        bytes += static_cast<size_t>(ind);
                    }
                }
            }
            rows += static_cast<int64_t>(fetched);
        }
        SQLFreeHandle(SQL_HANDLE_STMT, st);
        benchmark::DoNotOptimize(ints);
        benchmark::DoNotOptimize(reals);
        benchmark::DoNotOptimize(bytes);
    }
    SQLDisconnect(dbc);
    SQLFreeHandle(SQL_HANDLE_DBC, dbc);
    SQLFreeHandle(SQL_HANDLE_ENV, env);
    state.counters["rows"] = static_cast<double>(rows);
}

// UPDATE of the edit case's columns, prepared once, executed per row in
// autocommit as the record set's writes are.
void updateRaw(benchmark::State& state) {
    static int round = 0;
    tesk::db::Connection& c = OpenBenchProject().GetDatabase().connection();
    const EditRange range = EditRows();
    std::vector<std::pair<int64_t, double>> rows;
    {
        auto read = c.prepare("SELECT \"_id\", \"Top MD\" FROM \"FormationTop\" WHERE \"_id\" BETWEEN ? AND ?");
        read->bind(0, range.first);
        read->bind(1, range.last);
        read->execute();
        while (read->fetch()) rows.emplace_back(read->getInt64(0), read->getDouble(1));
        read->reset();
    }
    for (auto _ : state) {
        const double delta = (++round % 2) ? 0.5 : -0.5;
        auto update = c.prepare("UPDATE \"FormationTop\" SET \"Top MD\" = ?, \"Top TVD\" = ? WHERE \"_id\" = ?");
        for (auto& [id, md] : rows) {
            md += delta;
            update->bind(0, md);
            update->bind(1, md);
            update->bind(2, id);
            update->execute();
            if (update->rowsAffected() != 1) throw std::runtime_error("the raw update missed a row");
        }
    }
    state.counters["rows"] = static_cast<double>(rows.size());
}

} // namespace

void RegisterRawScans() {
    if (IsOdbcProject())
        Configure(benchmark::RegisterBenchmark("scan/raw_odbc", scanOdbcRaw));
    else {
        Configure(benchmark::RegisterBenchmark("scan/sqlite_c_api", scanSqliteCApi<false>));
        Configure(benchmark::RegisterBenchmark("scan/sqlite_c_api_values", scanSqliteCApi<true>));
    }
}

void RegisterRawUpdate() { Configure(benchmark::RegisterBenchmark("edit/raw_update", updateRaw)); }

} // namespace tesk::bench
