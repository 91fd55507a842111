#include "managed/ManagedModule.h"

namespace TeskDataProvider {

tesk::win32::ModuleState* ManagedModuleState() {
    static tesk::win32::ModuleState state{"TeskDataProvider (managed)"};
    return &state;
}

} // namespace TeskDataProvider
