#pragma once
#include <ostream>

#include "Options.h"

namespace teskdp {
// teskdp survey WELL: the well's survey points, a position or depth on it, its
// stations, or new stations loaded from a CSV file and written as its survey.
int Survey(const Options& options, std::ostream& out);
}
