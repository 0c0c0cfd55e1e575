#include "controls/transitions/StretchCopy.h"

#include <cstring>
#include <vector>

#include "controls/transitions/TransitionFrame.h"
#include "gui/StretchMapping.h"

namespace controls::transitions {
namespace {

using gui::Bitmap;
using gui::Rect;

// Source pixel of destination pixel d (counted from the destination's start).
int SourceOf(int d, int destSize, int sourceStart, int sourceSize) {
  return sourceStart + int(gui::StretchedSourcePixel(d, destSize, sourceSize));
}

}  // namespace

void StretchCopy(Bitmap& target, const Rect& to, const Bitmap& source, const Rect& from) {
  if (to.Empty() || from.Empty()) return;
  if (!Rect{0, 0, source.Width(), source.Height()}.Contains(from)) return;
  const Rect visible = to.Intersect({0, 0, target.Width(), target.Height()});
  if (visible.Empty()) return;
  const bool inPlace = &target == &source;
  if (inPlace && (to.Width() > from.Width() || to.Height() > from.Height())) {
    // Enlarging within one bitmap would read rows already written: copy the source first.
    const Bitmap copy = source;
    StretchCopy(target, to, copy, from);
    return;
  }
  const int width = visible.Width();
  const bool sameWidth = to.Width() == from.Width();
  std::vector<int> columns(sameWidth ? 0 : size_t(width));
  for (int i = 0; i < int(columns.size()); ++i) {
    columns[size_t(i)] = SourceOf(visible.left + i - to.left, to.Width(), 0, from.Width());
  }
  // In place, a row is read once into this line before its own row may be written.
  std::vector<uint32_t> line(inPlace && !sameWidth ? size_t(from.Width()) : 0);
  const bool sameHeight = to.Height() == from.Height();
  const auto sourceRowOf = [&](int row) {
    return sameHeight ? from.top + (row - to.top)
                      : SourceOf(row - to.top, to.Height(), from.top, from.Height());
  };
  const auto copyRow = [&](int row) {
    const int sourceRow = sourceRowOf(row);
    uint32_t* d = Pixels(target, row) + visible.left;
    const uint32_t* s = Pixels(source, sourceRow) + from.left;
    if (sameWidth) {
      std::memmove(d, s + (visible.left - to.left), size_t(width) * 4);
      return;
    }
    if (inPlace) {
      std::memcpy(line.data(), s, line.size() * 4);
      s = line.data();
    }
    for (int i = 0; i < width; ++i) d[i] = s[columns[size_t(i)]];
  };
  if (!inPlace) {
    for (int row = visible.top; row < visible.bottom; ++row) copyRow(row);
    return;
  }
  // Squeezing or shifting within one bitmap: rows whose source lies at or below them are
  // copied top down, the others bottom up, so no source row is overwritten before use.
  int split = visible.top;
  while (split < visible.bottom && sourceRowOf(split) < split) ++split;
  for (int row = split; row < visible.bottom; ++row) copyRow(row);
  for (int row = split - 1; row >= visible.top; --row) copyRow(row);
}

}  // namespace controls::transitions
