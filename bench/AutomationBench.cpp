// The automation flavour: "Formations" read as VARIANTs, on the project named
// by TESK_BENCH_PROJECT. Its raw baselines are those of the managed program,
// which runs the same statement on the same data.

#include <benchmark/benchmark.h>

#include <memory>
#include <stdexcept>

#include "bench/BenchSupport.h"
#include "platform/com/Variant.h"
#include "provider/DataProvider.h"

using TeskDataProvider::DataProvider;
using TeskDataProvider::TeskRecordset;

namespace tesk::bench {
namespace {

std::unique_ptr<TeskRecordset> openFormations() {
    OpenBenchProject();
    auto rs = DataProvider().GetTeskRecordset("Formations", "", "");
    if (!rs) throw std::runtime_error("the provider gave no Formations record set");
    return rs;
}

// The value into a caller's VARIANT where the record set offers that, as a
// dispatch client is served; else the returned one.
template <class Recordset> void readValue(Recordset& rs, short index, VARIANT& out) {
    if constexpr (requires(Recordset& r, VARIANT* v) { r.GetFieldValue(index, v); }) {
        rs.GetFieldValue(index, &out);
    } else {
        out = rs.GetFieldValue(index);
    }
}

int64_t walkAll() {
    auto rs = openFormations();
    const short n = rs->GetNumFields();
    int64_t rows = 0;
    VARIANT value;
    VariantInit(&value);
    for (; !rs->IsEOF(); rs->MoveNext(), ++rows)
        for (short i = 0; i < n; ++i) {
            readValue(*rs, i, value);
            benchmark::DoNotOptimize(value);
            VariantClear(&value);
        }
    return rows;
}

void scanAutomation(benchmark::State& state) {
    int64_t rows = 0;
    for (auto _ : state) rows = walkAll();
    state.counters["rows"] = static_cast<double>(rows);
}

void memoryScan() { walkAll(); }

} // namespace
} // namespace tesk::bench

int main(int argc, char** argv) {
    using namespace tesk::bench;
    benchmark::Initialize(&argc, argv);
    try {
        OpenBenchProject();
        Configure(benchmark::RegisterBenchmark("scan/automation", scanAutomation));
        RegisterMemoryCase("memory/automation", memoryScan);
        benchmark::RunSpecifiedBenchmarks();
    } catch (const std::exception& e) {
        std::fprintf(stderr, "tesk_bench_automation: %s\n", e.what());
        return 1;
    }
    benchmark::Shutdown();
    return 0;
}
