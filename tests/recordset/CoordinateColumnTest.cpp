// Coordinate roles, partners and units of columns, on the sample project's
// record sets and on a well-header set that lacks a partner column.

#include <gtest/gtest.h>

#include "provider/ManagedDataProvider.h"
#include "services/SampleProjectFixture.h"

using namespace tesk::test;
using TeskDataProvider::ManagedDataProvider;

namespace {

// Well headers with "Longitude" but without its partner "Latitude".
class PartialHeaderSet : public CRecordset {
public:
    using CRecordset::CRecordset;
    CString m_wellId;
    double m_lng = 0, m_lat = 0, m_longitude = 0;

protected:
    CString GetDefaultSQL() override { return "\"WellHeader\""; }
    CString GetKeyColumn() override { return "_id"; }
    void DoFieldExchange(CFieldExchange* pFX) override {
        RFX_Text(pFX, "Well ID", m_wellId);
        RFX_Double(pFX, "Lng", m_lng);
        RFX_Double(pFX, "Lat", m_lat);
        RFX_Double(pFX, "Longitude", m_longitude);
    }
};

using CoordinateColumnTest = SampleProjectTest;

TEST_P(CoordinateColumnTest, RolesAndPartnersByName) {
    struct Case { const char* recordset; const char* column; char role; const char* partner; };
    const Case cases[] = {
        {"WellHeader", "Lng", 'X', "Lat"},          {"WellHeader", "Lat", 'Y', "Lng"},
        {"WellHeader", "Longitude", 'X', "Latitude"}, {"WellHeader", "Well ID", 0, nullptr},
        {"WellSurveys", "Long/Y", 'X', "Lat/X"},      {"WellSurveys", "Lat/X", 'Y', "Long/Y"},
        {"WellSurveys", "BH Longitude", 'X', "BH Latitude"}, {"WellSurveys", "BH Latitude", 'Y', "BH Longitude"},
        {"TeskFaultFieldPt", "X", 'X', "Y"},          {"TeskSurfGuidingPts", "Y", 'Y', "X"},
        {"Formations", "Top MD", 0, nullptr},         {"FaultLookup", "Fault", 0, nullptr},
    };
    for (const Case& c : cases) {
        auto rs = ManagedDataProvider::GetTeskRecordset(c.recordset, "", "", std::make_shared<tesk::DataTypes::ManagedAoi>());
        const short i = rs->GetColumnIndex(c.column);
        ASSERT_GE(i, 0) << c.recordset << " / " << c.column;
        EXPECT_EQ(rs->IsFieldXCoordinate(i), c.role == 'X') << c.column;
        EXPECT_EQ(rs->IsFieldYCoordinate(i), c.role == 'Y') << c.column;
        EXPECT_EQ(rs->GetCoordinateField(i), c.partner ? rs->GetColumnIndex(c.partner) : -1) << c.column;
        for (short bad : {short(-1), rs->GetNumFields()}) {
            EXPECT_EQ(rs->GetCoordinateField(bad), -1);
            EXPECT_FALSE(rs->IsFieldXCoordinate(bad) || rs->IsFieldYCoordinate(bad) || rs->IsFieldCoordinate(bad));
            EXPECT_EQ(rs->GetFieldUnit(bad), -1);
        }
        rs->Dispose();
    }

    auto partial = System::gcnew<TeskDataProvider::ManagedRecordset>();
    partial->PopulateKeyColumns("WellHeader");
    auto* set = new PartialHeaderSet(&db());
    set->Open();
    partial->SetRecordset("WellHeader", set);
    EXPECT_TRUE(partial->IsFieldXCoordinate(3));
    EXPECT_EQ(partial->GetCoordinateField(3), -1) << "the partner is not in this record set";
    EXPECT_EQ(partial->GetCoordinateField(1), 2);
    partial->Dispose();
}

TEST_P(CoordinateColumnTest, UnitsAndCoordinatesFromTheProjectSettings) {
    auto none = std::make_shared<tesk::DataTypes::ManagedAoi>();
    auto tops = ManagedDataProvider::GetTeskRecordset("OrderedFormations", "", "", none);
    EXPECT_EQ(tops->GetFieldUnit(tops->GetColumnIndex("Top MD")), ManagedDataProvider::GetProjectDepthUnit());
    EXPECT_EQ(tops->GetFieldUnit(tops->GetColumnIndex("Formation")), -1);
    EXPECT_FALSE(tops->IsFieldCoordinate(tops->GetColumnIndex("Top MD")));
    auto wells = ManagedDataProvider::GetTeskRecordset("WellHeader", "", "", none);
    EXPECT_TRUE(wells->IsFieldCoordinate(wells->GetColumnIndex("Lng")));
    EXPECT_FALSE(wells->IsFieldCoordinate(wells->GetColumnIndex("Well ID")));
    EXPECT_EQ(System::gcnew<TeskDataProvider::ManagedRecordset>()->GetFieldUnit(0), -1);
    tops->Dispose();
    wells->Dispose();
}

INSTANTIATE_TEST_SUITE_P(Engines, CoordinateColumnTest, testing::ValuesIn(availableEngines()), engineName);

} // namespace
