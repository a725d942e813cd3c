#include "core/recalc.hpp"

#include "test_marks.hpp"

#include <array>
#include <limits>
#include <string>
#include <string_view>

#include <gtest/gtest.h>

namespace quadrel {
namespace {

using test::kMarks;
using test::WithMark;

using Texts = std::array<std::string_view, kFieldCount>;

constexpr LockChoices kFirst{};
constexpr LockChoices kPixelsKeepPrint{.opzP = {false, true}};
constexpr LockChoices kDpiKeepPrint{.opzD = {false, true}};
constexpr LockChoices kPrintKeepDpi{.opzR = {false, true}};
constexpr LockChoices kNeither{
    .opzP = {false, false}, .opzD = {false, false}, .opzR = {false, false}};
constexpr LockChoices kBoth{.opzP = {true, true}, .opzD = {true, true}, .opzR = {true, true}};

constexpr int kAllWrites = -1;

struct RecalcCase {
    const char *name;
    int index;
    Texts before; // the six field texts, with a comma mark
    Texts after;  // the six field texts once the writes are applied
    LockChoices locks = kFirst;
    double ratio = 4.0 / 3;
    int writes = kAllWrites; // fewer after a failure
};

// Texts are "field as typed" -> "field after"; the edited field is never written.
// clang-format off
const RecalcCase kCases[] = {
    {"megapixels alone give the pixels", 0,
     {"8", "", "", "", "", ""}, {"8", "3266", "2449", "", "", ""}},
    {"megapixels with a resolution give the print size", 0,
     {"8", "", "", "300", "", ""}, {"8", "3266", "2449", "300", "27,7", "20,7"}},
    {"megapixels keeping the print size give the resolution", 0,
     {"8", "", "", "300", "30", "20"}, {"8", "3266", "2449", "277", "30", "20"}, kPixelsKeepPrint},
    {"keeping the print size fills a missing height", 0,
     {"8", "", "", "300", "30", ""}, {"8", "3266", "2449", "277", "30", "22,5"}, kPixelsKeepPrint},
    {"keeping the print size fills a missing width", 0,
     {"8", "", "", "300", "", "22,5"},
     {"8", "3266", "2449", "277", "30", "22,5"}, kPixelsKeepPrint},
    {"keeping an empty print size derives no resolution", 0,
     {"8", "", "", "300", "", ""}, {"8", "3266", "2449", "300", "", ""}, kPixelsKeepPrint},
    {"horizontal pixels", 1,
     {"", "4000", "", "300", "", ""}, {"12", "4000", "3000", "300", "33,9", "25,4"}},
    {"vertical pixels alone", 2,
     {"", "", "3000", "", "", ""}, {"12", "4000", "3000", "", "", ""}},
    {"resolution rewrites the pixels from the megapixels", 3,
     {"8", "3264", "2448", "200", "", ""}, {"8", "3266", "2449", "200", "41,5", "31,1"}},
    {"resolution with rounded megapixels", 3,
     {"9,4", "3543", "2657", "300", "", ""}, {"9,4", "3540", "2655", "300", "30", "22,5"}},
    {"resolution from horizontal pixels", 3,
     {"", "4000", "", "300", "", ""}, {"12", "4000", "3000", "300", "33,9", "25,4"}},
    {"resolution without pixels derives nothing", 3,
     {"", "", "", "300", "30", "22,5"}, {"", "", "", "300", "30", "22,5"}},
    {"resolution keeping the print size", 3,
     {"", "", "", "300", "30", ""}, {"9,4", "3543", "2657", "300", "30", "22,5"}, kDpiKeepPrint},
    {"resolution keeping an empty print size", 3,
     {"8", "", "", "300", "", ""}, {"8", "", "", "300", "", ""}, kDpiKeepPrint},
    {"width with megapixels", 4,
     {"8", "", "", "", "30", ""}, {"8", "3266", "2449", "277", "30", "22,5"}},
    {"width without pixels keeps the resolution", 4,
     {"", "", "", "300", "30", ""}, {"", "", "", "300", "30", "22,5"}},
    {"width keeping the resolution", 4,
     {"", "", "", "300", "30", ""}, {"9,4", "3543", "2657", "300", "30", "22,5"}, kPrintKeepDpi},
    {"height with horizontal pixels", 5,
     {"", "3200", "", "", "", "20"}, {"7,7", "3200", "2400", "305", "26,7", "20"}},
    {"height keeping the resolution", 5,
     {"", "", "", "300", "", "22,5"}, {"9,4", "3543", "2657", "300", "30", "22,5"}, kPrintKeepDpi},
    {"another ratio", 1,
     {"", "3000", "", "", "", ""}, {"6", "3000", "2000", "", "", ""}, kFirst, 1.5},

    {"an empty edited field rewrites the others", 0,
     {"", "3264,4", "", "", "27,66", ""}, {"", "3264", "", "", "27,7", ""}},
    {"an index below the fields rewrites all six", -1,
     {"8,04", "3264,4", "2448", "300", "27,66", "20,72"},
     {"8", "3264", "2448", "300", "27,7", "20,7"}},
    {"an index above the fields rewrites all six", 6,
     {"8,04", "3264,4", "2448", "300", "27,66", "20,72"},
     {"8", "3264", "2448", "300", "27,7", "20,7"}},
    {"text that is no number counts as empty", 0,
     {"8", "abc", "1,2,3", "x", "", "1e400"}, {"8", "3266", "2449", "", "", ""}},
    {"an edited field holding no number derives nothing", 4,
     {"8", "", "", "", "3O", ""}, {"8", "", "", "", "3O", ""}},
    {"typed forms are tidied", 0,
     {"8", " 0012 ", "1e3", "300,", "", ""}, {"8", "3266", "2449", "300", "27,7", "20,7"}},

    // Neither or both options of a pair.
    {"pixels with neither lock", 0,
     {"8", "", "", "300", "30", "20"}, {"8", "3266", "2449", "300", "30", "20"}, kNeither},
    {"pixels with both locks: the second sees the first's print size", 0,
     {"8", "", "", "300", "30", "20"}, {"8", "3266", "2449", "300", "27,7", "20,7"}, kBoth},
    {"resolution with neither lock", 3,
     {"8", "3264", "2448", "200", "", ""}, {"8", "3264", "2448", "200", "", ""}, kNeither},
    {"resolution with both locks", 3,
     {"8", "", "", "200", "", ""}, {"8", "3266", "2449", "200", "41,5", "31,1"}, kBoth},
    {"width with neither lock", 4,
     {"8", "", "", "300", "30", ""}, {"8", "", "", "300", "30", "22,5"}, kNeither},
    {"width with both locks: the second sees the first's resolution", 4,
     {"8", "", "", "300", "30", ""}, {"8", "3266", "2449", "277", "30", "22,5"}, kBoth},

    // Failures while deriving: no field changes.
    {"resolution zero", 0,
     {"8", "", "", "0", "", ""}, {"8", "", "", "0", "", ""}, kFirst, 4.0 / 3, 0},
    {"ratio zero", 1,
     {"", "4000", "", "", "", ""}, {"", "4000", "", "", "", ""}, kFirst, 0.0, 0},
    {"ratio zero with megapixels", 0,
     {"8", "", "", "", "", ""}, {"8", "", "", "", "", ""}, kFirst, 0.0, 0},
    {"negative ratio", 0,
     {"8", "", "", "", "", ""}, {"8", "", "", "", "", ""}, kFirst, -1.0, 0},
    {"negative megapixels", 0,
     {"-8", "1", "2", "", "", ""}, {"-8", "1", "2", "", "", ""}, kFirst, 4.0 / 3, 0},
    {"width zero where the resolution is derived", 4,
     {"8", "", "", "", "0", ""}, {"8", "", "", "", "0", ""}, kFirst, 4.0 / 3, 0},
    {"height zero where the resolution is derived", 5,
     {"8", "", "", "", "", "0"}, {"8", "", "", "", "", "0"}, kFirst, 4.0 / 3, 0},
    {"width zero keeping the print size", 1,
     {"", "4000", "", "300", "0", ""},
     {"", "4000", "", "300", "0", ""}, kPixelsKeepPrint, 4.0 / 3, 0},
    {"megapixels too large", 0,
     {"1e303", "", "", "", "", ""}, {"1e303", "", "", "", "", ""}, kFirst, 4.0 / 3, 0},
    {"pixels too large", 1,
     {"", "1e300", "1", "", "", ""}, {"", "1e300", "1", "", "", ""}, kFirst, 1e-10, 0},

    // Failures while formatting field k: the fields before k are written.
    {"a width too large to show", 1,
     {"8,04", "", "", "", "1e308", "5,55"}, {"8", "", "", "", "1e308", "5,55"}, kFirst, 4.0 / 3, 3},
    {"a derived height too large to show", 4,
     {"", "", "", "", "1e308", "5"}, {"", "", "", "", "1e308", "5"}, kFirst, 4.0 / 3, 4},
};
// clang-format on

TEST(RecalcWrites, FollowsTheRulesWithEachMark) {
    for (std::string_view mark : kMarks) {
        for (const RecalcCase &c : kCases) {
            SCOPED_TRACE(std::string(c.name) + ", mark " + std::string(mark));
            std::array<std::string, kFieldCount> fields;
            FieldTexts texts;
            for (int k = 0; k < kFieldCount; ++k) {
                fields[k] = WithMark(c.before[k], mark);
                texts[k] = fields[k];
            }

            const FieldWrites writes = RecalcWrites(c.index, texts, c.ratio, c.locks, mark);

            int previous = -1;
            for (const FieldWrite &w : writes) {
                EXPECT_GT(w.field, previous);
                EXPECT_NE(w.field, c.index);
                ASSERT_TRUE(w.field >= 0 && w.field < kFieldCount);
                previous = w.field;
                fields[w.field] = w.text;
            }
            const bool inRange = c.index >= 0 && c.index < kFieldCount;
            const int allWrites = inRange ? kFieldCount - 1 : kFieldCount;
            EXPECT_EQ(static_cast<int>(writes.size()),
                      c.writes == kAllWrites ? allWrites : c.writes);
            for (int k = 0; k < kFieldCount; ++k)
                EXPECT_EQ(fields[k], WithMark(c.after[k], mark)) << "field " << k;
        }
    }
}

TEST(RecalcWrites, ReadsValuesThatAreNotFiniteAsEmpty) {
    constexpr double inf = std::numeric_limits<double>::infinity();
    const FieldValues values{
        8.0, inf, std::nullopt, -inf, std::numeric_limits<double>::quiet_NaN(), std::nullopt};
    const FieldWrites writes = RecalcWrites(Megapixels, values, 4.0 / 3, kFirst, ",");
    ASSERT_EQ(writes.size(), 5u);
    EXPECT_EQ(writes[0], (FieldWrite{PixelsX, "3266"}));
    EXPECT_EQ(writes[1], (FieldWrite{PixelsY, "2449"}));
    EXPECT_EQ(writes[2], (FieldWrite{Dpi, ""}));
    EXPECT_EQ(writes[3], (FieldWrite{WidthCm, ""}));
    EXPECT_EQ(writes[4], (FieldWrite{HeightCm, ""}));
}

TEST(RecalcWrites, FailsOnARatioThatIsNotFinite) {
    const FieldValues values{std::nullopt, 4000.0,       std::nullopt,
                             std::nullopt, std::nullopt, std::nullopt};
    for (double ratio :
         {std::numeric_limits<double>::infinity(), std::numeric_limits<double>::quiet_NaN()}) {
        EXPECT_TRUE(RecalcWrites(PixelsX, values, ratio, kFirst, ",").empty());
    }
}

} // namespace
} // namespace quadrel
