// The recalculation: RecalcWrites over any field texts, ratio, edited index and lock choices.
// Input, as lines: line 1 is the edited index (byte 0: "0".."9", any other byte by its signed
// value), the lock choices (byte 1, bits 0..5: opzP(0), opzP(1), opzD(0), opzD(1), opzR(0),
// opzR(1); "U" is the first of each pair), the decimal mark (byte 2, MarkFromByte) and the ratio
// (the rest, as from_chars reads it, "inf" and "nan" included; else 4/3); then the six fields.

#include "fuzz_support.hpp"

#include "core/recalc.hpp"

#include <charconv>
#include <cstdint>

using namespace quadrel;
using fuzz::Check;

extern "C" int LLVMFuzzerTestOneInput(const unsigned char *data, std::size_t size) {
    std::string_view input(reinterpret_cast<const char *>(data), size);
    const std::string_view head = input.substr(0, input.find('\n'));
    if (head.size() < 3)
        return 0;
    const int index = head[0] >= '0' && head[0] <= '9' ? head[0] - '0' : std::int8_t(head[0]);
    const auto bit = [b = static_cast<unsigned char>(head[1])](int i) { return (b >> i & 1) != 0; };
    const LockChoices locks{{bit(0), bit(1)}, {bit(2), bit(3)}, {bit(4), bit(5)}};
    const std::string_view dec = fuzz::MarkFromByte(static_cast<unsigned char>(head[2]));
    double ratio = 4.0 / 3;
    std::from_chars(head.data() + 3, head.data() + head.size(), ratio);
    FieldTexts texts{};
    for (std::string_view &text : texts) {
        input.remove_prefix(std::min(input.find('\n'), input.size() - 1) + 1);
        text = input.substr(0, input.find('\n'));
    }

    // Every field but the edited one, in increasing order (cut short only by a failure), each
    // empty or a number text with no more decimals than its field shows. Where nothing is
    // derived, each field gets its own number back with its field's decimals.
    const bool derives = index >= 0 && index < kFieldCount && s2n(texts[index], {}, dec);
    int next = 0;
    for (const FieldWrite &w : RecalcWrites(index, texts, ratio, locks, dec)) {
        next += next == index;
        Check(w.field == next++, "out of order", w.text);
        Check(w.text.empty() || (fuzz::IsNumberText(w.text, dec) &&
                                 fuzz::DecimalsShown(w.text, dec) <= kFieldDecimals[w.field]),
              "bad text", w.text);
        Check(derives || w.text == n2s(s2n(texts[w.field], {}, dec), kFieldDecimals[w.field], dec),
              "changed without deriving", w.text);
    }
    return 0;
}
