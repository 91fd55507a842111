#include "platform/com/Bstr.h"

#include "platform/text/Utf.h"

#include <cstdlib>
#include <cstring>
#include <limits>
#include <new>

namespace {

// Block layout: [uint32 byte count][text bytes][two zero bytes, one more if
// the byte count is odd]. The BSTR points just past the count.
constexpr size_t kPrefix = sizeof(uint32_t);

BSTR allocBytes(const void* src, size_t bytes) {
    if (bytes > std::numeric_limits<uint32_t>::max() - 8) return nullptr;
    auto* block = static_cast<unsigned char*>(std::malloc(kPrefix + bytes + 3));
    if (!block) return nullptr;
    const auto count = static_cast<uint32_t>(bytes);
    std::memcpy(block, &count, kPrefix);
    if (src)
        std::memcpy(block + kPrefix, src, bytes);
    else
        std::memset(block + kPrefix, 0, bytes);
    std::memset(block + kPrefix + bytes, 0, 3);
    return reinterpret_cast<BSTR>(block + kPrefix);
}

size_t length(const OLECHAR* psz) {
    size_t n = 0;
    while (psz[n]) ++n;
    return n;
}

} // namespace

BSTR SysAllocString(const OLECHAR* psz) {
    if (!psz) return nullptr;
    return allocBytes(psz, length(psz) * sizeof(OLECHAR));
}

BSTR SysAllocStringLen(const OLECHAR* pch, UINT ui) {
    return allocBytes(pch, static_cast<size_t>(ui) * sizeof(OLECHAR));
}

BSTR SysAllocStringByteLen(const char* psz, UINT len) { return allocBytes(psz, len); }

void SysFreeString(BSTR bstr) {
    if (bstr) std::free(reinterpret_cast<unsigned char*>(bstr) - kPrefix);
}

UINT SysStringByteLen(BSTR bstr) {
    if (!bstr) return 0;
    uint32_t count = 0;
    std::memcpy(&count, reinterpret_cast<const unsigned char*>(bstr) - kPrefix, kPrefix);
    return count;
}

UINT SysStringLen(BSTR bstr) { return SysStringByteLen(bstr) / sizeof(OLECHAR); }

INT SysReAllocStringLen(BSTR* pbstr, const OLECHAR* psz, UINT len) {
    if (!pbstr) return 0;
    // Allocate before freeing: psz may point into the old string.
    BSTR fresh = SysAllocStringLen(psz, len);
    if (!fresh) return 0;
    SysFreeString(*pbstr);
    *pbstr = fresh;
    return 1;
}

INT SysReAllocString(BSTR* pbstr, const OLECHAR* psz) {
    if (!pbstr) return 0;
    if (!psz) {
        SysFreeString(*pbstr);
        *pbstr = nullptr;
        return 1;
    }
    return SysReAllocStringLen(pbstr, psz, static_cast<UINT>(length(psz)));
}

namespace tesk::com {

BSTR BstrFromUtf16(std::u16string_view text) {
    if (text.size() > std::numeric_limits<UINT>::max() / 2) throw std::bad_alloc();
    BSTR s = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    if (!s) throw std::bad_alloc();
    return s;
}

BSTR BstrFromUtf8(std::string_view text) {
    // ASCII widens straight into the new string, without an intermediate one.
    if (text.size() > std::numeric_limits<UINT>::max() / 2) throw std::bad_alloc();
    BSTR out = SysAllocStringLen(nullptr, static_cast<UINT>(text.size()));
    if (!out) throw std::bad_alloc();
    if (text::WidenAscii(text, out)) return out;
    SysFreeString(out);
    return BstrFromUtf16(text::Utf8ToUtf16(text));
}

std::u16string_view ViewOfBstr(BSTR bstr) {
    if (!bstr) return {};
    return {bstr, SysStringLen(bstr)};
}

std::string Utf8FromBstr(BSTR bstr) { return text::Utf16ToUtf8(ViewOfBstr(bstr)); }

Bstr::Bstr(const Bstr& other) {
    if (other.m_str) {
        m_str = SysAllocStringByteLen(reinterpret_cast<const char*>(other.m_str), SysStringByteLen(other.m_str));
        if (!m_str) throw std::bad_alloc();
    }
}

} // namespace tesk::com
