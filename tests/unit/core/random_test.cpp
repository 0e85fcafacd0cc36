#include "core/random.hpp"

#include <gtest/gtest.h>

#include <cstdlib>

namespace tarn {
namespace {

TEST(Random, FactorsCoverZeroToJustBelowOne) {
    EXPECT_EQ(random_unit_from(0), 0.0f);
    EXPECT_LT(random_unit_from(RAND_MAX), 1.0f) << "the largest rand() must stay below 1";
    EXPECT_GT(random_unit_from(RAND_MAX), 0.9999f);
    EXPECT_EQ(random_unit_from(RAND_MAX / 2 + 1), 0.5f);
    EXPECT_LT(random_unit_from(RAND_MAX / 4), random_unit_from(RAND_MAX / 2));
}

TEST(Random, DrawsFromRand) {
    std::srand(7);
    const int first = std::rand();
    std::srand(7);
    EXPECT_EQ(random_unit(), random_unit_from(first));
}

}  // namespace
}  // namespace tarn
