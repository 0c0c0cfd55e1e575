// Glyph masks from the rows a rasterizer hands out, shared by the FreeType and the GDI
// font libraries: 1-bit rows (most significant bit first) or grey levels, one byte each.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace platform {

enum class RowFormat : uint8_t { Mono, Gray };

// width * height coverage bytes, top row first, from rows pitch bytes apart (negative
// for bottom-up). Grey rows have levels levels (0 .. levels - 1); without anti-aliasing
// they are cut at half coverage.
std::vector<uint8_t> CoverageFromRows(const uint8_t* rows, ptrdiff_t pitch, int width, int height,
                                      RowFormat format, int levels, bool antialias);

}  // namespace platform
