// The managed provider's questions about the open project, each answered by
// one project service and handed back unchanged.

#include "managed/ManagedModule.h"
#include "provider/ManagedDataProvider.h"
#include "services/QoClient/CLayerNameHelper.h"
#include "services/QoClient/CQoProjectInfo.h"
#include "services/TeskDataFactory/CTeskDataFactory.h"
#include "services/TeskDataFactory/CTeskDataInitializer.h"
#include "services/TeskDataFactory/CTeskUnitsObjectImpl.h"
#include "services/TeskDataFactory/CTeskUserDefaultsImpl.h"

namespace TeskDataProvider {

using System::FromAnsi;
using System::Int16;
using System::String;
using System::ToAnsi;

void ManagedDataProvider::GetExtentsInDBCoords(const char* lpszAOI, double& north, double& south, double& east,
                                               double& west) {
    MANAGED_ENTRY();
    MapExtents extents;
    if (CQoAoiItemData* item = CQoProjectInfo::Aoi(lpszAOI ? lpszAOI : "")) {
        extents = item->Extents();
        delete item;
    } else {
        extents = CQoProjectInfo::LogicalExtents(0);
    }
    if (const int error = extents.transform(CQoProjectInfo::DatabaseCoordinateSystem()))
        throw System::SystemException("Could not transform extents to Database coordinates: " +
                                      std::to_string(static_cast<unsigned>(error)));
    double n, s, e, w;
    if (!extents.getExtents(n, s, e, w)) throw System::SystemException("Could not get extents");
    north = n;
    south = s;
    east = e;
    west = w;
}

Int16 ManagedDataProvider::GetProjectDepthUnit() {
    MANAGED_ENTRY();
    return static_cast<Int16>(CTeskDataInitializer::GetUnitsObject()->GetProjectDepthUnit());
}

Int16 ManagedDataProvider::GetDisplayDepthUnit() {
    MANAGED_ENTRY();
    return static_cast<Int16>(CTeskDataInitializer::GetUnitsObject()->GetDisplayDepthUnit());
}

Int16 ManagedDataProvider::GetProjectDistanceUnit() {
    MANAGED_ENTRY();
    return static_cast<Int16>(CTeskDataInitializer::GetUnitsObject()->GetProjectDistanceUnit());
}

Int16 ManagedDataProvider::GetDisplayDistanceUnit() {
    MANAGED_ENTRY();
    return static_cast<Int16>(CTeskDataInitializer::GetUnitsObject()->GetDisplayDistanceUnit());
}

String ManagedDataProvider::GetActiveStratColumnName() {
    MANAGED_ENTRY();
    CTeskUserDefaultsImpl* defaults = CTeskDataInitializer::GetUserDefaults();
    defaults->Load();
    return FromAnsi(defaults->m_strActiveStratColumn);
}

System::Int32 ManagedDataProvider::GetNextInterpId(const String& tableName) {
    MANAGED_ENTRY();
    CTeskDataInitializer::GetDataFactory();
    return CTeskDataFactory::GetNextInterpId(ToAnsi(tableName).c_str());
}

String ManagedDataProvider::GetLayerDisplayName(const String& layerPath) {
    MANAGED_ENTRY();
    return FromAnsi(CLayerNameHelper::GetDisplayName(ToAnsi(layerPath).c_str()));
}

String ManagedDataProvider::GetLayerPath(const String& layerDisplayName) {
    MANAGED_ENTRY();
    return FromAnsi(CLayerNameHelper::RelativePathFromDisplayName(ToAnsi(layerDisplayName).c_str()));
}

bool ManagedDataProvider::IsSourceWritable(const String& source) {
    MANAGED_ENTRY();
    CTeskDataInitializer::GetDataFactory();
    return CTeskDataFactory::IsSourceWritable(ToAnsi(source).c_str());
}

bool ManagedDataProvider::IsFormationAliased(const String& formationName) {
    MANAGED_ENTRY();
    return CTeskDataFactory::GetIsAliasedFormation(ToAnsi(formationName).c_str());
}

String ManagedDataProvider::GetFormationAlias(const String& formationName) {
    MANAGED_ENTRY();
    return FromAnsi(CTeskDataFactory::GetFormationAlias(ToAnsi(formationName).c_str()));
}

String ManagedDataProvider::GetAliasFormationList(const String& aliasName) {
    MANAGED_ENTRY();
    return FromAnsi(CTeskDataFactory::GetAliasFormationList(ToAnsi(aliasName).c_str()));
}

String ManagedDataProvider::GetCurrentInterpreter() {
    MANAGED_ENTRY();
    CTeskDataInitializer::GetDataFactory();
    return FromAnsi(CTeskDataFactory::GetCurrentInterpreter());
}

} // namespace TeskDataProvider
