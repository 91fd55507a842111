#include "SurveyCommand.h"

#include <fstream>
#include <sstream>
#include <stdexcept>
#include <vector>

#include "CommandSupport.h"
#include "platform/text/Format.h"
#include "provider/ManagedDataProvider.h"
#include "services/TeskDataFactory/CTeskDataFactory.h"
#include "services/TeskDataFactory/CTeskDataInitializer.h"
#include "services/TeskUniversalLoader/MinimumCurvature.h"

namespace teskdp {

using TeskDataProvider::ManagedDataProvider;
using TeskDataProvider::ManagedRecordsetRef;
using TeskDataProvider::ManagedWellSurvey;

namespace {

std::string number(double v) { return tesk::text::Format("%.6f", v); }

// A filter selecting one well, its id quoted as an SQL literal.
System::String wellFilter(const std::string& wellId) {
    std::string literal;
    for (char c : wellId) literal += c == '\'' ? std::string("''") : std::string(1, c);
    return System::FromAnsi("\"Well ID\" = '" + literal + "'");
}

double parseNumber(const std::string& text, const std::string& what) {
    size_t used = 0;
    double v = 0;
    try {
        v = std::stod(text, &used);
    } catch (const std::exception&) {
        used = 0;
    }
    if (used == 0 || used != text.size()) throw std::invalid_argument(what + " needs a number, not '" + text + "'");
    return v;
}

std::string trim(const std::string& s) {
    const auto b = s.find_first_not_of(" \t\r");
    const auto e = s.find_last_not_of(" \t\r");
    return b == std::string::npos ? std::string() : s.substr(b, e - b + 1);
}

// Stations from a CSV file with the header md,inclination,azimuth (degrees).
std::vector<tesk::survey::Station> readStations(const std::string& path) {
    std::ifstream in(path);
    if (!in) throw std::runtime_error("cannot read '" + path + "'");
    std::string line;
    std::getline(in, line);
    if (trim(line) != "md,inclination,azimuth")
        throw std::invalid_argument("'" + path + "' must start with the header md,inclination,azimuth");
    std::vector<tesk::survey::Station> stations;
    for (int row = 2; std::getline(in, line); ++row) {
        if (trim(line).empty()) continue;
        std::stringstream fields(line);
        std::string md, inc, azi;
        std::getline(fields, md, ',');
        std::getline(fields, inc, ',');
        std::getline(fields, azi, ',');
        const std::string where = "line " + std::to_string(row) + " of '" + path + "'";
        stations.push_back({parseNumber(trim(md), where), parseNumber(trim(inc), where), parseNumber(trim(azi), where)});
    }
    if (stations.empty()) throw std::invalid_argument("'" + path + "' holds no stations");
    return stations;
}

ManagedRecordsetRef openWell(const std::string& wellId) {
    auto rs = ManagedDataProvider::GetTeskRecordset(
        "WellHeader", wellFilter(wellId), "",
        std::make_shared<tesk::DataTypes::ManagedAoi>());
    if (!rs || rs->IsEOF()) throw std::invalid_argument("the project has no well '" + wellId + "'");
    return rs;
}

// Builds the survey from the stations and writes it through the well
// header's survey field, as a client does.
void loadStations(TeskDataProvider::ManagedRecordset& header, const std::string& wellId, const std::string& path,
                  std::ostream& out) {
    const auto stations = readStations(path);
    const auto points = tesk::survey::PointsFromStations(stations);
    std::vector<double> x, y, z, md, inc, azi;
    // A first station below the surface gets a vertical lead-in point at MD 0.
    const size_t lead = points.size() - stations.size();
    for (size_t i = 0; i < points.size(); ++i) {
        x.push_back(points[i].x), y.push_back(points[i].y), z.push_back(points[i].tvd), md.push_back(points[i].md);
        inc.push_back(i < lead ? 0 : stations[i - lead].inclination);
        azi.push_back(i < lead ? 0 : stations[i - lead].azimuth);
    }
    auto survey = System::gcnew<ManagedWellSurvey>();
    survey->SetPoints(static_cast<int>(x.size()), x.data(), y.data(), z.data(), md.data(), inc.data(), azi.data());
    if (!header.SetFieldValue(header.GetColumnIndex("Survey Points"), survey))
        throw std::runtime_error("well '" + wellId + "' has no directional-survey row to take a deviated survey");
    const auto& last = points.back();
    out << "stored " << stations.size() << " stations; bottom hole at MD " << number(last.md) << ": TVD "
        << number(last.tvd) << ", x offset " << number(last.x) << ", y offset " << number(last.y) << '\n';
    auto row = ManagedDataProvider::GetTeskRecordset(
        "WellSurveys", wellFilter(wellId), "",
        std::make_shared<tesk::DataTypes::ManagedAoi>());
    if (row && !row->IsEOF())
        out << "bottom-hole position (database CRS): "
            << System::ToAnsi(*System::TryUnbox<System::String>(row->GetFieldValue(row->GetColumnIndex("BH Longitude"))))
            << ", "
            << System::ToAnsi(*System::TryUnbox<System::String>(row->GetFieldValue(row->GetColumnIndex("BH Latitude"))))
            << '\n';
    if (row) row->Dispose();
    survey->Dispose();
}

} // namespace

int Survey(const Options& options, std::ostream& out) {
    OpenProject(options);
    if (options.positional.empty()) throw std::invalid_argument("survey needs a well id");
    const std::string& wellId = options.positional.front();
    auto header = openWell(wellId);
    struct Closer {
        ManagedRecordsetRef& rs;
        ~Closer() { rs->Dispose(); }
    } closer{header};

    if (auto file = options.get("load-stations")) {
        loadStations(*header, wellId, *file, out);
        return 0;
    }
    auto survey = header->GetWellSurvey();
    struct SurveyCloser {
        TeskDataProvider::ManagedWellSurveyRef& s;
        ~SurveyCloser() { s->Dispose(); }
    } surveyCloser{survey};
    if (auto md = options.get("md")) {
        const double at = parseNumber(*md, "--md");
        double x, y, tvd;
        if (!survey->GetXYZ(at, x, y, tvd, false))
            throw std::invalid_argument("MD " + *md + " is not within the survey of well '" + wellId + "'");
        out << "md,tvd,x_offset,y_offset\n" << number(at) << ',' << number(tvd) << ',' << number(x) << ',' << number(y) << '\n';
    } else if (auto tvd = options.get("tvd")) {
        const double at = parseNumber(*tvd, "--tvd");
        double md;
        if (!survey->ConvertTVDtoMD(at, md))
            throw std::invalid_argument("the well '" + wellId + "' does not reach TVD " + *tvd);
        out << "tvd,md\n" << number(at) << ',' << number(md) << '\n';
    } else if (options.get("stations")) {
        std::vector<tesk::survey::Station> stations;
        CTeskDataInitializer::GetDataFactory()->GetSurveyStations(wellId.c_str(), stations);
        out << "md,inclination,azimuth\n";
        for (const auto& s : stations) out << number(s.md) << ',' << number(s.inclination) << ',' << number(s.azimuth) << '\n';
    } else {
        out << "x_offset,y_offset,tvd,md\n";
        for (int i = 0; i < survey->GetSize(); ++i) {
            double x, y, z, d;
            survey->GetAt(i, x, y, z, d);
            out << number(x) << ',' << number(y) << ',' << number(z) << ',' << number(d) << '\n';
        }
    }
    return 0;
}

} // namespace teskdp
