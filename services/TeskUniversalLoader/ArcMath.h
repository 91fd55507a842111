#pragma once
// Vector geometry of the minimum-curvature arc, shared by the station
// computation and the point set. Directions are unit vectors (east, north,
// down); angles are in degrees at the interface and radians inside.

#include <algorithm>
#include <cmath>
#include <numbers>

namespace tesk::survey::arc {

struct Vec {
    double e = 0, n = 0, v = 0;  // east, north, down
};

inline Vec operator+(const Vec& a, const Vec& b) { return {a.e + b.e, a.n + b.n, a.v + b.v}; }
inline Vec operator-(const Vec& a, const Vec& b) { return {a.e - b.e, a.n - b.n, a.v - b.v}; }
inline Vec operator*(double k, const Vec& a) { return {k * a.e, k * a.n, k * a.v}; }
inline double dot(const Vec& a, const Vec& b) { return a.e * b.e + a.n * b.n + a.v * b.v; }
inline double norm(const Vec& a) { return std::sqrt(dot(a, a)); }

inline constexpr double kRadPerDeg = std::numbers::pi / 180.0;

// The hole's direction for an inclination from vertical and an azimuth
// clockwise from north.
inline Vec Direction(double incDeg, double aziDeg) {
    const double i = incDeg * kRadPerDeg;
    const double a = aziDeg * kRadPerDeg;
    return {std::sin(i) * std::sin(a), std::sin(i) * std::cos(a), std::cos(i)};
}

// Inclination and azimuth (degrees, azimuth in [0, 360)) of a direction that
// need not be of unit length. A vertical direction has azimuth 0.
inline void Angles(const Vec& d, double& incDeg, double& aziDeg) {
    const double h = std::hypot(d.e, d.n);
    incDeg = std::atan2(h, d.v) / kRadPerDeg;
    if (h <= 1e-12 * std::max(1.0, norm(d))) {
        aziDeg = 0;
        return;
    }
    aziDeg = std::atan2(d.e, d.n) / kRadPerDeg;
    if (aziDeg < 0) aziDeg += 360.0;
    if (aziDeg >= 360.0) aziDeg -= 360.0;
}

// The angle between two unit directions. The half-angle form keeps full
// precision for tiny doglegs, where acos of the dot product rounds to 0, and
// near 180 degrees as well.
inline double Dogleg(const Vec& a, const Vec& b) { return 2.0 * std::atan2(norm(a - b), norm(a + b)); }

// The ratio factor 2/beta * tan(beta/2); its series where the closed form
// would divide by nearly nothing.
inline double RatioFactor(double beta) {
    if (beta < 1e-3) {
        const double b2 = beta * beta;
        return 1.0 + b2 / 12.0 + b2 * b2 / 120.0 + 17.0 * b2 * b2 * b2 / 20160.0;
    }
    return 2.0 / beta * std::tan(beta / 2.0);
}

// Displacement along the arc of length `length` that leaves in direction a
// and arrives in direction b.
inline Vec Displacement(const Vec& a, const Vec& b, double length) {
    return (length / 2.0 * RatioFactor(Dogleg(a, b))) * (a + b);
}

// The direction a fraction f of the way along the arc from a to b, whose
// dogleg is beta.
inline Vec Between(const Vec& a, const Vec& b, double f, double beta) {
    Vec d;
    if (beta < 1e-6) {
        d = (1.0 - f) * a + f * b;
    } else {
        const double s = std::sin(beta);
        d = (std::sin((1.0 - f) * beta) / s) * a + (std::sin(f * beta) / s) * b;
    }
    const double len = norm(d);
    return len > 0 ? (1.0 / len) * d : a;
}

// The direction a fraction f of the way along the arc from a to b.
inline Vec Between(const Vec& a, const Vec& b, double f) { return Between(a, b, f, Dogleg(a, b)); }

} // namespace tesk::survey::arc
