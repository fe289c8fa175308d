#pragma once

#include <cstdint>

// The program's one pseudo-random generator.
namespace shell {

// Next value, uniform in [0, 1), as single precision.
float rnd();
// Re-seeds from the system timer mixed with a counter, so two re-seeds within one clock tick
// never give the same sequence and no retry loop waits on the clock.
void randomize();
// Fixes the sequence (tests): randomize() then mixes the seed with its counter only.
void seedRandom(std::uint64_t seed);

} // namespace shell
