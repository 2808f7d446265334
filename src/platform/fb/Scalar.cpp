#include "platform/fb/Scalar.h"

namespace fb {

std::int64_t asInteger(const std::optional<Value>& value) {
    if (!value) return 0;
    if (const auto* i = std::get_if<std::int64_t>(&*value)) return *i;
    if (const auto* d = std::get_if<Decimal>(&*value)) return d->rescaled(0).units;
    return 0;
}

}  // namespace fb
