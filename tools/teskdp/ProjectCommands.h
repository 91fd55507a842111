#pragma once
#include <ostream>

#include "Options.h"

namespace teskdp {
// teskdp project: identity, units, coordinate systems and areas of interest.
int ShowProject(const Options& options, std::ostream& out);
// teskdp columns NAME: what the provider knows about each column.
int DescribeColumns(const Options& options, std::ostream& out);
} // namespace teskdp
