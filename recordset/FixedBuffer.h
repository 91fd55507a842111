#pragma once
// Texts in fixed buffers of a record set's recorded length.

#include <cstring>
#include <string_view>

namespace TeskDataProvider {

// The buffer's text: up to its terminator, never past its `room` bytes.
inline std::string_view FixedBufferText(const void* buffer, long room) {
    const char* text = static_cast<const char*>(buffer);
    return std::string_view(text, strnlen(text, room > 0 ? static_cast<size_t>(room) : 0));
}

// Copies `bytes` and a terminator into the buffer, clearing its tail. A text
// that does not fit with its terminator is refused whole (false): cutting it
// would store a different value without a word. Without room nothing is
// stored, and that is no refusal.
inline bool StoreFixedBufferText(void* buffer, long room, std::string_view bytes) {
    if (room <= 0) return true;
    if (bytes.size() >= static_cast<size_t>(room)) return false;
    char* out = static_cast<char*>(buffer);
    std::memcpy(out, bytes.data(), bytes.size());
    std::memset(out + bytes.size(), 0, static_cast<size_t>(room) - bytes.size());
    return true;
}

} // namespace TeskDataProvider
