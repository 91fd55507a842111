#include "services/project/Schema.h"

#include <utility>

#include "platform/db/CDatabase.h"
#include "platform/db/Transaction.h"

namespace tesk::project {

namespace {

// Each table is written once; the engine decides a few tokens:
//   @KEY@   the "_id" key and the "_rowver" column
//   @BLOB@  the binary type
// Declared types are otherwise the same on both engines, so that both describe
// the columns alike (REAL is single precision, DOUBLE PRECISION double).
struct TableDef {
    const char* name;
    const char* columns;
};

const TableDef kTables[] = {
    {table::kWell, R"SQL(
  @KEY@,
  "Well ID" VARCHAR(40) NOT NULL UNIQUE,
  "Well Name" VARCHAR(80) NOT NULL,
  "Operator" VARCHAR(80),
  "Status" VARCHAR(20) NOT NULL DEFAULT 'PLANNED'
    CHECK ("Status" IN ('PLANNED', 'DRILLING', 'PRODUCING', 'SHUT-IN', 'ABANDONED', 'DRY')),
  "Field" VARCHAR(60),
  "Lng" DOUBLE PRECISION NOT NULL,
  "Lat" DOUBLE PRECISION NOT NULL,
  "Longitude" DOUBLE PRECISION CHECK ("Longitude" BETWEEN -180 AND 180),
  "Latitude" DOUBLE PRECISION CHECK ("Latitude" BETWEEN -90 AND 90),
  "Surface Z" VARCHAR(20),
  "KB Elevation" NUMERIC(10,2),
  "Total Depth" DOUBLE PRECISION CHECK ("Total Depth" >= 0),
  "Spud Date" TIMESTAMP,
  "Completion Date" TIMESTAMP,
  "Is Deviated" INTEGER NOT NULL DEFAULT 0 CHECK ("Is Deviated" IN (-1, 0, 1)),
  "Survey Points" @BLOB@,
  "Remarks" TEXT,
  "Last Modified" TIMESTAMP)SQL"},
    {table::kSource, R"SQL(
  @KEY@,
  "Source" VARCHAR(40) NOT NULL UNIQUE,
  "Parent Source" VARCHAR(40) REFERENCES "Source" ("Source") ON UPDATE CASCADE,
  "Level" SMALLINT NOT NULL DEFAULT 0 CHECK ("Level" >= 0),
  "Writable" INTEGER NOT NULL DEFAULT 1 CHECK ("Writable" IN (-1, 0, 1)),
  "Description" TEXT)SQL"},
    {table::kFormationTop, R"SQL(
  @KEY@,
  "Well ID" VARCHAR(40) NOT NULL REFERENCES "WellHeader" ("Well ID") ON UPDATE CASCADE ON DELETE CASCADE,
  "Formation" VARCHAR(60) NOT NULL,
  "Source" VARCHAR(40) NOT NULL REFERENCES "Source" ("Source") ON UPDATE CASCADE,
  "Observation Number" INTEGER NOT NULL DEFAULT 1 CHECK ("Observation Number" >= 1),
  "Top MD" DOUBLE PRECISION,
  "Top TVD" DOUBLE PRECISION,
  "Top Subsea" DOUBLE PRECISION,
  "Interpreter" VARCHAR(32),
  "Quality" SMALLINT CHECK ("Quality" BETWEEN 0 AND 255),
  "Pick Date" TIMESTAMP,
  "Remarks" TEXT,
  UNIQUE ("Well ID", "Formation", "Source", "Observation Number"))SQL"},
    {table::kDirectionalSurvey, R"SQL(
  @KEY@,
  "Well ID" VARCHAR(40) NOT NULL UNIQUE REFERENCES "WellHeader" ("Well ID") ON UPDATE CASCADE ON DELETE CASCADE,
  "Survey Company" VARCHAR(60),
  "Survey Date" TIMESTAMP,
  "Survey Type" VARCHAR(20) CHECK ("Survey Type" IN ('GYRO', 'MWD', 'MAGNETIC', 'INCLINOMETER', 'STRAIGHT')),
  "Magnetic Declination" REAL CHECK ("Magnetic Declination" BETWEEN -180 AND 180),
  "X Offset" VARCHAR(32),
  "Y Offset" VARCHAR(32),
  "TVD" VARCHAR(32),
  "BH Longitude" VARCHAR(32),
  "BH Latitude" VARCHAR(32),
  "Horizontal Displacement" VARCHAR(32),
  "Long/Y" DOUBLE PRECISION,
  "Lat/X" DOUBLE PRECISION,
  "Survey Text" TEXT)SQL"},
    {table::kSurveyStation, R"SQL(
  @KEY@,
  "Well ID" VARCHAR(40) NOT NULL REFERENCES "WellHeader" ("Well ID") ON UPDATE CASCADE ON DELETE CASCADE,
  "MD" DOUBLE PRECISION NOT NULL CHECK ("MD" >= 0),
  "Inclination" DOUBLE PRECISION NOT NULL CHECK ("Inclination" BETWEEN 0 AND 180),
  "Azimuth" DOUBLE PRECISION NOT NULL CHECK ("Azimuth" >= 0 AND "Azimuth" < 360),
  "Display X" DOUBLE PRECISION,
  "Display Y" DOUBLE PRECISION,
  UNIQUE ("Well ID", "MD"))SQL"},
    {table::kFaultPick, R"SQL(
  @KEY@,
  "Well ID" VARCHAR(40) NOT NULL REFERENCES "WellHeader" ("Well ID") ON UPDATE CASCADE ON DELETE CASCADE,
  "Fault" VARCHAR(60) NOT NULL,
  "Source" VARCHAR(40) NOT NULL REFERENCES "Source" ("Source") ON UPDATE CASCADE,
  "Obs. No." INTEGER NOT NULL DEFAULT 1 CHECK ("Obs. No." >= 1),
  "Top MD" DOUBLE PRECISION,
  "Top TVD" DOUBLE PRECISION,
  "Subsea" DOUBLE PRECISION,
  "Throw" DOUBLE PRECISION,
  "Interpreter" VARCHAR(32),
  "Remarks" TEXT,
  UNIQUE ("Well ID", "Fault", "Source", "Obs. No."))SQL"},
    {table::kFormationLookup, R"SQL(
  @KEY@,
  "Column Name" VARCHAR(60) NOT NULL,
  "ID" INTEGER NOT NULL,
  "Formation" VARCHAR(60) NOT NULL,
  "Sequence" INTEGER NOT NULL,
  "Color" VARCHAR(9),
  "Age (Ma)" DOUBLE PRECISION,
  "Description" TEXT,
  UNIQUE ("Column Name", "ID"),
  UNIQUE ("Column Name", "Formation"))SQL"},
    {table::kFaultLookup, R"SQL(
  @KEY@,
  "ID" INTEGER NOT NULL UNIQUE,
  "Fault" VARCHAR(60) NOT NULL UNIQUE,
  "Fault Type" VARCHAR(20) CHECK ("Fault Type" IN ('NORMAL', 'REVERSE', 'THRUST', 'STRIKE-SLIP', 'GROWTH')),
  "Dip" REAL CHECK ("Dip" BETWEEN 0 AND 90),
  "Dip Azimuth" REAL CHECK ("Dip Azimuth" >= 0 AND "Dip Azimuth" < 360),
  "Color" VARCHAR(9))SQL"},
    {table::kStratFieldSection, R"SQL(
  @KEY@,
  "InterpID" INTEGER NOT NULL,
  "Source" VARCHAR(40) NOT NULL REFERENCES "Source" ("Source") ON UPDATE CASCADE,
  "StratColumn" VARCHAR(60) NOT NULL,
  "Formation" VARCHAR(60) NOT NULL,
  "X" DOUBLE PRECISION NOT NULL,
  "Y" DOUBLE PRECISION NOT NULL,
  "Z" DOUBLE PRECISION,
  "Interpreter" VARCHAR(32),
  "Created" TIMESTAMP,
  UNIQUE ("InterpID", "Source", "StratColumn", "Formation"))SQL"},
    {table::kFaultFieldPoint, R"SQL(
  @KEY@,
  "InterpID" INTEGER NOT NULL,
  "Source" VARCHAR(40) NOT NULL REFERENCES "Source" ("Source") ON UPDATE CASCADE,
  "Fault" VARCHAR(60) NOT NULL,
  "X" DOUBLE PRECISION NOT NULL,
  "Y" DOUBLE PRECISION NOT NULL,
  "Z" DOUBLE PRECISION,
  "Segment" INTEGER NOT NULL DEFAULT 1,
  "Interpreter" VARCHAR(32),
  UNIQUE ("InterpID", "Source", "Fault"))SQL"},
    {table::kSurfaceGuidingPoint, R"SQL(
  @KEY@,
  "InterpID" INTEGER NOT NULL,
  "Source" VARCHAR(40) NOT NULL REFERENCES "Source" ("Source") ON UPDATE CASCADE,
  "Trimmed Surface" VARCHAR(60) NOT NULL,
  "X" DOUBLE PRECISION NOT NULL,
  "Y" DOUBLE PRECISION NOT NULL,
  "Z" DOUBLE PRECISION,
  "Weight" REAL NOT NULL DEFAULT 1 CHECK ("Weight" > 0),
  "Interpreter" VARCHAR(32),
  UNIQUE ("InterpID", "Source", "Trimmed Surface"))SQL"},
    {table::kKeyFieldLookup, R"SQL(
  @KEY@,
  "Table Name" VARCHAR(60) NOT NULL,
  "Key Field" VARCHAR(60) NOT NULL,
  "Lookup Table" VARCHAR(60) NOT NULL,
  "Lookup Key" VARCHAR(60) NOT NULL,
  "Display Field" VARCHAR(60),
  "Sort Order" INTEGER NOT NULL DEFAULT 0,
  UNIQUE ("Table Name", "Key Field"))SQL"},
    {table::kInterpIdSequence, R"SQL(
  @KEY@,
  "Table Name" VARCHAR(60) NOT NULL UNIQUE,
  "Next ID" INTEGER NOT NULL DEFAULT 1 CHECK ("Next ID" >= 1))SQL"},
    {table::kFormationAlias, R"SQL(
  @KEY@,
  "Alias" VARCHAR(60) NOT NULL,
  "Formation" VARCHAR(60) NOT NULL,
  UNIQUE ("Alias", "Formation"))SQL"},
    // What a unit category measures decides its unit: depths and elevations
    // take the depth unit, distances the distance unit, map coordinates the
    // unit of the coordinate system's axes; geographic coordinates have none.
    {table::kUnitCategory, R"SQL(
  @KEY@,
  "Category" VARCHAR(40) NOT NULL UNIQUE,
  "Quantity" VARCHAR(24) NOT NULL
    CHECK ("Quantity" IN ('DEPTH', 'DISTANCE', 'MAP COORDINATE', 'GEOGRAPHIC COORDINATE')),
  "Description" TEXT)SQL"},
    // The unit category of a field, by the record-set name a client opens.
    {table::kFieldUnitCategory, R"SQL(
  @KEY@,
  "Record Set" VARCHAR(60) NOT NULL,
  "Field" VARCHAR(60) NOT NULL,
  "Category" VARCHAR(40) NOT NULL REFERENCES "UnitCategory" ("Category") ON UPDATE CASCADE,
  UNIQUE ("Record Set", "Field"))SQL"},
};

const char* kUnitCategories[][3] = {
    {"Measured Depth", "DEPTH", "Depth along the wellbore from the kelly bushing"},
    {"Vertical Depth", "DEPTH", "True vertical depth below the kelly bushing, or below sea level"},
    {"Elevation", "DEPTH", "Height above sea level"},
    {"Distance", "DISTANCE", "Horizontal distances and offsets"},
    {"Map Coordinate", "MAP COORDINATE", "A position in the database coordinate system"},
    {"Geographic Coordinate", "GEOGRAPHIC COORDINATE", "A longitude or latitude in degrees"},
};

struct FieldCategories {
    std::vector<const char*> recordSets;
    std::vector<std::pair<const char*, const char*>> fields;  // field, category
};

const FieldCategories kFieldCategories[] = {
    {{"WellHeader"},
     {{"Lng", "Map Coordinate"},
      {"Lat", "Map Coordinate"},
      {"Longitude", "Geographic Coordinate"},
      {"Latitude", "Geographic Coordinate"},
      {"Surface Z", "Elevation"},
      {"KB Elevation", "Elevation"},
      {"Total Depth", "Measured Depth"}}},
    {{"Formations", "OrderedFormations"},
     {{"Top MD", "Measured Depth"}, {"Top TVD", "Vertical Depth"}, {"Top Subsea", "Vertical Depth"}}},
    {{"Faults"},
     {{"Top MD", "Measured Depth"},
      {"Top TVD", "Vertical Depth"},
      {"Subsea", "Vertical Depth"},
      {"Throw", "Distance"}}},
    {{"WellSurveys"},
     {{"X Offset", "Distance"},
      {"Y Offset", "Distance"},
      {"TVD", "Vertical Depth"},
      {"BH Longitude", "Geographic Coordinate"},
      {"BH Latitude", "Geographic Coordinate"},
      {"Horizontal Displacement", "Distance"},
      {"Long/Y", "Map Coordinate"},
      {"Lat/X", "Map Coordinate"}}},
    {{"TeskStratFieldSection", "TeskFaultFieldPt", "TeskSurfGuidingPts"},
     {{"X", "Map Coordinate"}, {"Y", "Map Coordinate"}, {"Z", "Elevation"}}},
};

std::string quoted(const char* text) {
    std::string out = "'";
    for (const char* c = text; *c; ++c) out += *c == '\'' ? std::string("''") : std::string(1, *c);
    return out + "'";
}

const char* kIndexes[] = {
    R"(CREATE INDEX "FaultPick_Well" ON "FaultPick" ("Well ID"))",
    R"(CREATE INDEX "SurveyStation_Well" ON "SurveyStation" ("Well ID", "MD"))",
    R"(CREATE INDEX "WellHeader_Position" ON "WellHeader" ("Lat", "Lng"))",
    R"(CREATE INDEX "StratFieldSection_XY" ON "StratFieldSection" ("Y", "X"))",
    R"(CREATE INDEX "FaultFieldPoint_XY" ON "FaultFieldPoint" ("Y", "X"))",
    R"(CREATE INDEX "SurfaceGuidingPoint_XY" ON "SurfaceGuidingPoint" ("Y", "X"))",
};

// Sources in use by tops or fault picks. Without a key it is read-only.
const char* kDistinctSourceView = R"(CREATE VIEW "DistinctSource" AS
  SELECT "Source", "Description" FROM "Source"
  WHERE "Source" IN (SELECT "Source" FROM "FormationTop" UNION SELECT "Source" FROM "FaultPick"))";

std::string replaceAll(std::string text, const std::string& token, const std::string& with) {
    for (size_t at = text.find(token); at != std::string::npos; at = text.find(token, at + with.size()))
        text.replace(at, token.size(), with);
    return text;
}

std::string rowVersionTrigger(const std::string& t, bool pg) {
    if (pg)
        return "CREATE TRIGGER \"" + t + "_rowver\" BEFORE UPDATE ON \"" + t +
               "\" FOR EACH ROW EXECUTE FUNCTION tesk_raise_rowver()";
    return "CREATE TRIGGER \"" + t + "_rowver\" AFTER UPDATE ON \"" + t +
           "\" FOR EACH ROW WHEN NEW.\"_rowver\" = OLD.\"_rowver\" BEGIN UPDATE \"" + t +
           "\" SET \"_rowver\" = OLD.\"_rowver\" + 1 WHERE \"_id\" = NEW.\"_id\"; END";
}

} // namespace

std::vector<std::string> SchemaStatements(tesk::db::Engine engine) {
    const bool pg = engine == tesk::db::Engine::Odbc;
    const std::string key = pg ? "\"_id\" BIGSERIAL PRIMARY KEY,\n  \"_rowver\" INTEGER NOT NULL DEFAULT 0"
                               : "\"_id\" INTEGER PRIMARY KEY,\n  \"_rowver\" INTEGER NOT NULL DEFAULT 0";
    const std::string blob = pg ? "BYTEA" : "BLOB";

    std::vector<std::string> out;
    if (pg) {
        // Dropping a table drops the views over it, the area-of-interest views too.
        for (auto it = std::rbegin(kTables); it != std::rend(kTables); ++it)
            out.push_back(std::string("DROP TABLE IF EXISTS \"") + it->name + "\" CASCADE");
        out.push_back(
            "CREATE OR REPLACE FUNCTION tesk_raise_rowver() RETURNS trigger LANGUAGE plpgsql AS $$\n"
            "BEGIN\n"
            "  IF NEW.\"_rowver\" = OLD.\"_rowver\" THEN NEW.\"_rowver\" := OLD.\"_rowver\" + 1; END IF;\n"
            "  RETURN NEW;\n"
            "END $$");
    }
    for (const TableDef& t : kTables) {
        std::string cols = replaceAll(replaceAll(t.columns, "@KEY@", key), "@BLOB@", blob);
        out.push_back(std::string("CREATE TABLE \"") + t.name + "\" (" + cols + ")");
        out.push_back(rowVersionTrigger(t.name, pg));
    }
    for (const char* index : kIndexes) out.emplace_back(index);
    if (pg) {
        // An area-of-interest box names the point tables' coordinates bare
        // (X BETWEEN ...), which PostgreSQL folds to lower case: these tables
        // carry lower-case copies of "X" and "Y" that the database keeps equal.
        for (const char* t : {"StratFieldSection", "FaultFieldPoint", "SurfaceGuidingPoint"}) {
            out.push_back(std::string("ALTER TABLE \"") + t +
                          "\" ADD COLUMN x DOUBLE PRECISION GENERATED ALWAYS AS (\"X\") STORED,"
                          " ADD COLUMN y DOUBLE PRECISION GENERATED ALWAYS AS (\"Y\") STORED");
            out.push_back(std::string("CREATE INDEX \"") + t + "_xy\" ON \"" + t + "\" (y, x)");
        }
    }
    out.emplace_back(kDistinctSourceView);
    for (const auto& c : kUnitCategories)
        out.push_back("INSERT INTO \"UnitCategory\" (\"Category\", \"Quantity\", \"Description\") VALUES (" +
                      quoted(c[0]) + ", " + quoted(c[1]) + ", " + quoted(c[2]) + ")");
    for (const FieldCategories& g : kFieldCategories)
        for (const char* rs : g.recordSets)
            for (const auto& [field, category] : g.fields)
                out.push_back("INSERT INTO \"FieldUnitCategory\" (\"Record Set\", \"Field\", \"Category\") VALUES (" +
                              quoted(rs) + ", " + quoted(field) + ", " + quoted(category) + ")");
    return out;
}

void CreateSchema(CDatabase& db) {
    tesk::db::Connection& c = db.connection();
    tesk::db::RunInTransaction(c, [&] {
        for (const std::string& s : SchemaStatements(c.engine())) c.executeScript(s);
    });
}

} // namespace tesk::project
