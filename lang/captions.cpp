#include "captions.hpp"
namespace quadrel::lang {
std::string_view LabelText(int, std::string_view) { return {}; }
std::optional<std::string_view> LockText(std::string_view) { return {}; }
std::optional<std::string_view> CloseText(std::string_view) { return {}; }
std::optional<std::string_view> OptionsText(std::string_view) { return {}; }
std::optional<std::string_view> RatioText(std::string_view) { return {}; }
std::optional<std::string_view> DefaultText(std::string_view) { return {}; }
std::optional<std::string_view> CreditText(std::string_view) { return {}; }
} // namespace quadrel::lang
