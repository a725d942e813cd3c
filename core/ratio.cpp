#include "ratio.hpp"

#include <algorithm>
#include <cmath>

namespace quadrel {

OptionalNumber ReadRatio(std::string_view text, std::string_view dec) {
    // No divider can be part of another UTF-8 sequence, so the bytes can be split there. A second
    // divider leaves a side that is no number.
    constexpr std::string_view kTimes = "\u00D7";
    const std::size_t ascii = text.find_first_of("/:xX"), times = text.find(kTimes);
    const std::size_t at = std::min(ascii, times);
    if (at == std::string_view::npos)
        return ReadNumber(text, dec);
    const OptionalNumber x = ReadNumber(text.substr(0, at), dec);
    const OptionalNumber y = ReadNumber(text.substr(at + (at == times ? kTimes.size() : 1)), dec);
    if (!x || !y)
        return std::nullopt;
    // A zero divisor gives an infinite quotient, or no number at all for 0/0.
    const double quotient = *x / *y;
    if (!std::isfinite(quotient))
        return std::nullopt;
    return quotient;
}

} // namespace quadrel
