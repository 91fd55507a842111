#include "platform/win32/ModuleState.h"

namespace tesk::win32 {

namespace {
thread_local ModuleState* t_current = nullptr;
}

ModuleState* CurrentModuleState() { return t_current; }

ModuleStateGuard::ModuleStateGuard(ModuleState* state) : m_previous(t_current) { t_current = state; }

ModuleStateGuard::~ModuleStateGuard() { t_current = m_previous; }

} // namespace tesk::win32
