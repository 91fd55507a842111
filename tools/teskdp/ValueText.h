#pragma once
// Managed values as command-line text, and back.

#include <string>
#include <string_view>

#include "platform/clr/Object.h"

namespace teskdp {

// A database null, a contentless object and no object print as nothing; the
// caller decides how an empty cell looks. Dates print as ISO 8601.
bool IsNullValue(const System::ObjectRef& value);
std::string FormatValue(const System::ObjectRef& value);

// Reads text as a value of the given managed type. "NULL" (any case) is the
// database null. Raises std::invalid_argument naming the expected type.
System::ObjectRef ParseValue(std::string_view text, const System::Type& type);

} // namespace teskdp
