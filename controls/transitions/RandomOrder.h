// Random orders that are the same every time: pieces of a picture appear in a shuffled
// order drawn from a fixed seed, so a frame depends only on the progress.
#pragma once

#include <array>
#include <cstdint>
#include <iterator>
#include <utility>
#include <vector>

namespace controls::transitions {

// A fixed scramble of 32-bit numbers. Every step can be undone, so distinct numbers stay
// distinct.
constexpr uint32_t Scramble(uint32_t v) {
  v ^= v >> 16;
  v *= 0x7FEB352Du;
  v ^= v >> 15;
  v *= 0x846CA68Bu;
  v ^= v >> 16;
  return v;
}

// A number in [0, 1) fixed by the seed and the index.
constexpr double RandomUnit(uint32_t seed, uint32_t index) {
  return Scramble(Scramble(seed) ^ index) / 4294967296.0;
}

// Shuffles in place (Fisher-Yates) with a generator started from the seed.
template <typename Range>
constexpr void Shuffle(Range& order, uint32_t seed) {
  for (size_t i = std::size(order); i-- > 1;) {
    std::swap(order[i], order[Scramble(seed + uint32_t(i)) % (i + 1)]);
  }
}

// The numbers 0 to count - 1 in the order the seed gives them.
template <typename Int, size_t count>
constexpr std::array<Int, count> Shuffled(uint32_t seed) {
  std::array<Int, count> order{};
  for (size_t i = 0; i < count; ++i) order[i] = Int(i);
  Shuffle(order, seed);
  return order;
}

// The same for a count known only at run time.
std::vector<int> RandomOrder(int count, uint32_t seed);

// Whether each of `count` pieces shows at a progress: the first count * progress / 100
// (rounded) of the random order do, so the share grows steadily and all show at 100.
std::vector<uint8_t> PiecesShown(int count, int progress, uint32_t seed);

}  // namespace controls::transitions
