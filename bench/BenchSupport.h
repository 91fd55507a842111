#pragma once
// What every benchmark program shares: the project under test, the statement
// the "Formations" record set runs, and the process's memory figures.

#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>
#include <vector>

class CTeskProject;

namespace tesk::bench {

// Opens the project named by TESK_BENCH_PROJECT (once) and makes it current.
CTeskProject& OpenBenchProject();
bool IsOdbcProject();
// The project's SQLite file, or its ODBC connection string.
std::string SqliteFile();
std::string OdbcConnect();
// The connection string our scans stream over: the project's, with the
// driver streaming options the record set's scan connection adds.
std::string StreamingOdbcConnect();

// The statement "Formations" runs, key and row version first: the baselines
// read exactly what the record set reads.
extern const char* const kScanSql;

// The rows the edit cases change: keys of the first kEditRows tops.
inline constexpr int kEditRows = 10000;
struct EditRange {
    int64_t first = 0;
    int64_t last = 0;
};
EditRange EditRows();

// Resident and peak resident memory of this process, in KiB.
struct Memory {
    long rssKiB = 0;
    long peakKiB = 0;
};
Memory ReadMemory();
// Lowers the recorded peak to the current resident size, so that a later
// peak belongs to what ran after this call.
void ResetPeakMemory();

// Millisecond units and wall-clock time (a server's work counts too).
benchmark::internal::Benchmark* Configure(benchmark::internal::Benchmark* b);

// Registers the memory case: `scan` runs once between the two readings.
void RegisterMemoryCase(const char* name, void (*scan)());

} // namespace tesk::bench
