#include "automation/AutomationModule.h"

namespace TeskDataProvider {

tesk::win32::ModuleState* AutomationModuleState() {
    static tesk::win32::ModuleState state{"TeskDataProvider (automation)"};
    return &state;
}

} // namespace TeskDataProvider
