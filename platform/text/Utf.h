#pragma once
// UTF-8 and UTF-16 conversions. 8-bit texts are UTF-8 here (the ANSI code
// page of the process); wide texts are UTF-16.

#include <string>
#include <string_view>

namespace tesk::text {
// Widens `text` byte for byte into `out` (room for text.size() units) and
// says whether that was the whole conversion: true when the text is ASCII,
// as most of a project's texts are. Otherwise `out` holds nothing useful.
inline bool WidenAscii(std::string_view text, char16_t* out) {
    unsigned char high = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        high |= c;
        out[i] = c;
    }
    return high < 0x80;
}

std::u16string Utf8ToUtf16(std::string_view text);
std::string Utf16ToUtf8(std::u16string_view text);
}
