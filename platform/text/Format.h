#pragma once
// printf-style formatting into a std::string, for the texts whose layout is
// given as a C format.

#include <cstdio>
#include <string>

namespace tesk::text {

template <class... Args> std::string Format(const char* format, Args... args) {
    const int n = std::snprintf(nullptr, 0, format, args...);
    if (n <= 0) return {};
    std::string out(static_cast<size_t>(n) + 1, '\0');
    std::snprintf(out.data(), out.size(), format, args...);
    out.resize(static_cast<size_t>(n));
    return out;
}

} // namespace tesk::text
