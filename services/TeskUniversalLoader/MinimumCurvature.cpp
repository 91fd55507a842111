#include "services/TeskUniversalLoader/MinimumCurvature.h"

#include "services/TeskUniversalLoader/ArcMath.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <stdexcept>

namespace tesk::survey {

namespace {

using arc::Vec;

Vec direction(const Station& s) { return arc::Direction(s.inclination, s.azimuth); }

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
            const Vec d = arc::Displacement(direction(s0), direction(s1), s1.md - s0.md);
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
    const Vec a = direction(s0);
    const Vec b = direction(s1);
    const Vec d = arc::Displacement(a, arc::Between(a, b, (md - s0.md) / (s1.md - s0.md)), md - s0.md);
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

namespace {

// The dogleg of an arc of length `length` whose chord is `chord` long: the
// root of sin(x)/x = chord/length with x = beta/2. Minimum-curvature arcs
// never turn more than 180 degrees, so a chord too short for that gives 180.
double doglegFromChord(double chord, double length) {
    const double r = chord / length;
    if (!(r < 1.0)) return 0.0;
    if (r <= 2.0 / std::numbers::pi) return std::numbers::pi;
    double lo = 0.0, hi = std::numbers::pi / 2.0;
    for (int i = 0; i < 200 && hi - lo > 1e-15; ++i) {
        const double x = (lo + hi) / 2.0;
        (std::sin(x) / x > r ? lo : hi) = x;
    }
    return lo + hi;
}

// The unit vector along the part of `v` square to the unit vector `c`; false
// when v is (nearly) parallel to c.
bool perpendicular(const Vec& v, const Vec& c, Vec& out) {
    const Vec p = v - arc::dot(v, c) * c;
    const double len = arc::norm(p);
    if (!(len > 1e-12)) return false;
    out = (1.0 / len) * p;
    return true;
}

} // namespace

std::vector<Station> StationsFromPoints(const Points& points) {
    const size_t n = points.size();
    std::vector<Station> stations(n);
    if (n == 0) return stations;
    // Chord directions and doglegs of each interval; a zero dogleg for an
    // interval without length.
    std::vector<Vec> chord(n > 1 ? n - 1 : 0);
    std::vector<double> beta(chord.size(), 0.0);
    std::vector<bool> usable(chord.size(), false);
    for (size_t k = 0; k + 1 < n; ++k) {
        const Vec c{points[k + 1].x - points[k].x, points[k + 1].y - points[k].y, points[k + 1].tvd - points[k].tvd};
        const double len = arc::norm(c), dmd = points[k + 1].md - points[k].md;
        if (!(len > 0) || !(dmd > 0) || !std::isfinite(len)) continue;
        usable[k] = true;
        chord[k] = (1.0 / len) * c;
        beta[k] = doglegFromChord(len, dmd);
    }
    auto nextUsable = [&](size_t from) -> const Vec* {
        for (size_t k = from; k < chord.size(); ++k)
            if (usable[k]) return &chord[k];
        return nullptr;
    };
    // The direction at the first point: on the cone of half-angle beta/2
    // around the first chord, on the side away from where the hole turns
    // next (or, for a lone interval, on the side of the vertical).
    Vec t{0, 0, 1};
    size_t first = 0;
    while (first < chord.size() && !usable[first]) ++first;
    if (first < chord.size()) {
        const Vec& c = chord[first];
        const double h = beta[first] / 2.0;
        Vec u;
        const Vec* next = nextUsable(first + 1);
        if (h == 0.0) {
            t = c;
        } else if (next && perpendicular(*next, c, u)) {
            t = std::cos(h) * c - std::sin(h) * u;
        } else if (perpendicular(Vec{0, 0, 1}, c, u)) {
            t = std::cos(h) * c + std::sin(h) * u;
        } else {
            t = c;
        }
    }
    // Each further direction mirrors the previous one across its chord, with
    // the dogleg the chord's length calls for.
    for (size_t k = 0; k < n; ++k) {
        stations[k].md = points[k].md;
        arc::Angles(t, stations[k].inclination, stations[k].azimuth);
        if (k + 1 == n || !usable[k]) continue;
        const Vec& c = chord[k];
        double h = beta[k] / 2.0;
        Vec u;
        if (h == 0.0) {
            t = c;
        } else if (perpendicular(t, c, u)) {
            // The angle between the direction and the chord says the same as
            // the chord's length for points that minimum curvature made, and
            // says it precisely where the length cannot (tiny doglegs).
            const double fromDirection = std::atan2(arc::norm(t - arc::dot(t, c) * c), arc::dot(t, c));
            if (std::fabs(fromDirection - h) <= 1e-5) h = fromDirection;
            t = std::cos(h) * c - std::sin(h) * u;
        } else if (h <= 1e-5) {
            t = c;  // along the chord, as near as the chord's length can tell
        } else if (const Vec* next = nextUsable(k + 1); next && perpendicular(*next, c, u)) {
            t = std::cos(h) * c + std::sin(h) * u;
        } else {
            t = c;
        }
    }
    return stations;
}

Points StraightHolePoints(double totalDepth) {
    return {{0, 0, 0, 0}, {0, 0, totalDepth / 2, totalDepth / 2}, {0, 0, totalDepth, totalDepth}};
}

} // namespace tesk::survey
