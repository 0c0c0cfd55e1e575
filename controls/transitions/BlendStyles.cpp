#include "controls/transitions/BlendStyles.h"

#include <cstring>

namespace controls::transitions {
namespace {

// Sixteen bytes and their sixteen 16-bit widenings.
using U8x16 = uint8_t __attribute__((vector_size(16)));
using U16x16 = uint16_t __attribute__((vector_size(32)));

// When each channel fades, as parts of the whole time: blue, green, red.
constexpr double kChannelStart[] = {0.0, 0.2, 0.4};
constexpr double kChannelTime = 0.6;

}  // namespace

void BlendToward(gui::Bitmap& screen, const gui::Bitmap& image, int w, int h,
                 std::array<int, 3> weights) {
  // s + floor((n - s) * a / 256) equals floor((s * (256 - a) + n * a) / 256), since
  // 256 * s divides evenly; that sum is never negative and never above 65 280, so the
  // blend runs on sixteen unsigned 16-bit lanes at a time (four pixels). The fourth byte
  // gets the weights 256 and 0, which keep it. 32-bit rows have no padding, so the
  // picture is one run.
  const auto keep = [&](int c) { return uint16_t(256 - weights[size_t(c)]); };
  const auto take = [&](int c) { return uint16_t(weights[size_t(c)]); };
  const U16x16 keepWeights = {keep(0), keep(1), keep(2), 256, keep(0), keep(1), keep(2), 256,
                              keep(0), keep(1), keep(2), 256, keep(0), keep(1), keep(2), 256};
  const U16x16 takeWeights = {take(0), take(1), take(2), 0, take(0), take(1), take(2), 0,
                              take(0), take(1), take(2), 0, take(0), take(1), take(2), 0};
  uint8_t* s = screen.Data();
  const uint8_t* n = image.Data();
  const size_t bytes = size_t(w) * size_t(h) * 4;
  size_t i = 0;
  for (; i + sizeof(U8x16) <= bytes; i += sizeof(U8x16)) {
    U8x16 sv;
    U8x16 nv;
    std::memcpy(&sv, s + i, sizeof sv);
    std::memcpy(&nv, n + i, sizeof nv);
    const U16x16 blended = (__builtin_convertvector(sv, U16x16) * keepWeights +
                            __builtin_convertvector(nv, U16x16) * takeWeights) >>
                           8;
    const U8x16 out = __builtin_convertvector(blended, U8x16);
    std::memcpy(s + i, &out, sizeof out);
  }
  // The last pixels when the count is not a multiple of four, in the plain signed form.
  for (; i < bytes; i += 4) {
    for (size_t c = 0; c < 3; ++c) {
      s[i + c] = uint8_t(s[i + c] + (((int(n[i + c]) - int(s[i + c])) * weights[c]) >> 8));
    }
  }
}

void Compose(const TransitionFrame& f, const ChannelMix&) {
  std::array<int, 3> weights{};
  for (size_t c = 0; c < weights.size(); ++c) {
    weights[c] = Part(256, Phase(f.progress, kChannelStart[c], kChannelStart[c] + kChannelTime));
  }
  BlendToward(f.screen, f.image, f.w, f.h, weights);
}

}  // namespace controls::transitions
