#pragma once
// A box on the map: north, south, east and west bounds in a coordinate
// system. In a geographic system a west bound greater than the east bound
// means the box crosses the 180th meridian (west 179.5, east -179.5 is one
// degree wide).
//
// A default-constructed box is empty: it transforms to an empty box and has
// no bounds to give.

#include "services/Meriq10/CoordSys.h"

class MapExtents {
public:
    MapExtents() = default;
    MapExtents(const CoordSys& coordSys, double north, double south, double east, double west);

    void setExtents(const CoordSys& coordSys, double north, double south, double east, double west);
    // Empties the box; its coordinate system stays.
    void clear() { m_empty = true; }

    bool isEmpty() const { return m_empty; }
    const CoordSys& getCoordSys() const { return m_coordSys; }
    bool crossesDateline() const { return !m_empty && m_coordSys.IsGeographic() && m_west > m_east; }

    // Replaces the box with the smallest box in `target` that holds it, its
    // edges followed point by point rather than its corners alone. Returns
    // MERIQ_OK, or an error code (MeriqErrors.h) with the box unchanged. A
    // geographic result that crosses the 180th meridian comes back with west
    // greater than east. An empty box stays empty and takes the target system.
    int transform(const CoordSys& target);

    // Nonzero on success, with the bounds in this order; zero, outputs
    // untouched, for an empty box or one whose bounds are not usable.
    int getExtents(double& north, double& south, double& east, double& west) const;

private:
    int checkBounds() const;

    CoordSys m_coordSys;
    bool m_empty = true;
    double m_north = 0, m_south = 0, m_east = 0, m_west = 0;
};
