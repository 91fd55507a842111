#pragma once
// Coordinate transformation between two named coordinate systems ("EPSG:4326",
// "EPSG:32615", ...) through PROJ, always in x = easting/longitude,
// y = northing/latitude order.

#include <memory>
#include <string>

namespace tesk::project {

class CrsTransform {
public:
    // Raises std::runtime_error when either system is unknown.
    CrsTransform(const std::string& from, const std::string& to);
    ~CrsTransform();
    CrsTransform(const CrsTransform&) = delete;
    CrsTransform& operator=(const CrsTransform&) = delete;

    // False when the point cannot be transformed.
    bool Point(double x, double y, double& outX, double& outY) const;
    // The bounding box of a box, densified along its edges. False on failure.
    bool Bounds(double west, double south, double east, double north, double& outWest, double& outSouth,
                double& outEast, double& outNorth) const;

private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};

// True for a geographic (longitude/latitude) coordinate system.
bool IsGeographicCrs(const std::string& crs);

} // namespace tesk::project
