#pragma once
// The four bounds of extents, read for comparison.

#include <gtest/gtest.h>

#include "services/Meriq10/MapExtents.h"

namespace tesk::test {

struct Box {
    double north = 0, south = 0, east = 0, west = 0;
};

inline Box boundsOf(const MapExtents& e) {
    Box b;
    EXPECT_NE(e.getExtents(b.north, b.south, b.east, b.west), 0);
    return b;
}

} // namespace tesk::test
