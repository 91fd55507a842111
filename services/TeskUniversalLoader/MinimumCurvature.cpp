#include "services/TeskUniversalLoader/MinimumCurvature.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <stdexcept>

namespace tesk::survey {

namespace {

struct Vec {
    double e, n, v;  // east, north, down
};

Vec direction(double incDeg, double aziDeg) {
    const double i = incDeg * std::numbers::pi / 180.0;
    const double a = aziDeg * std::numbers::pi / 180.0;
    return {std::sin(i) * std::sin(a), std::sin(i) * std::cos(a), std::cos(i)};
}

double norm(const Vec& a) { return std::sqrt(a.e * a.e + a.n * a.n + a.v * a.v); }

// The dogleg angle between two unit directions, accurate for small angles too.
double dogleg(const Vec& a, const Vec& b) {
    const Vec d{b.e - a.e, b.n - a.n, b.v - a.v};
    return 2.0 * std::asin(std::min(1.0, norm(d) / 2.0));
}

// Displacement along an arc of length `length` from direction a to direction b.
Vec arc(const Vec& a, const Vec& b, double length) {
    const double beta = dogleg(a, b);
    const double rf = beta > 1e-9 ? 2.0 / beta * std::tan(beta / 2.0) : 1.0;
    const double h = length / 2.0 * rf;
    return {h * (a.e + b.e), h * (a.n + b.n), h * (a.v + b.v)};
}

// The direction a fraction f of the way along the arc from a to b.
Vec between(const Vec& a, const Vec& b, double f) {
    const double beta = dogleg(a, b);
    if (beta < 1e-9) return a;
    const double s = std::sin(beta);
    const double wa = std::sin((1 - f) * beta) / s;
    const double wb = std::sin(f * beta) / s;
    return {wa * a.e + wb * b.e, wa * a.n + wb * b.n, wa * a.v + wb * b.v};
}

std::vector<Station> withSurface(const std::vector<Station>& stations) {
    for (size_t i = 1; i < stations.size(); ++i)
        if (!(stations[i].md > stations[i - 1].md))
            throw std::invalid_argument("Survey stations must have increasing measured depths");
    if (stations.empty() || stations.front().md <= 0) return stations;
    std::vector<Station> all;
    all.reserve(stations.size() + 1);
    all.push_back({0, 0, 0});
    all.insert(all.end(), stations.begin(), stations.end());
    return all;
}

} // namespace

Points PointsFromStations(const std::vector<Station>& input) {
    const std::vector<Station> stations = withSurface(input);
    Points points;
    points.reserve(stations.size());
    Point p{0, 0, 0, stations.empty() ? 0 : stations.front().md};
    if (!stations.empty()) p.tvd = stations.front().md;  // straight down to a first station at the surface
    for (size_t i = 0; i < stations.size(); ++i) {
        if (i > 0) {
            const Station& s0 = stations[i - 1];
            const Station& s1 = stations[i];
            const Vec d = arc(direction(s0.inclination, s0.azimuth), direction(s1.inclination, s1.azimuth),
                              s1.md - s0.md);
            p.x += d.e;
            p.y += d.n;
            p.tvd += d.v;
            p.md = s1.md;
        }
        points.push_back(p);
    }
    return points;
}

SurveyPath::SurveyPath(const std::vector<Station>& stations)
    : m_stations(withSurface(stations)), m_points(PointsFromStations(m_stations)) {}

bool SurveyPath::AtMd(double md, Point& out) const {
    if (m_stations.empty() || !(md >= m_stations.front().md) || !(md <= m_stations.back().md)) return false;
    // The last station at or above md.
    const auto it = std::upper_bound(m_stations.begin(), m_stations.end(), md,
                                     [](double v, const Station& s) { return v < s.md; });
    const size_t i = static_cast<size_t>(it - m_stations.begin()) - 1;
    if (md == m_stations[i].md || i + 1 == m_stations.size()) {
        out = m_points[i];
        return true;
    }
    const Station& s0 = m_stations[i];
    const Station& s1 = m_stations[i + 1];
    const Vec a = direction(s0.inclination, s0.azimuth);
    const Vec b = direction(s1.inclination, s1.azimuth);
    const Vec d = arc(a, between(a, b, (md - s0.md) / (s1.md - s0.md)), md - s0.md);
    out = {m_points[i].x + d.e, m_points[i].y + d.n, m_points[i].tvd + d.v, md};
    return true;
}

bool SurveyPath::MdAtTvd(double tvd, double& md) const {
    if (m_points.empty() || !(tvd >= m_points.front().tvd) || !(tvd <= m_points.back().tvd)) return false;
    const auto it = std::lower_bound(m_points.begin(), m_points.end(), tvd,
                                     [](const Point& p, double v) { return p.tvd < v; });
    const size_t j = static_cast<size_t>(it - m_points.begin());
    if (it->tvd == tvd || j == 0) {
        md = it->md;
        return true;
    }
    double lo = m_points[j - 1].md, hi = m_points[j].md;
    for (int n = 0; n < 60 && hi - lo > 1e-9; ++n) {
        const double mid = (lo + hi) / 2;
        Point p;
        AtMd(mid, p);
        (p.tvd < tvd ? lo : hi) = mid;
    }
    md = (lo + hi) / 2;
    return true;
}

bool PositionAtMd(const std::vector<Station>& stations, double md, Point& out) {
    return SurveyPath(stations).AtMd(md, out);
}

Points StraightHolePoints(double totalDepth) {
    return {{0, 0, 0, 0}, {0, 0, totalDepth / 2, totalDepth / 2}, {0, 0, totalDepth, totalDepth}};
}

} // namespace tesk::survey
