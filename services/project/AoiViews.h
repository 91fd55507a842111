#pragma once
// Area-of-interest views: "WellHeader_<suffix>" lists the "Well ID"s of the
// wells whose surface position ("Lng", "Lat", in the database coordinate
// system) lies inside the area's extents.

#include <string>
#include <vector>

#include "services/project/ProjectDescriptor.h"

class CDatabase;

namespace tesk::project {

// Extents in the database coordinate system. In a geographic system, west
// greater than east means the box crosses the 180th meridian.
struct Extents {
    double north = 0, south = 0, east = 0, west = 0;
};

// The area's extents transformed into the database coordinate system (the
// extents as they are when the area has no system of its own or the same one).
// Raises std::runtime_error when the transformation fails.
Extents ExtentsInDatabaseCrs(const AreaOfInterest& aoi, const std::string& databaseCrs);

// The statement that creates the area's view.
std::string AoiViewStatement(const AreaOfInterest& aoi, const std::string& databaseCrs);

// Drops every "WellHeader_..." view and creates one per area.
void RebuildAoiViews(CDatabase& db, const Descriptor& descriptor);

} // namespace tesk::project
