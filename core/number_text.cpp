#include "number_text.hpp"
namespace quadrel {
std::string DecimalSepFromMark(std::string_view) { return "."; }
std::string NumberText(double, std::string_view) { return {}; }
std::optional<double> ParseNumber(std::string_view, std::string_view) { return {}; }
std::string CleanNumber(std::string_view, std::string_view) { return {}; }
OptionalNumber s2n(std::string_view, OptionalNumber fallback, std::string_view) { return fallback; }
std::optional<std::string> n2s(OptionalNumber, int, std::string_view) { return {}; }
} // namespace quadrel
