#pragma once
// The automation server's module state; every public operation enters it first.

#include "platform/win32/ModuleState.h"

namespace TeskDataProvider {
tesk::win32::ModuleState* AutomationModuleState();
}

#define AUTOMATION_ENTRY() TESK_MANAGE_STATE(::TeskDataProvider::AutomationModuleState())
