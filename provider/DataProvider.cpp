#include "provider/DataProvider.h"

#include "automation/AutomationModule.h"
#include "provider/RecordsetDispatch.h"
#include "services/QoClient/CQoProjectInfo.h"

namespace TeskDataProvider {

std::unique_ptr<TeskRecordset> DataProvider::GetTeskRecordset(const char* name, const char* filter,
                                                              const char* sort) {
    AUTOMATION_ENTRY();
    DispatchRequest request;
    request.name = name ? name : "";
    request.filter = filter ? filter : "";
    request.sort = sort ? sort : "";
    request.aoiName = CQoProjectInfo::AoiName();

    auto adapter = std::make_unique<TeskRecordset>();
    adapter->Core().PopulateKeyColumns(request.name.c_str());
    CRecordset* recordSet = CreateNamedRecordset(adapter->Core(), request);
    if (!recordSet) return nullptr;
    if (!recordSet->IsOpen()) {
        delete recordSet;
        return nullptr;
    }
    adapter->SetRecordset(request.name.c_str(), recordSet);
    return adapter;
}

} // namespace TeskDataProvider
