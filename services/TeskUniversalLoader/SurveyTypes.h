#pragma once
// Survey stations as measured, and wellbore points as computed from them.

#include <vector>

namespace tesk::survey {

// A survey station: measured depth, inclination from vertical and azimuth
// from grid north, both in degrees.
struct Station {
    double md = 0;
    double inclination = 0;
    double azimuth = 0;
};

// A wellbore point: offsets east (x) and north (y) of the surface location,
// true vertical depth below the reference and measured depth, all in the
// project's depth unit.
struct Point {
    double x = 0;
    double y = 0;
    double tvd = 0;
    double md = 0;
};

using Points = std::vector<Point>;

// The direction of the hole at a wellbore point, when it is known: the
// angles of the survey station the point was computed from.
struct PointAngles {
    double inclination = 0;
    double azimuth = 0;
};

} // namespace tesk::survey
