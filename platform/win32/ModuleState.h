#pragma once
// The current-module state: which module's resources and settings apply to
// the code now running on this thread. Every entry into a module's exported
// operations switches to that module's state and restores the caller's on
// every way out, errors included.

namespace tesk::win32 {

struct ModuleState {
    const char* moduleName;
};

// The state in force on this thread; null outside any module. Every value a
// client reads enters a module, so the switch is inline and the variable uses
// the static TLS model (a pointer fits the reserve kept for libraries loaded
// late).
extern thread_local ModuleState* t_currentModuleState [[gnu::tls_model("initial-exec")]];

inline ModuleState* CurrentModuleState() { return t_currentModuleState; }

class ModuleStateGuard {
public:
    explicit ModuleStateGuard(ModuleState* state) : m_previous(t_currentModuleState) {
        t_currentModuleState = state;
    }
    ~ModuleStateGuard() { t_currentModuleState = m_previous; }
    ModuleStateGuard(const ModuleStateGuard&) = delete;
    ModuleStateGuard& operator=(const ModuleStateGuard&) = delete;

private:
    ModuleState* m_previous;
};

} // namespace tesk::win32

// Switches to `state` for the rest of the enclosing scope.
#define TESK_MANAGE_STATE(state) ::tesk::win32::ModuleStateGuard teskModuleStateGuard_(state)
