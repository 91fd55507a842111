#pragma once
// The baselines shared by the flavour programs: the same statement or the
// same write through the raw stack beneath the record sets.

namespace tesk::bench {

// Registers the raw scans that exist for the project's engine: the SQLite C
// API, or unixODBC with bound columns and block fetch over the same driver.
void RegisterRawScans();
// Registers the raw parametrized UPDATE of the edit case's rows and columns
// through the project's own backend.
void RegisterRawUpdate();

} // namespace tesk::bench
