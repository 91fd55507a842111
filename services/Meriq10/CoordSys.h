#pragma once
// A coordinate system, by the definition PROJ understands: an authority code
// ("EPSG:32615"), a PROJ string or WKT. A definition PROJ cannot build makes
// a system that is not valid; nothing here raises.
//
// Coordinates are always x = easting or longitude, y = northing or latitude,
// in the system's own units (metres, US survey feet, degrees...).

#include <string>

#include "services/Meriq10/LengthUnit.h"
#include "services/Meriq10/MapSizeUnits.h"

class CoordSys {
public:
    CoordSys() = default;  // no system; not valid
    explicit CoordSys(const std::string& definition);

    // One instance per definition, made when first asked for and kept for
    // the life of the process, for callers that hand systems out by reference.
    static const CoordSys& Shared(const std::string& definition);

    const std::string& GetDefinition() const { return m_definition; }
    bool IsValid() const { return m_kind != Kind::Invalid; }
    bool IsGeographic() const { return m_kind == Kind::Geographic; }
    bool IsProjected() const { return m_kind == Kind::Projected; }
    // PROJ's name of the system ("WGS 84 / UTM zone 15N"); empty when not valid.
    const std::string& GetName() const { return m_name; }
    // Metres per unit of a projected system's axes; 0 for any other system.
    double GetLinearUnitMetres() const { return IsProjected() ? m_unitFactor : 0; }
    // Radians per unit of a geographic system's axes; 0 for any other system.
    double GetAngularUnitRadians() const { return IsGeographic() ? m_unitFactor : 0; }
    // The axes' unit as a length-unit code: feet (the international foot and
    // the US survey foot alike), metres, or MAP_SIZE_UNITS_NONE (degrees,
    // other units, no valid system).
    MapSizeUnits GetMapSizeUnit() const;

    // The point reached from (x, y) by moving xOffset east and yOffset north,
    // both in `unit`. Writes the outputs and returns MERIQ_OK, or returns an
    // error code (MeriqErrors.h) and leaves them alone.
    //
    // Projected system: the offsets are grid offsets, converted from `unit`
    // into the system's own unit and added; the projection's scale factor is
    // not applied. Geographic system: the point lies at the end of the
    // geodesic on the system's ellipsoid that leaves (x, y) at the azimuth of
    // the offset vector and is as long as that vector; the longitude comes
    // back between -180 and 180 degrees.
    int OffsetPoint(double x, double y, double xOffset, double yOffset, const LengthUnit& unit, double& outX,
                    double& outY) const;

    // Same definition text.
    bool operator==(const CoordSys& other) const { return m_definition == other.m_definition; }

private:
    enum class Kind { Invalid, Geographic, Projected, Other };
    std::string m_definition;
    Kind m_kind = Kind::Invalid;
    std::string m_name;
    double m_unitFactor = 0;  // metres per unit, or radians per unit when geographic
    double m_semiMajorAxis = 0;
    double m_flattening = 0;
};
