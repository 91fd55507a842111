#pragma once
// Coordinate transformation between two named coordinate systems ("EPSG:4326",
// "EPSG:32615", ...) through PROJ, always in x = easting/longitude,
// y = northing/latitude order.

#include <memory>
#include <string>

namespace tesk::project {

class CrsTransform {
public:
    // Raises std::runtime_error when either system is unknown or PROJ knows
    // no way between them.
    CrsTransform(const std::string& from, const std::string& to);
    ~CrsTransform();
    CrsTransform(const CrsTransform&) = delete;
    CrsTransform& operator=(const CrsTransform&) = delete;

    // False when the point cannot be transformed.
    bool Point(double x, double y, double& outX, double& outY) const;
    // The bounding box of a box, densified along its edges. False on failure,
    // including bounds that come out infinite.
    //
    // In a geographic system west greater than east means the box crosses
    // the 180th meridian, on the way in as on the way out: a geographic source
    // box given so is transformed as its two halves, and a geographic result
    // that crosses comes back with west greater than east.
    bool Bounds(double west, double south, double east, double north, double& outWest, double& outSouth,
                double& outEast, double& outNorth) const;

private:
    bool boundsOnce(double west, double south, double east, double north, double& outWest, double& outSouth,
                    double& outEast, double& outNorth) const;

    struct Impl;
    std::unique_ptr<Impl> m_impl;
};

// What a coordinate system is, as far as positions and offsets are concerned.
// A compound system is described by its horizontal part, a bound one by its
// source.
struct CrsDescription {
    enum class Kind { Geographic, Projected, Other };
    Kind kind = Kind::Other;
    std::string name;
    // The unit of the first horizontal axis: metres per unit for a projected
    // (or engineering) system, radians per unit for a geographic one.
    double unitFactor = 0;
    std::string unitName;
    // The ellipsoid: semi-major axis in metres and flattening (0 for a sphere);
    // zero for a system without one.
    double semiMajorAxis = 0;
    double flattening = 0;
};

// False when PROJ cannot build the system from `crs`.
bool DescribeCrs(const std::string& crs, CrsDescription& out);

// True for a geographic (longitude/latitude) coordinate system.
bool IsGeographicCrs(const std::string& crs);

} // namespace tesk::project
