#include "managed/DataProvider.h"

#include "provider/ManagedDataProvider.h"
#include "services/QoClient/CQoProjectInfo.h"

namespace Tesk_ManagedDataProvider {

using TeskDataProvider::ManagedDataProvider;

System::Int16 DataProvider::GetProjectDepthUnit() { return ManagedDataProvider::GetProjectDepthUnit(); }
System::Int16 DataProvider::GetDisplayDepthUnit() { return ManagedDataProvider::GetDisplayDepthUnit(); }
System::Int16 DataProvider::GetProjectDistanceUnit() { return ManagedDataProvider::GetProjectDistanceUnit(); }
System::Int16 DataProvider::GetDisplayDistanceUnit() { return ManagedDataProvider::GetDisplayDistanceUnit(); }
System::String DataProvider::GetActiveStratColumnName() { return ManagedDataProvider::GetActiveStratColumnName(); }

ManagedRecordsetRef DataProvider::GetTeskRecordset(const System::String& name, const System::String& filter,
                                                   const System::String& sort) {
    const std::string aoiName = CQoProjectInfo::AoiName();
    double north = 0, south = 0, east = 0, west = 0;
    ManagedDataProvider::GetExtentsInDBCoords(aoiName.c_str(), north, south, east, west);
    auto aoi = std::make_shared<tesk::DataTypes::ManagedAoi>(System::FromAnsi(aoiName), north, south, east, west);
    auto inner = ManagedDataProvider::GetTeskRecordset(name, filter, sort, aoi);
    return ManagedRecordsetRef(new ManagedRecordset(std::move(inner)), System::detail::FinalizingDeleter{});
}

} // namespace Tesk_ManagedDataProvider
