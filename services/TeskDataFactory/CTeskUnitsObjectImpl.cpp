#include "services/TeskDataFactory/CTeskUnitsObjectImpl.h"

#include <optional>

#include "platform/db/CDatabase.h"
#include "services/Meriq10/CoordSys.h"
#include "services/project/CTeskProject.h"

namespace {

const tesk::project::Units& units() { return CTeskProject::Current().GetDescriptor().units; }

// The first column of the first row, or nothing when there is no row.
std::optional<std::string> lookup(const char* sql, std::initializer_list<const char*> params) {
    auto st = CTeskProject::Current().GetDatabase().connection().prepare(sql);
    int i = 0;
    for (const char* p : params) st->bind(i++, std::string(p));
    st->execute();
    std::optional<std::string> out;
    if (st->fetch() && !st->isNull(0)) out = std::string(st->getText(0));
    st->reset();
    return out;
}

std::optional<std::string> quantityOf(const char* lpszCategory) {
    if (!lpszCategory || !*lpszCategory) return std::nullopt;
    return lookup("SELECT \"Quantity\" FROM \"UnitCategory\" WHERE \"Category\" = ?", {lpszCategory});
}

} // namespace

MapSizeUnits CTeskUnitsObjectImpl::GetProjectDepthUnit() const { return MapSizeUnits(units().projectDepth); }
MapSizeUnits CTeskUnitsObjectImpl::GetDisplayDepthUnit() const { return MapSizeUnits(units().displayDepth); }
MapSizeUnits CTeskUnitsObjectImpl::GetProjectDistanceUnit() const { return MapSizeUnits(units().projectDistance); }
MapSizeUnits CTeskUnitsObjectImpl::GetDisplayDistanceUnit() const { return MapSizeUnits(units().displayDistance); }
bool CTeskUnitsObjectImpl::DistanceProjectIsFeet() const { return units().projectDistance == MAP_SIZE_UNITS_FEET; }

CString CTeskUnitsObjectImpl::GetFieldUnitCategory(const char* lpszRecordsetName, const char* lpszFieldName) const {
    if (!lpszFieldName || !*lpszFieldName) return {};
    return lookup("SELECT \"Category\" FROM \"FieldUnitCategory\" WHERE \"Record Set\" = ? AND \"Field\" = ?",
                  {lpszRecordsetName ? lpszRecordsetName : "", lpszFieldName})
        .value_or(CString());
}

int CTeskUnitsObjectImpl::GetCategoryUnit(const char* lpszCategory, bool bProject) const {
    const std::optional<std::string> quantity = quantityOf(lpszCategory);
    if (!quantity) return -1;
    if (*quantity == "DEPTH") return bProject ? GetProjectDepthUnit() : GetDisplayDepthUnit();
    if (*quantity == "DISTANCE") return bProject ? GetProjectDistanceUnit() : GetDisplayDistanceUnit();
    if (*quantity == "MAP COORDINATE") {
        const tesk::project::Descriptor& d = CTeskProject::Current().GetDescriptor();
        const std::string& crs = bProject || d.displayCrs.empty() ? d.databaseCrs : d.displayCrs;
        const MapSizeUnits unit = CoordSys::Shared(crs).GetMapSizeUnit();
        return unit == MAP_SIZE_UNITS_NONE ? -1 : unit;
    }
    return -1;
}

bool CTeskUnitsObjectImpl::IsCoordinateCategory(const char* lpszCategory, bool& bIsCoordinate) const {
    const std::optional<std::string> quantity = quantityOf(lpszCategory);
    if (!quantity) return false;
    bIsCoordinate = *quantity == "MAP COORDINATE" || *quantity == "GEOGRAPHIC COORDINATE";
    return true;
}
