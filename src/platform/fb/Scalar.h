#pragma once
// Reading a number that a one-row select (fb::selectValue) answered.

#include "platform/fb/Fb.h"

#include <cstdint>
#include <optional>

namespace fb {

// The value as an integer, a decimal rounded to whole units; 0 when no row
// answered, for null and for a value that is not a number.
std::int64_t asInteger(const std::optional<Value>& value);

}  // namespace fb
