#include "ratio.hpp"

#include <cmath>

namespace quadrel {

OptionalNumber ReadRatio(std::string_view text, std::string_view dec) {
    // Neither divider can be part of a UTF-8 sequence, so the bytes can be split there. A second
    // divider leaves a side that is no number.
    const std::size_t at = text.find_first_of("/:");
    if (at == std::string_view::npos)
        return ReadNumber(text, dec);
    const OptionalNumber x = ReadNumber(text.substr(0, at), dec);
    const OptionalNumber y = ReadNumber(text.substr(at + 1), dec);
    if (!x || !y)
        return std::nullopt;
    // A zero divisor gives an infinite quotient, or no number at all for 0/0.
    const double quotient = *x / *y;
    if (!std::isfinite(quotient))
        return std::nullopt;
    return quotient;
}

} // namespace quadrel
