#pragma once
// Column roles a record-set adapter knows by name: depth kinds and coordinate roles.

namespace TeskDepthUnitType {
enum DEPTH_UNIT_TYPE : int { DEPTH_MD = 0, DEPTH_TVD = 1, DEPTH_SUBSEA = 2 };
}

enum teskCoordinate : int { teskCoordinateX = 0, teskCoordinateY = 1 };
