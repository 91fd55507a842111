// The factory's creation operations on the sample project: each gives an open
// record set with the columns and rows of its table, refusals reach the
// caller, and a pick set that fails to open is released exactly once.

#include <gtest/gtest.h>

#include <functional>

#include "SampleProjectFixture.h"
#include "services/TeskDataFactory/CTeskDataFactory.h"
#include "services/TeskDataFactory/CTeskDataInitializer.h"
#include "services/TeskDataFactory/CTeskUnitsObjectImpl.h"
#include "services/TeskDataFactory/CTeskUserDefaultsImpl.h"

using namespace tesk::test;
using namespace TeskFormationLookup;

namespace {

class DataFactoryTest : public SampleProjectTest {
protected:
    CTeskDataFactory& factory() { return *CTeskDataInitializer::GetDataFactory(); }

    static std::vector<std::string> columns(CRecordset& rs) {
        std::vector<std::string> names;
        for (short i = 0; i < rs.GetODBCFieldCount(); ++i) {
            CODBCFieldInfo info;
            rs.GetODBCFieldInfo(i, info);
            names.push_back(info.m_strName);
        }
        return names;
    }
    static int64_t walk(CRecordset& rs) {
        int64_t n = 0;
        for (; !rs.IsEOF(); rs.MoveNext()) ++n;
        return n;
    }
};

TEST_P(DataFactoryTest, EveryCreationOperationOpensItsRecordSet) {
    const struct {
        const char* kind;
        std::function<CRecordset*(CTeskDataFactory&)> create;
        const char* source;  // table or view to count rows in
        std::vector<std::string> leadingColumns;
    } cases[] = {
        {"wells", [](auto& f) { return f.CreateWellAndBlobRecordset(0, nullptr, 16, "", ""); }, "WellHeader",
         {"Well ID", "Well Name", "Operator", "Status", "Field", "Lng", "Lat", "Longitude", "Latitude", "Surface Z",
          "KB Elevation", "Total Depth", "Spud Date", "Completion Date", "Is Deviated", "Survey Points", "Remarks",
          "Last Modified"}},
        {"picks",
         [](auto& f) -> CRecordset* {
             CTeskPickSet* set = f.CreatePickRecordset();
             set->SetUpdateableView(1);
             return f.OpenPickRecordset(set, 0, nullptr, 16, false) ? set : nullptr;
         },
         "FormationTop",
         {"Well ID", "Formation", "Source", "Observation Number", "Top MD", "Top TVD", "Top Subsea", "Interpreter",
          "Quality", "Pick Date", "Remarks"}},
        {"surveys", [](auto& f) { return f.CreateSurveyDirRecordset(0, nullptr, 16, "", "", "", false); },
         "DirectionalSurvey", {"Well ID", "Survey Company", "Survey Date", "Survey Type", "Magnetic Declination"}},
        {"faults", [](auto& f) { return f.CreateFaultRecordset(0, nullptr, 16, "", "", ""); }, "FaultPick",
         {"Well ID", "Fault", "Source", "Obs. No.", "Top MD", "Top TVD", "Subsea", "Throw"}},
        {"formation lookup",
         [](auto& f) {
             return f.CreateFormationRecordset(1, FORMATIONFILTER(0), FORMATIONORDER(0), 0, nullptr, 16, "", "");
         },
         "FormationLookup", {"Column Name", "ID", "Formation", "Sequence", "Color"}},
        {"fault lookup", [](auto& f) { return f.CreateFaultLookupRecordset(0, nullptr, 16, "", "", ""); },
         "FaultLookup", {"ID", "Fault", "Fault Type"}},
        {"hierarchical sources",
         [](auto& f) { return f.CreateHierarchicalSourceRecordset(0, nullptr, 16, "", "", ""); }, "Source",
         {"Source", "Parent Source", "Level", "Writable"}},
        {"distinct sources", [](auto& f) { return f.CreateDistinctSourceRecordset(0, nullptr, 16, "", "", ""); },
         "DistinctSource", {"Source", "Description"}},
        {"strat sections", [](auto& f) { return f.CreateStratFieldSectionRecordset(0, nullptr, 16, "", "", ""); },
         "StratFieldSection", {"InterpID", "Source", "StratColumn", "Formation", "X", "Y", "Z"}},
        {"fault points", [](auto& f) { return f.CreateFaultFieldPtRecordset(0, nullptr, 16, "", "", ""); },
         "FaultFieldPoint", {"InterpID", "Source", "Fault", "X", "Y", "Z"}},
        {"guiding points", [](auto& f) { return f.CreateSurfGuidingPtsRecordset(0, nullptr, 16, "", ""); },
         "SurfaceGuidingPoint", {"InterpID", "Source", "Trimmed Surface", "X", "Y", "Z"}},
        {"key field lookup", [](auto& f) { return f.CreateKeyFieldLookupSet(0, nullptr, 16, "", ""); },
         "KeyFieldLookup", {"Table Name", "Key Field", "Lookup Table"}},
        {"dynamic",
         [](auto& f) {
             return f.CreateDynamicRecordset(0, "SELECT \"Well ID\", \"Top MD\" FROM \"FormationTop\"", 16, "", "", "");
         },
         "FormationTop", {"Well ID", "Top MD"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.kind);
        std::unique_ptr<CRecordset> rs(c.create(factory()));
        ASSERT_TRUE(rs && rs->IsOpen());
        const std::vector<std::string> names = columns(*rs);
        ASSERT_GE(names.size(), c.leadingColumns.size());
        EXPECT_EQ(std::vector<std::string>(names.begin(), names.begin() + c.leadingColumns.size()), c.leadingColumns);
        const int64_t rows = count(c.source);
        EXPECT_GT(rows, 0);
        EXPECT_EQ(walk(*rs), rows);
    }
    // Sources in use: Geology and Vendor pick tops, Geology and Geophysics faults.
    EXPECT_EQ(count("DistinctSource"), 3);
    EXPECT_EQ(count("WellHeader"), m_summary.wells);
    EXPECT_EQ(count("FormationTop"), m_summary.tops);
}

TEST_P(DataFactoryTest, FiltersSortsAndTrailingArgumentsNarrowTheRows) {
    const std::string well = scalar("SELECT MIN(\"Well ID\") FROM \"FaultPick\"");
    std::unique_ptr<CTeskFaultSet> faults(factory().CreateFaultRecordset(0, nullptr, 16, "", "", well.c_str()));
    EXPECT_EQ(walk(*faults), count("FaultPick", "\"Well ID\" = '" + well + "'"));

    CTeskPickSet* picks = factory().CreatePickRecordset();
    picks->m_strFilter = "\"Top TVD\" > 9000";
    picks->m_strSort = "\"Top TVD\" DESC";
    ASSERT_TRUE(factory().OpenPickRecordset(picks, 0, nullptr, 16, false));
    std::unique_ptr<CTeskPickSet> deep(picks);
    ASSERT_FALSE(deep->IsEOF());
    double last = 1e300;
    for (; !deep->IsEOF(); deep->MoveNext()) {
        EXPECT_GT(deep->m_dTopTVD, 9000);
        EXPECT_LE(deep->m_dTopTVD, last);
        last = deep->m_dTopTVD;
    }

    // Formations of the active strat column only, in stratigraphic order.
    std::unique_ptr<CTeskFormationLookupSet> column(factory().CreateFormationRecordset(
        0, ALL_FORMATIONS, ORDER_BY_SEQUENCE, 0, nullptr, 16, "", ""));
    int sequence = 0;
    for (; !column->IsEOF(); column->MoveNext()) {
        EXPECT_EQ(column->m_strColumnName, tesk::sample::kGulfStratColumn);
        EXPECT_EQ(column->m_nSequence, ++sequence);
    }
    EXPECT_EQ(sequence, 14);

    // The survey row of one well; a well without one gets none.
    const std::string straight = scalar("SELECT MIN(\"Well ID\") FROM \"WellHeader\" WHERE \"Is Deviated\" = 0");
    ASSERT_EQ(count("DirectionalSurvey", "\"Well ID\" = '" + straight + "'"), 0);
    EXPECT_EQ(factory().CreateSurveyDirRecordset(CRecordset::useDefault, nullptr, 0, "", "", straight.c_str(), false),
              nullptr);
    const std::string deviated = scalar("SELECT MIN(\"Well ID\") FROM \"DirectionalSurvey\"");
    std::unique_ptr<CTeskSurveyDirSet> dir(
        factory().CreateSurveyDirRecordset(CRecordset::useDefault, nullptr, 0, "", "", deviated.c_str(), false));
    ASSERT_TRUE(dir && !dir->IsEOF());
    EXPECT_EQ(dir->m_strWellID, deviated);
    dir->Edit();
    factory().FillSurveyDirText(dir->m_strSurveyText);
    EXPECT_TRUE(dir->Update());
    EXPECT_NE(scalar("SELECT \"Survey Text\" FROM \"DirectionalSurvey\" WHERE \"Well ID\" = '" + deviated + "'")
                  .find("Minimum curvature"), std::string::npos);
    EXPECT_EQ(factory().CreateSurveyDirRecordset(CRecordset::useDefault, nullptr, 0, "", "", "no-such-well", false),
              nullptr);
}

TEST_P(DataFactoryTest, DatabaseRefusalsReachTheCaller) {
    EXPECT_THROW(factory().CreateWellAndBlobRecordset(0, nullptr, 16, "\"No Such Column\" = 1", ""), CDBException);
    EXPECT_THROW(factory().CreateFaultRecordset(0, nullptr, 16, "", "\"Throw\" DESCENDING", ""), CDBException);
    EXPECT_THROW(factory().CreateDynamicRecordset(0, "SELECT FROM nowhere", 16, "", "", ""), CDBException);
    EXPECT_EQ(factory().CreateDynamicRecordset(0, "", 16, "", "", ""), nullptr);

    // A constraint refuses a duplicate top.
    CTeskPickSet* picks = factory().CreatePickRecordset();
    ASSERT_TRUE(factory().OpenPickRecordset(picks, 0, nullptr, 16));
    std::unique_ptr<CTeskPickSet> owned(picks);
    const CString well = picks->m_strWellID, formation = picks->m_strFormation, source = picks->m_strSource;
    const int32_t observation = picks->m_nObservationNumber;
    picks->AddNew();
    picks->m_strWellID = well;
    picks->m_strFormation = formation;
    picks->m_strSource = source;
    picks->m_nObservationNumber = observation;
    EXPECT_THROW(picks->Update(), CDBException);
}

// Counts its own destruction.
class CountedPickSet : public CTeskPickSet {
public:
    using CTeskPickSet::CTeskPickSet;
    ~CountedPickSet() override { ++s_deleted; }
    static inline int s_deleted = 0;
};

TEST_P(DataFactoryTest, FailedPickOpenReleasesTheSetExactlyOnce) {
    CountedPickSet::s_deleted = 0;
    auto* set = new CountedPickSet(&db());
    set->m_strFilter = "\"No Such Column\" = 1";
    EXPECT_THROW(factory().OpenPickRecordset(set, 0, nullptr, 16, false), CDBException);
    EXPECT_EQ(CountedPickSet::s_deleted, 1);

    EXPECT_EQ(factory().OpenPickRecordset(nullptr, 0, nullptr, 16), 0);

    // An opened set stays the caller's.
    set = new CountedPickSet(&db());
    set->SetUpdateableView(0);
    ASSERT_NE(factory().OpenPickRecordset(set, 0, nullptr, 16, true), 0);
    EXPECT_EQ(CountedPickSet::s_deleted, 1);
    EXPECT_FALSE(set->CanUpdate());
    EXPECT_EQ(set->m_strSort, "\"Well ID\", \"Top MD\"");
    delete set;
    EXPECT_EQ(CountedPickSet::s_deleted, 2);
}

TEST_P(DataFactoryTest, AreaOfInterestNamesTranslateToTheirViews) {
    EXPECT_EQ(CTeskDataFactory::TranslateAOIToViewName("North Block"), "NorthBlock");
    EXPECT_EQ(CTeskDataFactory::TranslateAOIToViewName("north block"), "");
    EXPECT_EQ(CTeskDataFactory::TranslateAOIToViewName(), "GalvestonBay");
}

INSTANTIATE_TEST_SUITE_P(Engines, DataFactoryTest, testing::ValuesIn(availableEngines()), engineName);

} // namespace
