#pragma once
// A unit of length, by its MapSizeUnits code: 1 feet (international foot),
// 2 metres. Any other code makes a unit that is not valid, which offsets
// refuse.

#include "services/Meriq10/MapSizeUnits.h"

class LengthUnit {
public:
    LengthUnit() = default;  // metres
    explicit LengthUnit(MapSizeUnits code) : m_code(code) {}
    explicit LengthUnit(int code) : m_code(static_cast<MapSizeUnits>(code)) {}

    MapSizeUnits GetCode() const { return m_code; }
    bool IsValid() const { return MetresPerUnit() > 0; }
    // 0 for a unit that is not valid.
    double MetresPerUnit() const;
    // "ft", "m", or empty.
    const char* GetAbbreviation() const;

private:
    MapSizeUnits m_code = MAP_SIZE_UNITS_METERS;
};
