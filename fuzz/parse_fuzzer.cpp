// Reading texts: ParseNumber, CleanNumber and s2n over arbitrary bytes.
//
// Input: the first byte picks the decimal mark ("," "." or "a" for U+066B, see MarkFromByte); the
// rest is the text, as is (any bytes, invalid UTF-8 included).

#include "fuzz_support.hpp"

#include "core/number_text.hpp"

#include <cerrno>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

using namespace quadrel;
using namespace quadrel::fuzz;

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// When `text` is one number of the plain grammar (blanks, sign, digits with at most one `dec`,
// exponent, blanks), the same number spelt for strtod in the C locale; otherwise nothing.
std::optional<std::string> PlainGrammar(std::string_view text, std::string_view dec) {
    std::size_t i = 0;
    std::size_t end = text.size();
    while (i < end && IsBlank(text[i]))
        ++i;
    while (end > i && IsBlank(text[end - 1]))
        --end;
    std::string out;
    if (i < end && (text[i] == '+' || text[i] == '-'))
        out += text[i++];
    int digits = 0;
    bool mark = false;
    while (i < end) {
        if (IsDigit(text[i])) {
            out += text[i++];
            ++digits;
        } else if (!mark && text.substr(i, dec.size()) == dec) {
            out += '.';
            i += dec.size();
            mark = true;
        } else {
            break;
        }
    }
    if (digits == 0)
        return {};
    if (i < end && (text[i] == 'e' || text[i] == 'E')) {
        out += 'e';
        ++i;
        if (i < end && (text[i] == '+' || text[i] == '-'))
            out += text[i++];
        std::size_t expStart = i;
        while (i < end && IsDigit(text[i]))
            out += text[i++];
        if (i == expStart)
            return {};
    }
    if (i != end)
        return {};
    return out;
}

void CheckParse(std::string_view text, std::string_view dec) {
    const std::string context = "for " + Visible(text) + " with mark " + Visible(dec);
    std::optional<double> parsed = ParseNumber(text, dec);
    if (parsed) {
        QUADREL_FUZZ_CHECK(std::isfinite(*parsed),
                           "ParseNumber gives a non-finite value " + context);
        QUADREL_FUZZ_CHECK(*parsed != 0 || !std::signbit(*parsed),
                           "ParseNumber gives -0 " + context);
    }

    // Every text of the plain grammar reads as the nearest double, as strtod finds it, unless it
    // lies beyond the double range.
    if (std::optional<std::string> spelt = PlainGrammar(text, dec)) {
        errno = 0;
        double expected = std::strtod(spelt->c_str(), nullptr);
        if (std::isinf(expected)) {
            QUADREL_FUZZ_CHECK(!parsed, "ParseNumber reads a number beyond the range " + context);
        } else {
            QUADREL_FUZZ_CHECK(parsed.has_value(), "ParseNumber rejects a number " + context);
            QUADREL_FUZZ_CHECK(*parsed == expected, "ParseNumber gives " +
                                                        NumberText(*parsed, ".") + " instead of " +
                                                        spelt.value() + " " + context);
        }
    }
}

void CheckClean(std::string_view text, std::string_view dec) {
    const std::string context = "for " + Visible(text) + " with mark " + Visible(dec);
    std::string cleaned = CleanNumber(text, dec);

    // Cleaning is reading with "," and "." taken as the decimal mark, then writing.
    std::string marked;
    for (char c : text) {
        if (c == ',' || c == '.')
            marked += dec;
        else
            marked += c;
    }
    std::optional<double> value = ParseNumber(marked, dec);
    std::string expected = value ? NumberText(*value, dec) : std::string();
    QUADREL_FUZZ_CHECK(cleaned == expected, "CleanNumber gives " + Visible(cleaned) +
                                                " instead of " + Visible(expected) + " " + context);
    if (!cleaned.empty())
        CheckNumberText(cleaned, dec, context); // includes: cleaning again changes nothing

    // s2n is the value of the cleaned text, or the fallback.
    OptionalNumber none = s2n(text, {}, dec);
    OptionalNumber withFallback = s2n(text, 7.25, dec);
    if (cleaned.empty()) {
        QUADREL_FUZZ_CHECK(!none.has_value(), "s2n gives a value without a number " + context);
        QUADREL_FUZZ_CHECK(withFallback == 7.25, "s2n loses the fallback " + context);
    } else {
        QUADREL_FUZZ_CHECK(none.has_value() && none == ParseNumber(cleaned, dec),
                           "s2n differs from the cleaned text's value " + context);
        QUADREL_FUZZ_CHECK(withFallback == none, "s2n uses the fallback for a number " + context);
    }
}

// Any locale mark gives a decimal mark of one character with which numbers survive being written
// and read.
void CheckMarkFromLocale(std::string_view localeMark) {
    const std::string dec = DecimalSepFromMark(localeMark);
    const std::string context =
        "for the locale mark " + Visible(localeMark) + " -> " + Visible(dec);
    const auto lead = static_cast<unsigned char>(dec.empty() ? 0 : dec[0]);
    const std::size_t length = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
    QUADREL_FUZZ_CHECK(!dec.empty() && dec.size() == length, "not one character " + context);
    for (double v : {2.1, -1234.5, 1.5e-7, 6.02214076e23}) {
        const std::string text = NumberText(v, dec);
        CheckNumberText(text, dec, context);
        QUADREL_FUZZ_CHECK(ParseNumber(text, dec) == ParseNumber(NumberText(v, "."), "."),
                           "a number changes through " + Visible(text) + " " + context);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    if (size == 0)
        return 0;
    std::string_view dec = MarkFromByte(data[0]);
    std::string_view text(reinterpret_cast<const char *>(data + 1), size - 1);
    CheckParse(text, dec);
    CheckClean(text, dec);
    CheckMarkFromLocale(text.substr(0, 8));
    return 0;
}
