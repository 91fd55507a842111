#include "services/TeskDataFactory/CTeskUnitsObjectImpl.h"

#include <cstring>

#include "services/project/CTeskProject.h"

namespace {

const tesk::project::Units& units() { return CTeskProject::Current().GetDescriptor().units; }

struct FieldCategory {
    const char* recordset;  // null: any record set
    const char* field;
    const char* category;
};

// Depths are in the depth unit; offsets and throws are distances; positions
// are coordinates in the database coordinate system.
const FieldCategory kFieldCategories[] = {
    {nullptr, "Top MD", CTeskUnitsObjectImpl::kDepthCategory},
    {nullptr, "Top TVD", CTeskUnitsObjectImpl::kDepthCategory},
    {nullptr, "Top Subsea", CTeskUnitsObjectImpl::kDepthCategory},
    {nullptr, "Subsea", CTeskUnitsObjectImpl::kDepthCategory},
    {nullptr, "Total Depth", CTeskUnitsObjectImpl::kDepthCategory},
    {nullptr, "KB Elevation", CTeskUnitsObjectImpl::kDepthCategory},
    {nullptr, "Surface Z", CTeskUnitsObjectImpl::kDepthCategory},
    {nullptr, "TVD", CTeskUnitsObjectImpl::kDepthCategory},
    {nullptr, "Z", CTeskUnitsObjectImpl::kDepthCategory},
    {nullptr, "Throw", CTeskUnitsObjectImpl::kDistanceCategory},
    {nullptr, "X Offset", CTeskUnitsObjectImpl::kDistanceCategory},
    {nullptr, "Y Offset", CTeskUnitsObjectImpl::kDistanceCategory},
    {nullptr, "Horizontal Displacement", CTeskUnitsObjectImpl::kDistanceCategory},
    {"WellHeader", "Lng", CTeskUnitsObjectImpl::kCoordinateCategory},
    {"WellHeader", "Lat", CTeskUnitsObjectImpl::kCoordinateCategory},
    {"WellSurveys", "BH Longitude", CTeskUnitsObjectImpl::kCoordinateCategory},
    {"WellSurveys", "BH Latitude", CTeskUnitsObjectImpl::kCoordinateCategory},
    {nullptr, "X", CTeskUnitsObjectImpl::kCoordinateCategory},
    {nullptr, "Y", CTeskUnitsObjectImpl::kCoordinateCategory},
};

} // namespace

MapSizeUnits CTeskUnitsObjectImpl::GetProjectDepthUnit() const { return MapSizeUnits(units().projectDepth); }
MapSizeUnits CTeskUnitsObjectImpl::GetDisplayDepthUnit() const { return MapSizeUnits(units().displayDepth); }
MapSizeUnits CTeskUnitsObjectImpl::GetProjectDistanceUnit() const { return MapSizeUnits(units().projectDistance); }
MapSizeUnits CTeskUnitsObjectImpl::GetDisplayDistanceUnit() const { return MapSizeUnits(units().displayDistance); }
bool CTeskUnitsObjectImpl::DistanceProjectIsFeet() const { return units().projectDistance == MAP_SIZE_UNITS_FEET; }

CString CTeskUnitsObjectImpl::GetFieldUnitCategory(const char* lpszRecordsetName, const char* lpszFieldName) const {
    if (!lpszFieldName) return {};
    const char* rs = lpszRecordsetName ? lpszRecordsetName : "";
    for (const FieldCategory& f : kFieldCategories)
        if (std::strcmp(f.field, lpszFieldName) == 0 && (!f.recordset || std::strcmp(f.recordset, rs) == 0))
            return f.category;
    return {};
}

int CTeskUnitsObjectImpl::GetCategoryUnit(const char* lpszCategory, bool bProject) const {
    if (!lpszCategory) return -1;
    if (std::strcmp(lpszCategory, kDepthCategory) == 0)
        return bProject ? GetProjectDepthUnit() : GetDisplayDepthUnit();
    if (std::strcmp(lpszCategory, kDistanceCategory) == 0)
        return bProject ? GetProjectDistanceUnit() : GetDisplayDistanceUnit();
    return -1;
}

bool CTeskUnitsObjectImpl::IsCoordinateCategory(const char* lpszCategory, bool& bIsCoordinate) const {
    if (!lpszCategory) return false;
    for (const char* known : {kDepthCategory, kDistanceCategory, kCoordinateCategory})
        if (std::strcmp(lpszCategory, known) == 0) {
            bIsCoordinate = std::strcmp(known, kCoordinateCategory) == 0;
            return true;
        }
    return false;
}
