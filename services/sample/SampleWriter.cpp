#include "services/sample/SampleWriter.h"

#include <cmath>
#include <cstdio>
#include <initializer_list>

#include "platform/db/Transaction.h"
#include "services/TeskUniversalLoader/SurveyBlob.h"

namespace tesk::sample::detail {

namespace {

using tesk::db::Value;

TIMESTAMP_STRUCT stamp(const Date& d) {
    TIMESTAMP_STRUCT ts{};
    ts.year = static_cast<SQLSMALLINT>(d.year);
    ts.month = static_cast<SQLUSMALLINT>(d.month);
    ts.day = static_cast<SQLUSMALLINT>(d.day);
    ts.hour = static_cast<SQLUSMALLINT>(d.hour);
    ts.minute = static_cast<SQLUSMALLINT>(d.minute);
    ts.second = static_cast<SQLUSMALLINT>(d.second);
    return ts;
}

std::string fixed(double v, const char* format = "%lf") {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, format, v);
    return buffer;
}

Value textOrNull(const std::string& s) { return s.empty() ? Value{} : Value{s}; }

class Insert {
public:
    Insert(tesk::db::Connection& c, const std::string& sql) : m_st(c.prepare(sql)) {}
    void operator()(std::initializer_list<Value> values) {
        int i = 0;
        for (const Value& v : values) m_st->bind(i++, v);
        m_st->execute();
        ++m_rows;
    }
    int64_t rows() const { return m_rows; }

private:
    std::unique_ptr<tesk::db::Statement> m_st;
    int64_t m_rows = 0;
};

std::string insertSql(const char* table, std::initializer_list<const char*> columns) {
    std::string names, marks;
    for (const char* c : columns) {
        names += (names.empty() ? "\"" : ", \"") + std::string(c) + "\"";
        marks += marks.empty() ? "?" : ", ?";
    }
    return std::string("INSERT INTO \"") + table + "\" (" + names + ") VALUES (" + marks + ")";
}

void writeLookups(tesk::db::Connection& c, const Model& model) {
    Insert source(c, insertSql("Source", {"Source", "Parent Source", "Level", "Writable", "Description"}));
    source({std::string("Corporate"), Value{}, int64_t(0), int64_t(0), std::string("Approved corporate interpretation")});
    source({std::string("Geology"), std::string("Corporate"), int64_t(1), int64_t(1), std::string("Geology team")});
    source({std::string("Geophysics"), std::string("Corporate"), int64_t(1), int64_t(1), std::string("Geophysics team")});
    source({std::string("Geology-JD"), std::string("Geology"), int64_t(2), int64_t(1), std::string("Working picks, J. Doe")});
    source({std::string("Geology-KM"), std::string("Geology"), int64_t(2), int64_t(1), std::string("Working picks, K. Miller")});
    source({std::string("Vendor"), Value{}, int64_t(0), int64_t(0), std::string("Purchased regional tops")});

    Insert formation(c, insertSql("FormationLookup", {"Column Name", "ID", "Formation", "Sequence", "Color", "Age (Ma)",
                                                      "Description"}));
    for (const Formation& f : model.formations)
        formation({f.column, int64_t(f.id), f.name, int64_t(f.sequence), f.color, f.ageMa, f.description});

    Insert fault(c, insertSql("FaultLookup", {"ID", "Fault", "Fault Type", "Dip", "Dip Azimuth", "Color"}));
    fault({int64_t(1), std::string("Hitchcock Fault"), std::string("GROWTH"), 55.0, 150.0, std::string("#D62728")});
    fault({int64_t(2), std::string("Clear Lake Fault"), std::string("NORMAL"), 60.0, 135.0, std::string("#FF7F0E")});
    fault({int64_t(3), std::string("Alvin Fault"), std::string("NORMAL"), 62.0, 160.0, std::string("#9467BD")});
    fault({int64_t(4), std::string("Rat Island Thrust"), std::string("THRUST"), 30.0, 340.0, std::string("#1F77B4")});

    Insert keyField(c, insertSql("KeyFieldLookup", {"Table Name", "Key Field", "Lookup Table", "Lookup Key",
                                                    "Display Field", "Sort Order"}));
    keyField({std::string("FormationTop"), std::string("Formation"), std::string("FormationLookup"),
              std::string("Formation"), std::string("Description"), int64_t(1)});
    keyField({std::string("FormationTop"), std::string("Source"), std::string("Source"), std::string("Source"),
              std::string("Description"), int64_t(2)});
    keyField({std::string("FaultPick"), std::string("Fault"), std::string("FaultLookup"), std::string("Fault"),
              std::string("Fault Type"), int64_t(3)});
    keyField({std::string("FaultPick"), std::string("Source"), std::string("Source"), std::string("Source"),
              std::string("Description"), int64_t(4)});

    Insert alias(c, insertSql("FormationAlias", {"Alias", "Formation"}));
    for (const char* f : {"Fleming", "Oakville"}) alias({std::string("Miocene"), std::string(f)});
    for (const char* f : {"Catahoula", "Frio", "Vicksburg"}) alias({std::string("Oligocene"), std::string(f)});
}

void writeWells(tesk::db::Connection& c, const Model& model, SampleSummary& summary) {
    Insert well(c, insertSql("WellHeader", {"Well ID", "Well Name", "Operator", "Status", "Field", "Lng", "Lat",
                                            "Longitude", "Latitude", "Surface Z", "KB Elevation", "Total Depth",
                                            "Spud Date", "Completion Date", "Is Deviated", "Survey Points",
                                            "Remarks", "Last Modified"}));
    Insert station(c, insertSql("SurveyStation", {"Well ID", "MD", "Inclination", "Azimuth"}));
    Insert dir(c, insertSql("DirectionalSurvey",
                            {"Well ID", "Survey Company", "Survey Date", "Survey Type", "Magnetic Declination",
                             "X Offset", "Y Offset", "TVD", "BH Longitude", "BH Latitude", "Horizontal Displacement",
                             "Long/Y", "Lat/X", "Survey Text"}));
    const TIMESTAMP_STRUCT modified = stamp({2024, 3, 18, 9, 30, 0});
    for (const Well& w : model.wells) {
        well({w.id, w.name, w.operatorName, w.status, w.field, w.x, w.y, w.longitude, w.latitude,
              fixed(w.ground, "%.1f"), fixed(w.kb, "%.2f"), w.totalDepth, stamp(w.spud), stamp(w.completion),
              int64_t(w.deviated ? 1 : 0), survey::EncodeSurveyBlob(w.points, w.angles),
              w.status == "DRY" ? Value{std::string("Plugged and abandoned after drill-stem tests")} : Value{},
              modified});
        for (const survey::Station& s : w.stations) station({w.id, s.md, s.inclination, s.azimuth});
        ++summary.wells;
        summary.surveyStations += static_cast<int64_t>(w.stations.size());
        if (!w.deviated) continue;
        ++summary.deviatedWells;
        const survey::Point& bh = w.points.back();
        // Bottom hole in degrees, from the offsets in feet.
        const double metres = 0.3048;
        const double bhLat = w.latitude + bh.y * metres / 111320.0;
        double bhLon = w.longitude + bh.x * metres / (111320.0 * std::cos(w.latitude * 3.14159265358979 / 180.0));
        if (bhLon > 180) bhLon -= 360;
        if (bhLon < -180) bhLon += 360;
        Date surveyed = w.completion;
        dir({w.id, std::string(w.field == kDatelineField ? "Aleutian Wireline" : "Gulf Directional Services"),
             stamp(surveyed), std::string(w.spud.year < 1995 ? "GYRO" : "MWD"),
             w.field == kDatelineField ? 7.5 : 2.25, fixed(bh.x), fixed(bh.y), fixed(bh.tvd), fixed(bhLon),
             fixed(bhLat), fixed(std::hypot(bh.x, bh.y)), bhLon, bhLat,
             std::string("Minimum curvature; depths in feet; ") + std::to_string(w.stations.size()) + " stations"});
    }
}

void writePicks(tesk::db::Connection& c, const Model& model, int64_t topCount, SampleSummary& summary) {
    Insert top(c, insertSql("FormationTop", {"Well ID", "Formation", "Source", "Observation Number", "Top MD",
                                             "Top TVD", "Top Subsea", "Interpreter", "Quality", "Pick Date",
                                             "Remarks"}));
    const int64_t wells = static_cast<int64_t>(model.wells.size());
    for (size_t i = 0; i < model.wells.size(); ++i) {
        const Well& w = model.wells[i];
        const int64_t count = topCount <= 0 ? -1 : topCount / wells + (static_cast<int64_t>(i) < topCount % wells);
        model.ForEachTop(i, count, [&](const Top& t) {
            top({w.id, t.formation->name, t.source, int64_t(t.observation), t.md, t.tvd, t.subsea, t.interpreter,
                 int64_t(t.quality), stamp(t.pickDate), textOrNull(t.remarks)});
        });
    }
    summary.tops = top.rows();

    Insert fault(c, insertSql("FaultPick", {"Well ID", "Fault", "Source", "Obs. No.", "Top MD", "Top TVD", "Subsea",
                                            "Throw", "Interpreter", "Remarks"}));
    for (size_t i = 0; i < model.wells.size(); ++i)
        for (const FaultPick& f : model.FaultPicks(i))
            fault({model.wells[i].id, f.fault, f.source, int64_t(1), f.md, f.tvd, f.subsea, f.throwFt, f.interpreter,
                   Value{}});
    summary.faultPicks = fault.rows();
}

// Interpretation points, in degrees like the wells. Lines that reach the
// Amchitka field cross the dateline.
void writePoints(tesk::db::Connection& c, const Model& model, bool withDateline) {
    auto wrap = [](double lon) { return lon > 180 ? lon - 360 : lon; };
    const TIMESTAMP_STRUCT created = stamp({2023, 11, 2, 14, 0, 0});
    int64_t id = 1;
    Insert strat(c, insertSql("StratFieldSection", {"InterpID", "Source", "StratColumn", "Formation", "X", "Y", "Z",
                                                    "Interpreter", "Created"}));
    for (const Formation& f : model.formations) {
        const bool gulf = f.column == kGulfStratColumn;
        if (!gulf && !withDateline) continue;
        for (int k = 0; k < (gulf ? 12 : 8); ++k) {
            const double x = gulf ? -94.60 + k * 0.036 : wrap(179.80 + k * 0.05);
            const double y = gulf ? 29.60 + (k % 3) * 0.002 : 51.45;
            const double z = -(f.subsea + (gulf ? (29.82 - y + x + 94.62) * 450.0 : 0.0));
            strat({id++, std::string("Geology"), f.column, f.name, x, y, std::round(z * 10) / 10,
                   std::string(kInterpreters[k % 4]), created});
        }
    }
    id = 1;
    Insert fault(c, insertSql("FaultFieldPoint", {"InterpID", "Source", "Fault", "X", "Y", "Z", "Segment",
                                                  "Interpreter"}));
    struct Trace { const char* fault; double x0, y0, dx, dy, z0; int n; };
    std::vector<Trace> traces = {{"Hitchcock Fault", -94.60, 29.45, 0.035, 0.012, -6400, 12},
                                 {"Clear Lake Fault", -94.38, 29.40, 0.004, 0.035, -8200, 12},
                                 {"Alvin Fault", -94.55, 29.70, 0.030, -0.008, -9800, 10}};
    if (withDateline) traces.push_back({"Rat Island Thrust", 179.82, 51.40, 0.045, 0.012, -3900, 8});
    for (const Trace& t : traces)
        for (int k = 0; k < t.n; ++k)
            fault({id++, std::string(t.fault[0] == 'R' || t.fault[0] == 'A' ? "Geophysics" : "Geology"),
                   std::string(t.fault), wrap(t.x0 + k * t.dx), t.y0 + k * t.dy, t.z0 - k * 35.0, int64_t(1 + k / 6),
                   std::string(kInterpreters[k % 4])});
    id = 1;
    Insert guide(c, insertSql("SurfaceGuidingPoint", {"InterpID", "Source", "Trimmed Surface", "X", "Y", "Z",
                                                      "Weight", "Interpreter"}));
    for (int k = 0; k < 16; ++k)
        guide({id++, std::string("Geophysics"), std::string("Frio Trimmed"), -94.58 + (k % 4) * 0.11,
               29.42 + (k / 4) * 0.11, -6100.0 - k * 20.0, 1.0 + (k % 3) * 0.5, std::string("avargas")});
    if (withDateline)
        for (int k = 0; k < 6; ++k)
            guide({id++, std::string("Geophysics"), std::string("Chitka Trimmed"), wrap(179.84 + k * 0.06), 51.42,
                   -2600.0 - k * 15.0, 1.0, std::string("tnguyen")});

    Insert seq(c, insertSql("InterpIdSequence", {"Table Name", "Next ID"}));
    for (const char* table : {"StratFieldSection", "FaultFieldPoint", "SurfaceGuidingPoint"}) {
        auto st = c.prepare(std::string("SELECT COALESCE(MAX(\"InterpID\"), 0) + 1 FROM \"") + table + "\"");
        st->execute();
        const int64_t next = st->fetch() ? st->getInt64(0) : 1;
        st->reset();
        seq({std::string(table), next});
    }
}

} // namespace

SampleSummary WriteModel(tesk::db::Connection& c, const Model& model, int64_t topCount) {
    SampleSummary summary;
    summary.datelineWells = model.datelineWells;
    tesk::db::RunInTransaction(c, [&] {
        writeLookups(c, model);
        writeWells(c, model, summary);
        writePicks(c, model, topCount, summary);
        writePoints(c, model, model.datelineWells > 0);
    });
    return summary;
}

} // namespace tesk::sample::detail
