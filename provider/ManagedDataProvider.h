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

private:
    friend class ManagedDataProviderTestAccess;
    static void ExtendFilterForAOI(std::string& sFilter, const tesk::DataTypes::ManagedAoi& aoi);
};

} // namespace TeskDataProvider
