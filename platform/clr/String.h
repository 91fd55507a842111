#pragma once
// Managed strings: UTF-16 text that may be null. 8-bit texts in the process's
// ANSI code page are UTF-8 here; a null string converts to the empty text.

#include <optional>
#include <string>
#include <string_view>

#include "platform/clr/Object.h"

namespace System {

class String {
public:
    String() = default;  // null
    String(const char16_t* text) : m_text(text ? std::optional<std::u16string>(text) : std::nullopt) {}
    String(std::u16string text) : m_text(std::move(text)) {}
    // From UTF-8 (a C++ literal such as "Formations" reads naturally).
    String(const char* utf8);
    static String Null() { return String(); }

    bool IsNull() const { return !m_text.has_value(); }
    bool IsNullOrEmpty() const { return !m_text || m_text->empty(); }
    const std::u16string& Text() const;  // empty for null
    int Length() const { return static_cast<int>(Text().size()); }

    bool operator==(const String& o) const { return m_text == o.m_text; }

private:
    std::optional<std::u16string> m_text;
};

template <> struct TypeName<String> { static std::string value() { return "System.String"; } };

// Conversions at the boundary between managed strings and 8-bit texts.
std::string ToAnsi(const String& s);
String FromAnsi(std::string_view text);

} // namespace System
