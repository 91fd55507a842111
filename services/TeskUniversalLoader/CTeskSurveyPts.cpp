#include "services/TeskUniversalLoader/CTeskSurveyPts.h"

#include <algorithm>
#include <cmath>

namespace arc = tesk::survey::arc;
using arc::Vec;

namespace {

// Horizontal offsets below this count as none: a straight hole.
constexpr double kOffsetTolerance = 1e-6;

Vec offsetOf(const CTeskWellborePt& p) { return {p.GetXOffset(), p.GetYOffset(), p.GetTVD()}; }

bool finite(const CTeskWellborePt& p) {
    return std::isfinite(p.GetXOffset()) && std::isfinite(p.GetYOffset()) && std::isfinite(p.GetTVD()) &&
           std::isfinite(p.GetMD()) && (!p.HasAngles() || (std::isfinite(p.GetInclination()) &&
                                                            std::isfinite(p.GetAzimuth())));
}

} // namespace

CTeskSurveyPts::CTeskSurveyPts(const CTeskSurveyPts& other) { *this = other; }

CTeskSurveyPts& CTeskSurveyPts::operator=(const CTeskSurveyPts& other) {
    if (this == &other) return *this;
    std::vector<CTeskWellborePt*> copies;
    copies.reserve(other.m_points.size());
    try {
        for (const CTeskWellborePt* p : other.m_points) copies.push_back(new CTeskWellborePt(*p));
    } catch (...) {
        for (CTeskWellborePt* p : copies) delete p;
        throw;
    }
    DeleteAll();
    m_points = std::move(copies);
    reindex();
    m_straightHole = other.m_straightHole;
    return *this;
}

CTeskSurveyPts::~CTeskSurveyPts() {
    for (CTeskWellborePt* p : m_points) delete p;
}

const CTeskWellborePt* CTeskSurveyPts::GetAt(int nIndex) const {
    if (nIndex < 0 || static_cast<size_t>(nIndex) >= m_points.size()) return nullptr;
    return m_points[static_cast<size_t>(nIndex)];
}

bool CTeskSurveyPts::IsDeviated() const {
    if (m_points.empty()) return false;
    if (m_straightHole) return !*m_straightHole;
    return m_maxOffset > kOffsetTolerance;
}

void CTeskSurveyPts::Add(CTeskWellborePt* pPt) {
    if (!pPt) return;
    try {
        m_points.push_back(pPt);
    } catch (...) {
        delete pPt;  // owned from the call on, even when it could not be kept
        throw;
    }
    m_straightHole.reset();
    indexLast();
}

void CTeskSurveyPts::DeleteAll() {
    for (CTeskWellborePt* p : m_points) delete p;
    m_points.clear();
    m_straightHole.reset();
    reindex();
}

void CTeskSurveyPts::SetStraightHole(bool bStraight) { m_straightHole = bStraight; }

void CTeskSurveyPts::MakeStraightHole(double* /*pScratch*/) {
    if (m_points.empty()) return;
    const double tvd0 = m_points.front()->GetTVD();
    const double md0 = m_points.front()->GetMD();
    for (CTeskWellborePt* p : m_points) {
        p->SetXOffset(0);
        p->SetYOffset(0);
        p->SetTVD(tvd0 + (p->GetMD() - md0));
        if (p->HasAngles()) p->SetAngles(0, 0);
    }
    reindex();
    m_straightHole = true;
}

bool CTeskSurveyPts::HasStationAngles() const {
    if (m_points.empty()) return false;
    return std::all_of(m_points.begin(), m_points.end(), [](const CTeskWellborePt* p) { return p->HasAngles(); });
}

void CTeskSurveyPts::GetPoints(tesk::survey::Points& points, std::vector<tesk::survey::PointAngles>* angles) const {
    points.clear();
    points.reserve(m_points.size());
    for (const CTeskWellborePt* p : m_points) points.push_back({p->GetXOffset(), p->GetYOffset(), p->GetTVD(), p->GetMD()});
    if (!angles) return;
    angles->clear();
    if (!HasStationAngles()) return;
    angles->reserve(m_points.size());
    for (const CTeskWellborePt* p : m_points) angles->push_back({p->GetInclination(), p->GetAzimuth()});
}

void CTeskSurveyPts::SetPoints(const tesk::survey::Points& points,
                               const std::vector<tesk::survey::PointAngles>& angles) {
    DeleteAll();
    const bool withAngles = angles.size() == points.size();
    m_points.reserve(points.size());
    for (size_t i = 0; i < points.size(); ++i) {
        const tesk::survey::Point& p = points[i];
        auto* pt = new CTeskWellborePt(p.x, p.y, p.tvd, p.md);
        if (withAngles) pt->SetAngles(angles[i].inclination, angles[i].azimuth);
        m_points.push_back(pt);
    }
    reindex();
}

// ---------------------------------------------------------------- index

void CTeskSurveyPts::reindex() {
    m_bOrdered = true;
    m_dir.clear();
    m_arc.clear();
    m_maxTvd.clear();
    m_lastChord.reset();
    m_maxOffset = 0;
    std::vector<CTeskWellborePt*> points;
    points.swap(m_points);
    m_points.reserve(points.size());
    m_dir.reserve(points.size());
    m_maxTvd.reserve(points.size());
    m_arc.reserve(points.size());
    for (CTeskWellborePt* p : points) {
        m_points.push_back(p);
        indexLast();
    }
}

// Brings the derived data up to date with a point just appended.
void CTeskSurveyPts::indexLast() {
    const size_t k = m_points.size() - 1;
    const CTeskWellborePt& p = *m_points[k];
    m_dir.push_back(p.HasAngles() ? arc::Direction(p.GetInclination(), p.GetAzimuth()) : Vec{0, 0, 1});
    m_maxOffset = std::max(m_maxOffset, std::hypot(p.GetXOffset(), p.GetYOffset()));
    if (!finite(p)) m_bOrdered = false;
    if (k == 0) {
        m_maxTvd.push_back(p.GetTVD());
        return;
    }
    const CTeskWellborePt& q = *m_points[k - 1];
    const double length = p.GetMD() - q.GetMD();
    if (!(length >= 0)) m_bOrdered = false;

    // The interval follows its arc when the angles at both ends carry the
    // hole from one point to the other.
    bool follows = false;
    const Vec step = offsetOf(p) - offsetOf(q);
    if (q.HasAngles() && p.HasAngles() && length > 0) {
        const Vec d = arc::Displacement(m_dir[k - 1], m_dir[k], length);
        follows = arc::norm(d - step) <= 1e-6 * std::max(1.0, length);
    }
    m_arc.push_back(follows ? 1 : 0);
    if (const double len = arc::norm(step); len > 0 && std::isfinite(len)) m_lastChord = (1.0 / len) * step;
    m_maxTvd.push_back(m_bOrdered ? std::max(m_maxTvd.back(), intervalMaxTvd(k - 1)) : m_maxTvd.back());
}

// ---------------------------------------------------------------- geometry

Vec CTeskSurveyPts::lastDirection() const {
    const size_t n = m_points.size();
    if (n >= 2 && isArc(n - 2)) return m_dir[n - 1];
    if (n == 1 && m_points[0]->HasAngles()) return m_dir[0];
    if (m_lastChord) return *m_lastChord;
    return {0, 0, 1};
}

CTeskSurveyPts::Position CTeskSurveyPts::along(size_t k, double s, std::optional<double> beta) const {
    const CTeskWellborePt& p = *m_points[k];
    const CTeskWellborePt& q = *m_points[k + 1];
    const double length = q.GetMD() - p.GetMD();
    Vec d;
    if (isArc(k)) {
        const Vec& a = m_dir[k];
        const Vec& b = m_dir[k + 1];
        d = arc::Displacement(a, arc::Between(a, b, s / length, beta ? *beta : arc::Dogleg(a, b)), s);
    } else if (length > 0) {
        d = (s / length) * (offsetOf(q) - offsetOf(p));
    }
    return {p.GetXOffset() + d.e, p.GetYOffset() + d.n, p.GetTVD() + d.v};
}

namespace {

// Where the vertical component of the direction along an arc from a to b
// changes sign, as a fraction of the arc; the direction there is
// (sin(beta - t) a + sin(t) b) / sin(beta).
double turningFraction(const Vec& a, const Vec& b, double beta) {
    double t = std::atan2(a.v * std::sin(beta), a.v * std::cos(beta) - b.v);
    if (t < 0) t += std::numbers::pi;
    return std::clamp(t / beta, 0.0, 1.0);
}

} // namespace

double CTeskSurveyPts::intervalMaxTvd(size_t k) const {
    const double top = std::max(m_points[k]->GetTVD(), m_points[k + 1]->GetTVD());
    if (!isArc(k)) return top;
    const Vec& a = m_dir[k];
    const Vec& b = m_dir[k + 1];
    if (!(a.v > 0 && b.v < 0)) return top;  // deepest at an end
    const double length = m_points[k + 1]->GetMD() - m_points[k]->GetMD();
    const double beta = arc::Dogleg(a, b);
    return std::max(top, along(k, turningFraction(a, b, beta) * length, beta).tvd);
}

double CTeskSurveyPts::firstCrossing(size_t k, double tvd) const {
    const CTeskWellborePt& p = *m_points[k];
    const CTeskWellborePt& q = *m_points[k + 1];
    const double length = q.GetMD() - p.GetMD();
    if (!(length > 0)) return p.GetMD();
    if (!isArc(k)) {
        const double rise = q.GetTVD() - p.GetTVD();
        const double f = rise > 0 ? std::clamp((tvd - p.GetTVD()) / rise, 0.0, 1.0) : 0.0;
        return f >= 1.0 ? q.GetMD() : p.GetMD() + f * length;
    }
    // On an arc the TVD rises, or rises then falls, or falls then rises; take
    // the part where it rises and find the crossing there by bisection.
    const Vec& a = m_dir[k];
    const Vec& b = m_dir[k + 1];
    double lo = 0, hi = length;
    const double beta = arc::Dogleg(a, b);
    if (beta > 1e-12) {
        if (a.v > 0 && b.v < 0) hi = turningFraction(a, b, beta) * length;
        else if (a.v < 0 && b.v > 0) lo = turningFraction(a, b, beta) * length;
    }
    const double end = hi;
    const double eps = 1e-12 * std::max(1.0, std::fabs(p.GetMD()) + length);
    for (int i = 0; i < 200 && hi - lo > eps; ++i) {
        const double mid = lo + (hi - lo) / 2;
        (along(k, mid, beta).tvd < tvd ? lo : hi) = mid;
    }
    if (end == length && hi >= length - 1e-9 * std::max(1.0, length)) return q.GetMD();
    return p.GetMD() + hi;
}

bool CTeskSurveyPts::positionAt(double md, Position& out, bool& below, bool& above) const {
    below = above = false;
    if (!answerable() || !std::isfinite(md)) return false;
    const CTeskWellborePt& first = *m_points.front();
    const CTeskWellborePt& last = *m_points.back();
    if (md < first.GetMD()) {
        above = true;
        out = {first.GetXOffset(), first.GetYOffset(), first.GetTVD() - (first.GetMD() - md)};
        return true;
    }
    if (md > last.GetMD()) {
        below = true;
        const Vec d = (md - last.GetMD()) * lastDirection();
        out = {last.GetXOffset() + d.e, last.GetYOffset() + d.n, last.GetTVD() + d.v};
        return true;
    }
    // The last point at or above md.
    const auto it = std::upper_bound(m_points.begin(), m_points.end(), md,
                                     [](double v, const CTeskWellborePt* p) { return v < p->GetMD(); });
    const size_t k = static_cast<size_t>(it - m_points.begin()) - 1;
    const CTeskWellborePt& p = *m_points[k];
    if (k + 1 == m_points.size() || md == p.GetMD()) {
        out = {p.GetXOffset(), p.GetYOffset(), p.GetTVD()};
        return true;
    }
    out = along(k, md - p.GetMD());
    return true;
}

// ---------------------------------------------------------------- queries

bool CTeskSurveyPts::CalcDownHoleLocation(double dMD, double& dTVD, double& dYOffset, double& dXOffset,
                                          bool& bOutside, bool bExtrapolate) const {
    Position at;
    bool below = false, above = false;
    if (!positionAt(dMD, at, below, above)) return false;
    if (below && !bExtrapolate) return false;
    dTVD = at.tvd;
    dYOffset = at.y;
    dXOffset = at.x;
    bOutside = below || above;
    return true;
}

bool CTeskSurveyPts::CalcTVDIntercepts(double& dDepth) const {
    Position at;
    bool below = false, above = false;
    if (!positionAt(dDepth, at, below, above)) return false;
    dDepth = at.tvd;
    return true;
}

bool CTeskSurveyPts::CalcMDIntercepts(double& dDepth) const {
    const double tvd = dDepth;
    if (!answerable() || !std::isfinite(tvd)) return false;
    const CTeskWellborePt& first = *m_points.front();
    if (tvd < first.GetTVD()) {
        dDepth = first.GetMD() - (first.GetTVD() - tvd);
        return true;
    }
    // A TVD within rounding of the deepest point counts as reaching it.
    if (tvd <= m_maxTvd.back() + 1e-12 * std::max(1.0, std::fabs(m_maxTvd.back()))) {
        const double target = std::min(tvd, m_maxTvd.back());
        // The first point by which the hole has reached the TVD.
        const size_t k =
            static_cast<size_t>(std::lower_bound(m_maxTvd.begin(), m_maxTvd.end(), target) - m_maxTvd.begin());
        dDepth = k == 0 ? first.GetMD() : firstCrossing(k - 1, target);
        return true;
    }
    const CTeskWellborePt& last = *m_points.back();
    const Vec dir = lastDirection();
    if (!(dir.v > 1e-12)) return false;
    dDepth = last.GetMD() + (tvd - last.GetTVD()) / dir.v;
    return true;
}
