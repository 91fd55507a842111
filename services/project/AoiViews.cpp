#include "services/project/AoiViews.h"

#include <charconv>
#include <stdexcept>

#include "platform/db/CDatabase.h"
#include "platform/db/Transaction.h"
#include "services/project/CrsTransform.h"

namespace tesk::project {

namespace {

// The shortest text that reads back as the same double.
std::string number(double v) {
    char buffer[40];
    const auto r = std::to_chars(buffer, buffer + sizeof buffer, v);
    return std::string(buffer, r.ptr);
}

bool sameCrs(const std::string& a, const std::string& b) { return a.empty() || b.empty() || a == b; }

} // namespace

Extents ExtentsInDatabaseCrs(const AreaOfInterest& aoi, const std::string& databaseCrs) {
    Extents e{aoi.north, aoi.south, aoi.east, aoi.west};
    if (sameCrs(aoi.crs, databaseCrs)) return e;
    // A geographic box whose west bound exceeds its east bound crosses the
    // dateline; PROJ reads it that way too.
    const CrsTransform t(aoi.crs, databaseCrs);
    if (!t.Bounds(aoi.west, aoi.south, aoi.east, aoi.north, e.west, e.south, e.east, e.north))
        throw std::runtime_error("Cannot transform the extents of area of interest '" + aoi.name + "'");
    return e;
}

std::string AoiViewStatement(const AreaOfInterest& aoi, const std::string& databaseCrs) {
    const Extents e = ExtentsInDatabaseCrs(aoi, databaseCrs);
    std::string where = "\"Lat\" BETWEEN " + number(e.south) + " AND " + number(e.north) + " AND ";
    if (e.west > e.east && IsGeographicCrs(databaseCrs))
        where += "(\"Lng\" >= " + number(e.west) + " OR \"Lng\" <= " + number(e.east) + ")";
    else
        where += "\"Lng\" BETWEEN " + number(e.west) + " AND " + number(e.east);
    return "CREATE VIEW \"WellHeader_" + aoi.viewSuffix + "\" AS SELECT \"Well ID\" FROM \"WellHeader\" WHERE " +
           where;
}

void RebuildAoiViews(CDatabase& db, const Descriptor& descriptor) {
    tesk::db::Connection& c = db.connection();
    const bool pg = c.engine() == tesk::db::Engine::Odbc;
    std::vector<std::string> existing;
    {
        auto st = c.prepare(pg ? "SELECT table_name FROM information_schema.views "
                                 "WHERE table_schema = current_schema() AND table_name LIKE 'WellHeader\\_%'"
                               : "SELECT name FROM sqlite_master WHERE type = 'view' "
                                 "AND name LIKE 'WellHeader\\_%' ESCAPE '\\'");
        st->execute();
        while (st->fetch()) existing.emplace_back(st->getText(0));
        st->reset();
    }
    std::vector<std::string> statements;
    for (const std::string& v : existing) {
        std::string quoted;
        for (char ch : v) quoted += ch == '"' ? std::string("\"\"") : std::string(1, ch);
        statements.push_back("DROP VIEW IF EXISTS \"" + quoted + "\"");
    }
    for (const AreaOfInterest& a : descriptor.areas) statements.push_back(AoiViewStatement(a, descriptor.databaseCrs));

    tesk::db::RunInTransaction(c, [&] {
        for (const std::string& s : statements) c.executeScript(s);
    });
}

} // namespace tesk::project
