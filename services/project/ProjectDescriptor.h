#pragma once
// The project descriptor, project.json: what the project is called, where its
// database is, its units, coordinate systems, areas of interest and user
// defaults.
//
//   {
//     "name": "Gulf Coast Sample",
//     "uvo": false,
//     "database": { "sqlite": "project.db" }        or { "odbc": "Driver=...;Server=..." },
//     "units": { "projectDepth": 1, "displayDepth": 1, "projectDistance": 1, "displayDistance": 1 },
//     "coordinateSystems": { "database": "EPSG:4326", "display": "EPSG:32615" },
//     "areasOfInterest": [ { "name": "North Block", "viewSuffix": "NorthBlock", "crs": "EPSG:4326",
//                            "north": 29.8, "south": 29.6, "east": -94.2, "west": -94.6 } ],
//     "currentAoi": "North Block",
//     "logicalExtents": { "crs": "EPSG:32615", "north": 3303000, "south": 3247000, "east": 389000, "west": 339000 },
//     "userDefaults": { "activeStratColumn": "Gulf Coast", "currentInterpreter": "jdoe" }
//   }
//
// Unit codes: 1 feet, 2 metres. An area of interest whose west bound is
// greater than its east bound, in a geographic coordinate system, crosses
// the 180th meridian. The logical extents are the project's map window; a
// project without them takes the box of its wells. An empty "crs" of an area
// or of the logical extents means the database's.

#include <string>
#include <vector>

namespace tesk::project {

enum UnitCode : int { kFeet = 1, kMetres = 2 };

struct Units {
    int projectDepth = kFeet;
    int displayDepth = kFeet;
    int projectDistance = kFeet;
    int displayDistance = kFeet;
};

struct AreaOfInterest {
    std::string name;
    std::string viewSuffix;  // the view is "WellHeader_" + viewSuffix
    std::string crs;         // the extents' coordinate system; empty: the database's
    double north = 0, south = 0, east = 0, west = 0;
};

struct LogicalExtents {
    bool set = false;  // false: not in the descriptor
    std::string crs;
    double north = 0, south = 0, east = 0, west = 0;
};

struct UserDefaults {
    std::string activeStratColumn;
    std::string currentInterpreter;
};

struct Descriptor {
    std::string name;
    bool uvo = false;
    std::string sqliteFile = "project.db";  // relative to the project directory
    std::string odbcConnect;                // non-empty: the project lives on an ODBC server
    Units units;
    std::string databaseCrs = "EPSG:4326";
    std::string displayCrs = "EPSG:4326";
    std::vector<AreaOfInterest> areas;
    std::string currentAoi;
    LogicalExtents logicalExtents;
    UserDefaults userDefaults;

    bool IsOdbc() const { return !odbcConnect.empty(); }
    const AreaOfInterest* FindAoi(const std::string& name) const;

    // Raises std::runtime_error naming `origin` and the offending field.
    static Descriptor Parse(const std::string& text, const std::string& origin);
    std::string ToJson() const;
};

// A view suffix made from an area-of-interest name: letters and digits kept,
// anything else becomes '_'.
std::string ViewSuffixFor(const std::string& aoiName);

} // namespace tesk::project
