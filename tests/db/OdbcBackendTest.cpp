// The ODBC backend over PostgreSQL (TESK_TEST_PG): column metadata, parameters
// of every kind into every column kind, long values read whole, the driver's
// own refusal messages, RETURNING, and a scan that stays open while the same
// client writes.

#include <gtest/gtest.h>

#include "platform/db/TimestampText.h"

#include <sql.h>
#include <sqlext.h>

#include <cctype>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "platform/db/Backend.h"
#include "platform/db/CDBException.h"

using namespace tesk::db;

namespace {

std::vector<uint8_t> bytes(std::initializer_list<int> list) {
    std::vector<uint8_t> v;
    for (int b : list) v.push_back(static_cast<uint8_t>(b));
    return v;
}

std::string_view asText(const std::vector<uint8_t>& v) {
    return {reinterpret_cast<const char*>(v.data()), v.size()};
}

// What the driver itself says when it prepares and runs a statement, through
// the plain ODBC API.
struct Diagnostic {
    std::string state, message;
};
Diagnostic driverDiagnostic(const std::string& connect, const std::string& sql) {
    SQLHENV env = SQL_NULL_HENV;
    SQLHDBC dbc = SQL_NULL_HDBC;
    SQLHSTMT stmt = SQL_NULL_HSTMT;
    SQLAllocHandle(SQL_HANDLE_ENV, SQL_NULL_HANDLE, &env);
    SQLSetEnvAttr(env, SQL_ATTR_ODBC_VERSION, reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3), 0);
    SQLAllocHandle(SQL_HANDLE_DBC, env, &dbc);
    std::string text = connect;
    Diagnostic d;
    if (SQL_SUCCEEDED(SQLDriverConnect(dbc, nullptr, reinterpret_cast<SQLCHAR*>(text.data()), SQL_NTS, nullptr, 0,
                                       nullptr, SQL_DRIVER_NOPROMPT))) {
        SQLAllocHandle(SQL_HANDLE_STMT, dbc, &stmt);
        std::string q = sql;
        if (!SQL_SUCCEEDED(SQLPrepare(stmt, reinterpret_cast<SQLCHAR*>(q.data()), SQL_NTS)) ||
            !SQL_SUCCEEDED(SQLExecute(stmt))) {
            SQLCHAR state[6] = {0};
            SQLCHAR message[4096] = {0};
            SQLINTEGER native = 0;
            SQLSMALLINT length = 0;
            SQLGetDiagRec(SQL_HANDLE_STMT, stmt, 1, state, &native, message, sizeof message, &length);
            d = {reinterpret_cast<char*>(state), reinterpret_cast<char*>(message)};
        }
        SQLFreeHandle(SQL_HANDLE_STMT, stmt);
        SQLDisconnect(dbc);
    }
    SQLFreeHandle(SQL_HANDLE_DBC, dbc);
    SQLFreeHandle(SQL_HANDLE_ENV, env);
    return d;
}

// "@" stands for the test's own schema, so tests may run side by side.
const char* const kSchema = R"(
DROP SCHEMA IF EXISTS @ CASCADE;
CREATE SCHEMA @;
CREATE TABLE @.kinds (
  "_id" SERIAL PRIMARY KEY,
  "_version" INTEGER NOT NULL DEFAULT 1,
  i INTEGER, s SMALLINT, r REAL, d DOUBLE PRECISION, n NUMERIC(10,2),
  v VARCHAR(40), t TEXT, b BYTEA, ts TIMESTAMP
);
CREATE VIEW @.named_kinds AS SELECT "_id", v FROM @.kinds WHERE v IS NOT NULL;
CREATE FUNCTION @.bump_version() RETURNS trigger LANGUAGE plpgsql AS $$
BEGIN
  -- every change raises the version; 'quotes' and ; inside the body
  NEW."_version" := OLD."_version" + 1;
  RETURN NEW;
END;
$$;
CREATE TRIGGER kinds_version BEFORE UPDATE ON @.kinds
  FOR EACH ROW EXECUTE FUNCTION @.bump_version();
)";

class OdbcBackendTest : public testing::Test {
protected:
    void SetUp() override {
        const char* pg = std::getenv("TESK_TEST_PG");
        if (!pg || !*pg) GTEST_SKIP() << "TESK_TEST_PG names no PostgreSQL database";
        m_connect = pg;
        m_schema = "odbc_";
        for (char c : std::string(testing::UnitTest::GetInstance()->current_test_info()->name()))
            m_schema += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        m_conn = openOdbc(m_connect);
        m_conn->executeScript(sql(kSchema));
    }
    void TearDown() override {
        if (m_conn) m_conn->executeScript("DROP SCHEMA IF EXISTS " + m_schema + " CASCADE");
    }

    std::string sql(std::string_view text) const {
        std::string out;
        for (char c : text) {
            if (c == '@') out += m_schema;
            else out += c;
        }
        return out;
    }

    std::unique_ptr<Statement> run(std::string_view text, std::vector<Value> params = {}) {
        auto st = m_conn->prepare(sql(text));
        for (size_t i = 0; i < params.size(); ++i) st->bind(static_cast<int>(i), params[i]);
        st->execute();
        return st;
    }

    int64_t count(Connection& c, std::string_view where) {
        auto st = c.prepare(sql(std::string("SELECT COUNT(*) FROM @.kinds WHERE ") + std::string(where)));
        st->execute();
        EXPECT_TRUE(st->fetch());
        return st->getInt64(0);
    }

    std::string m_connect;
    std::string m_schema;
    std::unique_ptr<Connection> m_conn;
};

TEST_F(OdbcBackendTest, DescribesEachColumnKind) {
    auto st = run(R"(SELECT "_id", "_version", i, s, r, d, n, v, t, b, ts FROM @.kinds)");
    struct Expect {
        const char* name;
        int16_t type;
        uint32_t precision;  // 0: the driver's setting decides
        int16_t scale;
        int16_t nullability;
    };
    const Expect cases[] = {
        {"_id", SQL_INTEGER, 10, 0, SQL_NO_NULLS},
        {"_version", SQL_INTEGER, 10, 0, SQL_NO_NULLS},
        {"i", SQL_INTEGER, 10, 0, SQL_NULLABLE},
        {"s", SQL_SMALLINT, 5, 0, SQL_NULLABLE},
        {"r", SQL_REAL, 0, 0, SQL_NULLABLE},
        {"d", SQL_FLOAT, 17, 0, SQL_NULLABLE},
        {"n", SQL_NUMERIC, 10, 2, SQL_NULLABLE},
        {"v", SQL_VARCHAR, 40, 0, SQL_NULLABLE},
        {"t", SQL_LONGVARCHAR, 0, 0, SQL_NULLABLE},
        {"b", SQL_LONGVARBINARY, 0, 0, SQL_NULLABLE},
        {"ts", SQL_TYPE_TIMESTAMP, 26, 6, SQL_NULLABLE},
    };
    ASSERT_EQ(st->columnCount(), static_cast<int>(std::size(cases)));
    for (int c = 0; c < st->columnCount(); ++c) {
        const Expect& e = cases[c];
        const ColumnDesc& d = st->describe(c);
        SCOPED_TRACE(e.name);
        EXPECT_EQ(d.name, e.name);
        EXPECT_EQ(d.sqlType, e.type);
        if (e.precision) {
            EXPECT_EQ(d.precision, e.precision);
        }
        EXPECT_EQ(d.scale, e.scale);
        EXPECT_EQ(d.nullability, e.nullability);
    }
    EXPECT_FALSE(st->fetch());
    EXPECT_NE(m_conn->serverInfo().find("PostgreSQL"), std::string::npos) << m_conn->serverInfo();
}

TEST_F(OdbcBackendTest, EveryParameterKindRoundTripsIntoEveryColumnKind) {
    const std::vector<uint8_t> awkward = bytes({0, 1, '\\', '\'', 0x7f, 0x80, 0xff, 0});
    const TIMESTAMP_STRUCT millis = tesk::db::MakeTimestamp(2024, 2, 29, 13, 14, 15, 123000000);
    const TIMESTAMP_STRUCT whole = tesk::db::MakeTimestamp(1999, 12, 31, 23, 59, 59, 0);
    struct Case {
        const char* column;
        Value in;
        int16_t hint;
        Value expected;
    };
    const Case cases[] = {
        {"i", int64_t{-2147483647 - 1}, 0, int64_t{-2147483647 - 1}},
        {"s", int64_t{-32768}, 0, int64_t{-32768}},
        {"r", int64_t{7}, 0, 7.0},
        {"d", int64_t{1000000000000001}, 0, 1000000000000001.0},
        {"n", int64_t{12}, 0, std::string("12.00")},
        {"v", int64_t{42}, 0, std::string("42")},
        {"t", int64_t{-5}, 0, std::string("-5")},
        {"i", 3.0, 0, int64_t{3}},
        {"s", -2.0, 0, int64_t{-2}},
        {"r", -1234.5, 0, -1234.5},
        {"d", 1234.5678901234567, 0, 1234.5678901234567},
        {"n", 12.5, 0, std::string("12.50")},
        {"v", std::string("h\xC3\xA9llo w\xC3\xB6rld"), 0, std::string("h\xC3\xA9llo w\xC3\xB6rld")},
        {"v", std::string(), 0, std::string()},
        {"t", std::string("line 1\nline 2 'quoted' \\ back\\slash ?"), 0,
         std::string("line 1\nline 2 'quoted' \\ back\\slash ?")},
        {"n", std::string("12.50"), SQL_NUMERIC, std::string("12.50")},
        {"n", std::string("-0.07"), SQL_NUMERIC, std::string("-0.07")},
        {"i", std::string("17"), SQL_INTEGER, int64_t{17}},
        {"s", std::string("-3"), SQL_SMALLINT, int64_t{-3}},
        {"r", std::string("0.5"), SQL_REAL, 0.5},
        {"d", std::string("2.25"), SQL_DOUBLE, 2.25},
        {"ts", std::string("2024-02-29 13:14:15.123"), SQL_TYPE_TIMESTAMP, millis},
        {"b", awkward, 0, awkward},
        {"b", std::vector<uint8_t>{}, 0, std::vector<uint8_t>{}},
        {"ts", millis, 0, millis},
        {"ts", whole, 0, whole},
    };
    auto check = [&](const char* column, const Value& in, int16_t hint, const Value& expected) {
        SCOPED_TRACE(std::string(column) + " <- kind " + std::to_string(in.index()) + " hint " + std::to_string(hint));
        auto insert = m_conn->prepare(sql(std::string("INSERT INTO @.kinds(") + column + R"() VALUES (?) RETURNING "_id")"));
        insert->bind(0, in, hint);
        insert->execute();
        ASSERT_TRUE(insert->fetch());
        const int64_t id = insert->getInt64(0);
        auto st = run(std::string("SELECT ") + column + R"( FROM @.kinds WHERE "_id" = ?)", {id});
        ASSERT_TRUE(st->fetch());
        if (std::holds_alternative<std::monostate>(expected)) {
            EXPECT_TRUE(st->isNull(0));
        } else if (auto* i = std::get_if<int64_t>(&expected)) {
            EXPECT_EQ(st->getInt64(0), *i);
        } else if (auto* d = std::get_if<double>(&expected)) {
            EXPECT_EQ(st->getDouble(0), *d);
        } else if (auto* s = std::get_if<std::string>(&expected)) {
            EXPECT_FALSE(st->isNull(0));
            EXPECT_EQ(st->getText(0), *s);
        } else if (auto* b = std::get_if<std::vector<uint8_t>>(&expected)) {
            EXPECT_FALSE(st->isNull(0));
            EXPECT_EQ(st->getBlob(0), asText(*b));
        } else if (auto* t = std::get_if<TIMESTAMP_STRUCT>(&expected)) {
            TIMESTAMP_STRUCT got{};
            ASSERT_TRUE(st->getTimestamp(0, got));
            EXPECT_TRUE(got == *t) << got.year << "-" << got.month << "-" << got.day << " " << got.hour << ":"
                                   << got.minute << ":" << got.second << "." << got.fraction;
        }
        EXPECT_FALSE(st->fetch());
    };
    for (const Case& c : cases) check(c.column, c.in, c.hint, c.expected);
    for (const char* column : {"i", "s", "r", "d", "n", "v", "t", "b", "ts"})
        check(column, std::monostate{}, 0, std::monostate{});
}

TEST_F(OdbcBackendTest, AccessorsConvertBetweenKinds) {
    run("INSERT INTO @.kinds(i, d, r, n, v, t, ts) VALUES (42, 2.75, 0.1, 12.5, '17', '2024-01-02 03:04:05', "
        "'2024-01-02 03:04:05.25')");
    auto st = run("SELECT i, d, r, n, v, t, ts, s FROM @.kinds");
    ASSERT_TRUE(st->fetch());
    struct Expect {
        const char* text;
        int64_t integer;
        double real;
        bool isDate;
    };
    const Expect cases[] = {
        {"42", 42, 42.0, false},
        {"2.75", 2, 2.75, false},
        {"0.1", 0, 0.1, false},
        {"12.50", 12, 12.5, false},
        {"17", 17, 17.0, false},
        {"2024-01-02 03:04:05", 2024, 2024, true},
        {"2024-01-02 03:04:05.250", 0, 0, true},
    };
    for (int c = 0; c < static_cast<int>(std::size(cases)); ++c) {
        SCOPED_TRACE(st->describe(c).name);
        const Expect& e = cases[c];
        EXPECT_FALSE(st->isNull(c));
        EXPECT_EQ(st->getText(c), e.text);
        EXPECT_EQ(st->getInt64(c), e.integer);
        EXPECT_EQ(st->getDouble(c), e.real);
        TIMESTAMP_STRUCT t{};
        EXPECT_EQ(st->getTimestamp(c, t), e.isDate);
    }
    TIMESTAMP_STRUCT t{};
    ASSERT_TRUE(st->getTimestamp(6, t));
    EXPECT_TRUE(t == tesk::db::MakeTimestamp(2024, 1, 2, 3, 4, 5, 250000000));
    EXPECT_TRUE(st->isNull(7));
    EXPECT_EQ(st->getText(7), "");
    EXPECT_FALSE(st->getTimestamp(7, t));
}

TEST_F(OdbcBackendTest, LongTextAndBinaryComeBackWhole) {
    std::string text;
    for (int i = 0; text.size() < 100 * 1024; ++i) text += "Schicht " + std::to_string(i) + " \xC3\xBC\xE2\x82\xAC; ";
    std::vector<uint8_t> blob(1024 * 1024);
    std::mt19937 random(7);
    for (auto& b : blob) b = static_cast<uint8_t>(random());
    const std::string shortText = "short";
    const std::vector<uint8_t> shortBlob = bytes({1, 2, 3});
    // Long and short values side by side, so a long cell sits inside a block of rows.
    const std::vector<std::pair<Value, Value>> rows = {
        {shortText, shortBlob}, {text, blob}, {std::monostate{}, std::monostate{}}, {text + "!", blob}, {shortText, shortBlob}};
    for (const auto& [t, b] : rows) run("INSERT INTO @.kinds(t, b) VALUES (?, ?)", {t, b});

    auto st = run(R"(SELECT t, b, "_id" FROM @.kinds ORDER BY "_id")");
    for (const auto& [t, b] : rows) {
        ASSERT_TRUE(st->fetch());
        if (std::holds_alternative<std::monostate>(t)) {
            EXPECT_TRUE(st->isNull(0));
            EXPECT_TRUE(st->isNull(1));
            continue;
        }
        // Read in either order, and twice.
        EXPECT_EQ(st->getBlob(1), asText(std::get<std::vector<uint8_t>>(b)));
        EXPECT_EQ(st->getText(0), std::get<std::string>(t));
        EXPECT_EQ(st->getText(0), std::get<std::string>(t));
    }
    EXPECT_FALSE(st->fetch());
}

TEST_F(OdbcBackendTest, RefusalsCarryTheDriversMessage) {
    run(R"(INSERT INTO @.kinds("_id", v) VALUES (1, 'one'))");
    struct Case {
        const char* sql;
        const char* state;
        const char* serverMessage;
    };
    const Case cases[] = {
        {R"(INSERT INTO @.kinds("_id") VALUES (1))", "23505",
         "duplicate key value violates unique constraint \"kinds_pkey\""},
        {R"(INSERT INTO @.kinds("_id", "_version") VALUES (5, NULL))", "23502", "null value in column \"_version\""},
        {"SELEKT 1", "42601", "syntax error at or near \"SELEKT\""},
        // Longer than the usual 512-byte diagnostic buffer.
        {"DO $$BEGIN RAISE EXCEPTION 'long %', repeat('x', 2000); END$$", "P0001", "long xxxxxxxxxx"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.sql);
        const Diagnostic expected = driverDiagnostic(m_connect, sql(c.sql));
        ASSERT_EQ(expected.state, c.state);
        try {
            run(c.sql);
            ADD_FAILURE() << "no exception";
        } catch (const CDBException& e) {
            EXPECT_EQ(e.m_strError, expected.message);
            EXPECT_NE(e.m_strError.find(c.serverMessage), std::string::npos) << e.m_strError;
            EXPECT_GT(expected.message.size(), std::strlen(c.serverMessage));
            EXPECT_EQ(e.m_strSqlState, c.state);
            EXPECT_EQ(e.m_strError.find("State:"), std::string::npos);
            EXPECT_FALSE(e.m_strContext.empty());
        }
    }
    // The connection goes on working after a refusal.
    EXPECT_EQ(count(*m_conn, "v = 'one'"), 1);
}

TEST_F(OdbcBackendTest, InsertReturningAndRowCounts) {
    auto insert = m_conn->prepare(sql(R"(INSERT INTO @.kinds(v) VALUES (?) RETURNING "_id", "_version")"));
    std::vector<int64_t> ids;
    for (const char* v : {"a", "b", "c"}) {
        insert->bind(0, std::string(v));
        insert->execute();
        ASSERT_TRUE(insert->fetch());
        ids.push_back(insert->getInt64(0));
        EXPECT_EQ(insert->getInt64(1), 1);
        EXPECT_FALSE(insert->fetch());
        insert->reset();
    }
    EXPECT_LT(ids[0], ids[1]);
    EXPECT_LT(ids[1], ids[2]);

    auto update = run(R"(UPDATE @.kinds SET i = 5 WHERE "_id" IN (?, ?))", {ids[0], ids[2]});
    EXPECT_EQ(update->rowsAffected(), 2);
    // The trigger from the schema script raised the versions.
    EXPECT_EQ(count(*m_conn, "\"_version\" = 2 AND i = 5"), 2);
    EXPECT_EQ(run(R"(DELETE FROM @.kinds WHERE "_id" = -1)")->rowsAffected(), 0);
    EXPECT_EQ(run("DELETE FROM @.kinds")->rowsAffected(), 3);
    auto view = run("SELECT COUNT(*) FROM @.named_kinds");
    ASSERT_TRUE(view->fetch());
    EXPECT_EQ(view->getInt64(0), 0);
}

TEST_F(OdbcBackendTest, ScriptsRunAsOneAndTransactionsHold) {
    // Statements after a failing one do not run.
    EXPECT_THROW(m_conn->executeScript(sql("INSERT INTO @.kinds(i) VALUES (1); INSERT INTO @.nowhere VALUES (1);")),
                 CDBException);
    m_conn->executeScript(sql("INSERT INTO @.kinds(i) VALUES (2); INSERT INTO @.kinds(i) VALUES (3)"));
    EXPECT_EQ(count(*m_conn, "i IN (2, 3)"), 2);

    auto observer = openOdbc(m_connect);
    m_conn->executeScript("BEGIN");
    run("INSERT INTO @.kinds(i) VALUES (?)", {int64_t{4}});
    EXPECT_EQ(count(*m_conn, "i = 4"), 1);
    EXPECT_EQ(count(*observer, "i = 4"), 0);
    m_conn->executeScript("ROLLBACK");
    EXPECT_EQ(count(*m_conn, "i = 4"), 0);
}

// A statement made again with a text used before may come back prepared
// already: it starts without the last one's parameters or rows, a refusal
// does not spoil the next one, and after a script remade the table it reads
// the table as it is now.
TEST_F(OdbcBackendTest, StatementsMadeAgainStartAfresh) {
    m_conn->executeScript(sql("INSERT INTO @.kinds(i, v) VALUES (1, 'one'), (2, 'two'), (2, 'deux')"));
    const std::string byNumber = sql("SELECT v FROM @.kinds WHERE i = ? ORDER BY v");
    {
        auto st = m_conn->prepare(byNumber);
        st->bind(0, int64_t{2});
        st->execute();
        ASSERT_TRUE(st->fetch());
        EXPECT_EQ(st->getText(0), "deux");
    }  // let go with a row unread
    {
        auto st = m_conn->prepare(byNumber);
        st->bind(0, int64_t{1});
        st->execute();
        ASSERT_TRUE(st->fetch());
        EXPECT_EQ(st->getText(0), "one");
        auto alongside = m_conn->prepare(byNumber);
        alongside->bind(0, int64_t{2});
        alongside->execute();
        ASSERT_TRUE(alongside->fetch());
        EXPECT_EQ(alongside->getText(0), "deux");
        EXPECT_FALSE(st->fetch());
    }

    const std::string insert = sql(R"(INSERT INTO @.kinds("_id", i) VALUES (?, 7))");
    for (const auto& [id, refused] : {std::pair{100, false}, {100, true}, {101, false}}) {
        SCOPED_TRACE(id);
        auto st = m_conn->prepare(insert);
        st->bind(0, int64_t{id});
        if (refused) {
            EXPECT_THROW(st->execute(), CDBException);
        } else {
            st->execute();
            EXPECT_EQ(st->rowsAffected(), 1);
        }
    }

    const std::string all = sql("SELECT * FROM @.kinds ORDER BY 1");
    {
        auto st = m_conn->prepare(all);
        st->execute();
        EXPECT_EQ(st->columnCount(), 11);
    }
    m_conn->executeScript(sql("DROP TABLE @.kinds CASCADE; CREATE TABLE @.kinds (name TEXT, size DOUBLE PRECISION);"
                              "INSERT INTO @.kinds VALUES ('only', 2.5)"));
    auto st = m_conn->prepare(all);
    st->execute();
    ASSERT_EQ(st->columnCount(), 2);
    EXPECT_EQ(st->describe(1).name, "size");
    ASSERT_TRUE(st->fetch());
    EXPECT_EQ(st->getText(0), "only");
    EXPECT_DOUBLE_EQ(st->getDouble(1), 2.5);
}

TEST_F(OdbcBackendTest, ScanStaysOpenWhileTheClientWrites) {
    constexpr int kRows = 3000;
    m_conn->executeScript(sql("INSERT INTO @.kinds(i, v) SELECT g, 'row ' || g FROM generate_series(1, " +
                              std::to_string(kRows) + ") g"));
    std::unique_ptr<Connection> peer;
    Connection* scanConnection = m_conn.get();
    if (!m_conn->allowsStatementsDuringScan()) {
        peer = m_conn->openPeer();
        scanConnection = peer.get();
    }
    auto observer = openOdbc(m_connect);
    auto scan = scanConnection->prepare(sql(R"(SELECT "_id", i, v FROM @.kinds ORDER BY "_id")"));
    auto byKey = m_conn->prepare(sql(R"(SELECT i, "_version" FROM @.kinds WHERE "_id" = ?)"));
    auto update = m_conn->prepare(sql(R"(UPDATE @.kinds SET i = ? WHERE "_id" = ?)"));
    auto insert = m_conn->prepare(sql(R"(INSERT INTO @.kinds("_id", i) VALUES (?, ?))"));

    scan->execute();
    int scanned = 0, writes = 0;
    int64_t lastId = 0;
    while (scan->fetch()) {
        const int64_t id = scan->getInt64(0);
        ASSERT_GT(id, lastId);
        lastId = id;
        EXPECT_EQ(scan->getText(2), "row " + std::to_string(scan->getInt64(1)));
        if (++scanned % 250 != 0) continue;

        update->bind(0, -scan->getInt64(1));
        update->bind(1, id);
        update->execute();
        ASSERT_EQ(update->rowsAffected(), 1);
        byKey->bind(0, id);
        byKey->execute();
        ASSERT_TRUE(byKey->fetch());
        EXPECT_EQ(byKey->getInt64(0), -scan->getInt64(1));
        EXPECT_EQ(byKey->getInt64(1), 2);
        byKey->reset();
        // A refused write in the middle of the scan ends neither the scan nor autocommit.
        insert->bind(0, id);
        insert->bind(1, int64_t{0});
        EXPECT_THROW(insert->execute(), CDBException);
        insert->bind(0, int64_t{1000000} + id);
        insert->execute();
        ++writes;
        // Each write is committed when it returns.
        ASSERT_EQ(count(*observer, "i < 0"), writes);
        ASSERT_EQ(count(*observer, "\"_id\" > 1000000"), writes);
    }
    EXPECT_EQ(scanned, kRows);
    EXPECT_EQ(writes, kRows / 250);
}

} // namespace
