#include "platform/clr/String.h"

#include "platform/text/Utf.h"

namespace System {

namespace {
const std::u16string kEmpty;
}

String::String(const char* utf8) {
    if (utf8) m_text = tesk::text::Utf8ToUtf16(utf8);
}

const std::u16string& String::Text() const { return m_text ? *m_text : kEmpty; }

std::string ToAnsi(const String& s) { return tesk::text::Utf16ToUtf8(s.Text()); }

String FromAnsi(std::string_view text) { return String(tesk::text::Utf8ToUtf16(text)); }

} // namespace System
