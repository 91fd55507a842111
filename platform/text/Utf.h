#pragma once
// UTF-8 and UTF-16 conversions. 8-bit texts are UTF-8 here (the ANSI code
// page of the process); wide texts are UTF-16.

#include <string>
#include <string_view>

namespace tesk::text {
std::u16string Utf8ToUtf16(std::string_view text);
std::string Utf16ToUtf8(std::u16string_view text);
}
