#include "services/project/ProjectDescriptor.h"

#include <cctype>
#include <stdexcept>

#include <nlohmann/json.hpp>

namespace tesk::project {

using nlohmann::json;

namespace {

[[noreturn]] void fail(const std::string& origin, const std::string& what) {
    throw std::runtime_error("Malformed project descriptor " + origin + ": " + what);
}

template <class T>
T get(const json& j, const char* key, const T& fallback, const std::string& origin, const std::string& path) {
    const auto it = j.find(key);
    if (it == j.end() || it->is_null()) return fallback;
    try {
        return it->get<T>();
    } catch (const json::exception&) {
        fail(origin, "field '" + path + key + "' has the wrong type");
    }
}

int unitCode(const json& j, const char* key, const std::string& origin) {
    const int code = get<int>(j, key, kFeet, origin, "units.");
    if (code != kFeet && code != kMetres)
        fail(origin, std::string("field 'units.") + key + "' must be 1 (feet) or 2 (metres)");
    return code;
}

double bound(const json& a, const char* key, const std::string& origin, const std::string& path) {
    const auto it = a.find(key);
    if (it == a.end() || !it->is_number()) fail(origin, "field '" + path + key + "' must be a number");
    return it->get<double>();
}

} // namespace

const AreaOfInterest* Descriptor::FindAoi(const std::string& aoiName) const {
    for (const AreaOfInterest& a : areas)
        if (a.name == aoiName) return &a;
    return nullptr;
}

std::string ViewSuffixFor(const std::string& aoiName) {
    std::string out;
    for (char c : aoiName) out += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
    return out;
}

Descriptor Descriptor::Parse(const std::string& text, const std::string& origin) {
    json j;
    try {
        j = json::parse(text);
    } catch (const json::parse_error& e) {
        fail(origin, e.what());
    }
    if (!j.is_object()) fail(origin, "the top level must be an object");

    Descriptor d;
    d.name = get<std::string>(j, "name", "", origin, "");
    d.uvo = get<bool>(j, "uvo", false, origin, "");

    if (const auto db = j.find("database"); db != j.end()) {
        if (!db->is_object()) fail(origin, "field 'database' must be an object");
        d.sqliteFile = get<std::string>(*db, "sqlite", "project.db", origin, "database.");
        d.odbcConnect = get<std::string>(*db, "odbc", "", origin, "database.");
        if (d.sqliteFile.empty() && d.odbcConnect.empty())
            fail(origin, "field 'database' names neither an SQLite file nor an ODBC connection");
    }
    if (const auto u = j.find("units"); u != j.end()) {
        if (!u->is_object()) fail(origin, "field 'units' must be an object");
        d.units.projectDepth = unitCode(*u, "projectDepth", origin);
        d.units.displayDepth = unitCode(*u, "displayDepth", origin);
        d.units.projectDistance = unitCode(*u, "projectDistance", origin);
        d.units.displayDistance = unitCode(*u, "displayDistance", origin);
    }
    if (const auto cs = j.find("coordinateSystems"); cs != j.end()) {
        if (!cs->is_object()) fail(origin, "field 'coordinateSystems' must be an object");
        d.databaseCrs = get<std::string>(*cs, "database", d.databaseCrs, origin, "coordinateSystems.");
        d.displayCrs = get<std::string>(*cs, "display", d.databaseCrs, origin, "coordinateSystems.");
    }
    if (const auto list = j.find("areasOfInterest"); list != j.end()) {
        if (!list->is_array()) fail(origin, "field 'areasOfInterest' must be an array");
        for (size_t i = 0; i < list->size(); ++i) {
            const json& a = (*list)[i];
            const std::string path = "areasOfInterest[" + std::to_string(i) + "].";
            if (!a.is_object()) fail(origin, "entry '" + path + "' must be an object");
            AreaOfInterest aoi;
            aoi.name = get<std::string>(a, "name", "", origin, path);
            if (aoi.name.empty()) fail(origin, "field '" + path + "name' is missing");
            if (d.FindAoi(aoi.name)) fail(origin, "area of interest '" + aoi.name + "' is named twice");
            aoi.viewSuffix = get<std::string>(a, "viewSuffix", ViewSuffixFor(aoi.name), origin, path);
            if (aoi.viewSuffix.find('"') != std::string::npos)
                fail(origin, "field '" + path + "viewSuffix' must not contain a double quote");
            aoi.crs = get<std::string>(a, "crs", "", origin, path);
            aoi.north = bound(a, "north", origin, path);
            aoi.south = bound(a, "south", origin, path);
            aoi.east = bound(a, "east", origin, path);
            aoi.west = bound(a, "west", origin, path);
            if (aoi.south > aoi.north) fail(origin, "field '" + path + "south' lies north of 'north'");
            d.areas.push_back(std::move(aoi));
        }
    }
    d.currentAoi = get<std::string>(j, "currentAoi", "", origin, "");
    if (const auto le = j.find("logicalExtents"); le != j.end() && !le->is_null()) {
        if (!le->is_object()) fail(origin, "field 'logicalExtents' must be an object");
        LogicalExtents& x = d.logicalExtents;
        x.set = true;
        x.crs = get<std::string>(*le, "crs", "", origin, "logicalExtents.");
        x.north = bound(*le, "north", origin, "logicalExtents.");
        x.south = bound(*le, "south", origin, "logicalExtents.");
        x.east = bound(*le, "east", origin, "logicalExtents.");
        x.west = bound(*le, "west", origin, "logicalExtents.");
        if (x.south > x.north) fail(origin, "field 'logicalExtents.south' lies north of 'north'");
    }
    if (const auto ud = j.find("userDefaults"); ud != j.end()) {
        if (!ud->is_object()) fail(origin, "field 'userDefaults' must be an object");
        d.userDefaults.activeStratColumn = get<std::string>(*ud, "activeStratColumn", "", origin, "userDefaults.");
        d.userDefaults.currentInterpreter = get<std::string>(*ud, "currentInterpreter", "", origin, "userDefaults.");
    }
    return d;
}

std::string Descriptor::ToJson() const {
    json j;
    j["name"] = name;
    j["uvo"] = uvo;
    j["database"] = IsOdbc() ? json{{"odbc", odbcConnect}} : json{{"sqlite", sqliteFile}};
    j["units"] = {{"projectDepth", units.projectDepth},
                  {"displayDepth", units.displayDepth},
                  {"projectDistance", units.projectDistance},
                  {"displayDistance", units.displayDistance}};
    j["coordinateSystems"] = {{"database", databaseCrs}, {"display", displayCrs}};
    json list = json::array();
    for (const AreaOfInterest& a : areas)
        list.push_back({{"name", a.name}, {"viewSuffix", a.viewSuffix}, {"crs", a.crs}, {"north", a.north},
                        {"south", a.south}, {"east", a.east}, {"west", a.west}});
    j["areasOfInterest"] = list;
    j["currentAoi"] = currentAoi;
    if (logicalExtents.set)
        j["logicalExtents"] = {{"crs", logicalExtents.crs}, {"north", logicalExtents.north},
                               {"south", logicalExtents.south}, {"east", logicalExtents.east},
                               {"west", logicalExtents.west}};
    j["userDefaults"] = {{"activeStratColumn", userDefaults.activeStratColumn},
                         {"currentInterpreter", userDefaults.currentInterpreter}};
    return j.dump(2) + "\n";
}

} // namespace tesk::project
