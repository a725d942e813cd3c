#include <gtest/gtest.h>
TEST(Placeholder, language) { SUCCEED(); }
