#include "provider/ManagedDataProvider.h"

#include <cmath>

#include "managed/ManagedModule.h"
#include "platform/text/Format.h"
#include "provider/RecordsetDispatch.h"
#include "services/TeskDataFactory/CTeskDataFactory.h"
#include "services/TeskDataFactory/CTeskDataInitializer.h"

namespace TeskDataProvider {

using System::String;

namespace {

// Hands an opened record set to the adapter, or releases both on the way out.
ManagedRecordsetRef finish(const ManagedRecordsetRef& adapter, CRecordset* recordSet, const std::string& name) {
    if (!recordSet) {
        adapter->Dispose();
        return nullptr;
    }
    if (!recordSet->IsOpen()) {
        delete recordSet;
        adapter->Dispose();
        return nullptr;
    }
    adapter->SetRecordset(name.c_str(), recordSet);
    return adapter;
}

} // namespace

ManagedRecordsetRef ManagedDataProvider::GetTeskRecordset(tesk::Infrastructure::Corvane::OpenType,
                                                          const String& name, const String& filter,
                                                          const String& sort,
                                                          const tesk::DataTypes::ManagedAoiRef& aoi) {
    MANAGED_ENTRY();
    if (!aoi) throw System::NullReferenceException();
    DispatchRequest request;
    request.name = System::ToAnsi(name);
    request.filter = System::ToAnsi(filter);
    request.sort = System::ToAnsi(sort);
    request.aoiName = System::ToAnsi(aoi->Name);
    const tesk::DataTypes::ManagedAoi box = *aoi;
    request.extendFilterForAoi = [box](std::string& f) { ExtendFilterForAOI(f, box); };

    auto adapter = System::gcnew<ManagedRecordset>();
    try {
        adapter->PopulateKeyColumns(request.name.c_str());
        CRecordset* recordSet = CreateNamedRecordset(adapter->Core(), request);
        return finish(adapter, recordSet, request.name);
    } catch (...) {
        adapter->Dispose();
        throw;
    }
}

ManagedRecordsetRef ManagedDataProvider::GetTeskRecordset(const String& name, const String& filter,
                                                          const String& sort,
                                                          const tesk::DataTypes::ManagedAoiRef& aoi) {
    return GetTeskRecordset(tesk::Infrastructure::Corvane::OpenType::Dynaset, name, filter, sort, aoi);
}

ManagedRecordsetRef ManagedDataProvider::GetDynamicRecordset(const String& name, const String& sql,
                                                             const String& filter, const String& sort) {
    MANAGED_ENTRY();
    const std::string label = System::ToAnsi(name);
    const std::string statement = System::ToAnsi(sql);
    const std::string f = System::ToAnsi(filter);
    const std::string s = System::ToAnsi(sort);
    auto adapter = System::gcnew<ManagedRecordset>();
    try {
        CRecordset* recordSet = CTeskDataInitializer::GetDataFactory()->CreateDynamicRecordset(
            0, statement.c_str(), 16, f.c_str(), s.c_str(), "");
        return finish(adapter, recordSet, label);
    } catch (...) {
        adapter->Dispose();
        throw;
    }
}

void ManagedDataProvider::ExtendFilterForAOI(std::string& sFilter, const tesk::DataTypes::ManagedAoi& aoi) {
    if (aoi.Name.IsNullOrEmpty()) return;
    const double north = aoi.North, south = aoi.South, east = aoi.East, west = aoi.West;
    const bool dateline = 0 < west && west < 180 && east < 0 && -180 < east && west > east;
    const std::string box =
        dateline ? tesk::text::Format("(Y BETWEEN %f AND %f and (X BETWEEN -180 AND %f or X BETWEEN %f AND 180))",
                                      south, north, east, west)
                 : tesk::text::Format("(Y BETWEEN %f AND %f and X BETWEEN %f AND %f)", south, north, west, east);
    sFilter = sFilter.empty() ? box : tesk::text::Format("(%s) AND %s", sFilter.c_str(), box.c_str());
}

} // namespace TeskDataProvider
