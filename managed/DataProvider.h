#pragma once
// The managed façade's entry object: record sets by name, filter and sort,
// over the project's current area of interest, and a few project queries.

#include "managed/ManagedRecordset.h"
#include "platform/clr/String.h"

namespace Tesk_ManagedDataProvider {

class DataProvider {
public:
    DataProvider() = default;

    bool Connect() { return true; }
    System::Int16 GetProjectDepthUnit();
    System::Int16 GetDisplayDepthUnit();
    System::Int16 GetProjectDistanceUnit();
    System::Int16 GetDisplayDistanceUnit();
    System::String GetActiveStratColumnName();

    // Always a handle; it holds no adapter when the name opens nothing.
    // Raises SystemException when the area's extents cannot be brought into
    // database coordinates, even without a current area of interest.
    ManagedRecordsetRef GetTeskRecordset(const System::String& name, const System::String& filter,
                                         const System::String& sort);
};

} // namespace Tesk_ManagedDataProvider
