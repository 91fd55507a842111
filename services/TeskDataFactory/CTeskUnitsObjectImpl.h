#pragma once
// The current project's units settings: the depth and distance units in which
// values are stored (project) and shown (display), and the unit category of
// a record set's field. Every call reads the current project: the units from
// its descriptor, the categories from its "UnitCategory" and
// "FieldUnitCategory" tables.

#include <string>

#include "services/TeskDataFactory/MapSizeUnits.h"

using CString = std::string;

class CTeskUnitsObjectImpl {
public:
    MapSizeUnits GetProjectDepthUnit() const;
    MapSizeUnits GetDisplayDepthUnit() const;
    MapSizeUnits GetProjectDistanceUnit() const;
    MapSizeUnits GetDisplayDistanceUnit() const;
    bool DistanceProjectIsFeet() const;

    // The category of a field of a record set, by the name the record set was
    // opened with ("Formations", "OrderedFormations"...); empty when the
    // field has none.
    CString GetFieldUnitCategory(const char* lpszRecordsetName, const char* lpszFieldName) const;
    // The unit of a category's values: with bProject the unit they are stored
    // in, otherwise the one they are shown in. Depths and elevations take the
    // depth unit, distances the distance unit, map coordinates the unit of the
    // database (display) coordinate system's axes when that is feet or metres.
    // -1 for an unknown category and for one without a length unit
    // (geographic coordinates, map coordinates in degrees).
    int GetCategoryUnit(const char* lpszCategory, bool bProject) const;
    // True when the category is known; bIsCoordinate then says whether it is
    // a map or geographic coordinate.
    bool IsCoordinateCategory(const char* lpszCategory, bool& bIsCoordinate) const;
};
