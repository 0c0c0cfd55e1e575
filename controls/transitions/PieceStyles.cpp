#include "controls/transitions/PieceStyles.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <optional>
#include <vector>

#include "controls/TransitionStyles.h"
#include "controls/transitions/RandomOrder.h"
#include "controls/transitions/RevealMask.h"
#include "controls/transitions/StretchCopy.h"

namespace controls::transitions {
namespace {

constexpr int kSquareSize = 12;
constexpr int kBarSize = 4;
constexpr int kBrickHeight = 12;
constexpr int kBrickMin = 16;
constexpr int kBrickMax = 48;
constexpr int kRingWidth = 8;
constexpr int kCellsAcross = 6;   // triangle cells and diamonds across the shorter side
constexpr int kWaveCells = 5;     // box-wave and spiral cells across the shorter side
constexpr double kBoxTime = 0.5;  // how long one box takes to grow, of the whole
constexpr uint32_t kPieceSeed = 0x7A11;
constexpr uint32_t kTileSeed = 0x0D15;

// One piece of a tiling: a box, a quadrilateral (a triangle repeats a corner) or, when
// `outer` is set, a ring round the centre.
struct Piece {
  gui::Rect box;
  std::array<PointF, 4> corners{};
  double inner = 0;
  double outer = 0;
};

Piece Box(int left, int top, int right, int bottom) {
  return {{left, top, right, bottom}};
}

std::vector<Piece> Tile(Tiling tiling, int w, int h) {
  std::vector<Piece> pieces;
  const double cell = std::max(4, std::min(w, h) / kCellsAcross);
  switch (tiling) {
    case Tiling::Squares:
      for (int top = 0; top < h; top += kSquareSize) {
        for (int left = 0; left < w; left += kSquareSize) {
          pieces.push_back(Box(left, top, left + kSquareSize, top + kSquareSize));
        }
      }
      break;
    case Tiling::Rows:
      for (int top = 0; top < h; top += kBarSize) pieces.push_back(Box(0, top, w, top + kBarSize));
      break;
    case Tiling::Columns:
      for (int left = 0; left < w; left += kBarSize) {
        pieces.push_back(Box(left, 0, left + kBarSize, h));
      }
      break;
    case Tiling::Bricks:
      for (int top = 0; top < h; top += kBrickHeight) {
        for (int left = 0; left < w;) {
          const int width = kBrickMin + int(RandomUnit(kPieceSeed, uint32_t(pieces.size())) *
                                            (kBrickMax - kBrickMin));
          pieces.push_back(Box(left, top, left + width, top + kBrickHeight));
          left += width;
        }
      }
      break;
    case Tiling::Triangles:
      for (int row = 0; row * cell < h; ++row) {
        for (int column = 0; column * cell < w; ++column) {
          const PointF a{column * cell, row * cell};
          const PointF b{a.x + cell, a.y};
          const PointF c{a.x + cell, a.y + cell};
          const PointF d{a.x, a.y + cell};
          // Neighbouring squares are halved along opposite diagonals.
          if ((row + column) % 2) {
            pieces.push_back({{}, {a, b, c, c}});
            pieces.push_back({{}, {a, c, d, d}});
          } else {
            pieces.push_back({{}, {a, b, d, d}});
            pieces.push_back({{}, {b, c, d, d}});
          }
        }
      }
      break;
    case Tiling::Rings: {
      const double reach = std::hypot(w / 2.0, h / 2.0) + 1;
      for (double inner = 0; inner < reach; inner += kRingWidth) {
        pieces.push_back({{}, {}, inner, inner + kRingWidth});
      }
      break;
    }
    case Tiling::Diamonds: {
      // Two lattices of diamonds, one shifted by half a step both ways, tile the plane.
      const double half = cell / 2;
      for (int row = 0; (row - 1) * cell < h; ++row) {
        for (int column = 0; (column - 1) * cell < w; ++column) {
          for (const double shift : {0.0, half}) {
            const double x = column * cell + shift;
            const double y = row * cell + shift;
            pieces.push_back({{},
                              {PointF{x - half, y}, PointF{x, y - half}, PointF{x + half, y},
                               PointF{x, y + half}}});
          }
        }
      }
      break;
    }
  }
  return pieces;
}

// The cells of a grid of about kWaveCells across the shorter side.
struct Grid {
  int size = 1;
  int columns = 1;
  int rows = 1;
  Grid(int w, int h)
      : size(std::max(1, std::min(w, h) / kWaveCells)),
        columns((w + size - 1) / size),
        rows((h + size - 1) / size) {}
  gui::Rect Cell(int column, int row) const {
    return gui::Rect::XYWH(column * size, row * size, size, size);
  }
};

// How far a cell is from where the wave starts, from 0 to 1.
double WaveDistance(const BoxWave& style, const Grid& grid, int column, int row) {
  const auto along = [](Edge edge, int i, int count) {
    const double last = std::max(1, count - 1);
    return edge == Edge::Start ? i / last : edge == Edge::End ? (count - 1 - i) / last : 0.0;
  };
  if (style.across == Edge::Middle && style.down == Edge::Middle) {
    const double cx = (grid.columns - 1) / 2.0;
    const double cy = (grid.rows - 1) / 2.0;
    return (std::abs(column - cx) + std::abs(row - cy)) / std::max(1.0, cx + cy);
  }
  return std::max(along(style.across, column, grid.columns), along(style.down, row, grid.rows));
}

// The place of a cell along a clockwise spiral that starts at the top left corner and
// winds in ring by ring.
int SpiralIndex(const Grid& grid, int column, int row) {
  const int ring = std::min({column, row, grid.columns - 1 - column, grid.rows - 1 - row});
  const int width = grid.columns - 2 * ring;
  const int height = grid.rows - 2 * ring;
  const int before = grid.columns * grid.rows - width * height;
  const int c = column - ring;
  const int r = row - ring;
  if (r == 0) return before + c;
  if (c == width - 1) return before + width - 1 + r;
  if (r == height - 1) return before + 2 * (width - 1) + height - 1 - c;
  return before + 2 * (width - 1) + (height - 1) + (height - 1 - r);
}

// A 64 x 64 tile of the ranks 0 to 4095 in a fixed random order; every tile of the
// picture turns the ranks by an amount of its own, so no repeat shows.
constexpr int kTileBits = 6;
constexpr int kTileSize = 1 << kTileBits;
constexpr int kRanks = kTileSize * kTileSize;
constexpr auto kRankTile = Shuffled<uint16_t, kRanks>(kTileSeed);

using U16x8 = uint16_t __attribute__((vector_size(16)));
using I16x8 = int16_t __attribute__((vector_size(16)));
using I32x8 = int32_t __attribute__((vector_size(32)));
using U32x8 = uint32_t __attribute__((vector_size(32)));

uint32_t TileTurn(int tileX, int tileY) {
  return Scramble(uint32_t(tileX) * 7919u + uint32_t(tileY) * 104729u) % kRanks;
}

// Each block of the screen takes the colour of the source's pixel at the block's centre.
// The source may be the screen itself: a centre lies inside its own block and blocks do
// not overlap, so every centre is read before anything is written over it.
void PixelateFrom(gui::Bitmap& screen, const gui::Bitmap& source, int w, int h, int block) {
  for (int top = 0; top < h; top += block) {
    const int bottom = std::min(top + block, h);
    const int cy = std::min(top + block / 2, h - 1);
    for (int left = 0; left < w; left += block) {
      const int right = std::min(left + block, w);
      const uint32_t colour = Pixels(source, cy)[std::min(left + block / 2, w - 1)];
      for (int row = top; row < bottom; ++row)
        std::fill(Pixels(screen, row) + left, Pixels(screen, row) + right, colour);
    }
  }
}

}  // namespace

void Compose(const TransitionFrame& f, const RandomPieces& style) {
  const std::vector<Piece> pieces = Tile(style.tiling, f.w, f.h);
  const std::vector<uint8_t> shown = PiecesShown(int(pieces.size()), f.progress, kPieceSeed);
  // Boxes do not overlap and are copied straight; other shapes go through a mask, made
  // only once one of them shows.
  std::optional<RevealMask> mask;
  for (size_t i = 0; i < pieces.size(); ++i) {
    if (!shown[i]) continue;
    const Piece& piece = pieces[i];
    if (!piece.box.Empty()) {
      CopyNew(f.screen, f.image, piece.box);
      continue;
    }
    if (!mask) mask.emplace(f.w, f.h);
    if (piece.outer > 0) {
      mask->AddRing({f.w / 2.0, f.h / 2.0}, piece.inner, piece.outer);
    } else {
      mask->AddPolygon(piece.corners);
    }
  }
  if (mask) mask->CopyNewInside(f);
}

void Compose(const TransitionFrame& f, const BoxWave& style) {
  const Grid grid(f.w, f.h);
  for (int row = 0; row < grid.rows; ++row) {
    for (int column = 0; column < grid.columns; ++column) {
      const double start = (1 - kBoxTime) * WaveDistance(style, grid, column, row);
      const double phase = Phase(f.progress, start, start + kBoxTime);
      const gui::Rect cell = grid.Cell(column, row);
      const int bw = Part(cell.Width(), phase);
      const int bh = Part(cell.Height(), phase);
      const gui::Rect box = gui::Rect::XYWH(cell.left + (cell.Width() - bw) / 2,
                                            cell.top + (cell.Height() - bh) / 2, bw, bh);
      CopyNew(f.screen, f.image, box);
    }
  }
}

void Compose(const TransitionFrame& f, const Spiral&) {
  const Grid grid(f.w, f.h);
  const int shown = MulDiv(grid.columns * grid.rows, f.progress, 100);
  for (int row = 0; row < grid.rows; ++row) {
    for (int column = 0; column < grid.columns; ++column) {
      if (SpiralIndex(grid, column, row) < shown)
        CopyNew(f.screen, f.image, grid.Cell(column, row));
    }
  }
}

void Compose(const TransitionFrame& f, const Speckle& style) {
  // A pixel shows once its rank, plus its distance from the edge it comes from (both on
  // the scale of the tile's ranks), falls below twice the share of ranks shown. Keys stay
  // below 8192, so eight of them fit the lanes of one 16-bit vector.
  const bool biased = style.across != Edge::None || style.down != Edge::None;
  const int limit = MulDiv(kRanks, f.progress, 100) * (biased ? 2 : 1);
  const auto distance = [](Edge edge, int i, int n) {
    return edge == Edge::Start ? i * kRanks / n : edge == Edge::End ? (n - 1 - i) * kRanks / n : 0;
  };
  std::vector<uint16_t> bias(size_t(f.w));
  for (int x = 0; x < f.w; ++x) bias[size_t(x)] = uint16_t(distance(style.across, x, f.w));
  for (int y = 0; y < f.h; ++y) {
    uint32_t* s = Pixels(f.screen, y);
    const uint32_t* n = Pixels(f.image, y);
    const uint16_t* ranks = kRankTile.data() + (y % kTileSize) * kTileSize;
    const auto rowLimit = int16_t(limit - distance(style.down, y, f.h));
    for (int left = 0; left < f.w; left += kTileSize) {
      const auto turn = uint16_t(TileTurn(left >> kTileBits, y >> kTileBits));
      const int right = std::min(f.w, left + kTileSize);
      int x = left;
      for (; x + 8 <= right; x += 8) {
        U16x8 rank;
        U16x8 away;
        std::memcpy(&rank, ranks + (x - left), sizeof rank);
        std::memcpy(&away, bias.data() + x, sizeof away);
        const I16x8 key = I16x8(((rank + turn) & (kRanks - 1)) + away);
        const auto pick = U32x8(__builtin_convertvector(key < rowLimit, I32x8));
        U32x8 old;
        U32x8 now;
        std::memcpy(&old, s + x, sizeof old);
        std::memcpy(&now, n + x, sizeof now);
        old = (now & pick) | (old & ~pick);
        std::memcpy(s + x, &old, sizeof old);
      }
      for (; x < right; ++x) {
        if (((ranks[x - left] + turn) & (kRanks - 1)) + bias[size_t(x)] < rowLimit) s[x] = n[x];
      }
    }
  }
}

void Compose(const TransitionFrame& f, const Pixelate&) {
  const int largest = std::max(2, std::min(f.w, f.h) / 8);
  const bool showNew = f.progress > 50;
  const int block = 1 + MulDiv(largest - 1, showNew ? 100 - f.progress : f.progress, 50);
  if (block > 1) {
    PixelateFrom(f.screen, showNew ? f.image : f.screen, f.w, f.h, block);
  } else if (showNew) {
    CopyNew(f.screen, f.image, {0, 0, f.w, f.h});
  }
}

}  // namespace controls::transitions
