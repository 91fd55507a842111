#pragma once
// Length-unit codes of the project's units settings and of LengthUnit.
enum MapSizeUnits : int {
    MAP_SIZE_UNITS_NONE = 0,
    MAP_SIZE_UNITS_FEET = 1,    // the international foot, 0.3048 m
    MAP_SIZE_UNITS_METERS = 2,
};
