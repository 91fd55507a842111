#include "bench/BenchSupport.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <fstream>
#include <stdexcept>
#include <string_view>

#include "services/project/CTeskProject.h"

namespace tesk::bench {

const char* const kScanSql =
    "SELECT \"_id\", \"_rowver\", \"Well ID\", \"Formation\", \"Source\", \"Observation Number\", \"Top MD\", "
    "\"Top TVD\", \"Top Subsea\", \"Interpreter\", \"Quality\", \"Pick Date\", \"Remarks\" FROM \"FormationTop\"";

CTeskProject& OpenBenchProject() {
    static CTeskProject* project = [] {
        const char* dir = std::getenv("TESK_BENCH_PROJECT");
        if (!dir || !*dir) throw std::runtime_error("TESK_BENCH_PROJECT names no project directory");
        return &CTeskProject::Open(dir);
    }();
    return *project;
}

bool IsOdbcProject() { return OpenBenchProject().GetDescriptor().IsOdbc(); }

std::string SqliteFile() {
    CTeskProject& p = OpenBenchProject();
    return (p.GetPath() / p.GetDescriptor().sqliteFile).string();
}

std::string OdbcConnect() { return OpenBenchProject().GetDescriptor().odbcConnect; }

std::string StreamingOdbcConnect() {
    std::string connect = OdbcConnect();
    if (!connect.empty() && connect.back() != ';') connect += ';';
    return connect + "UseDeclareFetch=1;Fetch=1000;";
}

EditRange EditRows() {
    auto st = OpenBenchProject().GetDatabase().connection().prepare("SELECT MIN(\"_id\") FROM \"FormationTop\"");
    st->execute();
    if (!st->fetch()) throw std::runtime_error("the project has no formation tops");
    const int64_t first = st->getInt64(0);
    st->reset();
    return {first, first + kEditRows - 1};
}

Memory ReadMemory() {
    Memory m;
    std::ifstream status("/proc/self/status");
    std::string line;
    auto value = [](std::string_view l) { return std::strtol(l.data() + l.find(':') + 1, nullptr, 10); };
    while (std::getline(status, line)) {
        if (line.rfind("VmRSS:", 0) == 0) m.rssKiB = value(line);
        if (line.rfind("VmHWM:", 0) == 0) m.peakKiB = value(line);
    }
    return m;
}

void ResetPeakMemory() {
    std::ofstream("/proc/self/clear_refs") << "5";
}

benchmark::internal::Benchmark* Configure(benchmark::internal::Benchmark* b) {
    return b->Unit(benchmark::kMillisecond)->UseRealTime();
}

void RegisterMemoryCase(const char* name, void (*scan)()) {
    benchmark::RegisterBenchmark(name, [scan](benchmark::State& state) {
        for (auto _ : state) {
            OpenBenchProject();
            ResetPeakMemory();
            const Memory before = ReadMemory();
            scan();
            const Memory after = ReadMemory();
            state.counters["rss_before_kib"] = static_cast<double>(before.rssKiB);
            state.counters["peak_growth_kib"] = static_cast<double>(after.peakKiB - before.rssKiB);
        }
    })->Iterations(1)->Repetitions(1)->Unit(benchmark::kMillisecond);
}

} // namespace tesk::bench
