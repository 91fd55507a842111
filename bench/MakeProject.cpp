// tesk_bench_make_project DIR [--wells N] [--tops N] [--odbc CONNECT]
// Writes the benchmark project: the sample project at benchmark size, with no
// current area of interest, so that every flavour reads every row.

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string>

#include "services/project/CTeskProject.h"
#include "services/sample/SampleProject.h"

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s DIR [--wells N] [--tops N] [--odbc CONNECT]\n", argv[0]);
        return 2;
    }
    tesk::sample::SampleOptions options;
    options.wellCount = 3000;
    options.topCount = 1000000;
    for (int i = 2; i + 1 < argc; i += 2) {
        const std::string name = argv[i], value = argv[i + 1];
        if (name == "--wells") options.wellCount = std::stoi(value);
        else if (name == "--tops") options.topCount = std::stoll(value);
        else if (name == "--odbc") options.odbcConnect = value;
        else {
            std::fprintf(stderr, "unknown option %s\n", name.c_str());
            return 2;
        }
    }
    try {
        const tesk::sample::SampleSummary s = tesk::sample::CreateSampleProject(argv[1], options);
        CTeskProject& project = CTeskProject::Current();
        tesk::project::Descriptor d = project.GetDescriptor();
        d.currentAoi.clear();
        project.SaveDescriptor(d);
        // Fresh statistics, so both the record sets and the baselines meet a settled database.
        project.GetDatabase().ExecuteSQL("ANALYZE");
        std::printf("%d wells (%d deviated), %lld formation tops, %lld survey stations\n", s.wells,
                    s.deviatedWells, static_cast<long long>(s.tops), static_cast<long long>(s.surveyStations));
    } catch (const std::exception& e) {
        std::fprintf(stderr, "tesk_bench_make_project: %s\n", e.what());
        return 1;
    }
    return 0;
}
