// The managed façade and the provider's project queries over the sample project.

#include <gtest/gtest.h>

#include <fstream>

#include "managed/DataProvider.h"
#include "provider/ManagedDataProvider.h"
#include "services/Ambrel/GarbageManager.h"
#include "services/SampleProjectFixture.h"
#include "platform/text/Format.h"
#include "services/TeskDataFactory/CTeskDataFactory.h"
#include "services/project/ProjectDescriptor.h"

using namespace tesk::test;
using TeskDataProvider::ManagedDataProvider;

namespace {

class FacadeTest : public SampleProjectTest {
protected:
    void setCurrentAoi(const std::string& name) {
        auto descriptor = CTeskProject::Current().GetDescriptor();
        descriptor.currentAoi = name;
        CTeskProject::Current().SaveDescriptor(descriptor);
    }
    static int64_t walk(Tesk_ManagedDataProvider::ManagedRecordset& rs) {
        int64_t n = 0;
        for (; !rs.IsEOF(); rs.MoveNext()) ++n;
        return n;
    }
};

TEST_P(FacadeTest, AreaOfInterestComesFromTheProject) {
    Tesk_ManagedDataProvider::DataProvider provider;
    setCurrentAoi("");
    auto faults = provider.GetTeskRecordset("Faults", "", "");
    EXPECT_EQ(walk(*faults), count("FaultPick")) << "no area: no subquery";
    auto points = provider.GetTeskRecordset("TeskFaultFieldPt", "", "");
    EXPECT_EQ(walk(*points), count("FaultFieldPoint")) << "no area: no box";

    // A box across the 180th meridian keeps exactly the points on both sides of it inside the box.
    setCurrentAoi("Dateline");
    double n, s, e, w;
    ManagedDataProvider::GetExtentsInDBCoords("Dateline", n, s, e, w);
    ASSERT_GT(w, 0);
    ASSERT_LT(e, 0);
    const std::string inBox = tesk::text::Format(
        "\"Y\" >= %f AND \"Y\" <= %f AND (\"X\" <= %f OR \"X\" >= %f)", s, n, e, w);
    for (const auto& [name, table] : {std::pair{"TeskStratFieldSection", "StratFieldSection"},
                                      std::pair{"TeskFaultFieldPt", "FaultFieldPoint"},
                                      std::pair{"TeskSurfGuidingPts", "SurfaceGuidingPoint"}}) {
        const int64_t expected = count(table, inBox);
        auto rs = provider.GetTeskRecordset(name, "", "");
        EXPECT_EQ(walk(*rs), expected) << name;
        EXPECT_GT(expected, 0) << name;
        EXPECT_LT(expected, count(table)) << name;
    }
    setCurrentAoi("North Block");
    const std::string view = "WellHeader_" + std::string(CTeskDataFactory::TranslateAOIToViewName("North Block"));
    auto tops = provider.GetTeskRecordset("Formations", "", "");
    EXPECT_EQ(walk(*tops), count("FormationTop", "\"Well ID\" IN (SELECT \"Well ID\" FROM \"" + view + "\")"));
}

TEST_P(FacadeTest, HandlesWithoutAnAdapterRaiseNullReference) {
    Tesk_ManagedDataProvider::DataProvider provider;
    auto unknown = provider.GetTeskRecordset("NoSuchSet", "", "");
    ASSERT_NE(unknown, nullptr) << "a handle even for an unknown name";
    EXPECT_THROW(unknown->GetNumFields(), System::NullReferenceException);

    auto wells = provider.GetTeskRecordset("WellHeader", "", "");
    EXPECT_GT(wells->GetNumFields(), 0);
    EXPECT_FALSE(wells->GetFieldName(0).IsNullOrEmpty());
    wells->Dispose();
    EXPECT_THROW(wells->IsEOF(), System::NullReferenceException);
    wells->Dispose();  // twice is harmless

    // A handle dropped without Dispose goes to the registry.
    const size_t before = Ambrel::GarbageManager::PendingCount();
    provider.GetTeskRecordset("Faults", "", "").reset();
    EXPECT_EQ(Ambrel::GarbageManager::PendingCount(), before + 1);
    Ambrel::GarbageManager::Collect();
    EXPECT_TRUE(provider.Connect());
}

TEST_P(FacadeTest, ProjectQueriesAnswerFromTheProject) {
    Tesk_ManagedDataProvider::DataProvider provider;
    const auto& units = CTeskProject::Current().GetDescriptor().units;
    EXPECT_EQ(provider.GetProjectDepthUnit(), ManagedDataProvider::GetProjectDepthUnit());
    EXPECT_EQ(ManagedDataProvider::GetDisplayDistanceUnit(), static_cast<short>(units.displayDistance));

    // The strat column is re-read on every call.
    auto descriptor = CTeskProject::Current().GetDescriptor();
    descriptor.userDefaults.activeStratColumn = "Regional Column";
    CTeskProject::Current().SaveDescriptor(descriptor);
    EXPECT_EQ(provider.GetActiveStratColumnName(), System::String("Regional Column"));

    const int first = ManagedDataProvider::GetNextInterpId("StratFieldSection");
    EXPECT_GT(ManagedDataProvider::GetNextInterpId("StratFieldSection"), first);
    const System::String path("Layers/Geology/Frio Top.lyr");
    EXPECT_EQ(ManagedDataProvider::GetLayerPath(ManagedDataProvider::GetLayerDisplayName(path)), path);
    EXPECT_EQ(ManagedDataProvider::GetCurrentInterpreter(), System::String("jdoe"));
}

TEST_P(FacadeTest, ExtentsThatCannotBeTransformedFailEveryRequest) {
    auto descriptor = CTeskProject::Current().GetDescriptor();
    descriptor.areas.push_back({"Broken", "Broken", "EPSG:999999", 2, 1, 2, 1});
    descriptor.currentAoi = "Broken";
    // Written by hand, as another program might: saving through the project
    // would refuse an area it cannot place.
    std::ofstream(CTeskProject::Current().GetPath() / CTeskProject::kDescriptorFile) << descriptor.ToJson();
    CTeskProject::Current().ReloadDescriptor();
    double north = 42, south = 42, east = 42, west = 42;
    try {
        ManagedDataProvider::GetExtentsInDBCoords("Broken", north, south, east, west);
        ADD_FAILURE() << "no error";
    } catch (const System::SystemException& e) {
        EXPECT_EQ(e.Message().rfind("Could not transform extents to Database coordinates: ", 0), 0u) << e.Message();
    }
    EXPECT_EQ(north + south + east + west, 4 * 42) << "outputs untouched";
    EXPECT_THROW(Tesk_ManagedDataProvider::DataProvider().GetTeskRecordset("Faults", "", ""), System::SystemException);

    // A name that is no area of interest gives the map window, transformed.
    ManagedDataProvider::GetExtentsInDBCoords("No Such Area", north, south, east, west);
    EXPECT_GT(north, south);
    EXPECT_NEAR(north, 29.86, 0.01) << "the sample's map window in degrees";
}

TEST(FacadeWithoutProject, ConnectIsTrue) {
    CTeskProject::Close();
    EXPECT_TRUE(Tesk_ManagedDataProvider::DataProvider().Connect());
}

INSTANTIATE_TEST_SUITE_P(Engines, FacadeTest, testing::ValuesIn(availableEngines()), engineName);

} // namespace
