#include "services/Meriq10/CoordSys.h"

#include <geodesic.h>

#include <cmath>
#include <map>
#include <memory>
#include <mutex>
#include <numbers>

#include "services/Meriq10/MeriqErrors.h"
#include "services/project/CrsTransform.h"

using tesk::project::CrsDescription;

CoordSys::CoordSys(const std::string& definition) : m_definition(definition) {
    CrsDescription d;
    if (definition.empty() || !tesk::project::DescribeCrs(definition, d)) return;
    switch (d.kind) {
    case CrsDescription::Kind::Geographic: m_kind = Kind::Geographic; break;
    case CrsDescription::Kind::Projected: m_kind = Kind::Projected; break;
    case CrsDescription::Kind::Other: m_kind = Kind::Other; break;
    }
    m_name = d.name;
    m_unitFactor = d.unitFactor;
    m_semiMajorAxis = d.semiMajorAxis;
    m_flattening = d.flattening;
}

const CoordSys& CoordSys::Shared(const std::string& definition) {
    static std::mutex mutex;
    static std::map<std::string, std::unique_ptr<CoordSys>> systems;
    std::lock_guard lock(mutex);
    std::unique_ptr<CoordSys>& slot = systems[definition];
    if (!slot) slot = std::make_unique<CoordSys>(definition);
    return *slot;
}

MapSizeUnits CoordSys::GetMapSizeUnit() const {
    if (!IsProjected()) return MAP_SIZE_UNITS_NONE;
    // The US survey foot (1200/3937 m) differs from the international foot
    // by two parts in a million; both are feet to a user choosing units.
    if (std::fabs(m_unitFactor - 0.3048) < 1e-6) return MAP_SIZE_UNITS_FEET;
    if (std::fabs(m_unitFactor - 1.0) < 1e-12) return MAP_SIZE_UNITS_METERS;
    return MAP_SIZE_UNITS_NONE;
}

int CoordSys::OffsetPoint(double x, double y, double xOffset, double yOffset, const LengthUnit& unit, double& outX,
                          double& outY) const {
    if (!IsValid()) return MERIQ_E_SOURCE_CS;
    if (!unit.IsValid()) return MERIQ_E_UNIT;
    if (!std::isfinite(x) || !std::isfinite(y) || !std::isfinite(xOffset) || !std::isfinite(yOffset))
        return MERIQ_E_BAD_COORDINATES;

    if (IsProjected()) {
        if (!(m_unitFactor > 0)) return MERIQ_E_NOT_SUPPORTED;
        const double scale = unit.MetresPerUnit() / m_unitFactor;
        outX = x + xOffset * scale;
        outY = y + yOffset * scale;
        return MERIQ_OK;
    }
    if (!IsGeographic() || !(m_unitFactor > 0) || !(m_semiMajorAxis > 0)) return MERIQ_E_NOT_SUPPORTED;

    const double degreesPerUnit = m_unitFactor * 180 / std::numbers::pi;
    const double lon = x * degreesPerUnit;
    const double lat = y * degreesPerUnit;
    if (std::fabs(lat) > 90) return MERIQ_E_BAD_COORDINATES;
    const double distance = std::hypot(xOffset, yOffset) * unit.MetresPerUnit();
    if (distance == 0) {
        outX = x;
        outY = y;
        return MERIQ_OK;
    }
    const double azimuth = std::atan2(xOffset, yOffset) * 180 / std::numbers::pi;
    geod_geodesic g;
    geod_init(&g, m_semiMajorAxis, m_flattening);
    double lat2 = 0, lon2 = 0;
    geod_direct(&g, lat, lon, azimuth, distance, &lat2, &lon2, nullptr);
    if (!std::isfinite(lat2) || !std::isfinite(lon2)) return MERIQ_E_TRANSFORM_FAILED;
    outX = lon2 / degreesPerUnit;
    outY = lat2 / degreesPerUnit;
    return MERIQ_OK;
}
