#include "services/Meriq10/LengthUnit.h"

double LengthUnit::MetresPerUnit() const {
    switch (m_code) {
    case MAP_SIZE_UNITS_FEET: return 0.3048;
    case MAP_SIZE_UNITS_METERS: return 1.0;
    default: return 0.0;
    }
}

const char* LengthUnit::GetAbbreviation() const {
    switch (m_code) {
    case MAP_SIZE_UNITS_FEET: return "ft";
    case MAP_SIZE_UNITS_METERS: return "m";
    default: return "";
    }
}
