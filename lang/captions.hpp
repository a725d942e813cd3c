#pragma once

// The captions of the window in its two languages, by language code: "it" (Italian) and "uk"
// (English). Codes match exactly and case-sensitively; any other code has no caption.

#include <optional>
#include <string_view>

namespace quadrel::lang {

inline constexpr std::string_view kItalian = "it";
inline constexpr std::string_view kEnglish = "uk";

// The label of data field `index` (0..5); "" for an unknown code or an index outside 0..5.
//   LabelText(3, "uk") -> "Print resolution [DPI]"   LabelText(0, "IT") -> ""   LabelText(6, "it")
//   -> ""
std::string_view LabelText(int index, std::string_view code);

// The other captions; no value for an unknown code.
//   LockText("it") -> "blocca"   LockText("en") -> none   OptionsText("it") -> "Opzioni"
std::optional<std::string_view> LockText(std::string_view code);
std::optional<std::string_view> CloseText(std::string_view code);
std::optional<std::string_view> OptionsText(std::string_view code);
std::optional<std::string_view> RatioText(std::string_view code);
std::optional<std::string_view> DefaultText(std::string_view code);
std::optional<std::string_view> CreditText(std::string_view code);

// What a lock option keeps fixed while a field is edited.
enum class Kept { Pixels, PrintResolution, PrintSize };

// The lock option's description (for screen readers and its tooltip): what it keeps fixed; no
// value for an unknown code.
//   LockHint(Kept::PrintSize, "uk") -> "Keeps the print size fixed"
//   LockHint(Kept::Pixels, "it") -> "Mantiene fissi i pixel"
std::optional<std::string_view> LockHint(Kept kept, std::string_view code);

// The name of a language in that language, for its flag, whatever the current language is.
//   LanguageName("it") -> "Italiano"   LanguageName("uk") -> "English"   LanguageName("en") -> none
std::optional<std::string_view> LanguageName(std::string_view code);

} // namespace quadrel::lang
