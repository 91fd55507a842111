#include "ValueText.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <stdexcept>

#include "platform/clr/DateTime.h"
#include "platform/clr/String.h"

namespace teskdp {

using System::ObjectRef;
using System::Type;

namespace {

template <class T> std::string formatNumber(T v) {
    if (std::isnan(static_cast<double>(v))) return "NaN";
    char buf[64];
    const auto r = std::to_chars(buf, buf + sizeof buf, v);
    return std::string(buf, r.ptr);
}

template <class T> T parseNumber(std::string_view text, const char* typeName) {
    T value{};
    const auto r = std::from_chars(text.data(), text.data() + text.size(), value);
    if (r.ec != std::errc() || r.ptr != text.data() + text.size())
        throw std::invalid_argument("'" + std::string(text) + "' is not a valid " + typeName);
    return value;
}

System::DateTime parseDate(std::string_view text) {
    // YYYY-MM-DD[(T| )HH:MM[:SS[.fff]]]
    int y = 0, mo = 0, d = 0, h = 0, mi = 0, s = 0, ms = 0;
    char sep = 0;
    int consumed = 0;
    const std::string t(text);
    const int n = std::sscanf(t.c_str(), "%4d-%2d-%2d%c%2d:%2d%n", &y, &mo, &d, &sep, &h, &mi, &consumed);
    bool ok = n >= 3;
    if (n == 3) {
        ok = t.size() == 10;
    } else if (n >= 6 && (sep == 'T' || sep == ' ')) {
        std::string_view rest = text.substr(static_cast<size_t>(consumed));
        if (!rest.empty()) {
            ok = rest.size() >= 3 && rest[0] == ':' && std::isdigit(static_cast<unsigned char>(rest[1])) &&
                 std::isdigit(static_cast<unsigned char>(rest[2]));
            if (ok) {
                s = (rest[1] - '0') * 10 + (rest[2] - '0');
                rest.remove_prefix(3);
                if (!rest.empty()) {
                    ok = rest[0] == '.' && rest.size() >= 2 && rest.size() <= 4;
                    int scale = 100;
                    for (size_t i = 1; ok && i < rest.size(); ++i, scale /= 10) {
                        ok = std::isdigit(static_cast<unsigned char>(rest[i]));
                        ms += (rest[i] - '0') * scale;
                    }
                }
            }
        }
    } else {
        ok = false;
    }
    if (!ok) throw std::invalid_argument("'" + t + "' is not a date (YYYY-MM-DD or YYYY-MM-DDTHH:MM:SS[.fff])");
    try {
        return System::DateTime(y, mo, d, h, mi, s, ms);
    } catch (const std::exception&) {
        throw std::invalid_argument("'" + t + "' is not a date that exists");
    }
}

bool equalsIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

} // namespace

bool IsNullValue(const ObjectRef& value) {
    return !value || System::IsDBNull(value) || System::IsContentless(value);
}

std::string FormatValue(const ObjectRef& value) {
    if (IsNullValue(value)) return {};
    if (auto* b = System::TryUnbox<bool>(value)) return *b ? "true" : "false";
    if (auto* v = System::TryUnbox<uint8_t>(value)) return std::to_string(*v);
    if (auto* v = System::TryUnbox<int32_t>(value)) return std::to_string(*v);
    if (auto* v = System::TryUnbox<float>(value)) return formatNumber(*v);
    if (auto* v = System::TryUnbox<double>(value)) return formatNumber(*v);
    if (auto* v = System::TryUnbox<System::DateTime>(value)) return v->ToIsoString();
    if (auto* v = System::TryUnbox<System::String>(value)) return System::ToAnsi(*v);
    return value->ToString();
}

ObjectRef ParseValue(std::string_view text, const Type& type) {
    if (equalsIgnoringCase(text, "null")) return System::DBNull::Value();
    if (&type == &Type::Of<System::String>()) return System::Box(System::FromAnsi(text));
    if (&type == &Type::Of<bool>()) {
        if (equalsIgnoringCase(text, "true") || text == "1") return System::Box(true);
        if (equalsIgnoringCase(text, "false") || text == "0") return System::Box(false);
        throw std::invalid_argument("'" + std::string(text) + "' is not a valid Boolean (true or false)");
    }
    if (&type == &Type::Of<uint8_t>()) {
        const int v = parseNumber<int>(text, "Byte");
        if (v < 0 || v > 255) throw std::invalid_argument("'" + std::string(text) + "' is out of the Byte range 0..255");
        return System::Box(static_cast<uint8_t>(v));
    }
    if (&type == &Type::Of<int32_t>()) return System::Box(parseNumber<int32_t>(text, "Int32"));
    if (&type == &Type::Of<float>()) return System::Box(parseNumber<float>(text, "Single"));
    if (&type == &Type::Of<double>()) return System::Box(parseNumber<double>(text, "Double"));
    if (&type == &Type::Of<System::DateTime>()) return System::Box(parseDate(text));
    throw std::invalid_argument("values of type " + type.FullName() + " cannot be written from text");
}

} // namespace teskdp
