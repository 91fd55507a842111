#include "services/Meriq10/MapExtents.h"

#include <cmath>
#include <memory>
#include <numbers>
#include <stdexcept>

#include "services/Meriq10/MeriqErrors.h"
#include "services/project/CrsTransform.h"

MapExtents::MapExtents(const CoordSys& coordSys, double north, double south, double east, double west) {
    setExtents(coordSys, north, south, east, west);
}

void MapExtents::setExtents(const CoordSys& coordSys, double north, double south, double east, double west) {
    m_coordSys = coordSys;
    m_north = north;
    m_south = south;
    m_east = east;
    m_west = west;
    m_empty = false;
}

int MapExtents::checkBounds() const {
    if (!std::isfinite(m_north) || !std::isfinite(m_south) || !std::isfinite(m_east) || !std::isfinite(m_west))
        return MERIQ_E_BAD_COORDINATES;
    if (m_south > m_north) return MERIQ_E_BAD_COORDINATES;
    // PROJ projects latitudes beyond the poles without complaint.
    const double pole = std::numbers::pi / 2 * (1 + 1e-12);
    if (const double radians = m_coordSys.GetAngularUnitRadians();
        radians > 0 && (m_north * radians > pole || m_south * radians < -pole))
        return MERIQ_E_BAD_COORDINATES;
    // Only longitudes wrap around.
    if (m_west > m_east && !m_coordSys.IsGeographic()) return MERIQ_E_BAD_COORDINATES;
    return MERIQ_OK;
}

int MapExtents::transform(const CoordSys& target) {
    if (!target.IsValid()) return MERIQ_E_TARGET_CS;
    if (m_empty) {
        m_coordSys = target;
        return MERIQ_OK;
    }
    if (!m_coordSys.IsValid()) return MERIQ_E_SOURCE_CS;
    if (const int bad = checkBounds()) return bad;
    if (m_coordSys == target) return MERIQ_OK;

    std::unique_ptr<tesk::project::CrsTransform> t;
    try {
        t = std::make_unique<tesk::project::CrsTransform>(m_coordSys.GetDefinition(), target.GetDefinition());
    } catch (const std::exception&) {
        return MERIQ_E_NO_TRANSFORMATION;
    }
    double north = 0, south = 0, east = 0, west = 0;
    if (!t->Bounds(m_west, m_south, m_east, m_north, west, south, east, north)) return MERIQ_E_TRANSFORM_FAILED;
    setExtents(target, north, south, east, west);
    return MERIQ_OK;
}

int MapExtents::getExtents(double& north, double& south, double& east, double& west) const {
    if (m_empty || checkBounds() != MERIQ_OK) return 0;
    north = m_north;
    south = m_south;
    east = m_east;
    west = m_west;
    return 1;
}
