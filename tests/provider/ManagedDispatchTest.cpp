// Opening record sets by name through the managed provider, on the sample project.

#include <gtest/gtest.h>

#include <cmath>
#include <set>

#include "provider/ManagedDataProvider.h"
#include "provider/RecordsetDispatch.h"
#include "services/TeskDataFactory/CTeskDataFactory.h"
#include "services/SampleProjectFixture.h"

namespace TeskDataProvider {
class ManagedDataProviderTestAccess {
public:
    static std::string Extend(std::string filter, const tesk::DataTypes::ManagedAoi& aoi) {
        ManagedDataProvider::ExtendFilterForAOI(filter, aoi);
        return filter;
    }
};
} // namespace TeskDataProvider

using namespace tesk::test;
using TeskDataProvider::ManagedDataProvider;
using tesk::DataTypes::ManagedAoi;

namespace {

std::shared_ptr<ManagedAoi> noAoi() { return std::make_shared<ManagedAoi>(); }
std::shared_ptr<ManagedAoi> aoiNamed(const char* name) {
    auto aoi = std::make_shared<ManagedAoi>();
    aoi->Name = name;
    return aoi;
}

long walk(TeskDataProvider::ManagedRecordset& rs) {
    long n = 0;
    for (; !rs.IsEOF(); rs.MoveNext()) ++n;
    return n;
}

using ManagedDispatchTest = SampleProjectTest;

TEST_P(ManagedDispatchTest, EveryNameOpensWalksAndReleases) {
    const char* names[] = {"WellHeader", "Formations", "OrderedFormations", "WellSurveys", "Faults",
                           "FormationLookup", "FaultLookup", "HierarchicalSources", "DistinctSources",
                           "TeskStratFieldSection", "TeskFaultFieldPt", "TeskSurfGuidingPts",
                           "QO_KEYFIELDLOOKUP_PROXY"};
    for (const char* name : names) {
        auto rs = ManagedDataProvider::GetTeskRecordset(name, "", "", noAoi());
        ASSERT_NE(rs, nullptr) << name;
        EXPECT_GT(rs->GetNumFields(), 0) << name;
        EXPECT_GT(walk(*rs), 0) << name;
        rs->Dispose();
    }
    for (const char* unknown : {"formations", "Formations ", "NoSuchSet", ""})
        EXPECT_EQ(ManagedDataProvider::GetTeskRecordset(unknown, "", "", noAoi()), nullptr) << unknown;
    EXPECT_THROW(ManagedDataProvider::GetTeskRecordset("Formations", "", "", nullptr), System::NullReferenceException);
}

TEST_P(ManagedDispatchTest, AreaOfInterestRestrictsWellDataOnly) {
    const auto inside = count("WellHeader_" + std::string(CTeskDataFactory::TranslateAOIToViewName("North Block")));
    ASSERT_GT(inside, 0);
    ASSERT_LT(inside, count("WellHeader"));

    auto all = ManagedDataProvider::GetTeskRecordset("WellHeader", "", "", noAoi());
    auto header = ManagedDataProvider::GetTeskRecordset("WellHeader", "", "", aoiNamed("North Block"));
    EXPECT_EQ(walk(*header), walk(*all)) << "WellHeader never gets the subquery";

    // The client's OR stays inside its parentheses: exactly the tops of the area's wells.
    const std::string view = "WellHeader_" + std::string(CTeskDataFactory::TranslateAOIToViewName("North Block"));
    const std::string inArea = "\"Well ID\" IN (SELECT \"Well ID\" FROM \"" + view + "\")";
    auto tops = ManagedDataProvider::GetTeskRecordset("Formations", "\"Source\" = 'Geology' OR 1 = 1", "",
                                                      aoiNamed("North Block"));
    ASSERT_NE(tops, nullptr);
    EXPECT_EQ(walk(*tops), count("FormationTop", inArea));
    for (const char* name : {"OrderedFormations", "WellSurveys", "Faults"}) {
        auto rs = ManagedDataProvider::GetTeskRecordset(name, "", "", aoiNamed("North Block"));
        const std::string table = name[0] == 'W' ? "DirectionalSurvey" : name[0] == 'F' ? "FaultPick" : "FormationTop";
        EXPECT_EQ(walk(*rs), count(table, inArea)) << name;
        rs->Dispose();
    }
    for (auto* rs : {all.get(), header.get(), tops.get()}) rs->Dispose();
}

TEST_P(ManagedDispatchTest, FailuresReleaseTheAdapterAndPassErrorsThrough) {
    EXPECT_THROW(ManagedDataProvider::GetTeskRecordset("Faults", "\"No Such Column\" = 1", "", noAoi()), CDBException);
    auto again = ManagedDataProvider::GetTeskRecordset("Faults", "", "", noAoi());
    EXPECT_NE(again, nullptr) << "a second call starts afresh";
    again->Dispose();

    auto dynamic = ManagedDataProvider::GetDynamicRecordset("label", "SELECT \"Well ID\" FROM \"WellHeader\"", "", "");
    ASSERT_NE(dynamic, nullptr);
    EXPECT_FALSE(dynamic->IsKeyColumn("Well ID")) << "a dynamic record set has no key columns";
    EXPECT_EQ(walk(*dynamic), count("WellHeader"));
    dynamic->Dispose();
}

INSTANTIATE_TEST_SUITE_P(Engines, ManagedDispatchTest, testing::ValuesIn(availableEngines()), engineName);

TEST(ManagedDispatch, WellFilterForms) {
    using TeskDataProvider::ComposeWellFilter;
    using Flavour = TeskDataProvider::RecordsetAdapter::Flavour;
    const std::string s = "\"Well ID\" in (select \"Well ID\" from \"WellHeader_V\")";
    EXPECT_EQ(ComposeWellFilter("", "WellHeader_V", Flavour::Managed), s);
    EXPECT_EQ(ComposeWellFilter("A OR B", "WellHeader_V", Flavour::Managed), "(A OR B) AND " + s);
    EXPECT_EQ(ComposeWellFilter("A OR B", "WellHeader_V", Flavour::Automation), "A OR B AND " + s);
    EXPECT_EQ(ComposeWellFilter("", "WellHeader_", Flavour::Automation),
              "\"Well ID\" in (select \"Well ID\" from \"WellHeader_\")");
}

TEST(ManagedDispatch, AreaOfInterestBox) {
    using Access = TeskDataProvider::ManagedDataProviderTestAccess;
    struct Case { const char* filter; double n, s, e, w; const char* expected; };
    const Case cases[] = {
        {"", 20, 10, -170, 170,
         "(Y BETWEEN 10.000000 AND 20.000000 and (X BETWEEN -180 AND -170.000000 or X BETWEEN 170.000000 AND 180))"},
        {"Source = 'A'", 30, 29, -99, -100.5,
         "(Source = 'A') AND (Y BETWEEN 29.000000 AND 30.000000 and X BETWEEN -100.500000 AND -99.000000)"},
        {"", 1, 0, -10, 0, "(Y BETWEEN 0.000000 AND 1.000000 and X BETWEEN 0.000000 AND -10.000000)"},
        {"", 1, 0, 5, 10, "(Y BETWEEN 0.000000 AND 1.000000 and X BETWEEN 10.000000 AND 5.000000)"},
        {"", 1, 0, -170, 180, "(Y BETWEEN 0.000000 AND 1.000000 and X BETWEEN 180.000000 AND -170.000000)"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Access::Extend(c.filter, ManagedAoi("A", c.n, c.s, c.e, c.w)), c.expected) << c.filter;
    EXPECT_EQ(Access::Extend("x = 1", ManagedAoi("", 1, 2, 3, 4)), "x = 1");
    const std::string nan = Access::Extend("", ManagedAoi("A", 1, 0, -170, std::nan("")));
    EXPECT_EQ(nan.find("or X"), std::string::npos) << "a NaN bound gives the ordinary clause";
}

} // namespace
