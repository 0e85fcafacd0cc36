#include "core/random.hpp"

#include <cstdlib>

namespace tarn {

namespace {

constexpr int kRandomBits = 31;  // glibc: RAND_MAX = 2^31 - 1
constexpr int kFloatBits = 24;   // what a float holds without rounding
static_assert(RAND_MAX == (1u << kRandomBits) - 1, "rand() is expected to give 31 bits");

}  // namespace

float random_unit_from(int rand_value) {
    const int top = rand_value >> (kRandomBits - kFloatBits);
    return static_cast<float>(top) * (1.0f / static_cast<float>(1 << kFloatBits));
}

float random_unit() {
    return random_unit_from(std::rand());
}

}  // namespace tarn
