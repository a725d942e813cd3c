// The flag pictures both windows paint.

#include "ui/common/flags.hpp"

#include <gtest/gtest.h>

#include <algorithm>

namespace quadrel::flags {
namespace {

// The tricolour's stripes on whole pixels; the Union Flag the same after a half turn, its red
// bands counterchanged: below the falling diagonal in the hoist, above it in the fly.
TEST(Flags, StripesOnWholePixelsAndTheSaltireCounterchanged) {
    std::vector<std::uint32_t> stripes(14, 0x009246);
    stripes.resize(27, 0xFFFFFF);
    stripes.resize(41, 0xCE2B37);
    const std::vector<std::uint32_t> italian = FlagPicture(0, 41, 21);
    for (int row = 0; row < 21; ++row)
        EXPECT_TRUE(std::equal(stripes.begin(), stripes.end(), italian.begin() + row * 41)) << row;
    const std::vector<std::uint32_t> uk = FlagPicture(1, 120, 60); // 2 pixels a unit of 60 x 30
    EXPECT_TRUE(std::equal(uk.begin(), uk.end(), uk.rbegin()));
    for (const auto &[x, y, colour] : {std::tuple{29, 16, 0xC8102EU},
                                       {30, 13, 0xFFFFFFU},
                                       {30, 46, 0xC8102EU},
                                       {29, 43, 0xFFFFFFU}})
        EXPECT_EQ(uk[std::size_t(y * 120 + x)], colour) << x << ',' << y;
    const std::vector<std::uint32_t> crosses = FlagPicture(1, 27, 14); // crosses 5 and 3 wide
    EXPECT_EQ(std::vector(crosses.begin() + 10, crosses.begin() + 17),
              (std::vector<std::uint32_t>{0x012169, 0xFFFFFF, 0xC8102E, 0xC8102E, 0xC8102E,
                                          0xFFFFFF, 0x012169})); // the top row
}

} // namespace
} // namespace quadrel::flags
