#include <algorithm>
#include <cmath>
#include <cstdio>

#include "services/sample/SampleModel.h"

namespace tesk::sample::detail {

const char* const kInterpreters[4] = {"jdoe", "kmiller", "avargas", "tnguyen"};

double Uniform(std::mt19937& rng, double lo, double hi) {
    return lo + (hi - lo) * (static_cast<double>(rng()) / 4294967296.0);
}

namespace {

const char* const kLeases[] = {"Bayou Vista", "Smith Point", "Eagle Point", "Tabbs Bay", "Redfish Reef",
                               "Trinity Shoal", "Dollar Point", "Moses Lake", "April Fool", "Hitchcock"};
const char* const kOperators[] = {"Coastal Plains Energy", "Bayshore Petroleum", "Trinity Exploration",
                                  "Lone Star Offshore"};
const char* const kStatuses[] = {"PRODUCING", "PRODUCING", "SHUT-IN", "ABANDONED", "DRY", "DRILLING"};

struct FormationSeed {
    const char* name;
    const char* color;
    double age, subsea;
};

// Upper Texas coast, youngest first; subsea depths at the field's centre.
const FormationSeed kGulfColumn[] = {
    {"Beaumont", "#F5E6A8", 0.1, 300},     {"Lissie", "#EED98C", 0.9, 900},
    {"Willis", "#E6C86E", 2.5, 1600},      {"Goliad", "#DDB65A", 5.0, 2400},
    {"Fleming", "#D4A24A", 12.0, 3300},    {"Oakville", "#C98E3E", 20.0, 4300},
    {"Catahoula", "#BB7A35", 25.0, 5200},  {"Frio", "#AC652E", 30.0, 6100},
    {"Vicksburg", "#9C5228", 33.0, 7000},  {"Jackson", "#8B4223", 36.0, 7800},
    {"Yegua", "#7A341F", 40.0, 8600},      {"Cook Mountain", "#6A291B", 44.0, 9400},
    {"Wilcox", "#5A2018", 55.0, 10300},    {"Midway", "#4A1915", 62.0, 11100},
};

const FormationSeed kAleutianColumn[] = {
    {"Amchitka Volcanics", "#8FA3B8", 1.0, 800},
    {"Chitka Point", "#7B90A8", 12.0, 2600},
    {"Banjo Point", "#687E97", 30.0, 4700},
    {"Amchitka Basement", "#556B86", 50.0, 6500},
};

constexpr double kGulfWest = -94.62, kGulfEast = -94.18, kGulfSouth = 29.38, kGulfNorth = 29.82;
constexpr double kDatelineWest = 179.78, kDatelineEast = -179.82, kDatelineSouth = 51.36, kDatelineNorth = 51.56;

double round2(double v) { return std::round(v * 100.0) / 100.0; }

} // namespace

Model::Model(const SampleOptions& options, bool geographic) : m_rng(options.seed) {
    int id = 1;
    for (size_t i = 0; i < std::size(kGulfColumn); ++i, ++id)
        formations.push_back({kGulfStratColumn, id, kGulfColumn[i].name, static_cast<int>(i + 1), kGulfColumn[i].color,
                              kGulfColumn[i].age, kGulfColumn[i].subsea,
                              std::string(kGulfColumn[i].name) + " Formation, upper Texas Gulf Coast"});
    for (size_t i = 0; i < std::size(kAleutianColumn); ++i, ++id)
        formations.push_back({kAleutianStratColumn, id, kAleutianColumn[i].name, static_cast<int>(i + 1),
                              kAleutianColumn[i].color, kAleutianColumn[i].age, kAleutianColumn[i].subsea,
                              std::string(kAleutianColumn[i].name) + ", Rat Islands"});
    for (const Formation& f : formations)
        (f.column == kGulfStratColumn ? m_gulf : m_aleutian).push_back(&f);

    const int total = std::max(1, options.wellCount);
    datelineWells = geographic && total >= 5 ? std::min(12, std::max(2, total / 8)) : 0;
    wells.reserve(static_cast<size_t>(total));
    for (int i = 0; i < total; ++i) makeWell(i, i >= total - datelineWells ? i - (total - datelineWells) : -1);
}

const std::vector<const Formation*>& Model::ColumnOf(const Well& w) const {
    return w.stratColumn == kGulfStratColumn ? m_gulf : m_aleutian;
}

void Model::makeWell(int index, int datelineIndex) {
    const bool dateline = datelineIndex >= 0;
    Well w;
    char buffer[64];
    if (dateline) {
        const int n = datelineIndex;
        std::snprintf(buffer, sizeof buffer, "50-000-%05d", 20001 + n);
        w.id = buffer;
        w.name = "Amchitka Pass " + std::to_string(n + 1);
        w.operatorName = "Aleutian Basin Partners";
        w.field = kDatelineField;
        w.stratColumn = kAleutianStratColumn;
        // Alternately west and east of the meridian.
        w.longitude = n % 2 == 0 ? Uniform(m_rng, kDatelineWest + 0.02, 179.98)
                                 : Uniform(m_rng, -179.98, kDatelineEast - 0.02);
        w.latitude = Uniform(m_rng, kDatelineSouth + 0.02, kDatelineNorth - 0.02);
        w.kb = round2(Uniform(m_rng, 60, 140));
    } else {
        std::snprintf(buffer, sizeof buffer, "42-167-%05d", 30001 + index);
        w.id = buffer;
        w.name = std::string(kLeases[index % std::size(kLeases)]) + " " + std::to_string(index / 10 + 1);
        w.operatorName = kOperators[(index / 3) % std::size(kOperators)];
        w.field = kGulfField;
        w.stratColumn = kGulfStratColumn;
        w.longitude = Uniform(m_rng, kGulfWest + 0.01, kGulfEast - 0.01);
        w.latitude = Uniform(m_rng, kGulfSouth + 0.01, kGulfNorth - 0.01);
        w.kb = round2(Uniform(m_rng, 18, 95));
    }
    w.status = kStatuses[m_rng() % std::size(kStatuses)];
    w.ground = std::round((w.kb - Uniform(m_rng, 12, 28)) * 10.0) / 10.0;
    // Beds deepen to the south-east, about 400 ft across the field.
    w.dip = dateline ? 0 : ((kGulfNorth - w.latitude) + (w.longitude - kGulfWest)) * 450.0;
    const auto& column = dateline ? m_aleutian : m_gulf;
    w.totalDepth = std::round(column.back()->subsea + w.dip + w.kb + Uniform(m_rng, 400, 900));

    w.spud = {static_cast<int>(1975 + m_rng() % 46), static_cast<int>(1 + m_rng() % 12),
              static_cast<int>(1 + m_rng() % 28), static_cast<int>(6 + m_rng() % 12), 0, 0};
    w.completion = w.spud;
    w.completion.day = std::min(28, w.spud.day + 10);
    w.completion.month = w.spud.month % 12 + 1;
    if (w.completion.month == 1) ++w.completion.year;

    w.deviated = m_rng() % 5 < 3;
    if (w.deviated) {
        // J-shaped: vertical to the kick-off point, build, then hold to TD.
        const double kop = std::round(Uniform(m_rng, 1500, 5000) / 100.0) * 100.0;
        const double build = Uniform(m_rng, 2.0, 3.0);  // degrees per 100 ft
        const double hold = Uniform(m_rng, 15.0, 55.0);
        const double azimuth = std::floor(Uniform(m_rng, 0, 360) * 10.0) / 10.0;
        // Along the hole the TD is longer than vertically.
        const double mdTotal = std::round(kop + (w.totalDepth - kop) / std::cos(hold * 3.14159265358979 / 180.0));
        for (double md = 0; md < mdTotal + 100; md += 100) {
            const double at = std::min(md, mdTotal);
            const double inc = at <= kop ? 0.0 : std::min(hold, (at - kop) / 100.0 * build);
            w.stations.push_back({at, std::round(inc * 100.0) / 100.0, inc > 0 ? azimuth : 0.0});
            if (at == mdTotal) break;
        }
        survey::SurveyPath path(w.stations);
        w.points = path.points();
        for (const survey::Station& s : path.stations()) w.angles.push_back({s.inclination, s.azimuth});
        w.totalDepth = w.points.back().tvd;  // the total depth is vertical
    } else {
        w.stations = {{0, 0, 0}, {w.totalDepth, 0, 0}};
        w.points = survey::StraightHolePoints(w.totalDepth);
        w.angles.assign(w.points.size(), survey::PointAngles{});
    }
    wells.push_back(std::move(w));
}

void Model::ForEachTop(size_t wellIndex, int64_t count, const std::function<void(const Top&)>& emit) const {
    const Well& w = wells[wellIndex];
    const auto& column = ColumnOf(w);
    const survey::SurveyPath path(w.stations);
    static const char* const kSources[] = {"Geology", "Vendor", "Geology-JD", "Geology-KM"};
    std::mt19937 rng(static_cast<uint32_t>(wellIndex * 7919 + 17));

    std::vector<double> baseMd(column.size(), -1.0);
    for (size_t f = 0; f < column.size(); ++f) {
        const double tvd = column[f]->subsea + w.dip + w.kb;
        double md = 0;
        if (path.MdAtTvd(tvd, md)) baseMd[f] = md;
    }
    auto makeTop = [&](size_t f, int source, int observation) {
        Top t;
        t.formation = column[f];
        t.source = kSources[source];
        t.observation = observation;
        // Interpretations differ by a few feet along the hole.
        const double shift = (source == 0 && observation == 1) ? 0.0 : Uniform(rng, -12.0, 12.0);
        const double maxMd = path.points().back().md;
        const double md = std::clamp(baseMd[f] + shift, 0.0, maxMd);
        survey::Point p;
        path.AtMd(md, p);
        t.md = std::round(md * 10.0) / 10.0;
        path.AtMd(t.md, p);
        t.tvd = std::round(p.tvd * 100.0) / 100.0;
        t.subsea = std::round((p.tvd - w.kb) * 100.0) / 100.0;
        t.interpreter = kInterpreters[(f + static_cast<size_t>(source)) % 4];
        t.quality = static_cast<int>(50 + rng() % 206);
        t.pickDate = {static_cast<int>(2005 + rng() % 19), static_cast<int>(1 + rng() % 12),
                      static_cast<int>(1 + rng() % 28), static_cast<int>(8 + rng() % 9),
                      static_cast<int>(rng() % 60), 0};
        if (rng() % 7 == 0) t.remarks = "Picked on the gamma-ray log; " + std::string(source ? "revised" : "original");
        emit(t);
    };

    std::vector<size_t> reached;
    for (size_t f = 0; f < column.size(); ++f)
        if (baseMd[f] >= 0) reached.push_back(f);
    if (reached.empty()) return;

    if (count < 0) {
        for (size_t f : reached) makeTop(f, 0, 1);
        if (wellIndex % 4 == 1)
            for (size_t n = 0; n < std::min<size_t>(3, reached.size()); ++n) makeTop(reached[n], 1, 1);
        if (wellIndex % 5 == 2) makeTop(reached.back(), 0, 2);
        return;
    }
    const int64_t perObservation = static_cast<int64_t>(reached.size()) * 4;
    for (int64_t k = 0; k < count; ++k)
        makeTop(reached[static_cast<size_t>(k % static_cast<int64_t>(reached.size()))],
                static_cast<int>((k / static_cast<int64_t>(reached.size())) % 4),
                static_cast<int>(k / perObservation) + 1);
}

std::vector<FaultPick> Model::FaultPicks(size_t wellIndex) const {
    const Well& w = wells[wellIndex];
    std::vector<FaultPick> out;
    const survey::SurveyPath path(w.stations);
    auto pick = [&](const char* fault, const char* source, double subsea, double throwFt, const char* who) {
        double md = 0;
        if (!path.MdAtTvd(subsea + w.kb, md)) return;
        survey::Point p;
        md = std::round(md * 10.0) / 10.0;
        path.AtMd(md, p);
        out.push_back({fault, source, md, std::round(p.tvd * 100.0) / 100.0,
                       std::round((p.tvd - w.kb) * 100.0) / 100.0, throwFt, who});
    };
    if (w.field == kDatelineField) {
        if (wellIndex % 2 == 0) pick("Rat Island Thrust", "Geophysics", 3900 + w.dip, 340, "tnguyen");
        return out;
    }
    // Growth faults cut the field's south-east; throw grows with depth.
    if (w.latitude < 29.62) pick("Hitchcock Fault", "Geology", 6400 + w.dip + (29.62 - w.latitude) * 2000, 180, "jdoe");
    if (w.longitude > -94.40) pick("Clear Lake Fault", "Geology", 8200 + w.dip, 95, "kmiller");
    if (wellIndex % 6 == 0) pick("Alvin Fault", "Geophysics", 9800 + w.dip, 60, "avargas");
    return out;
}

} // namespace tesk::sample::detail
