#include "recordset/ColumnRoleTable.h"

namespace TeskDataProvider {

namespace {

// Formations spell "Observation Number" and "Top Subsea"; faults spell
// "Obs. No." and "Subsea".
const ColumnRoleEntry kTable[] = {
    {"WellHeader", {"Well ID"}, {nullptr, nullptr, nullptr}, {{"Lng", "Lat"}, {"Longitude", "Latitude"}}, false},
    {"Formations", {"Well ID", "Formation", "Source", "Observation Number"}, {"Top MD", "Top TVD", "Top Subsea"}, {}, false},
    {"OrderedFormations", {"Well ID", "Formation", "Source", "Observation Number"}, {"Top MD", "Top TVD", "Top Subsea"}, {}, true},
    {"WellSurveys", {"Well ID"}, {nullptr, nullptr, nullptr}, {{"BH Longitude", "BH Latitude"}, {"Long/Y", "Lat/X"}}, false},
    {"Faults", {"Well ID", "Fault", "Source", "Obs. No."}, {"Top MD", "Top TVD", "Subsea"}, {}, false},
    {"FormationLookup", {"Column Name", "ID"}, {nullptr, nullptr, nullptr}, {}, false},
    {"FaultLookup", {"ID"}, {nullptr, nullptr, nullptr}, {}, false},
    {"HierarchicalSources", {"Source"}, {nullptr, nullptr, nullptr}, {}, false},
    {"DistinctSources", {"Source"}, {nullptr, nullptr, nullptr}, {}, false},
    {"TeskStratFieldSection", {"InterpID", "Source", "StratColumn", "Formation"}, {nullptr, nullptr, nullptr}, {{"X", "Y"}}, false},
    {"TeskFaultFieldPt", {"InterpID", "Source", "Fault"}, {nullptr, nullptr, nullptr}, {{"X", "Y"}}, false},
    {"TeskSurfGuidingPts", {"InterpID", "Source", "Trimmed Surface"}, {nullptr, nullptr, nullptr}, {{"X", "Y"}}, false},
};

} // namespace

const ColumnRoleEntry* FindColumnRoles(std::string_view recordsetName, bool managedFlavour) {
    for (const ColumnRoleEntry& entry : kTable) {
        if (entry.managedOnly && !managedFlavour) continue;
        if (recordsetName == entry.recordsetName) return &entry;
    }
    return nullptr;
}

} // namespace TeskDataProvider
