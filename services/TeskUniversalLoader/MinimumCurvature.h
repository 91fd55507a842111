#pragma once
// Wellbore positions from survey stations by the minimum-curvature method:
// between two stations the hole follows a circular arc tangent to both
// station directions.

#include "services/TeskUniversalLoader/SurveyTypes.h"

namespace tesk::survey {

// One point per station, in station order. When the first station lies below
// the surface (MD > 0), a surface point at MD 0 comes first and the hole
// leaves the surface vertically. Stations must have increasing MD;
// std::invalid_argument otherwise.
Points PointsFromStations(const std::vector<Station>& stations);

// A wellbore path through its stations, for repeated position queries.
class SurveyPath {
public:
    // std::invalid_argument for stations without increasing MD.
    explicit SurveyPath(const std::vector<Station>& stations);

    const Points& points() const { return m_points; }
    // The stations, one per point (with the surface station when one was added).
    const std::vector<Station>& stations() const { return m_stations; }
    // The position at `md`; false outside the stations' MD range.
    bool AtMd(double md, Point& out) const;
    // The MD at which the path reaches `tvd`, for a path that never turns
    // upward; false outside its TVD range.
    bool MdAtTvd(double tvd, double& md) const;

private:
    std::vector<Station> m_stations;
    Points m_points;
};

// The stations that the points were computed from by minimum curvature,
// recovered from the points alone: one per point, at its MD. Exact for points
// that minimum curvature made (up to rounding), when the hole leaves its
// first point heading as the first two intervals imply; for other points, a
// smooth set of directions through them. A single point is vertical.
std::vector<Station> StationsFromPoints(const Points& points);

// A vertical hole from the surface to `totalDepth`: three points at 0, half
// and all of it.
Points StraightHolePoints(double totalDepth);

} // namespace tesk::survey
