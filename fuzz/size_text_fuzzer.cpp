// Sizes as written: ReadPixelPair, ReadPrintSize and SummaryLine over any bytes. Input: byte 0
// picks the decimal mark (MarkFromByte); the rest, as lines, is read line by line as a pixel pair
// and a print size, and its first seven lines are the six data fields and the ratio field of the
// summary.

#include "fuzz_support.hpp"

#include "core/ratio.hpp"
#include "core/size_text.hpp"

#include <cfloat>

using namespace quadrel;
using fuzz::Check;

// Whether w and h are finite and positive, and a pair's ratio text reads back as w / h within the
// 15-digit rounding of its numbers and of the quotient, and the coarser one below DBL_MIN.
static bool PairReadsBack(const std::string &ratioText, double w, double h, std::string_view dec) {
    const OptionalNumber ratio = ReadRatio(ratioText, dec);
    const long double exact = static_cast<long double>(w) / h;
    const long double within = 1e-13L + DBL_TRUE_MIN / w + DBL_TRUE_MIN / h + DBL_TRUE_MIN / exact;
    return std::isfinite(w) && std::isfinite(h) && w > 0 && h > 0 && ratio &&
           std::fabs(*ratio - exact) <= within * exact;
}

extern "C" int LLVMFuzzerTestOneInput(const unsigned char *data, std::size_t size) {
    if (size == 0)
        return 0;
    const std::string_view dec = fuzz::MarkFromByte(data[0]);
    std::string_view rest(reinterpret_cast<const char *>(data) + 1, size - 1);
    std::array<std::string_view, kFieldCount + 1> lines{};
    for (std::size_t k = 0; !rest.empty(); ++k) {
        const std::string_view line = rest.substr(0, rest.find('\n'));
        rest.remove_prefix(std::min(line.size() + 1, rest.size()));
        if (k < lines.size())
            lines[k] = line;

        if (const std::optional<PixelPair> pair = ReadPixelPair(line, dec))
            Check(PairReadsBack(pair->ratioText, pair->x, pair->y, dec), "pixel pair", line);
        if (const std::optional<PrintSize> print = ReadPrintSize(line, dec)) {
            Check(print->heightCm
                      ? PairReadsBack(print->ratioText, print->widthCm, *print->heightCm, dec)
                      : print->ratioText.empty() && std::isfinite(print->widthCm) &&
                            print->widthCm > 0,
                  "print size", line);
        }
    }

    // No figure "nan", "inf" or "-0" (a minus, not an exponent's, before zeros and marks alone),
    // and one line.
    static const std::regex kNegativeZero(R"((^|[^Ee])-[0,.]*0[0,.]*([^0-9,.]|$))");
    std::string summary =
        SummaryLine({lines[0], lines[1], lines[2], lines[3], lines[4], lines[5]}, lines[6], dec);
    for (std::size_t at = summary.find(dec); dec != "," && at != summary.npos;
         at = summary.find(dec))
        summary.replace(at, dec.size(), ",");
    Check(summary.find("nan") == summary.npos && summary.find("inf") == summary.npos &&
              summary.find('\n') == summary.npos && !std::regex_search(summary, kNegativeZero),
          "summary", summary);
    return 0;
}
