// The 32-bit bitmaps the program draws into on Windows: top-down rows, as our frames and
// glyph masks are, that GDI can also draw on.
#pragma once

#include <windows.h>

namespace platform {

// A width x height DIB section with its rows at *bits, or null when the system has no room.
inline HBITMAP CreateTopDownDib(int width, int height, void** bits) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // negative: the first row is the top one
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  return ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, bits, nullptr, 0);
}

}  // namespace platform
