// Opening record sets by name through the automation provider, on the sample project.

#include <gtest/gtest.h>

#include "provider/DataProvider.h"
#include "services/SampleProjectFixture.h"
#include "services/TeskDataFactory/CTeskDataFactory.h"

using namespace tesk::test;

namespace {

using AutomationDispatchTest = SampleProjectTest;

TEST_P(AutomationDispatchTest, NamesOfTheAutomationLibrary) {
    TeskDataProvider::DataProvider provider;
    for (const char* name : {"WellHeader", "Formations", "WellSurveys", "Faults", "FormationLookup", "FaultLookup",
                             "HierarchicalSources", "DistinctSources", "TeskStratFieldSection", "TeskFaultFieldPt",
                             "TeskSurfGuidingPts", "QO_KEYFIELDLOOKUP_PROXY"}) {
        auto rs = provider.GetTeskRecordset(name, nullptr, nullptr);
        ASSERT_NE(rs, nullptr) << name;
        EXPECT_FALSE(rs->IsEOF()) << name;
    }
    EXPECT_EQ(provider.GetTeskRecordset("OrderedFormations", "", ""), nullptr);
    EXPECT_EQ(provider.GetTeskRecordset("wellheader", "", ""), nullptr);
    EXPECT_THROW(provider.GetTeskRecordset("Faults", "\"No Such Column\" = 1", ""), CDBException);
}

TEST_P(AutomationDispatchTest, CurrentAreaOfInterestRestrictsWellData) {
    auto descriptor = CTeskProject::Current().GetDescriptor();
    descriptor.currentAoi = "North Block";
    CTeskProject::Current().SaveDescriptor(descriptor);
    const std::string view = "WellHeader_" + std::string(CTeskDataFactory::TranslateAOIToViewName("North Block"));
    const std::string inArea = "\"Well ID\" IN (SELECT \"Well ID\" FROM \"" + view + "\")";
    ASSERT_LT(count("FormationTop", inArea), count("FormationTop"));

    TeskDataProvider::DataProvider provider;
    struct Case { const char* name; const char* table; };
    for (const Case& c : {Case{"Formations", "FormationTop"}, Case{"WellSurveys", "DirectionalSurvey"},
                          Case{"Faults", "FaultPick"}, Case{"WellHeader", "WellHeader"}}) {
        auto rs = provider.GetTeskRecordset(c.name, "", "");
        ASSERT_NE(rs, nullptr) << c.name;
        int64_t rows = 0;
        for (; !rs->IsEOF(); rs->MoveNext()) ++rows;
        EXPECT_EQ(rows, c.table == std::string("WellHeader") ? count(c.table) : count(c.table, inArea)) << c.name;
    }
    auto tops = provider.GetTeskRecordset("Formations", "", "");
    EXPECT_TRUE(tops->IsKeyColumn("Observation Number"));
    EXPECT_FALSE(tops->IsKeyColumn("observation number"));
}

TEST_P(AutomationDispatchTest, ProjectQueries) {
    TeskDataProvider::DataProvider provider;
    const auto& d = CTeskProject::Current().GetDescriptor();
    EXPECT_TRUE(provider.Connect());
    EXPECT_EQ(provider.GetProjectDepthUnit(), d.units.projectDepth);
    EXPECT_EQ(provider.GetDisplayDistanceUnit(), d.units.displayDistance);
    EXPECT_EQ(provider.GetActiveStratColumnName(), d.userDefaults.activeStratColumn);
    const int32_t first = provider.GetNextInterpId("FaultFieldPoint");
    EXPECT_EQ(provider.GetNextInterpId("FaultFieldPoint"), first + 1);
    EXPECT_EQ(provider.GetLayerDisplayName("Layers/Wells.lyr"), "Wells");
    EXPECT_EQ(provider.GetLayerPath("Geology/Frio Top"), "Layers/Geology/Frio Top.lyr");
}

INSTANTIATE_TEST_SUITE_P(Engines, AutomationDispatchTest, testing::ValuesIn(availableEngines()), engineName);

} // namespace
