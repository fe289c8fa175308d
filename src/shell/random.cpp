#include "shell/random.h"

#include <chrono>
#include <random>

namespace shell {

namespace {

// SplitMix64 finaliser: spreads every bit of the input over the whole seed, so seeds that
// differ only in a counter still start unrelated sequences.
std::uint64_t mix(std::uint64_t value) {
    value += 0x9e3779b97f4a7c15ULL;
    value = (value ^ (value >> 30)) * 0xbf58476d1ce4e5b9ULL;
    value = (value ^ (value >> 27)) * 0x94d049bb133111ebULL;
    return value ^ (value >> 31);
}

std::uint64_t timerSeed() {
    const auto wall = std::chrono::system_clock::now().time_since_epoch().count();
    const auto steady = std::chrono::steady_clock::now().time_since_epoch().count();
    return static_cast<std::uint64_t>(wall) ^ mix(static_cast<std::uint64_t>(steady));
}

struct Generator {
    std::mt19937_64 engine{mix(timerSeed())};
    std::uint64_t reseeds = 0;
    bool fixed = false;
    std::uint64_t fixedSeed = 0;
};

Generator& generator() {
    static Generator instance;
    return instance;
}

} // namespace

float rnd() {
    // The top 24 bits give every float of [0, 1) that has a 24-bit mantissa, never 1.0.
    const std::uint64_t bits = generator().engine() >> 40;
    return static_cast<float>(bits) * (1.0f / 16777216.0f);
}

void randomize() {
    Generator& g = generator();
    ++g.reseeds;
    const std::uint64_t base = g.fixed ? g.fixedSeed : timerSeed();
    g.engine.seed(mix(base ^ mix(g.reseeds)));
}

void seedRandom(std::uint64_t seed) {
    Generator& g = generator();
    g.fixed = true;
    g.fixedSeed = seed;
    g.reseeds = 0;
    g.engine.seed(mix(seed));
}

} // namespace shell
