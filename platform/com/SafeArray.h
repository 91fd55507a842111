#pragma once
// SAFEARRAY: a self-describing array of automation values with bounds per
// dimension and a lock count.
//
// Dimension numbers start at 1. The bounds given to SafeArrayCreate and the
// indexes given to SafeArrayPutElement/GetElement are in dimension order
// (element [0] is dimension 1), and dimension 1 varies fastest in memory.
// The descriptor keeps its rgsabound in the reverse order, as the platform
// does: rgsabound[cDims - 1] describes dimension 1.

#include "platform/com/Types.h"

struct SAFEARRAYBOUND {
    ULONG cElements;
    LONG lLbound;
};

struct SAFEARRAY {
    USHORT cDims;
    USHORT fFeatures;
    ULONG cbElements;
    ULONG cLocks;
    void* pvData;
    SAFEARRAYBOUND rgsabound[1];  // cDims entries
};

inline constexpr USHORT FADF_AUTO = 0x0001;
inline constexpr USHORT FADF_STATIC = 0x0002;
inline constexpr USHORT FADF_EMBEDDED = 0x0004;
inline constexpr USHORT FADF_FIXEDSIZE = 0x0010;
inline constexpr USHORT FADF_HAVEVARTYPE = 0x0080;
inline constexpr USHORT FADF_BSTR = 0x0100;
inline constexpr USHORT FADF_UNKNOWN = 0x0200;
inline constexpr USHORT FADF_DISPATCH = 0x0400;
inline constexpr USHORT FADF_VARIANT = 0x0800;

// Element types: I1, I2, I4, I8, UI1, UI2, UI4, UI8, INT, UINT, R4, R8, CY,
// DATE, BOOL, ERROR, BSTR, VARIANT, UNKNOWN, DISPATCH. Elements start zeroed
// (null strings and pointers, VT_EMPTY variants). Returns null for an
// unsupported type, no dimensions, or a size that cannot be allocated.
// Arrays must be created by these functions: SafeArrayDestroy frees what
// SafeArrayCreate allocated.
SAFEARRAY* SafeArrayCreate(VARTYPE vt, UINT cDims, const SAFEARRAYBOUND* rgsabound);
SAFEARRAY* SafeArrayCreateVector(VARTYPE vt, LONG lLbound, ULONG cElements);
// Releases the elements (strings, variants, interfaces) and frees the array.
// Null is fine; a locked array gives DISP_E_ARRAYISLOCKED and stays as it is.
HRESULT SafeArrayDestroy(SAFEARRAY* psa);
// Deep copy (new strings, copied variants, AddRef on interfaces); the copy is unlocked.
HRESULT SafeArrayCopy(SAFEARRAY* psa, SAFEARRAY** ppsaOut);

UINT SafeArrayGetDim(SAFEARRAY* psa);
UINT SafeArrayGetElemsize(SAFEARRAY* psa);
HRESULT SafeArrayGetVartype(SAFEARRAY* psa, VARTYPE* pvt);
HRESULT SafeArrayGetLBound(SAFEARRAY* psa, UINT nDim, LONG* plLbound);
HRESULT SafeArrayGetUBound(SAFEARRAY* psa, UINT nDim, LONG* plUbound);

// Locks nest; every Lock/AccessData needs its Unlock/UnaccessData.
// Unlocking an unlocked array gives E_UNEXPECTED.
HRESULT SafeArrayLock(SAFEARRAY* psa);
HRESULT SafeArrayUnlock(SAFEARRAY* psa);
HRESULT SafeArrayAccessData(SAFEARRAY* psa, void** ppvData);
HRESULT SafeArrayUnaccessData(SAFEARRAY* psa);

// rgIndices has one index per dimension (see above); out of bounds is
// DISP_E_BADINDEX. For BSTR, UNKNOWN and DISPATCH elements pv is the value
// itself (the BSTR or the interface pointer); otherwise it points at the value.
// Put copies the value in (new BSTR, VariantCopy, AddRef) and clears what was there.
HRESULT SafeArrayPutElement(SAFEARRAY* psa, const LONG* rgIndices, void* pv);
// Get copies the element out to *pv, which is treated as uninitialised; the
// caller owns the copy (SysFreeString, VariantClear, Release).
HRESULT SafeArrayGetElement(SAFEARRAY* psa, const LONG* rgIndices, void* pv);
// Address of an element, no copy.
HRESULT SafeArrayPtrOfIndex(SAFEARRAY* psa, const LONG* rgIndices, void** ppvData);
