#include <gtest/gtest.h>
TEST(Placeholder, layout) { SUCCEED(); }
