// Reading texts: ParseNumber, CleanNumber, ReadNumber, ReadRatio and DecimalSepFromMark over any
// bytes. Input: byte 0 picks the decimal mark (MarkFromByte), the rest is the text.

#include "fuzz_support.hpp"

#include "core/ratio.hpp"

using namespace quadrel;
using fuzz::Check;

// Whether `text` is one number of the grammar. The pattern sees each run of digits as "0", each
// run of blanks as " ", the mark as "M" (and "M" as "?"), so that a number is at most 9
// characters long and the pattern never runs over a long text.
static bool InGrammar(std::string_view text, std::string_view dec) {
    static const std::regex kGrammar(R"( ?[+-]?(0(M0?)?|M0)([eE][+-]?0)? ?)");
    std::string s;
    for (std::size_t i = 0; i < text.size() && s.size() < 10; ++i) {
        const char c = text[i], t = text.substr(i).starts_with(dec) ? 'M'
                                    : c >= '0' && c <= '9'          ? '0'
                                    : c == '\t'                     ? ' '
                                    : c == 'M'                      ? '?'
                                                                    : c;
        i += t == 'M' ? dec.size() - 1 : 0;
        if (s.empty() || s.back() != t || (t != '0' && t != ' '))
            s += t;
    }
    return s.size() < 10 && std::regex_match(s, kGrammar);
}

extern "C" int LLVMFuzzerTestOneInput(const unsigned char *data, std::size_t size) {
    if (size == 0)
        return 0;
    const std::string_view dec = fuzz::MarkFromByte(data[0]);
    const std::string_view text(reinterpret_cast<const char *>(data) + 1, size - 1);

    // A number of the grammar reads as the nearest double (which strtod finds in this program's
    // "C" locale), or as nothing beyond the range; any other text reads as nothing; never as -0.
    const std::optional<double> value = ParseNumber(text, dec);
    std::string c(text);
    if (const std::size_t at = c.find(dec); at != std::string::npos)
        c.replace(at, dec.size(), ".");
    const double nearest = std::strtod(c.c_str(), nullptr);
    Check(InGrammar(text, dec) && !std::isinf(nearest) ? value == nearest : !value, "misread",
          text);
    Check(!value || *value != 0 || !std::signbit(*value), "read as -0", text);

    // Tidying gives a number text, the one of the number read, and a tidy text stays as it is.
    const std::string clean = CleanNumber(text, dec);
    Check(clean.empty() || (fuzz::IsNumberText(clean, dec) && CleanNumber(clean, dec) == clean),
          "tidied to no tidy number text", clean);
    Check(!value || clean == NumberText(*value, dec), "tidied to another number", text);
    const OptionalNumber number = clean.empty() ? std::nullopt : ParseNumber(clean, dec);
    Check(ReadNumber(text, dec) == number, "ReadNumber", text);

    // "," "." and the mark stand for one another in a field's text, refused or not, and so do
    // "/" and ":" in a ratio: here each becomes the next of its kind.
    const std::string_view next[] = {".", dec.size() > 1 ? dec : ",", ":", "/"}; // of ",./:"
    std::string swapped;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const bool mark = dec.size() > 1 && text.substr(i).starts_with(dec);
        const std::size_t kind = std::string_view(",./:").find(text[i]);
        swapped += mark ? "," : kind < 4 ? next[kind] : text.substr(i, 1);
        i += mark ? dec.size() - 1 : 0;
    }
    Check(CleanNumber(swapped, dec) == clean, "another mark tidied otherwise", text);

    // A ratio is finite, and without a divider it is the number of the whole text.
    const OptionalNumber ratio = ReadRatio(text, dec);
    const bool divided =
        text.find_first_of("/:xX") != text.npos || text.find("\u00D7") != text.npos;
    Check((!ratio || std::isfinite(*ratio)) && (divided || ratio == number), "ratio", text);
    Check(!divided || ReadRatio(swapped, dec) == ratio, "another mark or divider", text);

    // The mark taken from a locale's text is its first character or ".", and numbers read back.
    const std::string sep = DecimalSepFromMark(text);
    Check((sep == "." || text.starts_with(sep)) && DecimalSepFromMark(sep) == sep &&
              ParseNumber(NumberText(-1.5e-300, sep), sep) == -1.5e-300,
          "mark", sep);
    return 0;
}
