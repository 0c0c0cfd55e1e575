// Writing PNG files and reading them back.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "gui/ImageCodec.h"
#include "gui/PngWriter.h"

namespace gui {
namespace {

TEST(PngWriter, WritesAFileThatDecodesToTheSamePixels) {
  Bitmap b(9, 4, Bitmap::Format::Bgr24);
  for (int y = 0; y < 4; ++y) {
    for (int x = 0; x < 9; ++x) b.SetPixel(x, y, Rgb(uint8_t(x * 20), uint8_t(y * 50), 9));
  }
  const std::string path =
      (std::filesystem::temp_directory_path() / "tachora-png-writer-test.png").string();
  ASSERT_TRUE(WritePng(b, path));
  std::ifstream file(path, std::ios::binary);
  const std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(file), {}};
  std::filesystem::remove(path);
  auto decoded = DecodePng(bytes);
  ASSERT_TRUE(decoded);
  for (int y = 0; y < 4; ++y) {
    for (int x = 0; x < 9; ++x) EXPECT_EQ(decoded->bitmap.Pixel(x, y), b.Pixel(x, y));
  }
}

TEST(PngWriter, RefusesEmptyBitmapsAndUnwritablePaths) {
  EXPECT_TRUE(EncodePng(Bitmap()).empty());
  EXPECT_FALSE(WritePng(Bitmap(2, 2), "/nonexistent-folder/x.png"));
}

}  // namespace
}  // namespace gui
