#pragma once
#include <ostream>

#include "Options.h"

namespace teskdp {
// Runs options.command; returns the process exit status. Raises on failure.
int RunCommand(const Options& options, std::ostream& out);
}
