#pragma once
// Bringing a client's automation value to the type of the column it is
// written to, without losing anything: a value that the column's type cannot
// hold exactly is refused rather than rounded, cut or reinterpreted.

#include "platform/com/Variant.h"

namespace TeskDataProvider {

// Converts `in` (already dereferenced) to `target`. Numbers, truth values and
// dates convert when converting the result back gives the same value; a text
// converts when it parses as the target type, and for integer targets only
// when it names a whole number. Two exceptions: a number narrowed to single
// precision is rounded to the nearest single (most decimal fractions have no
// exact single), and dates and numbers never convert into each other. False,
// with `out` untouched, for anything else.
bool CoerceLosslessly(const VARIANT& in, VARTYPE target, tesk::com::Variant& out);

} // namespace TeskDataProvider
