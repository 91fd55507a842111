#pragma once
// A point in space: map position x, y in some coordinate system and a height z.

struct XYZPt {
    double x = 0;
    double y = 0;
    double z = 0;
};
