#include "controls/transitions/RandomOrder.h"

#include <algorithm>
#include <numeric>

#include "controls/TransitionStyles.h"

namespace controls::transitions {

std::vector<int> RandomOrder(int count, uint32_t seed) {
  std::vector<int> order(size_t(std::max(count, 0)));
  std::iota(order.begin(), order.end(), 0);
  Shuffle(order, seed);
  return order;
}

std::vector<uint8_t> PiecesShown(int count, int progress, uint32_t seed) {
  std::vector<uint8_t> shown(size_t(std::max(count, 0)));
  const std::vector<int> order = RandomOrder(count, seed);
  const int visible = MulDiv(count, progress, 100);
  for (int i = 0; i < visible; ++i) shown[size_t(order[size_t(i)])] = 1;
  return shown;
}

}  // namespace controls::transitions
