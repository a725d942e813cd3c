#include "recalc.hpp"
namespace quadrel {
FieldWrites RecalcWrites(int, const FieldValues &, double, const LockChoices &, std::string_view) { return {}; }
FieldWrites RecalcWrites(int, const FieldTexts &, double, const LockChoices &, std::string_view) { return {}; }
} // namespace quadrel
