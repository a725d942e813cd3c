#include "ratio.hpp"

#include <algorithm>
#include <cmath>

namespace quadrel {

namespace {

// A ratio text split at its first divider: the text before it, the divider, the text after it;
// no divider for a text without one. No divider can be part of another UTF-8 sequence, so the
// bytes can be split there.
struct Sides {
    std::string_view x, divider, y;
};

Sides Split(std::string_view text) {
    constexpr std::string_view kTimes = "\u00D7";
    const std::size_t ascii = text.find_first_of("/:xX"), times = text.find(kTimes);
    const std::size_t at = std::min(ascii, times);
    if (at == std::string_view::npos)
        return {text, {}, {}};
    const std::size_t length = at == times ? kTimes.size() : 1;
    return {text.substr(0, at), text.substr(at, length), text.substr(at + length)};
}

std::string_view Trimmed(std::string_view text) {
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

} // namespace

std::optional<std::string> FractionText(std::string_view text, std::string_view dec, bool turned) {
    const Sides sides = Split(text);
    if (sides.divider.empty() || !(ReadRatio(text, dec).value_or(0) > 0))
        return std::nullopt;
    const std::string_view x = Trimmed(sides.x), y = Trimmed(sides.y);
    return std::string(turned ? y : x) + std::string(sides.divider) + std::string(turned ? x : y);
}

OptionalNumber ReadRatio(std::string_view text, std::string_view dec) {
    // A second divider leaves a side that is no number.
    const Sides sides = Split(text);
    if (sides.divider.empty())
        return ReadNumber(text, dec);
    const OptionalNumber x = ReadNumber(sides.x, dec);
    const OptionalNumber y = ReadNumber(sides.y, dec);
    if (!x || !y)
        return std::nullopt;
    // A zero divisor gives an infinite quotient, or no number at all for 0/0.
    const double quotient = *x / *y;
    if (!std::isfinite(quotient))
        return std::nullopt;
    return quotient;
}

} // namespace quadrel
