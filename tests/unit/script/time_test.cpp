// Time values: ordering and arithmetic.
#include "script/time_value.hpp"

#include <gtest/gtest.h>

#include <limits>

namespace tarn {
namespace {

TEST(TimeValueTest, ComparesInBothDirectionsAndRefusesToOrderNaN) {
    EXPECT_EQ(compare_times(TimeValue{1.0}, 2.0), -1);
    EXPECT_EQ(compare_times(TimeValue{2.0}, 1.5), 1);
    EXPECT_EQ(compare_times(TimeValue{-0.0}, 0.0), 0);
    const double nan = std::numeric_limits<double>::quiet_NaN();
    EXPECT_EQ(compare_times(TimeValue{nan}, 1.0), 0);
    EXPECT_EQ(compare_times(TimeValue{1.0}, nan), 0);
}

TEST(TimeValueTest, ArithmeticKeepsDoublePrecision) {
    EXPECT_EQ((TimeValue{2.5} + 1).seconds, 3.5);
    EXPECT_EQ((TimeValue{16777216.0} + 1 - 16777216.0).seconds, 1.0);
}

}  // namespace
}  // namespace tarn
