#pragma once
// The current project's units settings: the depth and distance units in which
// values are stored (project) and shown (display), and the unit category of
// a record set's field. Every call reads the current project.

#include <string>

#include "services/TeskDataFactory/MapSizeUnits.h"

using CString = std::string;

class CTeskUnitsObjectImpl {
public:
    static constexpr const char* kDepthCategory = "Depth";
    static constexpr const char* kDistanceCategory = "Distance";
    static constexpr const char* kCoordinateCategory = "Coordinate";

    MapSizeUnits GetProjectDepthUnit() const;
    MapSizeUnits GetDisplayDepthUnit() const;
    MapSizeUnits GetProjectDistanceUnit() const;
    MapSizeUnits GetDisplayDistanceUnit() const;
    bool DistanceProjectIsFeet() const;

    // "Depth", "Distance", "Coordinate", or empty when the field has no unit.
    CString GetFieldUnitCategory(const char* lpszRecordsetName, const char* lpszFieldName) const;
    // The unit of a category: the project's unit when bProject is true, else
    // the display unit; -1 for a category without a length unit.
    int GetCategoryUnit(const char* lpszCategory, bool bProject) const;
    // True when the category is known; bIsCoordinate then says whether it is
    // a map coordinate.
    bool IsCoordinateCategory(const char* lpszCategory, bool& bIsCoordinate) const;
};
