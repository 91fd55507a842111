#pragma once
// The managed library's module state; every public operation enters it first.

#include "platform/win32/ModuleState.h"

namespace TeskDataProvider {
tesk::win32::ModuleState* ManagedModuleState();
}

#define MANAGED_ENTRY() TESK_MANAGE_STATE(::TeskDataProvider::ManagedModuleState())
