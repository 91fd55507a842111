// teskdp: the data provider from a shell. Opens the named record sets of a
// project through the managed library, prints them, and changes rows.

#include <cstdlib>
#include <iostream>
#include <stdexcept>

#include "Commands.h"
#include "Options.h"

namespace {

const char* kUsage = R"(usage: teskdp [--project DIR] COMMAND ...

  demo [DIR]                     create the sample project in DIR (if new) and
                                 walk one request through the provider
  read NAME [--filter SQL] [--sort SQL] [--aoi AREA] [--format table|csv|json] [--limit N]
                                 --aoi keeps the rows of AREA's wells or inside its box
  sql LABEL STATEMENT [--filter SQL] [--sort SQL] [--format ...] [--limit N]
  edit NAME --filter SQL --set COLUMN=VALUE [--set ...]
  add NAME --set COLUMN=VALUE [--set ...]
  delete NAME --filter SQL
  create-sample DIR [--wells N] [--tops N]
  project                        the project's units, coordinate systems and areas of interest
  columns NAME [--format ...]    each column's type, key, linked depth, coordinate role and unit
  survey WELL [--points | --md X | --tvd Y | --stations | --load-stations FILE.csv]
                                 the well's survey points (the default), the position at an MD,
                                 the MD at a TVD, its stations, or new stations (CSV with the
                                 header md,inclination,azimuth in degrees) written as its survey

The project is DIR given with --project, else the directory named by TESK_PROJECT.
NAME is one of the record-set names (WellHeader, Formations, Faults, ...).
VALUE NULL writes a database null; dates are YYYY-MM-DD[THH:MM:SS[.fff]].
)";

} // namespace

int main(int argc, char** argv) {
    try {
        const teskdp::Options options = teskdp::ParseOptions(
            argc, argv, {"project", "filter", "sort", "aoi", "format", "limit", "set", "wells", "tops", "md", "tvd", "load-stations"},
            {"points", "stations"});
        if (options.command.empty() || options.command == "help") {
            std::cout << kUsage;
            return options.command.empty() ? 2 : 0;
        }
        return teskdp::RunCommand(options, std::cout);
    } catch (const std::exception& e) {
        std::cerr << "teskdp: " << e.what() << '\n';
        return 1;
    }
}
