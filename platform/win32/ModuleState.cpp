#include "platform/win32/ModuleState.h"

namespace tesk::win32 {

thread_local ModuleState* t_currentModuleState [[gnu::tls_model("initial-exec")]] = nullptr;

} // namespace tesk::win32
