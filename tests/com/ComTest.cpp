// Automation value types: BSTR layout and conversion, VARIANT ownership and
// coercion, SAFEARRAY bounds and locks, automation dates.

// The ODBC headers come first on purpose: both declare the Windows integer
// names, and a client includes both.
#include <sql.h>
#include <sqlext.h>

#include "platform/com/Bstr.h"
#include "platform/com/Date.h"
#include "platform/com/SafeArray.h"
#include "platform/com/Variant.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <iomanip>
#include <limits>
#include <sstream>
#include <string>

using tesk::com::Bstr;
using tesk::com::Variant;

namespace {

// A stack object whose reference count the tests read; it never deletes itself.
// Its default property is the integer 7.
struct CountingDispatch : IDispatch {
    ULONG refs = 1;
    HRESULT QueryInterface(REFIID riid, void** ppv) override {
        if (riid != IID_IUnknown && riid != IID_IDispatch) {
            *ppv = nullptr;
            return E_NOINTERFACE;
        }
        *ppv = static_cast<IDispatch*>(this);
        AddRef();
        return S_OK;
    }
    ULONG AddRef() override { return ++refs; }
    ULONG Release() override { return --refs; }
    HRESULT GetTypeInfoCount(UINT* n) override { *n = 0; return S_OK; }
    HRESULT GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return DISP_E_UNKNOWNNAME; }
    HRESULT Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS*, VARIANT* result, EXCEPINFO*, UINT*) override {
        if (id != DISPID_VALUE || !(flags & DISPATCH_PROPERTYGET) || !result) return DISP_E_MEMBERNOTFOUND;
        result->vt = VT_I4;
        result->lVal = 7;
        return S_OK;
    }
};

uint32_t prefixOf(BSTR s) {
    uint32_t n = 0;
    std::memcpy(&n, reinterpret_cast<const char*>(s) - 4, 4);
    return n;
}

// A numeric variant of any type, from a double.
Variant num(VARTYPE vt, double x) {
    VARIANT v;
    VariantInit(&v);
    v.vt = vt;
    switch (vt) {
    case VT_I1: v.cVal = static_cast<CHAR>(x); break;
    case VT_I2: v.iVal = static_cast<SHORT>(x); break;
    case VT_I4: v.lVal = static_cast<LONG>(x); break;
    case VT_I8: v.llVal = static_cast<LONGLONG>(x); break;
    case VT_UI1: v.bVal = static_cast<BYTE>(x); break;
    case VT_UI4: v.ulVal = static_cast<uint32_t>(x); break;
    case VT_UI8: v.ullVal = static_cast<ULONGLONG>(x); break;
    case VT_R4: v.fltVal = static_cast<float>(x); break;
    case VT_R8: v.dblVal = x; break;
    case VT_DATE: v.date = x; break;
    case VT_BOOL: v.boolVal = x != 0 ? VARIANT_TRUE : VARIANT_FALSE; break;
    case VT_ERROR: v.scode = static_cast<SCODE>(x); break;
    default: break;
    }
    return Variant::Attach(v);
}

// "I4 2", "BSTR 'x'", ... for a result, or the error's name.
std::string describe(HRESULT hr, const VARIANT& v) {
    if (hr == DISP_E_OVERFLOW) return "OVERFLOW";
    if (hr == DISP_E_TYPEMISMATCH) return "MISMATCH";
    if (hr == DISP_E_BADVARTYPE) return "BADVARTYPE";
    if (FAILED(hr)) return "hr " + std::to_string(hr);
    std::ostringstream out;
    out << std::setprecision(17);
    switch (v.vt) {
    case VT_EMPTY: out << "EMPTY"; break;
    case VT_NULL: out << "NULL"; break;
    case VT_I1: out << "I1 " << int(static_cast<signed char>(v.cVal)); break;
    case VT_I2: out << "I2 " << v.iVal; break;
    case VT_I4: out << "I4 " << v.lVal; break;
    case VT_I8: out << "I8 " << v.llVal; break;
    case VT_UI1: out << "UI1 " << int(v.bVal); break;
    case VT_UI4: out << "UI4 " << v.ulVal; break;
    case VT_UI8: out << "UI8 " << v.ullVal; break;
    case VT_R4: out << "R4 " << v.fltVal; break;
    case VT_R8: out << "R8 " << v.dblVal; break;
    case VT_DATE: out << "DATE " << v.date; break;
    case VT_BOOL: out << "BOOL " << v.boolVal; break;
    case VT_ERROR: out << "ERROR " << v.scode; break;
    case VT_BSTR: out << "BSTR '" << tesk::com::Utf8FromBstr(v.bstrVal) << "'"; break;
    default: out << "vt " << v.vt; break;
    }
    return out.str();
}

} // namespace

TEST(Bstr, LayoutAndLengths) {
    BSTR s = SysAllocString(u"h\u00e9llo");
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(prefixOf(s), 10u);
    EXPECT_EQ(s[5], u'\0');
    EXPECT_EQ(SysStringLen(s), 5u);
    EXPECT_EQ(SysStringByteLen(s), 10u);

    // Reallocating from the string's own text.
    ASSERT_EQ(SysReAllocString(&s, s + 2), 1);
    EXPECT_EQ(tesk::com::ViewOfBstr(s), u"llo");
    SysFreeString(s);

    EXPECT_EQ(SysStringLen(nullptr), 0u);
    EXPECT_EQ(SysStringByteLen(nullptr), 0u);
    EXPECT_EQ(tesk::com::Utf8FromBstr(nullptr), "");
    SysFreeString(nullptr);
    EXPECT_EQ(SysAllocString(nullptr), nullptr);

    BSTR zeros = SysAllocStringLen(nullptr, 3);
    EXPECT_EQ(tesk::com::ViewOfBstr(zeros), std::u16string(3, u'\0'));
    EXPECT_EQ(zeros[3], u'\0');
    SysFreeString(zeros);

    BSTR odd = SysAllocStringByteLen("abc", 3);
    EXPECT_EQ(SysStringByteLen(odd), 3u);
    EXPECT_EQ(SysStringLen(odd), 1u);
    EXPECT_EQ(reinterpret_cast<const char*>(odd)[3], '\0');
    SysFreeString(odd);
}

TEST(Bstr, Utf8RoundTrip) {
    for (const char* text : {"", "abc", "Gr\u00fc\u00dfe", "\u65e5\u672c", "\U0001D11E clef \U0001F600"}) {
        Bstr b(text);
        EXPECT_EQ(b.Utf8(), text);
        EXPECT_EQ(prefixOf(b.get()), b.Length() * 2);
    }
    const Bstr smile("\U0001F600");
    EXPECT_EQ(smile.View(), std::u16string_view(u"\xD83D\xDE00"));

    Bstr copy = smile;
    EXPECT_NE(copy.get(), smile.get());
    EXPECT_EQ(copy, smile);
    Bstr moved = std::move(copy);
    EXPECT_EQ(copy.get(), nullptr);
    EXPECT_EQ(moved.Utf8(), "\U0001F600");
}

TEST(Variant, ChangeTypeTable) {
    struct Case {
        Variant src;
        VARTYPE vt;
        USHORT flags;
        const char* expected;
    };
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const Case cases[] = {
        // Rounding to integers is half to even.
        {num(VT_R8, 2.5), VT_I4, 0, "I4 2"},
        {num(VT_R8, 3.5), VT_I4, 0, "I4 4"},
        {num(VT_R8, -2.5), VT_I4, 0, "I4 -2"},
        {num(VT_R8, -3.5), VT_I2, 0, "I2 -4"},
        {num(VT_R8, 2.5000001), VT_I4, 0, "I4 3"},
        {num(VT_R4, 0.5), VT_UI1, 0, "UI1 0"},
        {num(VT_DATE, 1.5), VT_I4, 0, "I4 2"},
        {num(VT_R8, 2147483646.5), VT_I4, 0, "I4 2147483646"},
        // Out of range.
        {num(VT_R8, 2147483647.5), VT_I4, 0, "OVERFLOW"},
        {num(VT_I4, 40000), VT_I2, 0, "OVERFLOW"},
        {num(VT_I4, -1), VT_UI1, 0, "OVERFLOW"},
        {num(VT_R8, -1), VT_UI4, 0, "OVERFLOW"},
        {num(VT_R8, 9223372036854775808.0), VT_I8, 0, "OVERFLOW"},
        {num(VT_UI8, 9223372036854775808.0), VT_I8, 0, "OVERFLOW"},
        {num(VT_R8, nan), VT_I4, 0, "OVERFLOW"},
        {num(VT_R8, 1e300), VT_R4, 0, "OVERFLOW"},
        {num(VT_I4, 3000000), VT_DATE, 0, "OVERFLOW"},
        {num(VT_I4, 127), VT_I1, 0, "I1 127"},
        // Text to numbers and booleans, in the C locale.
        {Variant("True"), VT_BOOL, 0, "BOOL -1"},
        {Variant("false"), VT_BOOL, 0, "BOOL 0"},
        {Variant(" TRUE "), VT_BOOL, 0, "BOOL -1"},
        {Variant("0"), VT_BOOL, 0, "BOOL 0"},
        {Variant("2.5"), VT_I4, 0, "I4 2"},
        {Variant(" -12 "), VT_I2, 0, "I2 -12"},
        {Variant("1e3"), VT_I4, 0, "I4 1000"},
        {Variant("18446744073709551615"), VT_UI8, 0, "UI8 18446744073709551615"},
        {Variant("-9223372036854775808"), VT_I8, 0, "I8 -9223372036854775808"},
        {Variant(".25"), VT_R8, 0, "R8 0.25"},
        {Variant("99999999999"), VT_I4, 0, "OVERFLOW"},
        {Variant("1e400"), VT_R8, 0, "OVERFLOW"},
        {Variant("1,5"), VT_R8, 0, "MISMATCH"},
        {Variant("abc"), VT_I4, 0, "MISMATCH"},
        {Variant("True"), VT_I4, 0, "MISMATCH"},
        {Variant(""), VT_I4, 0, "MISMATCH"},
        {Variant("inf"), VT_R8, 0, "MISMATCH"},
        // Booleans are -1/0 as numbers; numbers are true when not zero.
        {num(VT_BOOL, 1), VT_I4, 0, "I4 -1"},
        {num(VT_BOOL, 1), VT_UI1, 0, "OVERFLOW"},
        {num(VT_I4, 7), VT_BOOL, 0, "BOOL -1"},
        {num(VT_R8, 0), VT_BOOL, 0, "BOOL 0"},
        // Numbers and booleans to text.
        {num(VT_I4, 42), VT_BSTR, 0, "BSTR '42'"},
        {num(VT_R8, 0.1), VT_BSTR, 0, "BSTR '0.1'"},
        {num(VT_R4, 0.1), VT_BSTR, 0, "BSTR '0.1'"},
        {num(VT_R8, 1e21), VT_BSTR, 0, "BSTR '1e+21'"},
        {num(VT_BOOL, 1), VT_BSTR, 0, "BSTR '-1'"},
        {num(VT_BOOL, 1), VT_BSTR, VARIANT_ALPHABOOL, "BSTR 'True'"},
        // Dates.
        {num(VT_DATE, 39508.5), VT_BSTR, 0, "BSTR '2008-03-01 12:00:00'"},
        {num(VT_DATE, 39508), VT_BSTR, 0, "BSTR '2008-03-01'"},
        {num(VT_DATE, -1.25), VT_BSTR, 0, "BSTR '1899-12-29 06:00:00'"},
        {Variant("2008-03-01 12:00:00"), VT_DATE, 0, "DATE 39508.5"},
        {Variant("2008-02-30"), VT_DATE, 0, "MISMATCH"},
        {num(VT_DATE, 39508.5), VT_R8, 0, "R8 39508.5"},
        // EMPTY is zero, NULL converts to nothing but itself (and EMPTY).
        {Variant(), VT_I4, 0, "I4 0"},
        {Variant(), VT_BSTR, 0, "BSTR ''"},
        {Variant(), VT_BOOL, 0, "BOOL 0"},
        {Variant::Null(), VT_I4, 0, "MISMATCH"},
        {Variant::Null(), VT_BSTR, 0, "MISMATCH"},
        {Variant::Null(), VT_NULL, 0, "NULL"},
        {Variant::Null(), VT_EMPTY, 0, "EMPTY"},
        {num(VT_I4, 1), VT_NULL, 0, "MISMATCH"},
        // Error codes travel as 4-byte integers only.
        {num(VT_ERROR, -5), VT_I4, 0, "I4 -5"},
        {num(VT_I4, -5), VT_ERROR, 0, "ERROR -5"},
        {num(VT_ERROR, -5), VT_R8, 0, "MISMATCH"},
        // Types that are not converted.
        {num(VT_I4, 1), VT_CY, 0, "BADVARTYPE"},
        {num(VT_I4, 1), VT_I4 | VT_BYREF, 0, "BADVARTYPE"},
        {num(VT_I4, 1), 15, 0, "BADVARTYPE"},
        {num(VT_I4, 1), VT_ARRAY | VT_I4, 0, "MISMATCH"},
    };
    for (const Case& c : cases) {
        Variant dest;
        const HRESULT hr = VariantChangeType(dest.Out(), &c.src.get(), c.flags, c.vt);
        EXPECT_EQ(describe(hr, dest.get()), c.expected) << describe(S_OK, c.src.get()) << " to vt " << c.vt;
        if (FAILED(hr)) {
            EXPECT_EQ(dest.vt(), VT_EMPTY);
        }
    }
}

TEST(Variant, ChangeTypeReadsThroughReferencesAndInPlace) {
    double d = 3.5;
    VARIANT ref;
    VariantInit(&ref);
    ref.vt = VT_BYREF | VT_R8;
    ref.pdblVal = &d;
    Variant dest;
    ASSERT_EQ(VariantChangeType(dest.Out(), &ref, 0, VT_I4), S_OK);
    EXPECT_EQ(describe(S_OK, dest.get()), "I4 4");

    // Same type: the reference itself is copied.
    ASSERT_EQ(VariantChangeType(dest.Out(), &ref, 0, VT_BYREF | VT_R8), S_OK);
    EXPECT_EQ(dest.get().pdblVal, &d);

    BSTR text = SysAllocString(u"-7");
    VARIANT inner;
    VariantInit(&inner);
    inner.vt = VT_BYREF | VT_BSTR;
    inner.pbstrVal = &text;
    VARIANT outer;
    VariantInit(&outer);
    outer.vt = VT_BYREF | VT_VARIANT;
    outer.pvarVal = &inner;
    // A reference to a reference is refused; one level is read through.
    EXPECT_EQ(VariantChangeType(dest.Out(), &outer, 0, VT_I4), E_INVALIDARG);
    ASSERT_EQ(VariantChangeType(dest.Out(), &inner, 0, VT_I4), S_OK);
    EXPECT_EQ(describe(S_OK, dest.get()), "I4 -7");
    VariantClear(&inner);  // does not free the referenced string
    EXPECT_EQ(tesk::com::Utf8FromBstr(text), "-7");
    SysFreeString(text);

    // In place: the old string is freed, the new one owned.
    Variant v("12.5");
    ASSERT_EQ(v.ChangeType(VT_R8), S_OK);
    EXPECT_EQ(describe(S_OK, v.get()), "R8 12.5");
    ASSERT_EQ(v.ChangeType(VT_BSTR), S_OK);
    EXPECT_EQ(describe(S_OK, v.get()), "BSTR '12.5'");
    EXPECT_EQ(v.ChangeType(VT_BOOL), S_OK);
    EXPECT_EQ(v.ChangeType(VT_NULL), DISP_E_TYPEMISMATCH);
    EXPECT_EQ(describe(S_OK, v.get()), "BOOL -1");
}

TEST(Variant, CopyClearAndObjectsKeepReferenceCounts) {
    CountingDispatch obj;
    {
        Variant a(&obj);
        EXPECT_EQ(obj.refs, 2u);
        Variant b = a;
        EXPECT_EQ(obj.refs, 3u);
        Variant c = std::move(b);
        EXPECT_EQ(obj.refs, 3u);
        EXPECT_EQ(b.vt(), VT_EMPTY);

        // Converted through the default property; the object is not kept.
        Variant d;
        ASSERT_EQ(VariantChangeType(d.Out(), &a.get(), 0, VT_BSTR), S_OK);
        EXPECT_EQ(describe(S_OK, d.get()), "BSTR '7'");
        EXPECT_EQ(VariantChangeType(d.Out(), &a.get(), VARIANT_NOVALUEPROP, VT_I4), DISP_E_TYPEMISMATCH);
        ASSERT_EQ(VariantChangeType(d.Out(), &a.get(), 0, VT_UNKNOWN), S_OK);
        EXPECT_EQ(obj.refs, 4u);
        VariantClear(d.Out());
        EXPECT_EQ(obj.refs, 3u);

        // A reference to the object is not counted, and is not released by clear.
        IDispatch* p = &obj;
        VARIANT ref;
        VariantInit(&ref);
        ref.vt = VT_BYREF | VT_DISPATCH;
        ref.ppdispVal = &p;
        ASSERT_EQ(VariantCopy(d.Out(), &ref), S_OK);
        EXPECT_EQ(obj.refs, 3u);
        ASSERT_EQ(VariantCopyInd(d.Out(), &ref), S_OK);
        EXPECT_EQ(d.vt(), VT_DISPATCH);
        EXPECT_EQ(obj.refs, 4u);
        ASSERT_EQ(VariantCopyInd(&d.get(), &d.get()), S_OK);  // in place, nothing to dereference
        EXPECT_EQ(obj.refs, 4u);
    }
    EXPECT_EQ(obj.refs, 1u);

    // Strings are copied, and a copy over a string frees it.
    Variant s("text");
    Variant t("other");
    ASSERT_EQ(VariantCopy(&t.get(), &s.get()), S_OK);
    EXPECT_NE(t.get().bstrVal, s.get().bstrVal);
    EXPECT_EQ(tesk::com::Utf8FromBstr(t.get().bstrVal), "text");
    EXPECT_EQ(VariantCopy(&t.get(), &t.get()), S_OK);

    VARIANT bad;
    VariantInit(&bad);
    bad.vt = 15;
    EXPECT_EQ(VariantClear(&bad), DISP_E_BADVARTYPE);
    EXPECT_EQ(VariantCopy(&t.get(), &bad), DISP_E_BADVARTYPE);
    EXPECT_EQ(describe(S_OK, t.get()), "BSTR 'text'");
}

TEST(SafeArray, BoundsAndLayout) {
    const SAFEARRAYBOUND bounds[] = {{3, 1}, {2, -1}};  // dimension 1: 1..3, dimension 2: -1..0
    SAFEARRAY* psa = SafeArrayCreate(VT_I4, 2, bounds);
    ASSERT_NE(psa, nullptr);
    EXPECT_EQ(SafeArrayGetDim(psa), 2u);
    EXPECT_EQ(SafeArrayGetElemsize(psa), 4u);
    // The descriptor keeps the bounds last dimension first.
    EXPECT_EQ(psa->rgsabound[0].lLbound, -1);
    EXPECT_EQ(psa->rgsabound[1].lLbound, 1);

    struct BoundCase { UINT dim; HRESULT hr; LONG lower, upper; };
    for (const BoundCase& c : {BoundCase{1, S_OK, 1, 3}, BoundCase{2, S_OK, -1, 0},
                               BoundCase{0, DISP_E_BADINDEX, 0, 0}, BoundCase{3, DISP_E_BADINDEX, 0, 0}}) {
        LONG lower = 0, upper = 0;
        EXPECT_EQ(SafeArrayGetLBound(psa, c.dim, &lower), c.hr) << c.dim;
        EXPECT_EQ(SafeArrayGetUBound(psa, c.dim, &upper), c.hr) << c.dim;
        EXPECT_EQ(lower, c.lower) << c.dim;
        EXPECT_EQ(upper, c.upper) << c.dim;
    }

    for (LONG j = -1; j <= 0; ++j)
        for (LONG i = 1; i <= 3; ++i) {
            const LONG index[] = {i, j};
            LONG value = 10 * i + j;
            ASSERT_EQ(SafeArrayPutElement(psa, index, &value), S_OK);
        }
    const LONG outside[][2] = {{0, 0}, {4, 0}, {1, -2}, {1, 1}};
    for (const LONG* index : outside) {
        LONG value = 0;
        EXPECT_EQ(SafeArrayGetElement(psa, index, &value), DISP_E_BADINDEX);
        EXPECT_EQ(SafeArrayPutElement(psa, index, &value), DISP_E_BADINDEX);
    }
    // Dimension 1 varies fastest in memory.
    LONG* data = nullptr;
    ASSERT_EQ(SafeArrayAccessData(psa, reinterpret_cast<void**>(&data)), S_OK);
    EXPECT_EQ(std::vector<LONG>(data, data + 6), (std::vector<LONG>{9, 19, 29, 10, 20, 30}));
    ASSERT_EQ(SafeArrayUnaccessData(psa), S_OK);

    SAFEARRAY* copy = nullptr;
    ASSERT_EQ(SafeArrayCopy(psa, &copy), S_OK);
    const LONG last[] = {3, 0};
    LONG value = 0;
    ASSERT_EQ(SafeArrayGetElement(copy, last, &value), S_OK);
    EXPECT_EQ(value, 30);
    EXPECT_EQ(SafeArrayDestroy(copy), S_OK);
    EXPECT_EQ(SafeArrayDestroy(psa), S_OK);

    EXPECT_EQ(SafeArrayCreate(VT_EMPTY, 1, bounds), nullptr);
    EXPECT_EQ(SafeArrayCreate(VT_I4, 0, bounds), nullptr);
    SAFEARRAY* empty = SafeArrayCreateVector(VT_R8, 0, 0);
    LONG upper = 5;
    EXPECT_EQ(SafeArrayGetUBound(empty, 1, &upper), S_OK);
    EXPECT_EQ(upper, -1);
    EXPECT_EQ(SafeArrayDestroy(empty), S_OK);
}

TEST(SafeArray, LocksNestAndBlockDestroy) {
    SAFEARRAY* psa = SafeArrayCreateVector(VT_R8, 0, 4);
    void* data = nullptr;
    ASSERT_EQ(SafeArrayAccessData(psa, &data), S_OK);
    ASSERT_EQ(SafeArrayLock(psa), S_OK);
    EXPECT_EQ(SafeArrayDestroy(psa), DISP_E_ARRAYISLOCKED);
    ASSERT_EQ(SafeArrayUnlock(psa), S_OK);
    EXPECT_EQ(SafeArrayDestroy(psa), DISP_E_ARRAYISLOCKED);

    // A variant owning a locked array cannot be cleared either.
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_ARRAY | VT_R8;
    v.parray = psa;
    EXPECT_EQ(VariantClear(&v), DISP_E_ARRAYISLOCKED);
    EXPECT_EQ(v.vt, VT_ARRAY | VT_R8);

    ASSERT_EQ(SafeArrayUnaccessData(psa), S_OK);
    EXPECT_EQ(SafeArrayUnlock(psa), E_UNEXPECTED);
    EXPECT_EQ(VariantClear(&v), S_OK);
    EXPECT_EQ(v.vt, VT_EMPTY);
}

TEST(SafeArray, ElementsAreOwned) {
    CountingDispatch obj;
    {
        SAFEARRAY* strings = SafeArrayCreateVector(VT_BSTR, 0, 2);
        const LONG first[] = {0};
        {
            Bstr text("caf\u00e9");
            ASSERT_EQ(SafeArrayPutElement(strings, first, text.get()), S_OK);
        }
        Bstr out;
        ASSERT_EQ(SafeArrayGetElement(strings, first, out.Out()), S_OK);
        EXPECT_EQ(out.Utf8(), "caf\u00e9");
        ASSERT_EQ(SafeArrayPutElement(strings, first, Bstr("again").get()), S_OK);  // frees the first

        SAFEARRAY* variants = SafeArrayCreateVector(VT_VARIANT, 1, 3);
        const LONG one[] = {1};
        const LONG three[] = {3};
        Variant object(&obj);
        ASSERT_EQ(SafeArrayPutElement(variants, one, &object.get()), S_OK);
        VARIANT inArray;
        VariantInit(&inArray);
        inArray.vt = VT_ARRAY | VT_BSTR;
        inArray.parray = strings;  // put copies the string array
        ASSERT_EQ(SafeArrayPutElement(variants, three, &inArray), S_OK);
        SafeArrayDestroy(strings);
        EXPECT_EQ(obj.refs, 3u);

        VARTYPE vt = VT_EMPTY;
        ASSERT_EQ(SafeArrayGetVartype(variants, &vt), S_OK);
        EXPECT_EQ(vt, VT_VARIANT);
        EXPECT_EQ(SafeArrayGetElemsize(variants), sizeof(VARIANT));

        Variant wrapped;
        wrapped.get().vt = VT_ARRAY | VT_VARIANT;
        wrapped.get().parray = variants;
        Variant copy = wrapped;  // deep: the object is counted once more
        EXPECT_EQ(obj.refs, 4u);
        Variant element;
        ASSERT_EQ(SafeArrayGetElement(copy.get().parray, three, element.Out()), S_OK);
        EXPECT_EQ(element.vt(), VT_ARRAY | VT_BSTR);
        EXPECT_EQ(obj.refs, 4u);

        SAFEARRAY* objects = SafeArrayCreateVector(VT_DISPATCH, 0, 1);
        ASSERT_EQ(SafeArrayPutElement(objects, first, static_cast<IDispatch*>(&obj)), S_OK);
        EXPECT_EQ(obj.refs, 5u);
        EXPECT_EQ(SafeArrayDestroy(objects), S_OK);
        EXPECT_EQ(obj.refs, 4u);
    }
    EXPECT_EQ(obj.refs, 1u);
}

TEST(Dates, SystemTimeConversions) {
    SYSTEMTIME st{};
    ASSERT_EQ(VariantTimeToSystemTime(39508.5, &st), 1);
    EXPECT_EQ((std::vector<int>{st.wYear, st.wMonth, st.wDay, st.wDayOfWeek, st.wHour, st.wMinute, st.wSecond}),
              (std::vector<int>{2008, 3, 1, 6, 12, 0, 0}));
    DATE back = 0;
    ASSERT_EQ(SystemTimeToVariantTime(&st, &back), 1);
    EXPECT_EQ(back, 39508.5);

    ASSERT_EQ(VariantTimeToSystemTime(-1.25, &st), 1);  // 1899-12-29 06:00, a Friday
    EXPECT_EQ((std::vector<int>{st.wYear, st.wMonth, st.wDay, st.wDayOfWeek, st.wHour}),
              (std::vector<int>{1899, 12, 29, 5, 6}));

    for (double bad : {-700000.0, 3e6, std::numeric_limits<double>::quiet_NaN()})
        EXPECT_EQ(VariantTimeToSystemTime(bad, &st), 0) << bad;
    const SYSTEMTIME feb30{2001, 2, 0, 30, 0, 0, 0, 0};
    EXPECT_EQ(SystemTimeToVariantTime(&feb30, &back), 0);
}
