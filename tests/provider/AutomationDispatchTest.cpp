// Opening record sets by name through the automation provider, on the sample project.

#include <gtest/gtest.h>

#include "provider/DataProvider.h"
#include "services/SampleProjectFixture.h"

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

INSTANTIATE_TEST_SUITE_P(Engines, AutomationDispatchTest, testing::ValuesIn(availableEngines()), engineName);

} // namespace
