#pragma once
// Result codes of the coordinate classes: 0 is success, anything else names
// what went wrong. Callers report them as unsigned decimal numbers.
enum MERIQ_RESULT : int {
    MERIQ_OK = 0,
    MERIQ_E_SOURCE_CS = 1,         // the extents or point carry no coordinate system PROJ can build
    MERIQ_E_TARGET_CS = 2,         // the target coordinate system cannot be built
    MERIQ_E_NO_TRANSFORMATION = 3, // PROJ knows no way between the two systems
    MERIQ_E_TRANSFORM_FAILED = 4,  // the coordinates lie outside what the transformation can take
    MERIQ_E_BAD_COORDINATES = 5,   // a bound or coordinate is not a finite number, a latitude lies
                                   // beyond a pole, south lies north of north, or a projected box
                                   // has west east of east
    MERIQ_E_UNIT = 6,              // the length unit is not one of the known codes
    MERIQ_E_NOT_SUPPORTED = 7,     // the coordinate system is neither geographic nor projected
};
