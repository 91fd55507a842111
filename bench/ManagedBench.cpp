// The managed flavour: "Formations" through the provider, against the raw
// stack beneath it, on the project named by TESK_BENCH_PROJECT.

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <stdexcept>
#include <string>
#include <vector>

#include "bench/BenchCases.h"
#include "bench/BenchSupport.h"
#include "platform/clr/DateTime.h"
#include "provider/ManagedDataProvider.h"
#include "services/project/CTeskProject.h"

using TeskDataProvider::ManagedDataProvider;
using TeskDataProvider::ManagedRecordsetRef;

namespace tesk::bench {
namespace {

ManagedRecordsetRef openFormations(const std::string& filter = {}) {
    OpenBenchProject();
    auto aoi = std::make_shared<tesk::DataTypes::ManagedAoi>();
    auto rs = ManagedDataProvider::GetTeskRecordset("Formations", System::FromAnsi(filter), "", aoi);
    if (!rs) throw std::runtime_error("the provider gave no Formations record set");
    return rs;
}

int64_t walkAll() {
    auto rs = openFormations();
    const short n = rs->GetNumFields();
    int64_t rows = 0;
    for (; !rs->IsEOF(); rs->MoveNext(), ++rows)
        for (short i = 0; i < n; ++i) {
            System::ObjectRef value = rs->GetFieldValue(i);
            benchmark::DoNotOptimize(value.get());
        }
    rs->Dispose();
    return rows;
}

void scanManaged(benchmark::State& state) {
    int64_t rows = 0;
    for (auto _ : state) rows = walkAll();
    state.counters["rows"] = static_cast<double>(rows);
}

// Opening must not read the whole result: the clock stops at the first value.
void firstRowManaged(benchmark::State& state) {
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        auto rs = openFormations();
        System::ObjectRef value = rs->GetFieldValue(0);
        benchmark::DoNotOptimize(value.get());
        const auto stop = std::chrono::steady_clock::now();
        state.SetIterationTime(std::chrono::duration<double>(stop - start).count());
        rs->Dispose();
    }
}

// Edit, write "Top MD" (the record set brings its linked depth into line),
// Update: row by row, each write its own transaction.
void editManaged(benchmark::State& state) {
    static int round = 0;
    const EditRange range = EditRows();
    const std::string filter =
        "\"_id\" BETWEEN " + std::to_string(range.first) + " AND " + std::to_string(range.last);
    int64_t rows = 0;
    for (auto _ : state) {
        const double delta = (++round % 2) ? 0.5 : -0.5;
        auto rs = openFormations(filter);
        const short md = rs->GetColumnIndex("Top MD");
        rows = 0;
        for (; !rs->IsEOF(); rs->MoveNext(), ++rows) {
            rs->Edit();
            const double* before = System::TryUnbox<double>(rs->GetFieldValue(md));
            rs->SetFieldValue(md, System::Box((before ? *before : 1000.0) + delta));
            if (!rs->Update()) throw std::runtime_error("an edit changed nothing");
        }
        rs->Dispose();
    }
    state.counters["rows"] = static_cast<double>(rows);
}

// What the managed contract costs by itself: every value a fresh boxed object,
// every text a UTF-16 string of its own. The first thousand rows' values
// boxed over and over, as many as the full scan boxes, with no database and
// no record set in between.
struct SampleCell {
    enum Kind { Null, Double, Int, Byte, Date, Text } kind = Null;
    double d = 0;
    int32_t i = 0;
    uint8_t b = 0;
    System::DateTime t;
    std::string text;
};

void boxingFloor(benchmark::State& state) {
    std::vector<std::vector<SampleCell>> sample;
    {
        auto rs = openFormations("\"_id\" <= (SELECT MIN(\"_id\") + 999 FROM \"FormationTop\")");
        for (; !rs->IsEOF(); rs->MoveNext()) {
            auto& row = sample.emplace_back();
            for (short c = 0; c < rs->GetNumFields(); ++c) {
                const System::ObjectRef v = rs->GetFieldValue(c);
                SampleCell& cell = row.emplace_back();
                if (auto* d = System::TryUnbox<double>(v)) cell.kind = SampleCell::Double, cell.d = *d;
                else if (auto* i = System::TryUnbox<int32_t>(v)) cell.kind = SampleCell::Int, cell.i = *i;
                else if (auto* b = System::TryUnbox<uint8_t>(v)) cell.kind = SampleCell::Byte, cell.b = *b;
                else if (auto* t = System::TryUnbox<System::DateTime>(v)) cell.kind = SampleCell::Date, cell.t = *t;
                else if (auto* s = System::TryUnbox<System::String>(v))
                    cell.kind = SampleCell::Text, cell.text = System::ToAnsi(*s);
            }
        }
        rs->Dispose();
    }
    if (sample.empty()) throw std::runtime_error("no rows to sample");
    int64_t total = 0;
    {
        auto st = OpenBenchProject().GetDatabase().connection().prepare("SELECT COUNT(*) FROM \"FormationTop\"");
        st->execute();
        if (st->fetch()) total = st->getInt64(0);
        st->reset();
    }
    int64_t rows = 0;
    for (auto _ : state) {
        rows = 0;
        for (int64_t r = 0; r < total; ++r, ++rows)
            for (const SampleCell& c : sample[static_cast<size_t>(r) % sample.size()]) {
                System::ObjectRef value;
                switch (c.kind) {
                case SampleCell::Null: value = System::DBNull::Value(); break;
                case SampleCell::Double: value = System::Box(c.d); break;
                case SampleCell::Int: value = System::Box(c.i); break;
                case SampleCell::Byte: value = System::Box(c.b); break;
                case SampleCell::Date: value = System::Box(c.t); break;
                case SampleCell::Text:
                    value = System::Box(System::String(std::u16string(c.text.begin(), c.text.end())));
                    break;
                }
                benchmark::DoNotOptimize(value.get());
            }
    }
    state.counters["rows"] = static_cast<double>(rows);
}

void memoryScan() { walkAll(); }

} // namespace
} // namespace tesk::bench

int main(int argc, char** argv) {
    using namespace tesk::bench;
    // The comparison script runs the same statement from Python.
    if (argc == 2 && std::string(argv[1]) == "--print-scan-sql") {
        std::puts(kScanSql);
        return 0;
    }
    benchmark::Initialize(&argc, argv);
    try {
        OpenBenchProject();
        Configure(benchmark::RegisterBenchmark("scan/managed", scanManaged));
        RegisterRawScans();
        Configure(benchmark::RegisterBenchmark("scan/boxing_floor", boxingFloor));
        benchmark::RegisterBenchmark("first_row/managed", firstRowManaged)->Unit(benchmark::kMillisecond)->UseManualTime();
        Configure(benchmark::RegisterBenchmark("edit/managed", editManaged));
        RegisterRawUpdate();
        RegisterMemoryCase("memory/managed", memoryScan);
        benchmark::RunSpecifiedBenchmarks();
    } catch (const std::exception& e) {
        std::fprintf(stderr, "tesk_bench_managed: %s\n", e.what());
        return 1;
    }
    benchmark::Shutdown();
    return 0;
}
