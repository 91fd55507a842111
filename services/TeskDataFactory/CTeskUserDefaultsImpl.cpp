#include "services/TeskDataFactory/CTeskUserDefaultsImpl.h"

#include "services/project/CTeskProject.h"

void CTeskUserDefaultsImpl::Load() {
    CTeskProject& project = CTeskProject::Current();
    project.ReloadDescriptor();
    const auto& d = project.GetDescriptor().userDefaults;
    m_strActiveStratColumn = d.activeStratColumn;
    m_strCurrentInterpreter = d.currentInterpreter;
}
