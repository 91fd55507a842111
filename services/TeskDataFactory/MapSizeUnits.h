#pragma once
// Length-unit codes of the project's units settings.
enum MapSizeUnits : int {
    MAP_SIZE_UNITS_NONE = 0,
    MAP_SIZE_UNITS_FEET = 1,
    MAP_SIZE_UNITS_METERS = 2,
};
