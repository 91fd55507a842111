// The column-role table as both flavours apply it, before any record set exists.

#include <gtest/gtest.h>

#include "recordset/RecordsetAdapter.h"

using TeskDataProvider::RecordsetAdapter;
using Flavour = RecordsetAdapter::Flavour;

namespace {

TEST(KeyColumns, TableByNameAndFlavour) {
    struct Case { const char* name; Flavour flavour; const char* column; bool key; };
    const Case cases[] = {
        {"WellHeader", Flavour::Managed, "Well ID", true},
        {"WellHeader", Flavour::Managed, "well id", false},
        {"WellHeader", Flavour::Managed, "Well ID ", false},
        {"Formations", Flavour::Automation, "Observation Number", true},
        {"Formations", Flavour::Automation, "Obs. No.", false},
        {"Faults", Flavour::Automation, "Obs. No.", true},
        {"Faults", Flavour::Automation, "Observation Number", false},
        {"OrderedFormations", Flavour::Managed, "Formation", true},
        {"OrderedFormations", Flavour::Automation, "Formation", false},
        {"FormationLookup", Flavour::Managed, "Column Name", true},
        {"TeskSurfGuidingPts", Flavour::Managed, "Trimmed Surface", true},
        {"QO_KEYFIELDLOOKUP_PROXY", Flavour::Managed, "ID", false},
        {"formations", Flavour::Managed, "Well ID", false},
        {"", Flavour::Managed, "", false},
    };
    for (const Case& c : cases) {
        RecordsetAdapter adapter(c.flavour);
        adapter.PopulateKeyColumns(c.name);
        EXPECT_EQ(adapter.IsColumnKey(c.column), c.key) << c.name << " / " << c.column;
    }
}

TEST(KeyColumns, RegistrationsInTableOrder) {
    RecordsetAdapter formations(Flavour::Managed);
    formations.PopulateKeyColumns("Formations");
    EXPECT_EQ(*formations.m_keyColumns,
              (std::list<std::string>{"Well ID", "Formation", "Source", "Observation Number"}));
    EXPECT_EQ(formations.m_linkedDepthColumns->at("Top Subsea"), TeskDepthUnitType::DEPTH_SUBSEA);
    EXPECT_TRUE(formations.m_ordinateColumns->empty());

    RecordsetAdapter wells(Flavour::Automation);
    wells.PopulateKeyColumns("WellSurveys");
    EXPECT_EQ(wells.m_ordinateColumns->at("BH Longitude"), teskCoordinateX);
    EXPECT_EQ(wells.m_ordinateColumns->at("Lat/X"), teskCoordinateY);
    EXPECT_EQ(wells.m_coordinateColumns->at("Long/Y"), "Lat/X");
    EXPECT_EQ(wells.m_coordinateColumns->at("BH Latitude"), "BH Longitude");

    // A second fill appends the keys again; answers do not change.
    formations.PopulateKeyColumns("Formations");
    EXPECT_EQ(formations.m_keyColumns->size(), 8u);
    EXPECT_TRUE(formations.IsColumnKey("Source"));
    formations.ClearKeyColumns();
    EXPECT_FALSE(formations.IsColumnKey("Source"));

    // After release the tables are gone and every question answers false.
    wells.DeleteMe();
    wells.PopulateKeyColumns("WellHeader");
    EXPECT_FALSE(wells.IsColumnKey("Well ID"));
}

} // namespace
