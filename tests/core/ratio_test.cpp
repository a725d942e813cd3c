#include "core/ratio.hpp"

#include <gtest/gtest.h>

#include <optional>
#include <string_view>

namespace quadrel {
namespace {

// Read under "," and under "." as the locale's decimal mark: either mark reads on either side.
TEST(ReadRatio, DividesOneNumberByAnotherOrReadsOneNumber) {
    const struct Case {
        std::string_view text;
        std::optional<double> ratio;
    } cases[] = {
        {"3/2", 1.5}, {"16:9", 16.0 / 9.0}, {" 4,5 / 3 ", 1.5}, {"4/3", 4.0 / 3.0}, {"-3/2", -1.5},
        {"1,5", 1.5}, {"4/0", {}},          {"/2", {}},         {"3/", {}},
    };
    for (const std::string_view dec : {",", "."}) {
        for (const Case &c : cases)
            EXPECT_EQ(ReadRatio(c.text, dec), c.ratio) << '"' << c.text << "\" under " << dec;
    }
}

} // namespace
} // namespace quadrel
