// The factory's wellbore geometry services: a well's survey as stored with
// its header row, read, written, removed, or replaced by a straight hole.

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <functional>
#include <optional>
#include <stdexcept>
#include <vector>

#include "platform/db/CDatabase.h"
#include "platform/db/Transaction.h"
#include "services/TeskDataFactory/CTeskDataFactory.h"
#include "services/TeskUniversalLoader/MinimumCurvature.h"
#include "services/TeskUniversalLoader/SurveyBlob.h"
#include "services/project/CTeskProject.h"

namespace survey = tesk::survey;

namespace {

tesk::db::Connection& connection() { return CTeskProject::Current().GetDatabase().connection(); }

std::string text(const char* s) { return s ? s : ""; }

// A number written as text, the whole text (blanks around it allowed).
std::optional<double> number(std::string_view s) {
    const std::string t(s);
    const char* begin = t.c_str();
    char* end = nullptr;
    errno = 0;
    const double v = std::strtod(begin, &end);
    if (end == begin || errno == ERANGE) return std::nullopt;
    while (*end == ' ' || *end == '\t') ++end;
    if (*end != '\0' || !std::isfinite(v)) return std::nullopt;
    return v;
}

struct Header {
    std::optional<std::vector<uint8_t>> blob;
    std::optional<double> kb;
    std::optional<double> totalDepth;
};

std::optional<Header> readHeader(const std::string& well) {
    auto st = connection().prepare(
        "SELECT \"Survey Points\", \"KB Elevation\", \"Total Depth\" FROM \"WellHeader\" WHERE \"Well ID\" = ?");
    st->bind(0, well);
    st->execute();
    if (!st->fetch()) {
        st->reset();
        return std::nullopt;
    }
    Header h;
    if (!st->isNull(0)) {
        const std::string_view b = st->getBlob(0);
        h.blob.emplace(b.begin(), b.end());
    }
    if (!st->isNull(1)) h.kb = number(st->getText(1));
    if (!st->isNull(2)) h.totalDepth = st->getDouble(2);
    st->reset();
    return h;
}

std::vector<survey::Station> storedStations(const std::string& well) {
    auto st = connection().prepare(
        "SELECT \"MD\", \"Inclination\", \"Azimuth\" FROM \"SurveyStation\" WHERE \"Well ID\" = ? ORDER BY \"MD\"");
    st->bind(0, well);
    st->execute();
    std::vector<survey::Station> out;
    while (st->fetch()) out.push_back({st->getDouble(0), st->getDouble(1), st->getDouble(2)});
    st->reset();
    return out;
}


// Writes the header's survey (null: none) and, when given, its deviated
// flag; false when there is no such well.
bool writeSurvey(const std::string& well, const tesk::db::Value& blob, std::optional<bool> deviated) {
    auto st = connection().prepare(deviated ? "UPDATE \"WellHeader\" SET \"Survey Points\" = ?, \"Is Deviated\" = ? "
                                              "WHERE \"Well ID\" = ?"
                                            : "UPDATE \"WellHeader\" SET \"Survey Points\" = ? WHERE \"Well ID\" = ?");
    int i = 0;
    st->bind(i++, blob);
    if (deviated) st->bind(i++, int64_t(*deviated ? 1 : 0));
    st->bind(i++, well);
    st->execute();
    return st->rowsAffected() > 0;
}

// Brings the TVDs (and, with a KB elevation, the subsea depths) of one
// table's picks in line with a survey.
void recomputePicks(const std::string& well, const CTeskSurveyPts& pts, std::optional<double> kb, const char* table,
                    const char* subseaColumn) {
    tesk::db::Connection& c = connection();
    std::vector<std::pair<int64_t, double>> picks;
    {
        auto st = c.prepare(std::string("SELECT \"_id\", \"Top MD\" FROM \"") + table +
                            "\" WHERE \"Well ID\" = ? AND \"Top MD\" IS NOT NULL");
        st->bind(0, well);
        st->execute();
        while (st->fetch()) picks.emplace_back(st->getInt64(0), st->getDouble(1));
        st->reset();
    }
    auto up = c.prepare(std::string("UPDATE \"") + table + "\" SET \"Top TVD\" = ?, \"" + subseaColumn +
                        "\" = COALESCE(?, \"" + subseaColumn + "\") WHERE \"_id\" = ?");
    for (const auto& [id, md] : picks) {
        double tvd = md;
        if (!pts.CalcTVDIntercepts(tvd)) continue;
        up->bind(0, tvd);
        up->bind(1, kb ? tesk::db::Value(tvd - *kb) : tesk::db::Value());
        up->bind(2, id);
        up->execute();
    }
}

// The set rebuilt point by point, each point changed by `change`.
void rebuild(CTeskSurveyPts& pts, const std::function<void(CTeskWellborePt&)>& change) {
    std::vector<CTeskWellborePt> changed;
    changed.reserve(static_cast<size_t>(pts.GetSize()));
    for (int i = 0; i < pts.GetSize(); ++i) {
        changed.push_back(*pts.GetAt(i));
        change(changed.back());
    }
    pts.DeleteAll();
    for (const CTeskWellborePt& p : changed) pts.Add(new CTeskWellborePt(p));
}

} // namespace

bool CTeskDataFactory::GetWellboreGeometry(const char* lpszWellID, CTeskSurveyPts* pPts, int nSource, bool bSubsea,
                                           bool bWithAngles, bool bStraightIfNone) {
    if (!pPts) return false;
    pPts->DeleteAll();
    const std::string well = text(lpszWellID);
    const std::optional<Header> header = readHeader(well);
    if (!header) return false;

    if (nSource == 0) {
        if (header->blob && !survey::DecodeSurveyBlob(header->blob->data(), header->blob->size(), *pPts))
            pPts->DeleteAll();
    } else if (nSource == 1) {
        const std::vector<survey::Station> stations = storedStations(well);
        if (!stations.empty()) {
            const survey::SurveyPath path(stations);
            std::vector<survey::PointAngles> angles;
            for (const survey::Station& s : path.stations()) angles.push_back({s.inclination, s.azimuth});
            pPts->SetPoints(path.points(), angles);
        }
    } else {
        return false;
    }
    if (pPts->GetSize() == 0 && bStraightIfNone && header->totalDepth && *header->totalDepth > 0)
        pPts->SetPoints(survey::StraightHolePoints(*header->totalDepth),
                        std::vector<survey::PointAngles>(3, survey::PointAngles{}));
    if (pPts->GetSize() == 0) return false;

    // Stations sitting at the points' MDs lend them their angles; the point
    // set follows them only where they fit its points.
    const bool lendAngles = bWithAngles && !pPts->HasStationAngles();
    if (!bWithAngles || lendAngles || bSubsea) {
        const std::vector<survey::Station> stations =
            lendAngles ? storedStations(well) : std::vector<survey::Station>{};
        const double kb = header->kb.value_or(0.0);
        size_t s = 0;
        rebuild(*pPts, [&](CTeskWellborePt& p) {
            if (!bWithAngles) {
                p.ClearAngles();
            } else if (lendAngles) {
                while (s < stations.size() && stations[s].md < p.GetMD() - 1e-6) ++s;
                if (s < stations.size() && std::fabs(stations[s].md - p.GetMD()) <= 1e-6)
                    p.SetAngles(stations[s].inclination, stations[s].azimuth);
            }
            if (bSubsea) p.SetTVD(p.GetTVD() - kb);
        });
    }
    return true;
}

bool CTeskDataFactory::UpdateWellboreGeometry(const char* lpszWellID, const CTeskSurveyPts* pPts, int nUpdateHeader,
                                              bool bRecomputeDepths) {
    if (!pPts) return false;
    survey::Points points;
    std::vector<survey::PointAngles> angles;
    pPts->GetPoints(points, &angles);
    if (!survey::IsEncodable(points)) return false;
    const std::string well = text(lpszWellID);
    const tesk::db::Value blob =
        points.empty() ? tesk::db::Value() : tesk::db::Value(survey::EncodeSurveyBlob(points, angles));
    const std::optional<bool> deviated = nUpdateHeader == 1 ? std::optional<bool>(pPts->IsDeviated()) : std::nullopt;
    bool found = false;
    tesk::db::RunInTransaction(connection(), [&] {
        found = writeSurvey(well, blob, deviated);
        if (!found || !bRecomputeDepths || points.empty()) return;
        const std::optional<Header> header = readHeader(well);
        recomputePicks(well, *pPts, header ? header->kb : std::nullopt, "FormationTop", "Top Subsea");
        recomputePicks(well, *pPts, header ? header->kb : std::nullopt, "FaultPick", "Subsea");
    });
    return found;
}

bool CTeskDataFactory::DeleteWellboreGeometry(const char* lpszWellID, bool bDeleteStations) {
    const std::string well = text(lpszWellID);
    bool found = false;
    tesk::db::RunInTransaction(connection(), [&] {
        found = writeSurvey(well, tesk::db::Value(), false);
        if (found && bDeleteStations) {
            auto st = connection().prepare("DELETE FROM \"SurveyStation\" WHERE \"Well ID\" = ?");
            st->bind(0, well);
            st->execute();
        }
    });
    return found;
}

bool CTeskDataFactory::Add3PointBLOB(const char* lpszWellID, const char* lpszDepth) {
    const std::optional<double> depth = number(text(lpszDepth));
    if (!depth || *depth < 0) return false;
    const survey::Points points = survey::StraightHolePoints(*depth);
    const std::vector<survey::PointAngles> vertical(points.size(), survey::PointAngles{});
    return writeSurvey(text(lpszWellID), survey::EncodeSurveyBlob(points, vertical), false);
}
