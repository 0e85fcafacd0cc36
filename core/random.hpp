#pragma once

namespace tarn {

// A random factor in [0, 1) from the C library's rand() (seeded at start-up), for scripts,
// sprite animations and emitters.
float random_unit();
// The factor for one rand() result: its top 24 bits scaled by 2^-24, so that even RAND_MAX
// stays below 1 in single precision.
float random_unit_from(int rand_value);

}  // namespace tarn
