#include "services/TeskDataFactory/CTeskSurveyStations.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "platform/db/CDatabase.h"
#include "platform/db/Transaction.h"
#include "services/Meriq10/CoordSys.h"
#include "services/Meriq10/LengthUnit.h"
#include "services/TeskDataFactory/CTeskDataInitializer.h"
#include "services/TeskDataFactory/CTeskUnitsObjectImpl.h"
#include "services/TeskUniversalLoader/MinimumCurvature.h"
#include "services/project/CTeskProject.h"
#include "services/project/CrsTransform.h"

namespace {

tesk::db::Connection& connection() { return CTeskProject::Current().GetDatabase().connection(); }

bool wellExists(const std::string& well) {
    auto st = connection().prepare("SELECT 1 FROM \"WellHeader\" WHERE \"Well ID\" = ?");
    st->bind(0, well);
    st->execute();
    const bool found = st->fetch();
    st->reset();
    return found;
}

// Angles derived from the log's points, with the offsets brought into the
// depth unit so that the directions are true.
std::vector<tesk::survey::Station> derivedStations(const CTeskSurveyPts& pts, bool distanceFeet) {
    const double distanceMetres = LengthUnit(distanceFeet ? MAP_SIZE_UNITS_FEET : MAP_SIZE_UNITS_METERS).MetresPerUnit();
    const double depthMetres = LengthUnit(CTeskDataInitializer::GetUnitsObject()->GetProjectDepthUnit()).MetresPerUnit();
    const double k = depthMetres > 0 ? distanceMetres / depthMetres : 1.0;
    tesk::survey::Points points;
    pts.GetPoints(points);
    for (tesk::survey::Point& p : points) p.x *= k, p.y *= k;
    return tesk::survey::StationsFromPoints(points);
}

// Places map positions in the display system, from a surface point in the
// database system.
class Placer {
public:
    Placer(const XYZPt& surface, const CoordSys* display, bool distanceFeet)
        : m_display(display), m_unit(distanceFeet ? MAP_SIZE_UNITS_FEET : MAP_SIZE_UNITS_METERS) {
        if (!display || !display->IsValid()) return;
        const std::string& databaseCrs = CTeskProject::Current().GetDescriptor().databaseCrs;
        double x = surface.x, y = surface.y;
        if (databaseCrs != display->GetDefinition()) {
            try {
                if (!tesk::project::CrsTransform(databaseCrs, display->GetDefinition()).Point(x, y, x, y)) return;
            } catch (const std::exception&) {
                return;
            }
        }
        m_surfaceX = x, m_surfaceY = y;
        m_ok = true;
    }
    bool At(double dx, double dy, double& x, double& y) const {
        return m_ok && m_display->OffsetPoint(m_surfaceX, m_surfaceY, dx, dy, m_unit, x, y) == 0;
    }

private:
    const CoordSys* m_display;
    LengthUnit m_unit;
    double m_surfaceX = 0, m_surfaceY = 0;
    bool m_ok = false;
};


void deleteStations(const std::string& well, int64_t* removed = nullptr) {
    auto st = connection().prepare("DELETE FROM \"SurveyStation\" WHERE \"Well ID\" = ?");
    st->bind(0, well);
    st->execute();
    if (removed) *removed = st->rowsAffected();
}

} // namespace

CTeskSurveyStations::CTeskSurveyStations(const char* lpszWellID) : m_strWellID(lpszWellID ? lpszWellID : "") {}

bool CTeskSurveyStations::RemoveAllPoints() {
    int64_t removed = 0;
    deleteStations(m_strWellID, &removed);
    return removed > 0;
}

bool CTeskSurveyStations::UpdateFromPositionLog(const char* lpszWellID, const CTeskPositionLog& log,
                                                const XYZPt& surface, const CoordSys* pDisplayCS,
                                                int bProjectDistanceFeet, const double* pInclinations,
                                                const double* pAzimuths) {
    const std::string well = lpszWellID ? lpszWellID : "";
    if (!wellExists(well)) return false;
    const CTeskSurveyPts& pts = log.GetPts();
    const int n = pts.GetSize();

    bool given = pInclinations && pAzimuths;
    if (given && pts.IsDeviated()) {
        bool allZero = true;
        for (int i = 0; i < n && allZero; ++i) allZero = pInclinations[i] == 0 && pAzimuths[i] == 0;
        given = !allZero;
    }
    std::vector<tesk::survey::Station> derived;
    if (!given) derived = derivedStations(pts, bProjectDistanceFeet != 0);

    const Placer placer(surface, pDisplayCS, bProjectDistanceFeet != 0);
    tesk::db::Connection& c = connection();
    tesk::db::RunInTransaction(c, [&] {
        deleteStations(well);
        auto ins = c.prepare(
            "INSERT INTO \"SurveyStation\" (\"Well ID\", \"MD\", \"Inclination\", \"Azimuth\", \"Display X\", "
            "\"Display Y\") VALUES (?, ?, ?, ?, ?, ?)");
        std::optional<double> previousMd;
        for (int i = 0; i < n; ++i) {
            const CTeskWellborePt& p = *pts.GetAt(i);
            const double md = p.GetMD();
            if (!std::isfinite(md) || md < 0 || (previousMd && md <= *previousMd)) continue;
            double inc = given ? pInclinations[i] : derived[static_cast<size_t>(i)].inclination;
            double azi = given ? pAzimuths[i] : derived[static_cast<size_t>(i)].azimuth;
            if (!std::isfinite(inc) || !std::isfinite(azi)) continue;
            inc = std::clamp(inc, 0.0, 180.0);
            azi = std::fmod(azi, 360.0);
            if (azi < 0) azi += 360.0;
            if (azi >= 360.0) azi = 0.0;  // -1e-17 wraps to 360 in floating point
            tesk::db::Value x, y;
            double mapX = 0, mapY = 0;
            if (placer.At(p.GetXOffset(), p.GetYOffset(), mapX, mapY)) x = mapX, y = mapY;
            ins->bind(0, well);
            ins->bind(1, md);
            ins->bind(2, inc);
            ins->bind(3, azi);
            ins->bind(4, x);
            ins->bind(5, y);
            ins->execute();
            previousMd = md;
        }
    });
    return true;
}
