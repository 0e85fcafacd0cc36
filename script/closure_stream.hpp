#pragma once

#include <cstddef>
#include <cstdint>

namespace tarn {

// Functions a precompiled script may nest inside each other: far more than scripts use, few
// enough for the VM's recursive reader to stay within a small part of the C stack.
inline constexpr int kMaxClosureNesting = 1000;

// Whether bytes start with one whole closure in the VM's serialised form (what sq_writeclosure
// writes) whose every count and length fits inside the bytes. The VM's reader believes what a
// stream claims and sizes its allocations from it, so a damaged stream must be refused first.
bool is_sound_closure_stream(const std::uint8_t* data, std::size_t size);

}  // namespace tarn
