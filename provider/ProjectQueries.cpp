// The automation provider's questions about the open project, each answered
// by one project service and handed back unchanged.

#include "automation/AutomationModule.h"
#include "provider/DataProvider.h"
#include "services/QoClient/CLayerNameHelper.h"
#include "services/TeskDataFactory/CTeskDataFactory.h"
#include "services/TeskDataFactory/CTeskDataInitializer.h"
#include "services/TeskDataFactory/CTeskUnitsObjectImpl.h"
#include "services/TeskDataFactory/CTeskUserDefaultsImpl.h"

namespace TeskDataProvider {

short DataProvider::GetProjectDepthUnit() {
    AUTOMATION_ENTRY();
    return static_cast<short>(CTeskDataInitializer::GetUnitsObject()->GetProjectDepthUnit());
}

short DataProvider::GetDisplayDepthUnit() {
    AUTOMATION_ENTRY();
    return static_cast<short>(CTeskDataInitializer::GetUnitsObject()->GetDisplayDepthUnit());
}

short DataProvider::GetProjectDistanceUnit() {
    AUTOMATION_ENTRY();
    return static_cast<short>(CTeskDataInitializer::GetUnitsObject()->GetProjectDistanceUnit());
}

short DataProvider::GetDisplayDistanceUnit() {
    AUTOMATION_ENTRY();
    return static_cast<short>(CTeskDataInitializer::GetUnitsObject()->GetDisplayDistanceUnit());
}

std::string DataProvider::GetActiveStratColumnName() {
    AUTOMATION_ENTRY();
    return CTeskDataInitializer::GetUserDefaults()->m_strActiveStratColumn;
}

int32_t DataProvider::GetNextInterpId(const char* bstrTableName) {
    AUTOMATION_ENTRY();
    CTeskDataInitializer::GetDataFactory();
    return CTeskDataFactory::GetNextInterpId(bstrTableName ? bstrTableName : "");
}

std::string DataProvider::GetLayerDisplayName(const char* layerPath) {
    AUTOMATION_ENTRY();
    return CLayerNameHelper::GetDisplayName(layerPath ? layerPath : "");
}

std::string DataProvider::GetLayerPath(const char* layerDisplayName) {
    AUTOMATION_ENTRY();
    return CLayerNameHelper::RelativePathFromDisplayName(layerDisplayName ? layerDisplayName : "");
}

} // namespace TeskDataProvider
