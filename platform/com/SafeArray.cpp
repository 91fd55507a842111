#include "platform/com/SafeArray.h"

#include "platform/com/Variant.h"

#include <cstdlib>
#include <cstring>
#include <limits>

namespace {

// A descriptor block is [header][SAFEARRAY with cDims bounds]; the header
// keeps the element type for SafeArrayGetVartype.
struct Header {
    VARTYPE vt;
};
constexpr size_t kHeader = 16;
static_assert(sizeof(Header) <= kHeader && kHeader % alignof(SAFEARRAY) == 0);

constexpr ULONG kMaxLocks = 0xFFFF;

ULONG elementSize(VARTYPE vt) {
    switch (vt) {
    case VT_I1: case VT_UI1: return 1;
    case VT_I2: case VT_UI2: case VT_BOOL: return 2;
    case VT_I4: case VT_UI4: case VT_INT: case VT_UINT: case VT_R4: case VT_ERROR: return 4;
    case VT_I8: case VT_UI8: case VT_R8: case VT_CY: case VT_DATE: return 8;
    case VT_BSTR: return sizeof(BSTR);
    case VT_UNKNOWN: case VT_DISPATCH: return sizeof(IUnknown*);
    case VT_VARIANT: return sizeof(VARIANT);
    default: return 0;
    }
}

USHORT featuresFor(VARTYPE vt) {
    USHORT f = FADF_HAVEVARTYPE;
    if (vt == VT_BSTR) f |= FADF_BSTR;
    if (vt == VT_UNKNOWN) f |= FADF_UNKNOWN;
    if (vt == VT_DISPATCH) f |= FADF_DISPATCH;
    if (vt == VT_VARIANT) f |= FADF_VARIANT;
    return f;
}

// Bounds of dimension dim (1-based); stored in reverse order.
SAFEARRAYBOUND& boundOf(SAFEARRAY* psa, UINT dim) {
    SAFEARRAYBOUND* bounds = psa->rgsabound;
    return bounds[psa->cDims - dim];
}

size_t elementCount(SAFEARRAY* psa) {
    size_t n = 1;
    for (UINT d = 1; d <= psa->cDims; ++d) n *= boundOf(psa, d).cElements;
    return n;
}

VARTYPE vartypeOf(SAFEARRAY* psa) {
    if (psa->fFeatures & FADF_HAVEVARTYPE)
        return reinterpret_cast<const Header*>(reinterpret_cast<const unsigned char*>(psa) - kHeader)->vt;
    if (psa->fFeatures & FADF_BSTR) return VT_BSTR;
    if (psa->fFeatures & FADF_DISPATCH) return VT_DISPATCH;
    if (psa->fFeatures & FADF_UNKNOWN) return VT_UNKNOWN;
    if (psa->fFeatures & FADF_VARIANT) return VT_VARIANT;
    return VT_EMPTY;
}

HRESULT offsetOf(SAFEARRAY* psa, const LONG* rgIndices, size_t& offset) {
    if (!psa || !rgIndices) return E_INVALIDARG;
    size_t index = 0;
    size_t stride = 1;
    for (UINT d = 1; d <= psa->cDims; ++d) {
        const SAFEARRAYBOUND& b = boundOf(psa, d);
        const int64_t rel = static_cast<int64_t>(rgIndices[d - 1]) - b.lLbound;
        if (rel < 0 || static_cast<uint64_t>(rel) >= b.cElements) return DISP_E_BADINDEX;
        index += static_cast<size_t>(rel) * stride;
        stride *= b.cElements;
    }
    offset = index * psa->cbElements;
    return S_OK;
}

void releaseElements(SAFEARRAY* psa) {
    if (!psa->pvData) return;
    const size_t n = elementCount(psa);
    if (psa->fFeatures & FADF_BSTR) {
        auto* p = static_cast<BSTR*>(psa->pvData);
        for (size_t i = 0; i < n; ++i) SysFreeString(p[i]);
    } else if (psa->fFeatures & (FADF_UNKNOWN | FADF_DISPATCH)) {
        auto* p = static_cast<IUnknown**>(psa->pvData);
        for (size_t i = 0; i < n; ++i)
            if (p[i]) p[i]->Release();
    } else if (psa->fFeatures & FADF_VARIANT) {
        auto* p = static_cast<VARIANT*>(psa->pvData);
        for (size_t i = 0; i < n; ++i) VariantClear(&p[i]);
    }
}

} // namespace

SAFEARRAY* SafeArrayCreate(VARTYPE vt, UINT cDims, const SAFEARRAYBOUND* rgsabound) {
    const ULONG size = elementSize(vt);
    if (size == 0 || cDims == 0 || cDims > 0xFFFF || !rgsabound) return nullptr;
    size_t bytes = size;
    for (UINT d = 0; d < cDims; ++d) {
        const size_t n = rgsabound[d].cElements;
        if (n > std::numeric_limits<uint32_t>::max()) return nullptr;
        if (n != 0 && bytes > std::numeric_limits<size_t>::max() / 2 / n) return nullptr;
        bytes *= n;
    }
    const size_t descriptor = kHeader + sizeof(SAFEARRAY) + (cDims - 1) * sizeof(SAFEARRAYBOUND);
    auto* block = static_cast<unsigned char*>(std::calloc(1, descriptor));
    if (!block) return nullptr;
    reinterpret_cast<Header*>(block)->vt = vt;
    auto* psa = reinterpret_cast<SAFEARRAY*>(block + kHeader);
    psa->cDims = static_cast<USHORT>(cDims);
    psa->fFeatures = featuresFor(vt);
    psa->cbElements = size;
    for (UINT d = 1; d <= cDims; ++d) boundOf(psa, d) = rgsabound[d - 1];
    if (bytes > 0) {
        psa->pvData = std::calloc(1, bytes);  // zero: null BSTRs and pointers, VT_EMPTY variants
        if (!psa->pvData) {
            std::free(block);
            return nullptr;
        }
    }
    return psa;
}

SAFEARRAY* SafeArrayCreateVector(VARTYPE vt, LONG lLbound, ULONG cElements) {
    const SAFEARRAYBOUND bound{cElements, lLbound};
    return SafeArrayCreate(vt, 1, &bound);
}

HRESULT SafeArrayDestroy(SAFEARRAY* psa) {
    if (!psa) return S_OK;
    if (psa->cLocks > 0) return DISP_E_ARRAYISLOCKED;
    releaseElements(psa);
    std::free(psa->pvData);
    std::free(reinterpret_cast<unsigned char*>(psa) - kHeader);
    return S_OK;
}

HRESULT SafeArrayCopy(SAFEARRAY* psa, SAFEARRAY** ppsaOut) {
    if (!ppsaOut) return E_POINTER;
    *ppsaOut = nullptr;
    if (!psa) return S_OK;
    const VARTYPE vt = vartypeOf(psa);
    if (elementSize(vt) != psa->cbElements) return E_INVALIDARG;
    SAFEARRAYBOUND* bounds = static_cast<SAFEARRAYBOUND*>(std::malloc(psa->cDims * sizeof(SAFEARRAYBOUND)));
    if (!bounds) return E_OUTOFMEMORY;
    for (UINT d = 1; d <= psa->cDims; ++d) bounds[d - 1] = boundOf(psa, d);
    SAFEARRAY* copy = SafeArrayCreate(vt, psa->cDims, bounds);
    std::free(bounds);
    if (!copy) return E_OUTOFMEMORY;
    const size_t n = elementCount(psa);
    HRESULT hr = S_OK;
    if (vt == VT_BSTR) {
        auto* from = static_cast<BSTR*>(psa->pvData);
        auto* to = static_cast<BSTR*>(copy->pvData);
        for (size_t i = 0; i < n && SUCCEEDED(hr); ++i) {
            if (!from[i]) continue;
            to[i] = SysAllocStringByteLen(reinterpret_cast<const char*>(from[i]), SysStringByteLen(from[i]));
            if (!to[i]) hr = E_OUTOFMEMORY;
        }
    } else if (vt == VT_VARIANT) {
        auto* from = static_cast<VARIANT*>(psa->pvData);
        auto* to = static_cast<VARIANT*>(copy->pvData);
        for (size_t i = 0; i < n && SUCCEEDED(hr); ++i) hr = VariantCopy(&to[i], &from[i]);
    } else if (n > 0) {
        std::memcpy(copy->pvData, psa->pvData, n * psa->cbElements);
        if (vt == VT_UNKNOWN || vt == VT_DISPATCH) {
            auto* p = static_cast<IUnknown**>(copy->pvData);
            for (size_t i = 0; i < n; ++i)
                if (p[i]) p[i]->AddRef();
        }
    }
    if (FAILED(hr)) {
        SafeArrayDestroy(copy);
        return hr;
    }
    *ppsaOut = copy;
    return S_OK;
}

UINT SafeArrayGetDim(SAFEARRAY* psa) { return psa ? psa->cDims : 0; }

UINT SafeArrayGetElemsize(SAFEARRAY* psa) { return psa ? psa->cbElements : 0; }

HRESULT SafeArrayGetVartype(SAFEARRAY* psa, VARTYPE* pvt) {
    if (!psa || !pvt) return E_INVALIDARG;
    const VARTYPE vt = vartypeOf(psa);
    if (vt == VT_EMPTY) return E_INVALIDARG;
    *pvt = vt;
    return S_OK;
}

HRESULT SafeArrayGetLBound(SAFEARRAY* psa, UINT nDim, LONG* plLbound) {
    if (!psa || !plLbound) return E_INVALIDARG;
    if (nDim < 1 || nDim > psa->cDims) return DISP_E_BADINDEX;
    *plLbound = boundOf(psa, nDim).lLbound;
    return S_OK;
}

HRESULT SafeArrayGetUBound(SAFEARRAY* psa, UINT nDim, LONG* plUbound) {
    if (!psa || !plUbound) return E_INVALIDARG;
    if (nDim < 1 || nDim > psa->cDims) return DISP_E_BADINDEX;
    const SAFEARRAYBOUND& b = boundOf(psa, nDim);
    // An empty dimension has its upper bound one below the lower.
    *plUbound = static_cast<LONG>(static_cast<int64_t>(b.lLbound) + static_cast<int64_t>(b.cElements) - 1);
    return S_OK;
}

HRESULT SafeArrayLock(SAFEARRAY* psa) {
    if (!psa) return E_INVALIDARG;
    if (psa->cLocks >= kMaxLocks) return E_UNEXPECTED;
    ++psa->cLocks;
    return S_OK;
}

HRESULT SafeArrayUnlock(SAFEARRAY* psa) {
    if (!psa) return E_INVALIDARG;
    if (psa->cLocks == 0) return E_UNEXPECTED;
    --psa->cLocks;
    return S_OK;
}

HRESULT SafeArrayAccessData(SAFEARRAY* psa, void** ppvData) {
    if (!psa || !ppvData) return E_INVALIDARG;
    const HRESULT hr = SafeArrayLock(psa);
    if (FAILED(hr)) return hr;
    *ppvData = psa->pvData;
    return S_OK;
}

HRESULT SafeArrayUnaccessData(SAFEARRAY* psa) { return SafeArrayUnlock(psa); }

HRESULT SafeArrayPtrOfIndex(SAFEARRAY* psa, const LONG* rgIndices, void** ppvData) {
    if (!ppvData) return E_INVALIDARG;
    size_t offset = 0;
    const HRESULT hr = offsetOf(psa, rgIndices, offset);
    if (FAILED(hr)) return hr;
    *ppvData = static_cast<unsigned char*>(psa->pvData) + offset;
    return S_OK;
}

HRESULT SafeArrayPutElement(SAFEARRAY* psa, const LONG* rgIndices, void* pv) {
    void* slot = nullptr;
    HRESULT hr = SafeArrayPtrOfIndex(psa, rgIndices, &slot);
    if (FAILED(hr)) return hr;
    if (psa->fFeatures & FADF_BSTR) {
        auto src = static_cast<BSTR>(pv);
        BSTR copy = nullptr;
        if (src) {
            copy = SysAllocStringByteLen(reinterpret_cast<const char*>(src), SysStringByteLen(src));
            if (!copy) return E_OUTOFMEMORY;
        }
        auto* element = static_cast<BSTR*>(slot);
        SysFreeString(*element);
        *element = copy;
    } else if (psa->fFeatures & (FADF_UNKNOWN | FADF_DISPATCH)) {
        auto* src = static_cast<IUnknown*>(pv);
        if (src) src->AddRef();
        auto* element = static_cast<IUnknown**>(slot);
        if (*element) (*element)->Release();
        *element = src;
    } else if (psa->fFeatures & FADF_VARIANT) {
        if (!pv) return E_INVALIDARG;
        hr = VariantCopy(static_cast<VARIANT*>(slot), static_cast<const VARIANT*>(pv));
    } else {
        if (!pv) return E_INVALIDARG;
        std::memcpy(slot, pv, psa->cbElements);
    }
    return hr;
}

HRESULT SafeArrayGetElement(SAFEARRAY* psa, const LONG* rgIndices, void* pv) {
    if (!pv) return E_INVALIDARG;
    void* slot = nullptr;
    const HRESULT hr = SafeArrayPtrOfIndex(psa, rgIndices, &slot);
    if (FAILED(hr)) return hr;
    if (psa->fFeatures & FADF_BSTR) {
        BSTR src = *static_cast<BSTR*>(slot);
        BSTR copy = nullptr;
        if (src) {
            copy = SysAllocStringByteLen(reinterpret_cast<const char*>(src), SysStringByteLen(src));
            if (!copy) return E_OUTOFMEMORY;
        }
        *static_cast<BSTR*>(pv) = copy;
    } else if (psa->fFeatures & (FADF_UNKNOWN | FADF_DISPATCH)) {
        IUnknown* src = *static_cast<IUnknown**>(slot);
        if (src) src->AddRef();
        *static_cast<IUnknown**>(pv) = src;
    } else if (psa->fFeatures & FADF_VARIANT) {
        auto* out = static_cast<VARIANT*>(pv);
        VariantInit(out);
        return VariantCopy(out, static_cast<const VARIANT*>(slot));
    } else {
        std::memcpy(pv, slot, psa->cbElements);
    }
    return S_OK;
}
