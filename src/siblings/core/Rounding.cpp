#include "Rounding.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <string>

namespace {

// A double carries 15 significant decimal digits reliably (DBL_DIG). Reading the
// value at that precision drops the binary noise of sums such as
// 0.70 + 0.10 + 0.005 = 0.80499999999999994, which a person reads as 0.805.
constexpr int kSignificant = 15;

} // namespace

double zaokr(double value, int decimals)
{
    if (!std::isfinite(value))
        return value;
    if (value == 0.0)
        return 0.0;
    decimals = std::clamp(decimals, 0, 15);

    // "d.dddddddddddddde±xx": the digits and the decimal exponent of the first one.
    char buf[40];
    const auto printed = std::to_chars(buf, buf + sizeof buf, std::fabs(value),
                                       std::chars_format::scientific, kSignificant - 1);
    *printed.ptr = '\0';
    std::string digits(1, buf[0]);
    digits.append(buf + 2, buf + 1 + kSignificant);
    const int exponent = std::atoi(buf + 2 + kSignificant);

    // The digit at index i weighs 10^(exponent - i); keep those down to 10^-decimals.
    // When that reaches past the reliable digits there is nothing to round.
    const int keep = exponent + decimals + 1;
    if (keep >= kSignificant)
        return value;
    std::string mantissa;
    if (keep >= 0) {
        mantissa = digits.substr(0, static_cast<std::size_t>(keep));
        if (digits[static_cast<std::size_t>(keep)] >= '5') {
            auto it = mantissa.rbegin();
            for (; it != mantissa.rend() && *it == '9'; ++it)
                *it = '0';
            if (it == mantissa.rend())
                mantissa.insert(mantissa.begin(), '1');
            else
                ++*it;
        }
    }
    if (mantissa.empty() || mantissa.find_first_not_of('0') == std::string::npos)
        return 0.0; // also keeps -0.001 from becoming -0.00

    // Parsing "<digits>e-<decimals>" gives the double nearest to the exact decimal result.
    const std::string exact = (value < 0 ? "-" : "") + mantissa + "e-" + std::to_string(decimals);
    double result = value;
    std::from_chars(exact.data(), exact.data() + exact.size(), result);
    return result;
}
