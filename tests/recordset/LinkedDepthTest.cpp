// Linked depth columns through either library's record set (the build picks
// the flavour): writing one of MD and TVD brings the other into line.

#include <gtest/gtest.h>

#include "recordset/NullSentinel.h"
#include "services/SampleProjectFixture.h"
#include "services/TeskDataFactory/CTeskDataFactory.h"
#include "services/TeskUniversalLoader/CTeskSurveyPts.h"
#ifdef TESK_TEST_AUTOMATION
#include "recordset/TeskRecordset.h"
#else
#include "recordset/ManagedRecordset.h"
#endif

using namespace tesk::test;

namespace {

enum class TvdKind { Double, Single, Text, Missing };

// A formations-like table whose TVD column is of the kind under test.
class ProbeSet : public CRecordset {
public:
    ProbeSet(CDatabase* db, TvdKind kind) : CRecordset(db), m_kind(kind) {}
    CString m_wellId, m_tvdText;
    double m_md = 0, m_tvd = 0, m_subsea = 0;
    float m_tvdSingle = 0;

protected:
    CString GetDefaultSQL() override { return "\"depth_probe\""; }
    CString GetKeyColumn() override { return "_id"; }
    CString GetVersionColumn() override { return "_rowver"; }
    void DoFieldExchange(CFieldExchange* pFX) override {
        RFX_Text(pFX, "Well ID", m_wellId);
        RFX_Double(pFX, "Top MD", m_md);
        switch (m_kind) {
        case TvdKind::Double: RFX_Double(pFX, "Top TVD", m_tvd); break;
        case TvdKind::Single: RFX_Single(pFX, "Top TVD", m_tvdSingle); break;
        case TvdKind::Text: RFX_Text(pFX, "Top TVD", m_tvdText); break;
        case TvdKind::Missing: break;
        }
        RFX_Double(pFX, "Top Subsea", m_subsea);
    }
    TvdKind m_kind;
};

enum : short { kWell, kMd, kTvd };

// The record set of the library under test, with numbers and nulls written
// as that library's clients write them.
class Adapter {
public:
    Adapter(const char* name, CRecordset* set) {
        m_rs->Core().PopulateKeyColumns(name);
        m_rs->SetRecordset(name, set);
    }
#ifdef TESK_TEST_AUTOMATION
    bool write(short i, double d) { return m_rs->SetFieldValue(i, tesk::com::Variant(d).get()); }
    bool writeNull(short i) { return m_rs->SetFieldValue(i, tesk::com::Variant::Null().get()); }
    bool writeText(short i, const char* t) { return m_rs->SetFieldValue(i, tesk::com::Variant(t).get()); }
    bool isLinked(const char* name) { return m_rs->IsLinkedDepthColumn(name); }
    static constexpr const char* kTextOf1234_5 = "1234.500000";
    TeskDataProvider::TeskRecordset& rs() { return *m_rs; }
    std::unique_ptr<TeskDataProvider::TeskRecordset> m_rs = std::make_unique<TeskDataProvider::TeskRecordset>();
#else
    ~Adapter() { m_rs->Dispose(); }
    bool write(short i, double d) { return m_rs->SetFieldValue(i, System::Box(d)); }
    bool writeNull(short i) { return m_rs->SetFieldValue(i, System::DBNull::Value()); }
    bool writeText(short i, const char* t) { return m_rs->SetFieldValue(i, System::Box(System::String(t))); }
    bool isLinked(const char* name) { return m_rs->IsLinkedDepthColumn(System::String(name)); }
    static constexpr const char* kTextOf1234_5 = "1234.5";
    TeskDataProvider::ManagedRecordset& rs() { return *m_rs; }
    std::shared_ptr<TeskDataProvider::ManagedRecordset> m_rs =
        System::gcnew<TeskDataProvider::ManagedRecordset>();
#endif
};

class LinkedDepthTest : public SampleProjectTest {
protected:
    ProbeSet* open(TvdKind kind, const char* wellId) {
        const char* tvdType = kind == TvdKind::Single ? "REAL" : kind == TvdKind::Text ? "VARCHAR(40)" : "DOUBLE PRECISION";
        db().ExecuteSQL(std::string("DROP TABLE IF EXISTS \"depth_probe\";") + "CREATE TABLE \"depth_probe\" (" +
                        (GetParam() == EngineKind::Postgres ? "\"_id\" BIGSERIAL PRIMARY KEY," : "\"_id\" INTEGER PRIMARY KEY,") +
                        "\"_rowver\" INTEGER NOT NULL DEFAULT 0, \"Well ID\" VARCHAR(20), \"Top MD\" DOUBLE PRECISION,"
                        "\"Top TVD\" " + tvdType + ", \"Top Subsea\" DOUBLE PRECISION)");
        db().ExecuteSQL(std::string("INSERT INTO \"depth_probe\" (\"Well ID\", \"Top Subsea\") VALUES (") +
                        (wellId ? "'" + std::string(wellId) + "'" : "NULL") + ", -77)");
        auto* set = new ProbeSet(&db(), kind);
        set->Open();
        return set;
    }
};

TEST_P(LinkedDepthTest, StraightHoleCopiesTheDepthIntoEveryKindOfTarget) {
    struct Case { TvdKind kind; const char* what; };
    for (const Case& c : {Case{TvdKind::Double, "double"}, Case{TvdKind::Single, "single"}, Case{TvdKind::Text, "text"}}) {
        ProbeSet* set = open(c.kind, "NO-SURVEY-WELL");
        Adapter a("Formations", set);
        a.rs().Edit();
        ASSERT_TRUE(a.write(kMd, 1234.5)) << c.what;
        EXPECT_EQ(set->m_md, 1234.5);
        switch (c.kind) {
        case TvdKind::Double: EXPECT_EQ(set->m_tvd, 1234.5); break;
        case TvdKind::Single: EXPECT_EQ(set->m_tvdSingle, 1234.5f); break;
        default: EXPECT_EQ(set->m_tvdText, Adapter::kTextOf1234_5); break;
        }
        EXPECT_EQ(set->m_subsea, -77) << "subsea is never computed";
        ASSERT_TRUE(a.rs().Update()) << c.what;
    }
}

TEST_P(LinkedDepthTest, NullsSubseaAndMissingWellsChangeNothingElse) {
    {
        ProbeSet* set = open(TvdKind::Double, "NO-SURVEY-WELL");
        Adapter a("Formations", set);
        a.rs().Edit();
        ASSERT_TRUE(a.write(kTvd, 1000));
        EXPECT_EQ(set->m_md, 1000) << "writing a TVD writes the MD";
        ASSERT_TRUE(a.writeNull(kTvd));
        EXPECT_TRUE(set->IsFieldNull(&set->m_md)) << "null follows";
        ASSERT_TRUE(a.write(kMd, 5));
        ASSERT_TRUE(a.write(kMd, TeskDataProvider::kNullSentinel));
        EXPECT_TRUE(set->IsFieldNull(&set->m_tvd)) << "the sentinel is null";
        ASSERT_TRUE(a.write(kMd, 250.25));
        ASSERT_TRUE(a.write(3, 12));
        EXPECT_EQ(set->m_tvd, 250.25) << "writing subsea changes nothing else";
        EXPECT_TRUE(a.isLinked("Top Subsea"));
        EXPECT_FALSE(a.isLinked("Subsea"));
        EXPECT_FALSE(a.isLinked("top md"));
    }
    {
        ProbeSet* set = open(TvdKind::Text, "NO-SURVEY-WELL");
        Adapter a("Formations", set);
        a.rs().Edit();
        ASSERT_TRUE(a.writeText(kTvd, "250.25"));
        EXPECT_EQ(set->m_md, 250.25) << "a numeric text is a depth";
    }
    {
        ProbeSet* set = open(TvdKind::Double, nullptr);
        Adapter a("Formations", set);
        a.rs().Edit();
        ASSERT_TRUE(a.write(kMd, 10));
        EXPECT_TRUE(set->IsFieldNull(&set->m_tvd)) << "a row without a well id links nothing";
    }
    {
        ProbeSet* set = open(TvdKind::Missing, "NO-SURVEY-WELL");
        Adapter a("Formations", set);
        a.rs().Edit();
        ASSERT_TRUE(a.write(kMd, 10));
        EXPECT_EQ(set->m_subsea, -77) << "no TVD column: nothing else is written";
    }
    {
        ProbeSet* set = open(TvdKind::Double, "NO-SURVEY-WELL");
        Adapter a("Faults", set);
        EXPECT_TRUE(a.isLinked("Subsea"));
        EXPECT_FALSE(a.isLinked("Top Subsea"));
        a.rs().Edit();
        ASSERT_TRUE(a.write(kMd, 10));
        EXPECT_EQ(set->m_tvd, 10);
    }
    {
        ProbeSet* set = open(TvdKind::Double, "NO-SURVEY-WELL");
        Adapter a("WellHeader", set);
        EXPECT_FALSE(a.isLinked("Top MD"));
        a.rs().Edit();
        ASSERT_TRUE(a.write(kMd, 10));
        EXPECT_TRUE(set->IsFieldNull(&set->m_tvd)) << "only formations and faults link depths";
    }
}

TEST_P(LinkedDepthTest, DeviatedWellConvertsAlongItsSurvey) {
    const std::string well = scalar("SELECT MIN(\"Well ID\") FROM \"WellHeader\" WHERE \"Is Deviated\" = 1");
    CTeskSurveyPts survey;
    CTeskDataFactory::GetWellboreGeometry(well.c_str(), &survey, 0, false, true, false);
    ASSERT_TRUE(survey.IsDeviated());
    const double md = survey.GetAt(survey.GetSize() - 1)->GetMD() * 0.9;
    double tvd = md;
    ASSERT_TRUE(survey.CalcTVDIntercepts(tvd));
    ASSERT_LT(tvd, md - 1) << "deep in the well the hole is no longer vertical";

    ProbeSet* set = open(TvdKind::Double, well.c_str());
    Adapter a("Formations", set);
    a.rs().Edit();
    ASSERT_TRUE(a.write(kMd, md));
    EXPECT_DOUBLE_EQ(set->m_tvd, tvd);
    ASSERT_TRUE(a.write(kTvd, tvd));
    EXPECT_NEAR(set->m_md, md, 1e-6);
    ASSERT_TRUE(a.rs().Update());
}

#ifndef TESK_TEST_AUTOMATION
TEST_P(LinkedDepthTest, ManagedTextThatIsNoNumberFailsAfterTheWrite) {
    ProbeSet* set = open(TvdKind::Text, "NO-SURVEY-WELL");
    Adapter a("Formations", set);
    a.rs().Edit();
    ASSERT_TRUE(a.write(kMd, 3));
    EXPECT_THROW(a.writeText(kTvd, "deep"), System::FormatException);
    EXPECT_EQ(set->m_tvdText, "deep");
    EXPECT_EQ(set->m_md, 3);
}
#endif

INSTANTIATE_TEST_SUITE_P(Engines, LinkedDepthTest, testing::ValuesIn(availableEngines()), engineName);

} // namespace
