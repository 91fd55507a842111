#include "recordset/LosslessCoercion.h"

#include <cmath>
#include <cstring>
#include <limits>

namespace TeskDataProvider {

using tesk::com::Variant;

namespace {

bool isNumber(VARTYPE vt) {
    switch (vt) {
    case VT_I1: case VT_I2: case VT_I4: case VT_I8: case VT_INT:
    case VT_UI1: case VT_UI2: case VT_UI4: case VT_UI8: case VT_UINT:
    case VT_R4: case VT_R8: case VT_CY: case VT_BOOL: return true;
    default: return false;
    }
}

bool isInteger(VARTYPE vt) { return isNumber(vt) && vt != VT_R4 && vt != VT_R8 && vt != VT_CY; }

bool convert(const VARIANT& in, VARTYPE vt, Variant& out) {
    Variant converted;
    if (FAILED(VariantChangeType(&converted.get(), &in, VARIANT_NOVALUEPROP, vt))) return false;
    out = std::move(converted);
    return true;
}

// Equality of two variants of the same scalar type, value by value.
bool sameValue(const VARIANT& a, const VARIANT& b) {
    if (a.vt != b.vt) return false;
    switch (a.vt) {
    case VT_R4: return a.fltVal == b.fltVal || (std::isnan(a.fltVal) && std::isnan(b.fltVal));
    case VT_R8: return a.dblVal == b.dblVal || (std::isnan(a.dblVal) && std::isnan(b.dblVal));
    case VT_DATE: return a.date == b.date;
    case VT_BOOL: return (a.boolVal != 0) == (b.boolVal != 0);
    case VT_BSTR: return tesk::com::ViewOfBstr(a.bstrVal) == tesk::com::ViewOfBstr(b.bstrVal);
    case VT_I1: case VT_UI1: return a.bVal == b.bVal;
    case VT_I2: case VT_UI2: return a.uiVal == b.uiVal;
    case VT_I4: case VT_UI4: case VT_INT: case VT_UINT: return a.ulVal == b.ulVal;
    case VT_I8: case VT_UI8: case VT_CY: return a.ullVal == b.ullVal;
    default: return false;
    }
}

// A text names a whole number when it reads as a real number without a
// fractional part; "2.5" must not become 2 in an integer column.
bool textIsWholeNumber(const VARIANT& text) {
    Variant real;
    if (FAILED(VariantChangeType(&real.get(), &text, 0, VT_R8))) return false;
    const double d = real.get().dblVal;
    return std::isfinite(d) && d == std::trunc(d);
}

} // namespace

bool CoerceLosslessly(const VARIANT& in, VARTYPE target, Variant& out) {
    if (in.vt == target) {
        out = Variant(in);
        return true;
    }
    if (target == VT_BSTR) return (isNumber(in.vt) || in.vt == VT_DATE) && convert(in, VT_BSTR, out);
    if (in.vt == VT_BSTR) {
        if (isInteger(target) && !textIsWholeNumber(in)) return false;
        return convert(in, target, out);
    }
    const bool dateIn = in.vt == VT_DATE, dateOut = target == VT_DATE;
    if (dateIn != dateOut || (!dateIn && !isNumber(in.vt))) return false;
    Variant converted;
    if (!convert(in, target, converted)) return false;
    if (target == VT_R4) {
        if (!std::isfinite(converted.get().fltVal) && in.vt == VT_R8 && std::isfinite(in.dblVal)) return false;
    } else {
        Variant back;
        if (!convert(converted.get(), in.vt, back) || !sameValue(back.get(), in)) return false;
    }
    out = std::move(converted);
    return true;
}

} // namespace TeskDataProvider
