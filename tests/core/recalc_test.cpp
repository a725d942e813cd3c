#include "core/recalc.hpp"

#include "test_marks.hpp"

#include <cmath>
#include <string>

#include <gtest/gtest.h>

namespace quadrel {
namespace {

using test::kMarks;
using test::WithMark;

// Lock choices: the first option of every pair, the second one of a pair, neither, both.
constexpr LockChoices k1{};
constexpr LockChoices kP2{.opzP = {false, true}};
constexpr LockChoices kD2{.opzD = {false, true}};
constexpr LockChoices kR2{.opzR = {false, true}};
constexpr LockChoices kNone{.opzP = {false, false}, .opzD = {false, false}, .opzR = {false, false}};
constexpr LockChoices kBoth{.opzP = {true, true}, .opzD = {true, true}, .opzR = {true, true}};

struct Case {
    int index;
    std::array<std::string_view, kFieldCount> before, after; // with a comma mark
    LockChoices locks = k1;
    double ratio = 4.0 / 3;
    int writes = -1; // all but the edited field, unless a failure stops them
};

// clang-format off
const Case kCases[] = {
    {0, {"8", "", "", "300", "", ""}, {"8", "3266", "2449", "300", "27,7", "20,7"}},
    {0, {"8", "", "", "300", "30", ""}, {"8", "3266", "2449", "277", "30", "22,5"}, kP2},
    {0, {"8", "", "", "300", "30", "20"}, {"8", "3266", "2449", "277", "30", "20"}, kP2},
    {0, {"8", "", "", "300", "", "22,5"}, {"8", "3266", "2449", "277", "30", "22,5"}, kP2},
    {0, {"8", "abc", "", "300", "x", "1e400"}, {"8", "3266", "2449", "300", "", ""}, kP2},
    {0, {"8", "", "", "300", "30", "20"}, {"8", "3266", "2449", "300", "30", "20"}, kNone},
    {0, {"8", "", "", "300", "30", "20"}, {"8", "3266", "2449", "300", "27,7", "20,7"}, kBoth},
    {0, {"", " 0012 ", "", "300,", "27,66", "1e3"}, {"", "12", "", "300", "27,7", "1000"}},
    {1, {"", "4000", "", "300", "", ""}, {"12", "4000", "3000", "300", "33,9", "25,4"}},
    {2, {"", "", "2000", "", "", ""}, {"6", "3000", "2000", "", "", ""}, k1, 1.5},
    {3, {"8", "3264", "2448", "200", "", ""}, {"8", "3266", "2449", "200", "41,5", "31,1"}},
    {3, {"", "", "3000", "300", "", ""}, {"12", "4000", "3000", "300", "33,9", "25,4"}},
    {3, {"", "", "", "300", "30", "22,5"}, {"", "", "", "300", "30", "22,5"}},
    {3, {"", "", "", "300", "30", ""}, {"9,4", "3543", "2657", "300", "30", "22,5"}, kD2},
    {3, {"", "", "", "300", "", "20"}, {"7,4", "3150", "2362", "300", "26,7", "20"}, kD2},
    {3, {"8", "", "", "300", "", ""}, {"8", "", "", "300", "", ""}, kD2},
    {3, {"8", "3264", "2448", "200", "30", ""}, {"8", "3264", "2448", "200", "30", ""}, kNone},
    {3, {"", "", "", "300", "30", ""}, {"9,4", "3543", "2657", "300", "30", "22,5"}, kBoth},
    {4, {"", "", "", "300", "30", ""}, {"", "", "", "300", "30", "22,5"}},
    {4, {"", "4000", "", "", "30", ""}, {"12", "4000", "3000", "339", "30", "22,5"}},
    {4, {"8", "", "", "", "30", ""}, {"8", "", "", "", "30", "22,5"}, kR2},
    {4, {"8", "", "", "300", "30", ""}, {"8", "", "", "300", "30", "22,5"}, kNone},
    // Cases where the grouping of a formula decides a half: (WidthCm * Dpi) / 2,54 = 5567,4999...
    // and PixelsX / Ratio = 7357,4999... (with HeightCm * Dpi / 2,54 it would be 7357,5).
    {4, {"", "", "", "635", "22,27", ""}, {"23,2", "5567", "4176", "635", "22,27", "16,7"}, kR2},
    {4, {"", "", "", "981", "25,4", ""}, {"72,2", "9810", "7357", "981", "25,4", "19"}, kR2},
    {4, {"", "", "", "300", "30", ""}, {"9,4", "3543", "2657", "300", "30", "22,5"}, kBoth},
    {5, {"", "3200", "", "", "", "20"}, {"7,7", "3200", "2400", "305", "26,7", "20"}},
    {-1, {"8,04", "3264,4", "", "300", "", ""}, {"8", "3264", "", "300", "", ""}},
    // Failures while deriving write nothing; a failure while showing field k writes those before.
    {0, {"8", "", "", "0", "", ""}, {"8", "", "", "0", "", ""}, k1, 4.0 / 3, 0},
    {0, {"8", "", "", "1e-320", "", ""}, {"8", "", "", "1e-320", "", ""}, k1, 4.0 / 3, 0},
    {1, {"", "4000", "", "", "", ""}, {"", "4000", "", "", "", ""}, k1, INFINITY, 0},
    {4, {"8", "", "", "", "0", ""}, {"8", "", "", "", "0", ""}, k1, 4.0 / 3, 0},
    {1, {"8,04", "", "", "", "1e308", "5,55"}, {"8", "", "", "", "1e308", "5,55"}, k1, 4.0 / 3, 3},
};
// clang-format on

TEST(RecalcWrites, WritesTheOtherFieldsInOrderWithEachMark) {
    for (std::string_view mark : kMarks) {
        for (std::size_t row = 0; row < std::size(kCases); ++row) {
            const Case &c = kCases[row];
            SCOPED_TRACE(testing::Message() << "row " << row << ", mark " << mark);
            std::array<std::string, kFieldCount> fields;
            FieldTexts texts;
            for (int k = 0; k < kFieldCount; ++k)
                texts[k] = fields[k] = WithMark(c.before[k], mark);
            const auto writes = RecalcWrites(c.index, texts, c.ratio, c.locks, mark);
            int previous = -1;
            for (const FieldWrite &w : writes) {
                ASSERT_TRUE(w.field > previous && w.field < kFieldCount && w.field != c.index);
                fields[previous = w.field] = w.text;
            }
            const bool inRange = c.index >= 0 && c.index < kFieldCount;
            EXPECT_EQ(int(writes.size()), c.writes >= 0 ? c.writes : 6 - int(inRange));
            for (int k = 0; k < kFieldCount; ++k)
                EXPECT_EQ(fields[k], WithMark(c.after[k], mark)) << "field " << k;
        }
    }
}

} // namespace
} // namespace quadrel
