#pragma once
// VARIANT: a tagged automation value, and the functions that initialise,
// clear, copy and convert it.

#include "platform/com/Bstr.h"
#include "platform/com/Dispatch.h"
#include "platform/com/SafeArray.h"
#include "platform/com/Types.h"

#include <string_view>

struct VARIANT {
    VARTYPE vt;
    WORD wReserved1;
    WORD wReserved2;
    WORD wReserved3;
    union {
        LONGLONG llVal;       // VT_I8
        LONG lVal;            // VT_I4
        BYTE bVal;            // VT_UI1
        SHORT iVal;           // VT_I2
        FLOAT fltVal;         // VT_R4
        DOUBLE dblVal;        // VT_R8
        VARIANT_BOOL boolVal; // VT_BOOL
        SCODE scode;          // VT_ERROR
        LONGLONG cyVal;       // VT_CY, in units of 1/10000 (kept, not converted)
        DATE date;            // VT_DATE
        BSTR bstrVal;         // VT_BSTR
        IUnknown* punkVal;    // VT_UNKNOWN
        IDispatch* pdispVal;  // VT_DISPATCH
        SAFEARRAY* parray;    // VT_ARRAY | *
        CHAR cVal;            // VT_I1
        USHORT uiVal;         // VT_UI2
        uint32_t ulVal;       // VT_UI4
        ULONGLONG ullVal;     // VT_UI8
        INT intVal;           // VT_INT
        UINT uintVal;         // VT_UINT
        BYTE* pbVal;          // VT_BYREF | VT_UI1
        SHORT* piVal;
        LONG* plVal;
        LONGLONG* pllVal;
        FLOAT* pfltVal;
        DOUBLE* pdblVal;
        VARIANT_BOOL* pboolVal;
        SCODE* pscode;
        LONGLONG* pcyVal;
        DATE* pdate;
        BSTR* pbstrVal;
        IUnknown** ppunkVal;
        IDispatch** ppdispVal;
        SAFEARRAY** pparray;
        VARIANT* pvarVal;     // VT_BYREF | VT_VARIANT
        void* byref;
        CHAR* pcVal;
        USHORT* puiVal;
        uint32_t* pulVal;
        ULONGLONG* pullVal;
        INT* pintVal;
        UINT* puintVal;
    };
};
using LPVARIANT = VARIANT*;
using LPVARIANTARG = VARIANT*;

// Flags of VariantChangeType.
inline constexpr USHORT VARIANT_NOVALUEPROP = 0x01;  // do not read an object's default value
inline constexpr USHORT VARIANT_ALPHABOOL = 0x02;    // BOOL to text gives "True"/"False"
inline constexpr USHORT VARIANT_NOUSEROVERRIDE = 0x04;
inline constexpr USHORT VARIANT_LOCALBOOL = 0x10;    // treated as VARIANT_ALPHABOOL

void VariantInit(VARIANTARG* pvarg);
// Frees what the variant owns (BSTR, interface reference, array; nothing for
// by-reference values) and leaves it VT_EMPTY. A locked array gives
// DISP_E_ARRAYISLOCKED, an unknown type DISP_E_BADVARTYPE; the variant is then unchanged.
HRESULT VariantClear(VARIANTARG* pvarg);
// Deep copy into dest, whose old value is cleared first. A by-reference
// source is copied as the reference.
HRESULT VariantCopy(VARIANTARG* pvargDest, const VARIANTARG* pvargSrc);
// As VariantCopy, but a by-reference source is copied as the value it refers to.
HRESULT VariantCopyInd(VARIANT* pvarDest, const VARIANTARG* pvargSrc);
// Converts src to type vt into dest (which may be src). Scalars, BSTR, DATE,
// BOOL, ERROR, EMPTY and NULL convert among each other; an object converts
// through its default value (DISPID_VALUE) unless VARIANT_NOVALUEPROP is
// given. On failure dest is unchanged.
HRESULT VariantChangeType(VARIANTARG* pvargDest, const VARIANTARG* pvarSrc, USHORT wFlags, VARTYPE vt);
// Texts are always read and written in the C locale; lcid is ignored.
HRESULT VariantChangeTypeEx(VARIANTARG* pvargDest, const VARIANTARG* pvarSrc, LCID lcid, USHORT wFlags,
                            VARTYPE vt);

namespace tesk::com {

// Owns one VARIANT. Copies are deep (VariantCopy); a moved-from Variant is VT_EMPTY.
class Variant {
public:
    Variant() { VariantInit(&m_var); }
    // Deep copy; throws std::invalid_argument for a variant VariantCopy refuses.
    explicit Variant(const VARIANT& v);
    explicit Variant(bool b);
    explicit Variant(int32_t i);
    explicit Variant(int64_t i);
    explicit Variant(double d);
    explicit Variant(std::string_view utf8);
    explicit Variant(const char* utf8) : Variant(std::string_view(utf8)) {}
    explicit Variant(std::u16string_view text);
    // Without these, a string literal would pick the bool constructor.
    explicit Variant(const char16_t* text) : Variant(std::u16string_view(text)) {}
    Variant(const void*) = delete;
    explicit Variant(IDispatch* disp);  // AddRef; null gives a null VT_DISPATCH
    static Variant Null();
    static Variant FromDate(DATE date);

    Variant(const Variant& other);
    Variant(Variant&& other) noexcept;
    Variant& operator=(const Variant& other);
    Variant& operator=(Variant&& other) noexcept;
    ~Variant();

    // Takes ownership of v's content; v becomes VT_EMPTY.
    static Variant Attach(VARIANT& v);
    // Gives the content away; this becomes VT_EMPTY.
    VARIANT Detach();
    // Clears and returns the variant for an out-parameter.
    VARIANT* Out();

    VARTYPE vt() const { return m_var.vt; }
    const VARIANT& get() const { return m_var; }
    VARIANT& get() { return m_var; }
    HRESULT ChangeType(VARTYPE vt, USHORT flags = 0);

private:
    VARIANT m_var;
};

} // namespace tesk::com
