#include "siblings/core/Rounding.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

TEST(Zaokr, HalvesGoAwayFromZeroByTheirDecimalValue) {
    EXPECT_EQ(zaokr(1.005, 2), 1.01);
    EXPECT_EQ(zaokr(-2.5, 0), -3.0);
    EXPECT_EQ(zaokr(-99999.995, 2), -100000.0);  // the carry runs through every digit
    // 0.70 + 0.10 + 0.005 is 0.80499999999999994 in binary.
    EXPECT_EQ(zaokr(0.70 + 0.10 + 0.005, 2), 0.81);
}

TEST(Zaokr, EdgeValues) {
    EXPECT_FALSE(std::signbit(zaokr(-0.001, 2)));  // no "-0,00" in lists
    EXPECT_TRUE(std::isnan(zaokr(std::numeric_limits<double>::quiet_NaN(), 2)));
    EXPECT_EQ(zaokr(std::numeric_limits<double>::infinity(), 2), std::numeric_limits<double>::infinity());
}
