// Record sets over a real database: metadata, every exchange code, nulls,
// moves, writes, refusals and concurrent changes, on each engine.

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <optional>

#include "platform/db/CDatabase.h"
#include "platform/db/COleDateTime.h"
#include "platform/db/CRecordset.h"
#include "platform/db/CTime.h"
#include "support/SampleSet.h"
#include "support/TestEngines.h"

using namespace tesk::test;

namespace {

class RecordsetTest : public testing::TestWithParam<EngineKind> {
protected:
    void SetUp() override {
        m_db.OpenEx(connectFor(GetParam(), m_dir));
        m_db.ExecuteSQL(sampleSchema(m_db.connection().engine()));
    }

    // Adds rows with Count 1..n and Name "row<i>".
    void addRows(int n) {
        SampleSet rs(&m_db);
        rs.Open();
        for (int i = 1; i <= n; ++i) {
            rs.AddNew();
            rs.m_count = i;
            rs.m_name = "row" + std::to_string(i);
            rs.Update();
        }
    }

    std::vector<int> walkCounts(SampleSet& rs) {
        std::vector<int> counts;
        for (; !rs.IsEOF(); rs.MoveNext()) counts.push_back(rs.m_count);
        return counts;
    }

    TempDir m_dir;
    CDatabase m_db;
};

TEST_P(RecordsetTest, MetadataComesFromTheSchema) {
    SampleSet rs(&m_db);
    rs.Open();
    ASSERT_EQ(rs.GetODBCFieldCount(), 14);
    ASSERT_EQ(rs.m_nFields, 14u);
    struct Expect { short index; const char* name; int16_t type; uint32_t precision; int16_t scale; int16_t nullability; };
    const bool pg = GetParam() == EngineKind::Postgres;
    const Expect cases[] = {
        {0, "Flag", SQL_INTEGER, 10, 0, SQL_NULLABLE},
        {2, "Count", SQL_INTEGER, 10, 0, SQL_NO_NULLS},
        {5, "Depth", static_cast<int16_t>(pg ? SQL_FLOAT : SQL_DOUBLE), pg ? 17u : 15u, 0, SQL_NULLABLE},
        {8, "Name", SQL_VARCHAR, 40, 0, SQL_NULLABLE},
        {13, "Elev", SQL_NUMERIC, 10, 2, SQL_NULLABLE},
    };
    for (const Expect& e : cases) {
        CODBCFieldInfo info;
        rs.GetODBCFieldInfo(e.index, info);
        EXPECT_EQ(info.m_strName, e.name);
        EXPECT_EQ(info.m_nSQLType, e.type) << e.name;
        EXPECT_EQ(info.m_nPrecision, e.precision) << e.name;
        EXPECT_EQ(info.m_nScale, e.scale) << e.name;
        EXPECT_EQ(info.m_nNullability, e.nullability) << e.name;
    }
    CODBCFieldInfo info;
    EXPECT_THROW(rs.GetODBCFieldInfo(14, info), CDBException);
    EXPECT_THROW(rs.GetODBCFieldInfo(-1, info), CDBException);
    // Field exchange: field numbers follow the binding order.
    ASSERT_EQ(rs.m_rgFieldInfos.size(), 14u);
    EXPECT_EQ(rs.m_rgFieldInfos[11].m_nDataType, FX_FIXEDTEXT);
    EXPECT_EQ(rs.m_rgFieldInfos[11].m_nLength, 9);
    void* number = nullptr;
    ASSERT_TRUE(rs.m_mapFieldIndex.Lookup(&rs.m_depth, number));
    EXPECT_EQ(reinterpret_cast<intptr_t>(number), 6);
}

TEST_P(RecordsetTest, EveryExchangeCodeRoundTrips) {
    const std::vector<uint8_t> blob = {0, 1, 2, 255, 0, 42};
    {
        SampleSet rs(&m_db);
        rs.Open();
        rs.AddNew();
        rs.m_flag = 1;
        rs.m_small = 200;
        rs.m_count = -7;
        rs.m_id = 2147483647;
        rs.m_ratio = 0.25f;
        rs.m_depth = 1234.5678901234;
        rs.m_spud = CTime(2001, 7, 4, 13, 14, 15);
        rs.m_blob = blob;
        rs.m_name = "Ærø-3 \"quoted\" 'single'";
        rs.m_stamp = {2008, 3, 1, 12, 34, 56, 789000000};
        rs.m_ole = COleDateTime(1999, 12, 31, 23, 59, 58);
        std::strcpy(rs.m_code, "ABCDEFGH");
        rs.m_notes = std::string(100000, 'n');
        rs.m_elev = "1234.50";
        for (auto& f : rs.m_rgFieldInfos) rs.SetFieldNull(f.m_pvBindAddress, false);
        ASSERT_TRUE(rs.Update());
    }
    SampleSet rs(&m_db);
    rs.Open();
    ASSERT_FALSE(rs.IsEOF());
    EXPECT_EQ(rs.m_flag, 1);
    EXPECT_EQ(rs.m_small, 200);
    EXPECT_EQ(rs.m_count, -7);
    EXPECT_EQ(rs.m_id, 2147483647);
    EXPECT_FLOAT_EQ(rs.m_ratio, 0.25f);
    EXPECT_DOUBLE_EQ(rs.m_depth, 1234.5678901234);
    EXPECT_EQ(rs.m_spud, CTime(2001, 7, 4, 13, 14, 15));
    EXPECT_EQ(rs.m_blob, blob);
    EXPECT_EQ(rs.m_name, "Ærø-3 \"quoted\" 'single'");
    EXPECT_EQ(rs.m_stamp.year, 2008);
    EXPECT_EQ(rs.m_stamp.second, 56);
    EXPECT_EQ(rs.m_stamp.fraction, 789000000u);
    EXPECT_EQ(rs.m_ole.GetYear(), 1999);
    EXPECT_EQ(rs.m_ole.GetSecond(), 58);
    EXPECT_STREQ(rs.m_code, "ABCDEFGH");
    EXPECT_EQ(rs.m_notes.size(), 100000u);
    EXPECT_EQ(std::stod(rs.m_elev), 1234.5);
    for (auto& f : rs.m_rgFieldInfos) EXPECT_FALSE(rs.IsFieldNull(f.m_pvBindAddress)) << f.m_strName;
}

TEST_P(RecordsetTest, UnsetFieldsAreNullAndDefaultsSurvive) {
    {
        SampleSet rs(&m_db);
        rs.Open();
        rs.AddNew();
        EXPECT_TRUE(rs.IsFieldNull(&rs.m_count));
        rs.m_count = 3;  // a member set directly counts as set
        rs.Update();
    }
    SampleSet rs(&m_db);
    rs.Open();
    EXPECT_EQ(rs.m_count, 3);
    EXPECT_FALSE(rs.IsFieldNull(&rs.m_count));
    EXPECT_TRUE(rs.IsFieldNull(&rs.m_name));
    EXPECT_TRUE(rs.IsFieldNull(&rs.m_stamp));
    EXPECT_TRUE(rs.IsFieldNull(&rs.m_blob));
    EXPECT_FALSE(rs.IsFieldNull(&rs.m_elev)) << "the column default was overwritten";
    EXPECT_EQ(std::stod(rs.m_elev), 7.5);

    // Setting a field null writes NULL.
    rs.Edit();
    rs.m_name = "x";
    rs.SetFieldNull(&rs.m_elev);
    EXPECT_TRUE(rs.Update());
    EXPECT_TRUE(rs.IsFieldNull(&rs.m_elev));
    EXPECT_EQ(rs.m_name, "x");
}

TEST_P(RecordsetTest, MovesFollowTheCursorRules) {
    addRows(5);
    SampleSet rs(&m_db);
    rs.m_strSort = "\"Count\" DESC";
    rs.Open();
    EXPECT_FALSE(rs.IsBOF());
    EXPECT_EQ(rs.m_count, 5);
    EXPECT_EQ(walkCounts(rs), (std::vector<int>{5, 4, 3, 2, 1}));
    EXPECT_TRUE(rs.IsEOF());
    EXPECT_THROW(rs.MoveNext(), CDBException);
    rs.MovePrev();
    EXPECT_EQ(rs.m_count, 1);
    rs.MoveFirst();
    EXPECT_EQ(rs.m_count, 5);
    rs.MovePrev();
    EXPECT_TRUE(rs.IsBOF());
    EXPECT_FALSE(rs.IsEOF());
    EXPECT_THROW(rs.MovePrev(), CDBException);
    rs.MoveNext();
    EXPECT_EQ(rs.m_count, 5);
    rs.MoveLast();
    EXPECT_EQ(rs.m_count, 1);
    rs.Move(-2);
    EXPECT_EQ(rs.m_count, 3);
    rs.Move(2, SQL_FETCH_ABSOLUTE);
    EXPECT_EQ(rs.m_count, 4);

    // Filter and sort are WHERE and ORDER BY; Requery applies new ones.
    rs.m_strFilter = "\"Count\" > 2";
    rs.m_strSort = "\"Count\"";
    ASSERT_TRUE(rs.Requery());
    EXPECT_EQ(walkCounts(rs), (std::vector<int>{3, 4, 5}));

    SampleSet empty(&m_db);
    empty.m_strFilter = "\"Count\" > 100";
    empty.Open();
    EXPECT_TRUE(empty.IsBOF());
    EXPECT_TRUE(empty.IsEOF());
    EXPECT_THROW(empty.MoveFirst(), CDBException);
    EXPECT_THROW(empty.MoveNext(), CDBException);
}

TEST_P(RecordsetTest, WritesPersistAndDeletedRowsAreSkipped) {
    addRows(3);
    {
        SampleSet rs(&m_db);
        rs.m_strSort = "\"Count\"";
        rs.Open(CRecordset::dynaset, nullptr, CRecordset::skipDeletedRecords);
        rs.MoveNext();  // row 2
        rs.Edit();
        rs.m_depth = 99.5;
        rs.SetFieldNull(&rs.m_depth, false);
        EXPECT_TRUE(rs.Update());
        EXPECT_EQ(rs.m_count, 2) << "the edited row stays current";
        EXPECT_DOUBLE_EQ(rs.m_depth, 99.5);
        rs.Edit();
        EXPECT_FALSE(rs.Update()) << "an edit that changed nothing writes nothing";

        rs.MoveFirst();
        rs.Delete();
        EXPECT_TRUE(rs.IsDeleted());
        EXPECT_TRUE(rs.IsFieldNull(&rs.m_count));
        EXPECT_THROW(rs.Edit(), CDBException);
        EXPECT_THROW(rs.Delete(), CDBException);
        rs.MoveNext();
        EXPECT_EQ(rs.m_count, 2);
        rs.MovePrev();
        EXPECT_TRUE(rs.IsBOF()) << "moving back skips the deleted row";

        // A row added in a dynaset comes at the end; the current row stays.
        rs.MoveNext();
        rs.AddNew();
        rs.m_count = 10;
        rs.Update();
        EXPECT_EQ(rs.m_count, 2);
        rs.MoveLast();
        EXPECT_EQ(rs.m_count, 10);
    }
    SampleSet rs(&m_db);
    rs.m_strSort = "\"Count\"";
    rs.Open();
    EXPECT_EQ(walkCounts(rs), (std::vector<int>{2, 3, 10}));
    rs.MoveFirst();
    EXPECT_DOUBLE_EQ(rs.m_depth, 99.5);
}

// An edit loop writes row after row, mostly the same columns and now and then
// others (more sets of columns than the record set keeps statements for), with
// a refused write on the way: every row ends with its own values.
TEST_P(RecordsetTest, EditLoopsWriteEachRowItsOwnValues) {
    constexpr int kRows = 16;
    addRows(kRows);
    struct Row {
        std::optional<double> depth;
        std::optional<int> id;
        std::string name;
        std::optional<int> small;
    };
    std::vector<Row> expected(kRows + 1);
    for (int i = 1; i <= kRows; ++i) expected[i].name = "row" + std::to_string(i);
    enum : unsigned { kDepth = 1, kId = 2, kName = 4, kSmall = 8 };
    const auto columnsOf = [](int i) { return i <= 4 ? unsigned(kDepth) : unsigned(i % 15) + 1; };

    SampleSet rs(&m_db);
    rs.m_strSort = "\"Count\"";
    rs.Open();
    for (int pass = 1; pass <= 2; ++pass) {
        rs.MoveFirst();
        for (int i = 1; !rs.IsEOF(); rs.MoveNext(), ++i) {
            ASSERT_EQ(rs.m_count, i);
            const unsigned columns = columnsOf(i);
            Row& row = expected[i];
            rs.Edit();
            if (columns & kDepth) rs.m_depth = pass * 1000 + i + 0.5, row.depth = rs.m_depth;
            if (columns & kId) rs.m_id = pass * 100 + i, row.id = rs.m_id;
            if (columns & kSmall) rs.m_small = static_cast<uint8_t>(pass * 10 + i), row.small = rs.m_small;
            if (columns & kName) {
                if (pass == 2 && i == 14) {
                    // Another row's name: refused, and the same write with a
                    // name of its own goes through afterwards.
                    rs.m_name = expected[6].name;
                    EXPECT_THROW(rs.Update(), CDBException);
                    ASSERT_EQ(rs.GetEditMode(), CRecordset::edit);
                }
                rs.m_name = "p" + std::to_string(pass) + "-" + std::to_string(i);
                row.name = rs.m_name;
            }
            ASSERT_TRUE(rs.Update()) << "pass " << pass << ", row " << i;
        }
    }

    SampleSet check(&m_db);
    check.m_strSort = "\"Count\"";
    check.Open();
    for (int i = 1; i <= kRows; ++i, check.MoveNext()) {
        ASSERT_FALSE(check.IsEOF());
        const Row& row = expected[i];
        EXPECT_EQ(check.IsFieldNull(&check.m_depth) ? std::nullopt : std::optional<double>(check.m_depth), row.depth)
            << "row " << i;
        EXPECT_EQ(check.IsFieldNull(&check.m_id) ? std::nullopt : std::optional<int>(check.m_id), row.id) << "row " << i;
        EXPECT_EQ(check.IsFieldNull(&check.m_small) ? std::nullopt : std::optional<int>(check.m_small), row.small)
            << "row " << i;
        EXPECT_EQ(check.m_name, row.name) << "row " << i;
    }
    EXPECT_TRUE(check.IsEOF());
}

TEST_P(RecordsetTest, RefusalsCarryTheDatabaseMessageAndLeaveTheSetUsable) {
    addRows(2);
    SampleSet rs(&m_db);
    rs.m_strSort = "\"Count\"";
    rs.Open();
    rs.AddNew();
    rs.m_count = 3;
    rs.m_name = "row1";  // unique
    try {
        rs.Update();
        FAIL() << "duplicate accepted";
    } catch (const CDBException& e) {
        EXPECT_EQ(e.m_strSqlState.substr(0, 2), "23");
        EXPECT_NE(e.m_strError.find(GetParam() == EngineKind::Sqlite ? "UNIQUE constraint failed"
                                                                     : "duplicate key value"),
                  std::string::npos)
            << e.m_strError;
        char buffer[16];
        EXPECT_TRUE(e.GetErrorMessage(buffer, sizeof buffer));
        EXPECT_EQ(std::strlen(buffer), 15u);
    }
    EXPECT_EQ(rs.GetEditMode(), CRecordset::addnew);
    rs.CancelUpdate();
    EXPECT_EQ(rs.m_count, 1);

    rs.Edit();
    rs.m_flag = 5;  // CHECK constraint
    rs.SetFieldNull(&rs.m_flag, false);
    EXPECT_THROW(rs.Update(), CDBException);
    rs.CancelUpdate();
    EXPECT_EQ(walkCounts(rs), (std::vector<int>{1, 2}));

    EXPECT_THROW(rs.Update(), CDBException) << "Update without Edit or AddNew";
    SampleSet bad(&m_db);
    bad.m_strFilter = "\"NoSuchColumn\" = 1";  // an identifier, never a text literal
    EXPECT_THROW(bad.Open(), CDBException);
    EXPECT_FALSE(bad.IsOpen());
}

TEST_P(RecordsetTest, ConcurrentChangeIsRefused) {
    addRows(1);
    CDatabase other;
    other.OpenEx(m_db.GetConnect());
    SampleSet mine(&m_db);
    SampleSet theirs(&other);
    mine.Open();
    theirs.Open();

    theirs.Edit();
    theirs.m_name = "theirs";
    ASSERT_TRUE(theirs.Update());

    mine.Edit();
    mine.m_name = "mine";
    try {
        mine.Update();
        FAIL() << "a concurrent change was overwritten";
    } catch (const CDBException& e) {
        EXPECT_NE(e.m_strError.find("changed by another user"), std::string::npos);
    }
    // Reading the row again lets the change through.
    mine.CancelUpdate();
    EXPECT_EQ(mine.m_name, "theirs");
    mine.Edit();
    mine.m_name = "mine";
    EXPECT_TRUE(mine.Update());

    // A write from outside the record sets counts as a change too.
    m_db.ExecuteSQL("UPDATE \"sample\" SET \"Depth\" = 1");
    theirs.Edit();
    theirs.m_name = "late";
    EXPECT_THROW(theirs.Update(), CDBException);
}

TEST_P(RecordsetTest, StatementRecordSetIsReadOnlyAndScrolls) {
    addRows(4);
    struct Dynamic : CRecordset {
        using CRecordset::CRecordset;
        std::vector<CString> values;
        void DoFieldExchange(CFieldExchange* pFX) override {
            values.resize(static_cast<size_t>(GetResultColumnCount()));
            for (int i = 0; i < GetResultColumnCount(); ++i)
                RFX_Text(pFX, GetResultColumn(i).name.c_str(), values[static_cast<size_t>(i)]);
        }
    } rs(&m_db);
    rs.m_strFilter = "\"n\" >= 2";
    rs.m_strSort = "\"n\" DESC";
    rs.Open(CRecordset::dynaset, "SELECT \"Count\" AS \"n\", \"Name\" FROM \"sample\"");
    ASSERT_EQ(rs.GetODBCFieldCount(), 2);
    EXPECT_FALSE(rs.CanUpdate());
    EXPECT_EQ(rs.values[0], "4");
    rs.MoveLast();
    EXPECT_EQ(rs.values[0], "2");
    rs.MovePrev();
    EXPECT_EQ(rs.values[1], "row3");
    rs.MoveFirst();
    EXPECT_EQ(rs.values[0], "4");
    EXPECT_THROW(rs.Edit(), CDBException);
}

// A record set streaming its rows pins its snapshot, and no checkpoint of the
// SQLite write-ahead log can pass it; once the scan is over, the log must be
// checkpointed and reused again instead of growing for good.
TEST(SqliteWriteAheadLog, IsReusedAgainAfterAScanThatPinnedIt) {
    TempDir dir;
    CDatabase db;
    db.OpenEx(connectFor(EngineKind::Sqlite, dir));
    db.ExecuteSQL(sampleSchema(tesk::db::Engine::Sqlite));
    db.ExecuteSQL("PRAGMA synchronous = OFF");  // the log's size is the point here, not its durability
    const std::filesystem::path log = dir.path() / "test.db-wal";
    int count = 0;
    // Each commit adds some 64 pages of 4 KiB to the log.
    const auto write = [&](int commits) {
        auto st = db.connection().prepare("INSERT INTO \"sample\" (\"Count\", \"Blob\") VALUES (?, ?)");
        for (int i = 0; i < commits; ++i) {
            st->bind(0, int64_t(++count));
            st->bind(1, std::vector<uint8_t>(256 * 1024, static_cast<uint8_t>(count)));
            st->execute();
        }
    };
    write(3);
    {
        SampleSet rs(&db);
        rs.Open();
        ASSERT_FALSE(rs.IsEOF());  // the scan is under way
        write(40);
    }
    const auto pinned = std::filesystem::file_size(log);
    ASSERT_GT(pinned, 2000u * 4096) << "the scan did not hold the log";
    write(60);
    EXPECT_LT(std::filesystem::file_size(log), pinned + 1500u * 4096);
}

INSTANTIATE_TEST_SUITE_P(Engines, RecordsetTest, testing::ValuesIn(availableEngines()), engineName);

} // namespace
