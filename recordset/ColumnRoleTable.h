#pragma once
// The fixed table of column roles by record-set name: key columns, linked
// depth columns and coordinate pairs.

#include <string_view>
#include <vector>

#include "recordset/ColumnRoles.h"

namespace TeskDataProvider {

struct CoordinatePair {
    const char* xColumn;
    const char* yColumn;
};

struct ColumnRoleEntry {
    const char* recordsetName;
    std::vector<const char*> keyColumns;
    // MD, TVD and subsea, in this order; null where the record set has none.
    const char* depthColumns[3];
    std::vector<CoordinatePair> coordinatePairs;
    bool managedOnly;
};

// The entry for a record-set name compared exactly, or null. The automation
// library has no entry for names marked managed only.
const ColumnRoleEntry* FindColumnRoles(std::string_view recordsetName, bool managedFlavour);

} // namespace TeskDataProvider
