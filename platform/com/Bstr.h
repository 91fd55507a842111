#pragma once
// BSTR: UTF-16 text preceded by its length in bytes (4 bytes) and followed by
// a terminator; the pointer points at the text. A null BSTR is an empty string.

#include "platform/com/Types.h"

#include <string>
#include <string_view>

// Null psz gives null. Allocation failure gives null.
BSTR SysAllocString(const OLECHAR* psz);
// Copies ui characters from pch; a null pch gives ui zero characters.
BSTR SysAllocStringLen(const OLECHAR* pch, UINT ui);
// Copies len bytes from psz (null: zero bytes); the string may have an odd byte length.
BSTR SysAllocStringByteLen(const char* psz, UINT len);
void SysFreeString(BSTR bstr);
UINT SysStringLen(BSTR bstr);
UINT SysStringByteLen(BSTR bstr);
// Replaces *pbstr with a copy of psz (which may point into *pbstr); returns 1
// on success, 0 on failure (then *pbstr is unchanged).
INT SysReAllocString(BSTR* pbstr, const OLECHAR* psz);
INT SysReAllocStringLen(BSTR* pbstr, const OLECHAR* psz, UINT len);

namespace tesk::com {

// Converts at the automation boundary; malformed input becomes U+FFFD.
// Throw std::bad_alloc when memory runs out.
BSTR BstrFromUtf8(std::string_view text);
BSTR BstrFromUtf16(std::u16string_view text);
std::string Utf8FromBstr(BSTR bstr);
std::u16string_view ViewOfBstr(BSTR bstr);

// Owns one BSTR (possibly null). Copies are deep.
class Bstr {
public:
    Bstr() = default;
    explicit Bstr(std::string_view utf8) : m_str(BstrFromUtf8(utf8)) {}
    explicit Bstr(std::u16string_view text) : m_str(BstrFromUtf16(text)) {}
    Bstr(const Bstr& other);
    Bstr(Bstr&& other) noexcept : m_str(other.m_str) { other.m_str = nullptr; }
    Bstr& operator=(Bstr other) noexcept {
        std::swap(m_str, other.m_str);
        return *this;
    }
    ~Bstr() { SysFreeString(m_str); }

    // Takes ownership of str.
    static Bstr Attach(BSTR str) {
        Bstr b;
        b.m_str = str;
        return b;
    }
    // Gives up ownership.
    BSTR Detach() noexcept {
        BSTR s = m_str;
        m_str = nullptr;
        return s;
    }
    // Frees the current string and returns the slot for an out-parameter.
    BSTR* Out() {
        SysFreeString(m_str);
        m_str = nullptr;
        return &m_str;
    }

    BSTR get() const { return m_str; }
    UINT Length() const { return SysStringLen(m_str); }
    std::u16string_view View() const { return ViewOfBstr(m_str); }
    std::string Utf8() const { return Utf8FromBstr(m_str); }

    friend bool operator==(const Bstr& a, const Bstr& b) { return a.View() == b.View(); }

private:
    BSTR m_str = nullptr;
};

} // namespace tesk::com
