// Typed values through the managed record set, one column of every exchange
// code, on a real row.

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "platform/clr/DateTime.h"
#include "recordset/ManagedRecordset.h"
#include "recordset/NullSentinel.h"
#include "support/SampleSet.h"
#include "support/TestEngines.h"

using namespace tesk::test;
using System::Box;
using System::DateTime;
using System::ObjectRef;
using TeskDataProvider::ManagedRecordset;

namespace {

// Ordinals of the sample set's columns.
enum : short { kFlag, kSmall, kCount, kId, kRatio, kDepth, kSpud, kBlob, kName, kStamp, kOle, kCode, kNotes, kElev };

class ManagedFieldValueTest : public testing::TestWithParam<EngineKind> {
protected:
    void SetUp() override {
        m_db.OpenEx(connectFor(GetParam(), m_dir));
        m_db.ExecuteSQL(sampleSchema(m_db.connection().engine()));
        m_db.ExecuteSQL("INSERT INTO \"sample\" (\"Count\") VALUES (1)");
        m_rs = System::gcnew<ManagedRecordset>();
        m_set = new SampleSet(&m_db);
        m_set->Open();
        m_rs->SetRecordset("sample", m_set);
    }
    void TearDown() override { m_rs->Dispose(); }

    void reopen() {
        m_rs->Dispose();
        m_rs = System::gcnew<ManagedRecordset>();
        m_set = new SampleSet(&m_db);
        m_set->Open();
        m_rs->SetRecordset("sample", m_set);
    }

    TempDir m_dir;
    CDatabase m_db;
    std::shared_ptr<ManagedRecordset> m_rs;
    SampleSet* m_set = nullptr;
};

template <class T> T as(const ObjectRef& v) {
    const T* p = System::TryUnbox<T>(v);
    EXPECT_NE(p, nullptr) << (v ? v->GetType().FullName() : "null");
    return p ? *p : T{};
}

TEST_P(ManagedFieldValueTest, EveryCodeWritesReadsAndPersists) {
    struct Case { short ordinal; ObjectRef value; const char* type; };
    const Case cases[] = {
        {kFlag, Box(true), "System.Boolean"},
        {kSmall, Box<uint8_t>(201), "System.Byte"},
        {kCount, Box<int32_t>(-12), "System.Int32"},
        {kId, Box<int32_t>(123456), "System.Int32"},
        {kRatio, Box(1.5f), "System.Single"},
        {kDepth, Box(2345.125), "System.Double"},
        {kSpud, Box(DateTime(2003, 4, 5, 6, 7, 8)), "System.DateTime"},
        {kName, Box(System::String(u"Sør-Trøndelag ✓")), "System.String"},
        {kStamp, Box(DateTime(2008, 3, 1, 12, 34, 56, 789)), "System.DateTime"},
        {kOle, Box(DateTime(1999, 12, 31, 23, 59, 58)), "System.DateTime"},
        {kCode, Box(System::String("ABC")), "System.String"},
        {kNotes, Box(System::String("long remarks")), "System.String"},
        {kElev, Box(System::String("12.75")), "System.String"},
    };
    m_rs->Edit();
    for (const Case& c : cases) {
        EXPECT_EQ(m_rs->GetFieldType(c.ordinal).FullName(), c.type) << c.ordinal;
        EXPECT_TRUE(m_rs->SetFieldValue(c.ordinal, c.value)) << c.ordinal;
    }
    ASSERT_TRUE(m_rs->Update());
    reopen();
    EXPECT_TRUE(as<bool>(m_rs->GetFieldValue(kFlag)));
    EXPECT_EQ(m_set->m_flag, 1) << "true is stored as 1";
    EXPECT_EQ(as<uint8_t>(m_rs->GetFieldValue(kSmall)), 201);
    EXPECT_EQ(as<int32_t>(m_rs->GetFieldValue(kCount)), -12);
    EXPECT_EQ(as<int32_t>(m_rs->GetFieldValue(kId)), 123456);
    EXPECT_EQ(as<float>(m_rs->GetFieldValue(kRatio)), 1.5f);
    EXPECT_EQ(as<double>(m_rs->GetFieldValue(kDepth)), 2345.125);
    EXPECT_EQ(as<DateTime>(m_rs->GetFieldValue(kSpud)), DateTime(2003, 4, 5, 6, 7, 8));
    EXPECT_EQ(as<System::String>(m_rs->GetFieldValue(kName)), System::String(u"Sør-Trøndelag ✓"));
    EXPECT_EQ(as<DateTime>(m_rs->GetFieldValue(kStamp)), DateTime(2008, 3, 1, 12, 34, 56, 789));
    EXPECT_EQ(as<DateTime>(m_rs->GetFieldValue(kOle)), DateTime(1999, 12, 31, 23, 59, 58));
    EXPECT_EQ(as<System::String>(m_rs->GetFieldValue(kCode)), System::String("ABC"));
    EXPECT_EQ(as<System::String>(m_rs->GetFieldValue(kNotes)), System::String("long remarks"));
    EXPECT_EQ(std::stod(System::ToAnsi(as<System::String>(m_rs->GetFieldValue(kElev)))), 12.75);

    // Milliseconds survive a timestamp and are dropped by a date object.
    m_rs->Edit();
    m_rs->SetFieldValue(kStamp, Box(DateTime(2008, 3, 1, 12, 34, 56, 250)));
    m_rs->SetFieldValue(kOle, Box(DateTime(2008, 3, 1, 12, 34, 56, 250)));
    EXPECT_EQ(m_set->m_stamp.fraction, 250000000u);
    EXPECT_EQ(as<DateTime>(m_rs->GetFieldValue(kOle)), DateTime(2008, 3, 1, 12, 34, 56));
    m_rs->SetFieldValue(kFlag, Box(false));
    EXPECT_FALSE(as<bool>(m_rs->GetFieldValue(kFlag)));
}

TEST_P(ManagedFieldValueTest, NullsAndSentinels) {
    // A fresh row: every unset column reads as DBNull.
    for (short i : {kFlag, kDepth, kStamp, kName, kCode})
        EXPECT_TRUE(System::IsDBNull(m_rs->GetFieldValue(i))) << i;
    m_rs->Edit();
    EXPECT_TRUE(m_rs->SetFieldValue(kDepth, Box(5.0)));
    EXPECT_FALSE(System::IsDBNull(m_rs->GetFieldValue(kDepth)));
    EXPECT_TRUE(m_rs->SetFieldValue(kDepth, System::DBNull::Value()));
    EXPECT_TRUE(System::IsDBNull(m_rs->GetFieldValue(kDepth)));
    EXPECT_TRUE(m_rs->SetFieldValue(kCount, nullptr));
    EXPECT_TRUE(System::IsDBNull(m_rs->GetFieldValue(kCount)));

    for (double v : {TeskDataProvider::kNullSentinel, std::nan("")}) {
        m_rs->SetFieldValue(kDepth, Box(v));
        EXPECT_TRUE(System::IsDBNull(m_rs->GetFieldValue(kDepth))) << v;
    }
    m_rs->SetFieldValue(kRatio, Box(TeskDataProvider::kNullSentinelSingle));
    EXPECT_TRUE(System::IsDBNull(m_rs->GetFieldValue(kRatio)));
}

TEST_P(ManagedFieldValueTest, RefusedValuesStoreNothing) {
    m_rs->Edit();
    m_rs->SetFieldValue(kDepth, Box(7.0));
    EXPECT_THROW(m_rs->SetFieldValue(kDepth, Box<int32_t>(3)), System::InvalidCastException);
    EXPECT_EQ(as<double>(m_rs->GetFieldValue(kDepth)), 7.0);
    EXPECT_THROW(m_rs->SetFieldValue(kName, Box(1.0)), System::InvalidCastException);
    EXPECT_THROW(m_rs->SetFieldValue(kFlag, Box<int32_t>(1)), System::InvalidCastException);

    // Binary: no managed type of its own, never written.
    m_set->m_blob = {1, 2, 3};
    m_set->SetFieldNull(&m_set->m_blob, false);
    EXPECT_EQ(m_rs->GetFieldType(kBlob).FullName(), "System.Object");
    EXPECT_TRUE(System::IsContentless(m_rs->GetFieldValue(kBlob)));
    EXPECT_FALSE(m_rs->SetFieldValue(kBlob, Box(System::String("x"))));

    // The fixed buffer holds 8 characters and its terminator.
    EXPECT_TRUE(m_rs->SetFieldValue(kCode, Box(System::String("12345678"))));
    EXPECT_FALSE(m_rs->SetFieldValue(kCode, Box(System::String("123456789"))));
    EXPECT_EQ(as<System::String>(m_rs->GetFieldValue(kCode)), System::String("12345678"));
    EXPECT_TRUE(m_rs->SetFieldValue(kCode, Box(System::String(""))));
    EXPECT_EQ(m_set->m_code[0], '\0');

    const short past = m_rs->GetNumFields();
    EXPECT_TRUE(System::IsContentless(m_rs->GetFieldValue(past)));
    EXPECT_EQ(m_rs->GetFieldType(past).FullName(), "System.Object");
    EXPECT_FALSE(m_rs->SetFieldValue(past, Box(1.0)));
    EXPECT_FALSE(m_rs->SetFieldValue(-1, Box(1.0)));
    EXPECT_EQ(m_rs->GetExchangedFieldValue(past), nullptr);
    EXPECT_EQ(m_rs->GetExchangedField(kDepth), &m_set->m_depth);
}

// Values a client keeps stay what they were read as while later values come
// and go, whichever thread lets go of them.
TEST_P(ManagedFieldValueTest, KeptValuesOutliveTheReadsAfterThem) {
    m_db.ExecuteSQL("DELETE FROM \"sample\"");
    for (int i = 1; i <= 120; ++i)
        m_db.ExecuteSQL("INSERT INTO \"sample\" (\"Count\", \"Id\", \"Depth\", \"Name\", \"Stamp\") VALUES (" +
                        std::to_string(i) + ", " + std::to_string(i * 7) + ", " + std::to_string(i) +
                        ".5, 'well " + std::to_string(i) + "', '2001-02-03 04:05:06')");
    m_rs->Dispose();
    m_rs = System::gcnew<ManagedRecordset>();
    m_set = new SampleSet(&m_db);
    m_set->m_strSort = "\"Count\"";
    m_set->Open();
    m_rs->SetRecordset("sample", m_set);
    std::vector<std::vector<ObjectRef>> kept;
    std::vector<ObjectRef> released;
    for (int i = 1; !m_rs->IsEOF(); m_rs->MoveNext(), ++i) {
        std::vector<ObjectRef> row;
        for (short c : {kCount, kId, kDepth, kName, kStamp}) row.push_back(m_rs->GetFieldValue(c));
        if (i % 3 == 0) kept.push_back(std::move(row));
        else if (i % 3 == 1) released.insert(released.end(), row.begin(), row.end());
        if (i % 40 == 0) std::thread([&released] { released.clear(); }).join();
    }
    ASSERT_EQ(kept.size(), 40u);
    for (const auto& row : kept) {
        const int n = as<int32_t>(row[0]);
        EXPECT_EQ(as<int32_t>(row[1]), n * 7);
        EXPECT_EQ(as<double>(row[2]), n + 0.5);
        EXPECT_EQ(as<System::String>(row[3]), System::String(("well " + std::to_string(n)).c_str()));
        EXPECT_EQ(as<DateTime>(row[4]), DateTime(2001, 2, 3, 4, 5, 6));
    }
}

INSTANTIATE_TEST_SUITE_P(Engines, ManagedFieldValueTest, testing::ValuesIn(availableEngines()), engineName);

} // namespace
