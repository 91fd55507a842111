// Typed values through the automation record set, one column of every
// exchange code, on a real row.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "platform/db/COleDateTime.h"
#include "recordset/NullSentinel.h"
#include "recordset/TeskRecordset.h"
#include "support/SampleSet.h"
#include "support/TestEngines.h"

using namespace tesk::test;
using tesk::com::Variant;
using TeskDataProvider::TeskRecordset;

namespace {

enum : short { kFlag, kSmall, kCount, kId, kRatio, kDepth, kSpud, kBlob, kName, kStamp, kOle, kCode, kNotes, kElev };

DATE dateOf(int y, int mo, int d, int h, int mi, int s) {
    DATE out = 0;
    EXPECT_TRUE(DateFromParts(y, mo, d, h, mi, s, out));
    return out;
}

Variant owned(VARIANT v) { return Variant::Attach(v); }

std::string text(const Variant& v) {
    Variant t(v);
    return SUCCEEDED(t.ChangeType(VT_BSTR)) ? tesk::com::Utf8FromBstr(t.get().bstrVal) : "?";
}

// Same type and the same value, compared through their texts.
bool same(const Variant& a, const Variant& b) {
    if (a.vt() != b.vt()) return false;
    if (a.vt() == VT_NULL || a.vt() == VT_EMPTY) return true;
    Variant ta(a), tb(b);
    return SUCCEEDED(ta.ChangeType(VT_BSTR)) && SUCCEEDED(tb.ChangeType(VT_BSTR)) &&
           tesk::com::Utf8FromBstr(ta.get().bstrVal) == tesk::com::Utf8FromBstr(tb.get().bstrVal);
}

template <class T> Variant scalar(VARTYPE vt, T value) {
    Variant v;
    v.get().vt = vt;
    if constexpr (std::is_same_v<T, short>) v.get().iVal = value;
    else if constexpr (std::is_same_v<T, float>) v.get().fltVal = value;
    else if constexpr (std::is_same_v<T, uint8_t>) v.get().bVal = value;
    else if constexpr (std::is_same_v<T, int64_t>) v.get().llVal = value;
    else v.get().date = value;
    return v;
}

class AutomationFieldValueTest : public testing::TestWithParam<EngineKind> {
protected:
    void SetUp() override {
        m_db.OpenEx(connectFor(GetParam(), m_dir));
        m_db.ExecuteSQL(sampleSchema(m_db.connection().engine()));
        m_db.ExecuteSQL("INSERT INTO \"sample\" (\"Count\") VALUES (1)");
        reopen();
    }
    void reopen() {
        m_rs = std::make_unique<TeskRecordset>();
        m_set = new SampleSet(&m_db);
        m_set->Open();
        m_rs->SetRecordset("sample", m_set);
    }
    Variant value(short i) { return owned(m_rs->GetFieldValue(i)); }
    bool set(short i, const Variant& v) { return m_rs->SetFieldValue(i, v.get()); }

    TempDir m_dir;
    CDatabase m_db;
    std::unique_ptr<TeskRecordset> m_rs;
    SampleSet* m_set = nullptr;
};

TEST_P(AutomationFieldValueTest, EveryCodeWritesReadsAndPersists) {
    struct Case { short ordinal; Variant value; VARTYPE type; };
    const Case cases[] = {
        {kFlag, Variant(true), VT_BOOL},
        {kSmall, scalar<uint8_t>(VT_UI1, 201), VT_UI1},
        {kCount, Variant(int32_t(-12)), VT_I4},
        {kId, Variant(int32_t(123456)), VT_I4},
        {kRatio, scalar<float>(VT_R4, 1.5f), VT_R4},
        {kDepth, Variant(2345.125), VT_R8},
        {kSpud, Variant::FromDate(dateOf(2003, 4, 5, 6, 7, 8)), VT_DATE},
        {kName, Variant(u"Sør-Trøndelag ✓"), VT_BSTR},
        {kStamp, Variant::FromDate(dateOf(2008, 3, 1, 12, 34, 56)), VT_DATE},
        {kOle, Variant::FromDate(dateOf(1999, 12, 31, 23, 59, 58)), VT_DATE},
        {kCode, Variant("ABC"), VT_BSTR},
        {kNotes, Variant("long remarks"), VT_BSTR},
        {kElev, Variant("12.75"), VT_BSTR},
    };
    m_rs->Edit();
    for (const Case& c : cases) {
        EXPECT_EQ(owned(m_rs->GetFieldType(c.ordinal)).vt(), c.type) << c.ordinal;
        EXPECT_TRUE(set(c.ordinal, c.value)) << c.ordinal;
    }
    EXPECT_EQ(m_set->m_flag, -1) << "VT_BOOL true widens with its sign";
    ASSERT_TRUE(m_rs->Update());
    reopen();
    for (const Case& c : cases) {
        const Variant got = value(c.ordinal);
        ASSERT_EQ(got.vt(), c.type) << c.ordinal;
        if (c.ordinal == kElev) {
            EXPECT_EQ(std::stod(tesk::com::Utf8FromBstr(got.get().bstrVal)), 12.75);
            continue;
        }
        Variant expected(c.value);
        if (c.ordinal == kFlag) expected.get().boolVal = VARIANT_TRUE;
        EXPECT_TRUE(same(got, expected)) << c.ordinal << ": " << text(got) << " / " << text(expected);
    }

    // The timestamp keeps its fraction in the row but not in the automation date.
    m_rs->Edit();
    m_set->m_stamp.fraction = 789000000;
    EXPECT_EQ(value(kStamp).get().date, dateOf(2008, 3, 1, 12, 34, 56));
    // A stored 1 reads as a VT_BOOL holding 1; false round-trips as false.
    ASSERT_TRUE(set(kFlag, Variant(int32_t(1))));
    EXPECT_EQ(value(kFlag).get().boolVal, 1);
    ASSERT_TRUE(set(kFlag, Variant(false)));
    EXPECT_EQ(value(kFlag).get().boolVal, VARIANT_FALSE);
}

TEST_P(AutomationFieldValueTest, NullsSentinelsAndPlaceholders) {
    for (short i : {kFlag, kDepth, kStamp, kName, kCode}) EXPECT_EQ(value(i).vt(), VT_NULL) << i;
    m_rs->Edit();
    ASSERT_TRUE(set(kDepth, Variant(5.0)));
    EXPECT_EQ(value(kDepth).vt(), VT_R8);
    for (const Variant& none : {Variant::Null(), Variant()}) {
        ASSERT_TRUE(set(kDepth, none));
        EXPECT_EQ(value(kDepth).vt(), VT_NULL);
        ASSERT_TRUE(set(kDepth, Variant(5.0)));
    }
    ASSERT_TRUE(set(kDepth, Variant(TeskDataProvider::kNullSentinel)));
    EXPECT_EQ(value(kDepth).vt(), VT_NULL);
    ASSERT_TRUE(set(kDepth, Variant(std::nan(""))));
    EXPECT_TRUE(value(kDepth).vt() == VT_R8 && std::isnan(value(kDepth).get().dblVal)) << "NaN stays a number";
    ASSERT_TRUE(set(kRatio, scalar<float>(VT_R4, TeskDataProvider::kNullSentinelSingle)));
    EXPECT_EQ(value(kRatio).vt(), VT_NULL);

    // Binary: typed and read as VT_BOOL false, never written.
    m_set->m_blob = {1, 2, 3};
    m_set->SetFieldNull(&m_set->m_blob, false);
    for (const Variant& v : {owned(m_rs->GetFieldType(kBlob)), value(kBlob)})
        EXPECT_TRUE(v.vt() == VT_BOOL && v.get().boolVal == VARIANT_FALSE);
    EXPECT_FALSE(set(kBlob, Variant("x")));
    const Variant textType = owned(m_rs->GetFieldType(kName));
    EXPECT_TRUE(textType.vt() == VT_BSTR && SysStringLen(textType.get().bstrVal) == 0);

    const short past = m_rs->GetNumFields();
    EXPECT_EQ(owned(m_rs->GetFieldType(past)).vt(), VT_EMPTY);
    EXPECT_EQ(value(past).vt(), VT_EMPTY);
    EXPECT_FALSE(set(past, Variant(1.0)));
    EXPECT_FALSE(set(-1, Variant(1.0)));
    EXPECT_EQ(m_rs->GetExchangedField(kDepth), &m_set->m_depth);
}

TEST_P(AutomationFieldValueTest, MismatchedTypesConvertOnlyWhenLossless) {
    m_rs->Edit();
    ASSERT_TRUE(set(kDepth, Variant(7.0)));
    ASSERT_TRUE(set(kCount, Variant(int32_t(3))));
    ASSERT_TRUE(set(kName, Variant("before")));
    struct Case { short ordinal; Variant value; bool stored; const char* what; };
    const Case cases[] = {
        {kCount, Variant(42.0), true, "a whole double into an integer"},
        {kCount, Variant(2.5), false, "a fraction into an integer"},
        {kCount, Variant(1e12), false, "a double out of the integer range"},
        {kCount, Variant("17"), true, "a text naming a whole number"},
        {kCount, Variant("2.5"), false, "a text naming a fraction"},
        {kCount, Variant("abc"), false, "a text that is no number"},
        {kCount, scalar<short>(VT_I2, -7), true, "a 16-bit integer"},
        {kCount, scalar<int64_t>(VT_I8, int64_t(1) << 40), false, "a 64-bit integer out of range"},
        {kDepth, Variant(int32_t(9)), true, "an integer into a double"},
        {kDepth, scalar<int64_t>(VT_I8, (int64_t(1) << 53) + 1), false, "an integer a double cannot hold"},
        {kDepth, Variant("1234.5"), true, "a numeric text into a double"},
        {kDepth, Variant::FromDate(dateOf(2001, 1, 1, 0, 0, 0)), false, "a date into a number"},
        {kRatio, Variant(0.1), true, "a double rounded to single precision"},
        {kRatio, Variant(1e300), false, "a double beyond single precision's range"},
        {kSmall, Variant(int32_t(300)), false, "an integer beyond a byte"},
        {kName, Variant(int32_t(88)), true, "an integer into a text"},
        {kSpud, Variant("2004-05-06 07:08:09"), true, "a date text into a date"},
        {kSpud, Variant(3.0), false, "a number into a date"},
        {kName, Variant(static_cast<IDispatch*>(nullptr)), false, "an object"},
    };
    for (const Case& c : cases) {
        const Variant before = value(c.ordinal);
        EXPECT_EQ(set(c.ordinal, c.value), c.stored) << c.what;
        if (!c.stored) {
            EXPECT_TRUE(same(value(c.ordinal), before)) << c.what << ": nothing stored";
        }
    }
    EXPECT_EQ(m_set->m_name, "88");
    EXPECT_EQ(m_set->m_depth, 1234.5);
    EXPECT_EQ(m_set->m_ratio, 0.1f);
    EXPECT_EQ(m_set->m_count, -7);
    EXPECT_EQ(m_set->m_spud.GetHour(), 7);

    // The fixed buffer holds 8 characters and its terminator; longer texts are refused.
    EXPECT_TRUE(set(kCode, Variant("12345678")));
    EXPECT_FALSE(set(kCode, Variant("123456789")));
    EXPECT_EQ(tesk::com::Utf8FromBstr(value(kCode).get().bstrVal), "12345678");

    // A by-reference value is read through.
    double target = 55.5;
    VARIANT byRef;
    VariantInit(&byRef);
    byRef.vt = VT_R8 | VT_BYREF;
    byRef.pdblVal = &target;
    EXPECT_TRUE(m_rs->SetFieldValue(kDepth, byRef));
    EXPECT_EQ(m_set->m_depth, 55.5);
}

TEST(AutomationFieldValue, DatabaseVariantKindsByCode) {
    const std::pair<int32_t, DBVariantKind> table[] = {
        {0, DBVT_NULL}, {1, DBVT_BOOL}, {2, DBVT_UCHAR}, {3, DBVT_LONG}, {4, DBVT_LONG}, {5, DBVT_NULL},
        {6, DBVT_SINGLE}, {7, DBVT_DOUBLE}, {8, DBVT_DATE}, {9, DBVT_BINARY}, {10, DBVT_STRING},
        {11, DBVT_NULL}, {14, DBVT_NULL}, {15, DBVT_DATE}, {16, DBVT_DATE}, {17, DBVT_STRING},
        {18, DBVT_NULL}, {19, DBVT_NULL}, {20, DBVT_STRING}, {21, DBVT_STRING}, {22, DBVT_NULL}, {-1, DBVT_NULL}};
    for (auto [code, kind] : table)
        EXPECT_EQ(TeskRecordset::ConvertFieldInfoTypeToDBVariantType(code), kind) << code;
}

INSTANTIATE_TEST_SUITE_P(Engines, AutomationFieldValueTest, testing::ValuesIn(availableEngines()), engineName);

} // namespace
