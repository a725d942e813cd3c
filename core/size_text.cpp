#include "size_text.hpp"

#include "ratio.hpp"

#include <cmath>
#include <cstdint>
#include <numeric>
#include <utility>

namespace quadrel {

namespace {

constexpr std::string_view kTimes = "\u00D7";

std::string_view TrimBlanks(std::string_view text) {
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

char Lower(char c) {
    return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c;
}

// Whether `text` ends with `lowerSuffix`, its letters in either case.
bool EndsWithAnyCase(std::string_view text, std::string_view lowerSuffix) {
    if (text.size() < lowerSuffix.size())
        return false;
    const std::string_view end = text.substr(text.size() - lowerSuffix.size());
    for (std::size_t i = 0; i < end.size(); ++i) {
        if (Lower(end[i]) != lowerSuffix[i])
            return false;
    }
    return true;
}
bool EqualsAnyCase(std::string_view text, std::string_view lower) {
    return text.size() == lower.size() && EndsWithAnyCase(text, lower);
}

// The two sides of a pair joined by the first of the ASCII separators `separators` or "×"; none
// without a separator. A second separator stays in the second side, where no number reads it.
std::optional<std::pair<std::string_view, std::string_view>>
SplitPair(std::string_view text, std::string_view separators) {
    const std::size_t ascii = text.find_first_of(separators), times = text.find(kTimes);
    const std::size_t at = std::min(ascii, times);
    if (at == std::string_view::npos)
        return std::nullopt;
    const std::size_t length = at == times ? kTimes.size() : 1;
    return std::pair(text.substr(0, at), text.substr(at + length));
}

std::string RatioText(double x, double y, std::string_view dec) {
    return NumberText(x, dec) + ":" + NumberText(y, dec);
}

bool IsPositiveRatio(std::string_view text, std::string_view dec) {
    const OptionalNumber ratio = ReadRatio(text, dec);
    return ratio && *ratio > 0;
}

enum class Unit { None, Cm, Mm, Inch }; // None counts as Cm

struct Length {
    double number;
    Unit unit;
};

// A number with an optional unit after it.
std::optional<Length> ReadLength(std::string_view text, std::string_view dec) {
    constexpr std::pair<std::string_view, Unit> kUnits[] = {
        {"cm", Unit::Cm}, {"mm", Unit::Mm}, {"in", Unit::Inch}, {"\"", Unit::Inch}};
    text = TrimBlanks(text);
    Unit unit = Unit::None;
    for (const auto &[name, which] : kUnits) {
        if (EndsWithAnyCase(text, name)) {
            text.remove_suffix(name.size());
            unit = which;
            break;
        }
    }
    const OptionalNumber number = ReadNumber(text, dec);
    if (!number)
        return std::nullopt;
    return Length{*number, unit};
}

// A positive length in cm, rounded as a field would read its 15-digit text ("5in" gives 12.7 as
// typed, whatever the last bit of 5 * 2.54).
OptionalNumber Centimetres(double number, Unit unit) {
    const double cm = unit == Unit::Mm     ? number / 10
                      : unit == Unit::Inch ? number * kCmPerInch
                                           : number;
    const OptionalNumber rounded = ParseNumber(NumberText(cm, "."), ".");
    return rounded && *rounded > 0 ? rounded : std::nullopt;
}

struct Paper {
    std::string_view lowerName;
    double widthCm, heightCm;
};
constexpr Paper kPapers[] = {{"a0", 84.1, 118.9}, {"a1", 59.4, 84.1},      {"a2", 42, 59.4},
                             {"a3", 29.7, 42},    {"a4", 21, 29.7},        {"a5", 14.8, 21},
                             {"a6", 10.5, 14.8},  {"letter", 21.59, 27.94}};

} // namespace

std::optional<PixelPair> ReadPixelPair(std::string_view text, std::string_view dec) {
    const auto sides = SplitPair(text, "xX*");
    if (!sides)
        return std::nullopt;
    const OptionalNumber x = ReadNumber(sides->first, dec), y = ReadNumber(sides->second, dec);
    if (!x || !y || !(*x > 0) || !(*y > 0))
        return std::nullopt;
    PixelPair pair{*x, *y, PixelRatioText(*x, *y, dec)};
    if (!IsPositiveRatio(pair.ratioText, dec))
        return std::nullopt;
    return pair;
}

std::optional<PrintSize> ReadPrintSize(std::string_view text, std::string_view dec) {
    const std::string_view trimmed = TrimBlanks(text);
    for (const Paper &paper : kPapers) {
        if (EqualsAnyCase(trimmed, paper.lowerName))
            return PrintSize{paper.widthCm, paper.heightCm,
                             RatioText(paper.widthCm, paper.heightCm, dec)};
    }

    const auto sides = SplitPair(trimmed, "xX");
    if (!sides) {
        const std::optional<Length> length = ReadLength(trimmed, dec);
        const OptionalNumber cm = length ? Centimetres(length->number, length->unit) : std::nullopt;
        if (!cm)
            return std::nullopt;
        return PrintSize{*cm, std::nullopt, ""};
    }
    const std::optional<Length> first = ReadLength(sides->first, dec);
    const std::optional<Length> second = ReadLength(sides->second, dec);
    if (!first || !second)
        return std::nullopt;
    // The first number takes the second's unit when it has none of its own.
    const Unit secondUnit = second->unit == Unit::None ? Unit::Cm : second->unit;
    const Unit firstUnit = first->unit == Unit::None ? secondUnit : first->unit;
    const OptionalNumber width = Centimetres(first->number, firstUnit);
    const OptionalNumber height = Centimetres(second->number, secondUnit);
    if (!width || !height)
        return std::nullopt;
    // The numbers as written make the ratio only in one unit: 8 in by 25 cm is not "8:25".
    std::string ratioText = firstUnit == secondUnit ? RatioText(first->number, second->number, dec)
                                                    : RatioText(*width, *height, dec);
    if (!IsPositiveRatio(ratioText, dec))
        return std::nullopt;
    return PrintSize{*width, *height, std::move(ratioText)};
}

std::string PixelRatioText(double x, double y, std::string_view dec) {
    // Every whole number up to 2^53 is a double, and so is its quotient by a divisor.
    constexpr double kLargestReduced = 9007199254740992.0;
    const auto whole = [](double v) {
        return v >= 1 && v <= kLargestReduced && v == std::floor(v);
    };
    if (!std::isfinite(x) || !std::isfinite(y))
        return {};
    if (whole(x) && whole(y)) {
        const auto a = static_cast<std::uint64_t>(x), b = static_cast<std::uint64_t>(y);
        const std::uint64_t divisor = std::gcd(a, b);
        x = static_cast<double>(a / divisor);
        y = static_cast<double>(b / divisor);
    }
    return RatioText(x, y, dec);
}

std::string SummaryLine(const FieldTexts &fields, std::string_view ratioText,
                        std::string_view dec) {
    std::array<std::string, kFieldCount> figure;
    for (int k = 0; k < kFieldCount; ++k)
        figure[k] = CleanNumber(fields[k], dec);
    const std::string times = " " + std::string(kTimes) + " ";

    std::string line;
    const auto add = [&line](const std::string &group) {
        line += (line.empty() ? "" : ", ") + group;
    };
    if (!figure[Megapixels].empty())
        add(figure[Megapixels] + " MP");
    if (!figure[PixelsX].empty() && !figure[PixelsY].empty())
        add(figure[PixelsX] + times + figure[PixelsY] + " px");
    if (!figure[Dpi].empty())
        add(figure[Dpi] + " DPI");
    if (!figure[WidthCm].empty() && !figure[HeightCm].empty()) {
        std::string group = figure[WidthCm] + times + figure[HeightCm] + " cm";
        const auto inches = [&](Field f) {
            return FormatFixed(*ReadNumber(figure[f], dec) / kCmPerInch, 1, dec);
        };
        const std::optional<std::string> width = inches(WidthCm), height = inches(HeightCm);
        if (width && height)
            group += " (" + *width + times + *height + " in)";
        add(group);
    }
    const OptionalNumber ratio = ReadRatio(ratioText, dec);
    if (ratio && *ratio > 0)
        add(std::string(TrimBlanks(ratioText)));
    return line;
}

} // namespace quadrel
