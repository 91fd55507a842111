#pragma once
// A realistic sample project for demonstrations, tests and benchmarks.
//
// Two fields: "Galveston Bay", onshore and offshore Texas, and "Amchitka", a
// few wells in the Aleutians on both sides of the 180th meridian. Positions
// are stored in geographic coordinates (database coordinate system
// EPSG:4326, "Lng"/"Lat" in degrees) so that one area of interest can cross
// the dateline; survey offsets and depths are in feet. With another database
// coordinate system the Amchitka field is left out.
//
// Wells have straight or J-shaped deviated surveys (stations every 100 ft,
// points by minimum curvature, stored as stations and as the survey blob);
// formation tops and fault picks carry TVD and subsea depths computed from
// each well's survey and KB elevation. Areas of interest: "Galveston Bay"
// (all of that field), "North Block" (its northern half), "Bay South UTM"
// (a box given in UTM zone 15N metres) and "Dateline" (across 180 degrees).

#include <cstdint>
#include <filesystem>
#include <string>

namespace tesk::sample {

struct SampleOptions {
    int wellCount = 40;  // both fields together
    // Formation tops in all; 0 gives each well the tops of the formations it
    // reaches, and a second interpretation on some of them.
    int64_t topCount = 0;
    uint32_t seed = 20240611;
    // Non-empty: the project's database is this ODBC database, whose tables
    // of ours are replaced.
    std::string odbcConnect;
    std::string databaseCrs = "EPSG:4326";
};

struct SampleSummary {
    int wells = 0;
    int deviatedWells = 0;
    int datelineWells = 0;
    int64_t tops = 0;
    int64_t faultPicks = 0;
    int64_t surveyStations = 0;
};

// Creates the project in `dir` (which must not hold one) and makes it the
// current project.
SampleSummary CreateSampleProject(const std::filesystem::path& dir, const SampleOptions& options = {});

// Names the tests rely on.
inline constexpr const char* kGulfField = "Galveston Bay";
inline constexpr const char* kDatelineField = "Amchitka";
inline constexpr const char* kGulfStratColumn = "Gulf Coast";
inline constexpr const char* kAleutianStratColumn = "Aleutian";

} // namespace tesk::sample
