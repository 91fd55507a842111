#pragma once
// The managed library's entry class: static operations that open record sets
// by name or from SQL text, and the project queries.

#include "platform/clr/String.h"
#include "recordset/ManagedRecordset.h"
#include "services/Corvane/ITeskRecordset.h"
#include "services/DataTypes/ManagedAoi.h"

namespace TeskDataProvider {

class ManagedDataProvider {
public:
    ManagedDataProvider() = default;

    // A new adapter over the named record set, or null. The open type is
    // ignored; aoi must be given (a null one raises NullReferenceException),
    // an empty Name meaning no area of interest.
    static ManagedRecordsetRef GetTeskRecordset(tesk::Infrastructure::Corvane::OpenType openType,
                                                const System::String& name, const System::String& filter,
                                                const System::String& sort,
                                                const tesk::DataTypes::ManagedAoiRef& aoi);
    static ManagedRecordsetRef GetTeskRecordset(const System::String& name, const System::String& filter,
                                                const System::String& sort,
                                                const tesk::DataTypes::ManagedAoiRef& aoi);
    // A new adapter over the caller's statement, or null; name is only a label.
    static ManagedRecordsetRef GetDynamicRecordset(const System::String& name, const System::String& sql,
                                                   const System::String& filter, const System::String& sort);

    // The bounds of the named area of interest in database coordinates; the
    // project's logical extents for a name that is no area of interest.
    // Raises SystemException when they cannot be transformed or read; the
    // outputs are then untouched.
    static void GetExtentsInDBCoords(const char* lpszAOI, double& north, double& south, double& east,
                                     double& west);

    // Project queries, answered by the project services unchanged.
    static System::Int16 GetProjectDepthUnit();
    static System::Int16 GetDisplayDepthUnit();
    static System::Int16 GetProjectDistanceUnit();
    static System::Int16 GetDisplayDistanceUnit();
    // Reloads the user defaults first.
    static System::String GetActiveStratColumnName();
    static System::Int32 GetNextInterpId(const System::String& tableName);
    static System::String GetLayerDisplayName(const System::String& layerPath);
    static System::String GetLayerPath(const System::String& layerDisplayName);
    static bool IsSourceWritable(const System::String& source);
    static bool IsFormationAliased(const System::String& formationName);
    static System::String GetFormationAlias(const System::String& formationName);
    static System::String GetAliasFormationList(const System::String& aliasName);
    static System::String GetCurrentInterpreter();

private:
    friend class ManagedDataProviderTestAccess;
    static void ExtendFilterForAOI(std::string& sFilter, const tesk::DataTypes::ManagedAoi& aoi);
};

} // namespace TeskDataProvider
