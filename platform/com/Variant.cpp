#include "platform/com/Variant.h"

#include "platform/com/Date.h"
#include "platform/db/TimestampText.h"

#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>
#include <new>
#include <stdexcept>
#include <string>
#include <utility>

namespace {

bool isScalar(VARTYPE t) {
    switch (t) {
    case VT_EMPTY: case VT_NULL: case VT_I2: case VT_I4: case VT_R4: case VT_R8: case VT_CY:
    case VT_DATE: case VT_BSTR: case VT_DISPATCH: case VT_ERROR: case VT_BOOL: case VT_UNKNOWN:
    case VT_I1: case VT_UI1: case VT_UI2: case VT_UI4: case VT_I8: case VT_UI8: case VT_INT: case VT_UINT:
        return true;
    default:
        return false;
    }
}

bool isValid(VARTYPE vt) {
    const VARTYPE base = vt & VT_TYPEMASK;
    const VARTYPE flags = vt & ~VT_TYPEMASK;
    if (flags & ~(VT_ARRAY | VT_BYREF)) return false;
    if (flags & VT_ARRAY) return base == VT_VARIANT || (isScalar(base) && base != VT_EMPTY && base != VT_NULL);
    if (flags & VT_BYREF) return base == VT_VARIANT || (isScalar(base) && base != VT_EMPTY && base != VT_NULL);
    return isScalar(base);
}

// Types VariantChangeType converts between.
bool isConvertible(VARTYPE t) { return isScalar(t) && t != VT_CY; }

BSTR copyBstr(BSTR s) {
    if (!s) return nullptr;
    return SysAllocStringByteLen(reinterpret_cast<const char*>(s), SysStringByteLen(s));
}

// Copies src into out (raw) without dereferencing: new BSTR, AddRef, copied array.
HRESULT deepCopy(VARIANT& out, const VARIANT& src) {
    if (!isValid(src.vt)) return DISP_E_BADVARTYPE;
    VARIANT v = src;
    v.wReserved1 = v.wReserved2 = v.wReserved3 = 0;
    if (!(src.vt & VT_BYREF)) {
        if (src.vt & VT_ARRAY) {
            const HRESULT hr = SafeArrayCopy(src.parray, &v.parray);
            if (FAILED(hr)) return hr;
        } else if (src.vt == VT_BSTR) {
            v.bstrVal = copyBstr(src.bstrVal);
            if (src.bstrVal && !v.bstrVal) return E_OUTOFMEMORY;
        } else if (src.vt == VT_DISPATCH) {
            if (v.pdispVal) v.pdispVal->AddRef();
        } else if (src.vt == VT_UNKNOWN) {
            if (v.punkVal) v.punkVal->AddRef();
        }
    }
    out = v;
    return S_OK;
}

// A shallow view of the value a by-reference variant points at; the view
// borrows whatever the source refers to and must not be cleared.
HRESULT dereference(const VARIANT& src, VARIANT& view) {
    if (!isValid(src.vt)) return DISP_E_BADVARTYPE;
    if (!(src.vt & VT_BYREF)) {
        view = src;
        return S_OK;
    }
    if (!src.byref) return E_INVALIDARG;
    const VARTYPE base = src.vt & ~VT_BYREF;
    if (base == VT_VARIANT) {
        // A reference to a variant that is itself a reference is not allowed.
        if (!isValid(src.pvarVal->vt) || (src.pvarVal->vt & VT_BYREF)) return E_INVALIDARG;
        view = *src.pvarVal;
        return S_OK;
    }
    VariantInit(&view);
    if (base & VT_ARRAY) {
        view.parray = *src.pparray;
    } else {
        switch (base) {
        case VT_I1: view.cVal = *src.pcVal; break;
        case VT_UI1: view.bVal = *src.pbVal; break;
        case VT_I2: view.iVal = *src.piVal; break;
        case VT_UI2: view.uiVal = *src.puiVal; break;
        case VT_BOOL: view.boolVal = *src.pboolVal; break;
        case VT_I4: view.lVal = *src.plVal; break;
        case VT_UI4: view.ulVal = *src.pulVal; break;
        case VT_INT: view.intVal = *src.pintVal; break;
        case VT_UINT: view.uintVal = *src.puintVal; break;
        case VT_ERROR: view.scode = *src.pscode; break;
        case VT_R4: view.fltVal = *src.pfltVal; break;
        case VT_I8: view.llVal = *src.pllVal; break;
        case VT_UI8: view.ullVal = *src.pullVal; break;
        case VT_CY: view.cyVal = *src.pcyVal; break;
        case VT_R8: view.dblVal = *src.pdblVal; break;
        case VT_DATE: view.date = *src.pdate; break;
        case VT_BSTR: view.bstrVal = *src.pbstrVal; break;
        case VT_DISPATCH: view.pdispVal = *src.ppdispVal; break;
        case VT_UNKNOWN: view.punkVal = *src.ppunkVal; break;
        default: return DISP_E_BADVARTYPE;
        }
    }
    view.vt = base;
    return S_OK;
}

// ---- numbers ---------------------------------------------------------------

struct Number {
    enum Kind { Signed, Unsigned, Real } kind = Signed;
    int64_t i = 0;
    uint64_t u = 0;
    double d = 0;
    bool single = false;  // came from a VT_R4: written with float precision

    static Number S(int64_t v) { Number n; n.kind = Signed; n.i = v; return n; }
    static Number U(uint64_t v) { Number n; n.kind = Unsigned; n.u = v; return n; }
    static Number R(double v) { Number n; n.kind = Real; n.d = v; return n; }

    double real() const {
        return kind == Signed ? static_cast<double>(i) : kind == Unsigned ? static_cast<double>(u) : d;
    }
    bool nonzero() const { return kind == Signed ? i != 0 : kind == Unsigned ? u != 0 : d != 0; }
};

double roundHalfEven(double x) {
    double r = std::floor(x);
    const double frac = x - r;  // exact for doubles
    if (frac > 0.5 || (frac == 0.5 && std::fmod(r, 2.0) != 0)) r += 1;
    return r;
}

template <class T>
HRESULT toInteger(const Number& n, T& out) {
    switch (n.kind) {
    case Number::Signed:
        if (!std::in_range<T>(n.i)) return DISP_E_OVERFLOW;
        out = static_cast<T>(n.i);
        return S_OK;
    case Number::Unsigned:
        if (!std::in_range<T>(n.u)) return DISP_E_OVERFLOW;
        out = static_cast<T>(n.u);
        return S_OK;
    case Number::Real: {
        if (std::isnan(n.d)) return DISP_E_OVERFLOW;
        const double r = roundHalfEven(n.d);
        // max + 1 is a power of two and exact, even where max itself is not.
        const double below = static_cast<double>(std::numeric_limits<T>::max()) + 1.0;
        if (!(r >= static_cast<double>(std::numeric_limits<T>::min()) && r < below)) return DISP_E_OVERFLOW;
        out = static_cast<T>(r);
        return S_OK;
    }
    }
    return E_UNEXPECTED;
}

std::string trimmedAscii(BSTR s, bool& ascii) {
    std::string out;
    ascii = true;
    for (OLECHAR c : tesk::com::ViewOfBstr(s)) {
        if (c > 0x7F) {
            ascii = false;
            return {};
        }
        out.push_back(static_cast<char>(c));
    }
    const auto space = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    size_t b = 0, e = out.size();
    while (b < e && space(out[b])) ++b;
    while (e > b && space(out[e - 1])) --e;
    return out.substr(b, e - b);
}

bool equalsNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
        if (lower(a[i]) != lower(b[i])) return false;
    }
    return true;
}

// Decimal text in the C locale: optional sign, digits, optional fraction and exponent.
HRESULT parseNumber(std::string_view text, Number& n) {
    bool negative = false;
    std::string_view body = text;
    if (!body.empty() && (body[0] == '+' || body[0] == '-')) {
        negative = body[0] == '-';
        body.remove_prefix(1);
    }
    if (body.empty() || !((body[0] >= '0' && body[0] <= '9') || body[0] == '.')) return DISP_E_TYPEMISMATCH;
    const char* end = body.data() + body.size();
    uint64_t u = 0;
    auto [p, ec] = std::from_chars(body.data(), end, u);
    if (ec == std::errc() && p == end) {
        constexpr uint64_t kMinMagnitude = uint64_t{1} << 63;
        if (!negative) {
            n = Number::U(u);
            return S_OK;
        }
        if (u <= kMinMagnitude) {
            n = Number::S(u == kMinMagnitude ? std::numeric_limits<int64_t>::min() : -static_cast<int64_t>(u));
            return S_OK;
        }
    }
    double d = 0;
    auto [q, ec2] = std::from_chars(body.data(), end, d, std::chars_format::general);
    if (q != end) return DISP_E_TYPEMISMATCH;
    if (ec2 == std::errc::result_out_of_range) {
        // Too small rounds to zero; too large overflows.
        const size_t e = body.find_first_of("eE");
        if (e == std::string_view::npos || body.substr(e + 1).find('-') == std::string_view::npos)
            return DISP_E_OVERFLOW;
        d = 0;
    } else if (ec2 != std::errc()) {
        return DISP_E_TYPEMISMATCH;
    }
    n = Number::R(negative ? -d : d);
    return S_OK;
}

HRESULT numberOf(const VARIANT& v, bool wantBool, Number& n) {
    switch (v.vt) {
    case VT_EMPTY: n = Number::S(0); return S_OK;
    case VT_BOOL: n = Number::S(v.boolVal ? -1 : 0); return S_OK;
    case VT_I1: n = Number::S(static_cast<signed char>(v.cVal)); return S_OK;
    case VT_I2: n = Number::S(v.iVal); return S_OK;
    case VT_I4: n = Number::S(v.lVal); return S_OK;
    case VT_I8: n = Number::S(v.llVal); return S_OK;
    case VT_INT: n = Number::S(v.intVal); return S_OK;
    case VT_UI1: n = Number::U(v.bVal); return S_OK;
    case VT_UI2: n = Number::U(v.uiVal); return S_OK;
    case VT_UI4: n = Number::U(v.ulVal); return S_OK;
    case VT_UI8: n = Number::U(v.ullVal); return S_OK;
    case VT_UINT: n = Number::U(v.uintVal); return S_OK;
    case VT_R4: n = Number::R(v.fltVal); n.single = true; return S_OK;
    case VT_R8: n = Number::R(v.dblVal); return S_OK;
    case VT_DATE: n = Number::R(v.date); return S_OK;
    case VT_BSTR: {
        bool ascii = false;
        const std::string text = trimmedAscii(v.bstrVal, ascii);
        if (!ascii) return DISP_E_TYPEMISMATCH;
        if (wantBool && equalsNoCase(text, "true")) {
            n = Number::S(-1);
            return S_OK;
        }
        if (wantBool && equalsNoCase(text, "false")) {
            n = Number::S(0);
            return S_OK;
        }
        return parseNumber(text, n);
    }
    default:
        return DISP_E_TYPEMISMATCH;
    }
}

bool dateInRange(double d) {
    SYSTEMTIME st;
    return VariantTimeToSystemTime(d, &st) != 0;
}

HRESULT fromNumber(const Number& n, VARTYPE vt, VARIANT& out) {
    HRESULT hr = S_OK;
    switch (vt) {
    case VT_I1: {
        int8_t v = 0;
        hr = toInteger(n, v);
        out.cVal = static_cast<CHAR>(v);
        break;
    }
    case VT_I2: hr = toInteger(n, out.iVal); break;
    case VT_I4: hr = toInteger(n, out.lVal); break;
    case VT_I8: hr = toInteger(n, out.llVal); break;
    case VT_INT: hr = toInteger(n, out.intVal); break;
    case VT_UI1: hr = toInteger(n, out.bVal); break;
    case VT_UI2: hr = toInteger(n, out.uiVal); break;
    case VT_UI4: hr = toInteger(n, out.ulVal); break;
    case VT_UI8: hr = toInteger(n, out.ullVal); break;
    case VT_UINT: hr = toInteger(n, out.uintVal); break;
    case VT_R4: {
        const double d = n.real();
        if (std::isfinite(d) && std::fabs(d) > std::numeric_limits<float>::max()) return DISP_E_OVERFLOW;
        out.fltVal = static_cast<float>(d);
        break;
    }
    case VT_R8: out.dblVal = n.real(); break;
    case VT_DATE: {
        const double d = n.real();
        if (!dateInRange(d)) return DISP_E_OVERFLOW;
        out.date = d;
        break;
    }
    case VT_BOOL: out.boolVal = n.nonzero() ? VARIANT_TRUE : VARIANT_FALSE; break;
    default: return DISP_E_TYPEMISMATCH;
    }
    if (SUCCEEDED(hr)) out.vt = vt;
    return hr;
}

// ---- text ------------------------------------------------------------------

void appendPadded(std::string& s, int value, int width) {
    std::string digits = std::to_string(value);
    if (static_cast<int>(digits.size()) < width) s.append(static_cast<size_t>(width) - digits.size(), '0');
    s += digits;
}

// "YYYY-MM-DD HH:MM:SS", or the date alone at midnight.
bool formatDate(DATE d, std::string& text) {
    SYSTEMTIME st;
    if (!VariantTimeToSystemTime(d, &st)) return false;
    appendPadded(text, st.wYear, 4);
    text += '-';
    appendPadded(text, st.wMonth, 2);
    text += '-';
    appendPadded(text, st.wDay, 2);
    if (st.wHour || st.wMinute || st.wSecond) {
        text += ' ';
        appendPadded(text, st.wHour, 2);
        text += ':';
        appendPadded(text, st.wMinute, 2);
        text += ':';
        appendPadded(text, st.wSecond, 2);
    }
    return true;
}

HRESULT dateFromText(BSTR s, DATE& out) {
    bool ascii = false;
    const std::string text = trimmedAscii(s, ascii);
    TIMESTAMP_STRUCT ts{};
    if (!ascii || !tesk::db::parseTimestamp(text, ts)) return DISP_E_TYPEMISMATCH;
    if (ts.year < 100 || ts.year > 9999) return DISP_E_OVERFLOW;
    const SYSTEMTIME st{static_cast<WORD>(ts.year), ts.month, 0, ts.day, ts.hour, ts.minute, ts.second, 0};
    return SystemTimeToVariantTime(&st, &out) ? S_OK : DISP_E_TYPEMISMATCH;
}

template <class T>
void appendNumber(std::string& s, T value) {
    char buf[64];
    const auto r = std::to_chars(buf, buf + sizeof buf, value);
    s.append(buf, r.ptr);
}

HRESULT toText(const VARIANT& v, USHORT flags, VARIANT& out) {
    std::string text;
    switch (v.vt) {
    case VT_EMPTY: break;
    case VT_BOOL:
        if (flags & (VARIANT_ALPHABOOL | VARIANT_LOCALBOOL))
            text = v.boolVal ? "True" : "False";
        else
            text = v.boolVal ? "-1" : "0";
        break;
    case VT_R4: appendNumber(text, v.fltVal); break;  // shortest text that reads back the same
    case VT_R8: appendNumber(text, v.dblVal); break;
    case VT_DATE:
        if (!formatDate(v.date, text)) return DISP_E_OVERFLOW;
        break;
    default: {
        Number n;
        if (FAILED(numberOf(v, false, n)) || n.kind == Number::Real) return DISP_E_TYPEMISMATCH;
        if (n.kind == Number::Signed)
            appendNumber(text, n.i);
        else
            appendNumber(text, n.u);
    }
    }
    // Texts produced here are ASCII: one UTF-16 unit per byte.
    BSTR s = SysAllocStringLen(nullptr, static_cast<UINT>(text.size()));
    if (!s) return E_OUTOFMEMORY;
    for (size_t i = 0; i < text.size(); ++i) s[i] = static_cast<OLECHAR>(text[i]);
    out.vt = VT_BSTR;
    out.bstrVal = s;
    return S_OK;
}

// ---- objects ---------------------------------------------------------------

HRESULT convert(const VARIANT& src, USHORT flags, VARTYPE vt, VARIANT& out, int depth);

HRESULT queryInterface(IUnknown* unk, REFIID iid, VARTYPE vt, VARIANT& out) {
    void* p = nullptr;
    if (unk && FAILED(unk->QueryInterface(iid, &p))) return DISP_E_TYPEMISMATCH;
    out.vt = vt;
    if (vt == VT_DISPATCH)
        out.pdispVal = static_cast<IDispatch*>(p);
    else
        out.punkVal = static_cast<IUnknown*>(p);
    return S_OK;
}

// An object converts through its default property.
HRESULT fromDefaultValue(const VARIANT& src, USHORT flags, VARTYPE vt, VARIANT& out, int depth) {
    if ((flags & VARIANT_NOVALUEPROP) || depth > 0) return DISP_E_TYPEMISMATCH;
    IDispatch* disp = nullptr;
    if (src.vt == VT_DISPATCH) {
        disp = src.pdispVal;
        if (disp) disp->AddRef();
    } else if (src.punkVal) {
        void* p = nullptr;
        if (SUCCEEDED(src.punkVal->QueryInterface(IID_IDispatch, &p))) disp = static_cast<IDispatch*>(p);
    }
    if (!disp) return DISP_E_TYPEMISMATCH;
    DISPPARAMS none{nullptr, nullptr, 0, 0};
    VARIANT value;
    VariantInit(&value);
    HRESULT hr = disp->Invoke(DISPID_VALUE, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET, &none, &value,
                              nullptr, nullptr);
    disp->Release();
    if (FAILED(hr)) {
        VariantClear(&value);
        return DISP_E_TYPEMISMATCH;
    }
    hr = convert(value, flags, vt, out, depth + 1);
    VariantClear(&value);
    return hr;
}

// src is not by-reference; out is raw and receives a value it owns.
HRESULT convert(const VARIANT& src, USHORT flags, VARTYPE vt, VARIANT& out, int depth) {
    if (src.vt == vt) return deepCopy(out, src);
    if (!isValid(vt) || (vt & VT_BYREF)) return DISP_E_BADVARTYPE;
    if ((vt & VT_ARRAY) || (src.vt & VT_ARRAY)) return DISP_E_TYPEMISMATCH;
    if (!isConvertible(vt) || !isConvertible(src.vt)) return DISP_E_BADVARTYPE;

    if (vt == VT_EMPTY) {
        out.vt = VT_EMPTY;
        return S_OK;
    }
    if (vt == VT_NULL) {
        if (src.vt != VT_EMPTY) return DISP_E_TYPEMISMATCH;
        out.vt = VT_NULL;
        return S_OK;
    }
    if (src.vt == VT_NULL) return DISP_E_TYPEMISMATCH;

    const bool srcObject = src.vt == VT_DISPATCH || src.vt == VT_UNKNOWN;
    const bool dstObject = vt == VT_DISPATCH || vt == VT_UNKNOWN;
    if (srcObject && dstObject)
        return queryInterface(src.punkVal, vt == VT_DISPATCH ? IID_IDispatch : IID_IUnknown, vt, out);
    if (srcObject) return fromDefaultValue(src, flags, vt, out, depth);
    if (dstObject) return DISP_E_TYPEMISMATCH;

    // An error code travels only as a 4-byte integer.
    if (vt == VT_ERROR || src.vt == VT_ERROR) {
        if (vt == VT_ERROR && src.vt == VT_I4) {
            out.vt = VT_ERROR;
            out.scode = src.lVal;
            return S_OK;
        }
        if (vt == VT_I4 && src.vt == VT_ERROR) {
            out.vt = VT_I4;
            out.lVal = src.scode;
            return S_OK;
        }
        return DISP_E_TYPEMISMATCH;
    }
    if (vt == VT_BSTR) return toText(src, flags, out);
    if (vt == VT_DATE && src.vt == VT_BSTR) {
        const HRESULT hr = dateFromText(src.bstrVal, out.date);
        if (SUCCEEDED(hr)) out.vt = VT_DATE;
        return hr;
    }
    Number n;
    const HRESULT hr = numberOf(src, vt == VT_BOOL, n);
    if (FAILED(hr)) return hr;
    return fromNumber(n, vt, out);
}

} // namespace

void VariantInit(VARIANTARG* pvarg) {
    if (pvarg) std::memset(static_cast<void*>(pvarg), 0, sizeof(VARIANT));
}

HRESULT VariantClear(VARIANTARG* pvarg) {
    if (!pvarg) return E_INVALIDARG;
    VARIANT& v = *pvarg;
    if (!isValid(v.vt)) return DISP_E_BADVARTYPE;
    if (!(v.vt & VT_BYREF)) {
        if (v.vt & VT_ARRAY) {
            const HRESULT hr = SafeArrayDestroy(v.parray);
            if (FAILED(hr)) return hr;
        } else if (v.vt == VT_BSTR) {
            SysFreeString(v.bstrVal);
        } else if (v.vt == VT_DISPATCH) {
            if (v.pdispVal) v.pdispVal->Release();
        } else if (v.vt == VT_UNKNOWN) {
            if (v.punkVal) v.punkVal->Release();
        }
    }
    VariantInit(pvarg);
    return S_OK;
}

HRESULT VariantCopy(VARIANTARG* pvargDest, const VARIANTARG* pvargSrc) {
    if (!pvargDest || !pvargSrc) return E_INVALIDARG;
    if (pvargDest == pvargSrc) return isValid(pvargSrc->vt) ? S_OK : DISP_E_BADVARTYPE;
    VARIANT copy;
    HRESULT hr = deepCopy(copy, *pvargSrc);
    if (FAILED(hr)) return hr;
    hr = VariantClear(pvargDest);
    if (FAILED(hr)) {
        VariantClear(&copy);
        return hr;
    }
    *pvargDest = copy;
    return S_OK;
}

HRESULT VariantCopyInd(VARIANT* pvarDest, const VARIANTARG* pvargSrc) {
    if (!pvarDest || !pvargSrc) return E_INVALIDARG;
    VARIANT view;
    HRESULT hr = dereference(*pvargSrc, view);
    if (FAILED(hr)) return hr;
    VARIANT copy;
    hr = deepCopy(copy, view);
    if (FAILED(hr)) return hr;
    hr = VariantClear(pvarDest);
    if (FAILED(hr)) {
        VariantClear(&copy);
        return hr;
    }
    *pvarDest = copy;
    return S_OK;
}

HRESULT VariantChangeType(VARIANTARG* pvargDest, const VARIANTARG* pvarSrc, USHORT wFlags, VARTYPE vt) {
    if (!pvargDest || !pvarSrc) return E_INVALIDARG;
    if (vt == pvarSrc->vt) return VariantCopy(pvargDest, pvarSrc);
    VARIANT view;
    HRESULT hr = dereference(*pvarSrc, view);
    if (FAILED(hr)) return hr;
    VARIANT result;
    VariantInit(&result);
    hr = convert(view, wFlags, vt, result, 0);
    if (FAILED(hr)) return hr;
    // The result owns its value, so clearing dest (even when it is src) is safe now.
    hr = VariantClear(pvargDest);
    if (FAILED(hr)) {
        VariantClear(&result);
        return hr;
    }
    *pvargDest = result;
    return S_OK;
}

HRESULT VariantChangeTypeEx(VARIANTARG* pvargDest, const VARIANTARG* pvarSrc, LCID, USHORT wFlags, VARTYPE vt) {
    return VariantChangeType(pvargDest, pvarSrc, wFlags, vt);
}

namespace tesk::com {

namespace {
void check(HRESULT hr) {
    if (hr == E_OUTOFMEMORY) throw std::bad_alloc();
    if (FAILED(hr)) throw std::invalid_argument("VARIANT cannot be copied");
}
} // namespace

Variant::Variant(const VARIANT& v) {
    VariantInit(&m_var);
    check(VariantCopy(&m_var, &v));
}

Variant::Variant(bool b) {
    VariantInit(&m_var);
    m_var.vt = VT_BOOL;
    m_var.boolVal = b ? VARIANT_TRUE : VARIANT_FALSE;
}

Variant::Variant(int32_t i) {
    VariantInit(&m_var);
    m_var.vt = VT_I4;
    m_var.lVal = i;
}

Variant::Variant(int64_t i) {
    VariantInit(&m_var);
    m_var.vt = VT_I8;
    m_var.llVal = i;
}

Variant::Variant(double d) {
    VariantInit(&m_var);
    m_var.vt = VT_R8;
    m_var.dblVal = d;
}

Variant::Variant(std::string_view utf8) {
    VariantInit(&m_var);
    m_var.bstrVal = BstrFromUtf8(utf8);
    m_var.vt = VT_BSTR;
}

Variant::Variant(std::u16string_view text) {
    VariantInit(&m_var);
    m_var.bstrVal = BstrFromUtf16(text);
    m_var.vt = VT_BSTR;
}

Variant::Variant(IDispatch* disp) {
    VariantInit(&m_var);
    m_var.vt = VT_DISPATCH;
    m_var.pdispVal = disp;
    if (disp) disp->AddRef();
}

Variant Variant::Null() {
    Variant v;
    v.m_var.vt = VT_NULL;
    return v;
}

Variant Variant::FromDate(DATE date) {
    Variant v;
    v.m_var.vt = VT_DATE;
    v.m_var.date = date;
    return v;
}

Variant::Variant(const Variant& other) : Variant(other.m_var) {}

Variant::Variant(Variant&& other) noexcept : m_var(other.m_var) { VariantInit(&other.m_var); }

Variant& Variant::operator=(const Variant& other) {
    if (this != &other) check(VariantCopy(&m_var, &other.m_var));
    return *this;
}

Variant& Variant::operator=(Variant&& other) noexcept {
    if (this != &other) {
        VariantClear(&m_var);
        m_var = other.m_var;
        VariantInit(&other.m_var);
    }
    return *this;
}

Variant::~Variant() { VariantClear(&m_var); }

Variant Variant::Attach(VARIANT& v) {
    Variant out;
    out.m_var = v;
    VariantInit(&v);
    return out;
}

VARIANT Variant::Detach() {
    VARIANT v = m_var;
    VariantInit(&m_var);
    return v;
}

VARIANT* Variant::Out() {
    VariantClear(&m_var);
    return &m_var;
}

HRESULT Variant::ChangeType(VARTYPE vt, USHORT flags) { return VariantChangeType(&m_var, &m_var, flags, vt); }

} // namespace tesk::com
