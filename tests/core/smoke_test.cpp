#include "core/key_filter.hpp"
#include <gtest/gtest.h>
TEST(Smoke, Builds) { EXPECT_EQ(quadrel::FilterKey(U'7'), quadrel::KeyAction::Pass); }
