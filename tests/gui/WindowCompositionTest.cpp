// Composing a window's control tree into its bitmap, dirty rectangles, presenting,
// capturing, and the window's placement.
#include <gtest/gtest.h>

#include "tests/gui/GuiTestSupport.h"

namespace gui::testing {
namespace {

TEST(WindowComposition, ChildrenPaintOverParentsClippedToTheirParent) {
  HeadlessApp h;
  ColorBox panel(&h.window, Rect::XYWH(10, 10, 50, 50), 0x0000FF);
  ColorBox child(&panel, Rect::XYWH(40, 40, 30, 30), 0x00FF00);  // sticks out of the panel
  h.Pump();
  const Bitmap& s = h.window.Surface();
  EXPECT_EQ(s.Pixel(5, 5), 0x000000u);    // window background
  EXPECT_EQ(s.Pixel(20, 20), 0x0000FFu);  // panel
  EXPECT_EQ(s.Pixel(55, 55), 0x00FF00u);  // child, inside the panel
  EXPECT_EQ(s.Pixel(65, 65), 0x000000u);  // child, outside the panel: clipped
  EXPECT_EQ(h.Native().Pixel(55, 55), 0x00FF00u);
  EXPECT_EQ(child.lastClip, Rect::XYWH(0, 0, 10, 10));
}

TEST(WindowComposition, InvalidateOnlyMarksAndTheLoopPaintsAndPresentsTheDirtyPart) {
  HeadlessApp h;
  ColorBox box(&h.window, Rect::XYWH(20, 30, 40, 10), 0x0000FF);
  h.Pump();
  const int presents = h.Native().PresentCount();
  const int paints = box.paints;

  box.SetColor(0x00FF00);
  EXPECT_EQ(box.paints, paints);
  EXPECT_EQ(h.window.Surface().Pixel(25, 35), 0x0000FFu);
  EXPECT_TRUE(h.window.NeedsPaint());

  h.Pump();
  EXPECT_EQ(box.paints, paints + 1);
  EXPECT_EQ(h.Native().PresentCount(), presents + 1);
  ASSERT_EQ(h.Native().LastPresented().size(), 1u);
  EXPECT_EQ(h.Native().LastPresented()[0], (platform::Rect{20, 30, 60, 40}));
  EXPECT_EQ(h.Native().Pixel(25, 35), 0x00FF00u);
}

TEST(WindowComposition, RepaintPaintsAndPresentsAtOnce) {
  HeadlessApp h;
  ColorBox box(&h.window, Rect::XYWH(0, 0, 10, 10), 0x0000FF);
  h.Pump();
  box.SetColor(0xFFFFFF);
  box.Repaint();
  EXPECT_FALSE(h.window.NeedsPaint());
  EXPECT_EQ(h.Native().Pixel(5, 5), 0xFFFFFFu);
}

TEST(WindowComposition, SeparateChangesPresentSeparateRectangles) {
  HeadlessApp h;
  ColorBox a(&h.window, Rect::XYWH(0, 0, 10, 10), 0x0000FF);
  ColorBox b(&h.window, Rect::XYWH(100, 100, 10, 10), 0x0000FF);
  h.Pump();
  a.Invalidate();
  b.Invalidate();
  a.Invalidate(Rect::XYWH(2, 2, 3, 3));  // already covered
  h.Pump();
  EXPECT_EQ(h.Native().LastPresented(),
            (std::vector<platform::Rect>{{0, 0, 10, 10}, {100, 100, 110, 110}}));
}

TEST(WindowComposition, AnOpaqueChildSparesWhatLiesUnderIt) {
  HeadlessApp h;
  ColorBox panel(&h.window, Rect::XYWH(0, 0, 100, 100), 0x0000FF);
  ColorBox gauge(&panel, Rect::XYWH(10, 10, 50, 50), 0x00FF00);
  ColorBox label(&panel, Rect::XYWH(70, 10, 20, 20), 0xFF0000);
  gauge.SetOpaque(true);
  h.Pump();
  const int panelPaints = panel.paints;
  gauge.Repaint();
  EXPECT_EQ(panel.paints, panelPaints);
  label.Repaint();  // not opaque: the panel paints under it
  EXPECT_EQ(panel.paints, panelPaints + 1);
  EXPECT_EQ(h.window.Surface().Pixel(75, 15), 0xFF0000u);
}

TEST(WindowComposition, MovingAndHidingRepaintTheUncoveredArea) {
  HeadlessApp h;
  ColorBox box(&h.window, Rect::XYWH(0, 0, 10, 10), 0x0000FF);
  h.Pump();
  box.SetBounds(Rect::XYWH(50, 50, 10, 10));
  h.Pump();
  EXPECT_EQ(h.Native().Pixel(5, 5), 0x000000u);
  EXPECT_EQ(h.Native().Pixel(55, 55), 0x0000FFu);
  box.Hide();
  h.Pump();
  EXPECT_EQ(h.Native().Pixel(55, 55), 0x000000u);
}

TEST(WindowComposition, CaptureCopiesTheComposedPixelsUpToDate) {
  HeadlessApp h{200, 150};
  ColorBox box(&h.window, Rect::XYWH(10, 10, 20, 20), 0x0000FF);
  h.Pump();
  box.SetColor(0x00FF00);  // not painted yet: the capture brings it up to date
  const Bitmap shot = h.window.CaptureArea(Rect::XYWH(190, 5, 20, 10));
  EXPECT_EQ(shot.Width(), 20);
  EXPECT_EQ(shot.Height(), 10);
  EXPECT_EQ(shot.PixelFormat(), Bitmap::Format::Bgra32);
  EXPECT_EQ(shot.Pixel(15, 5), 0u);  // beyond the window's right edge
  const Bitmap inner = h.window.CaptureArea(Rect::XYWH(5, 5, 10, 10));
  EXPECT_EQ(inner.Pixel(0, 0), 0x000000u);
  EXPECT_EQ(inner.Pixel(5, 5), 0x00FF00u);
}

TEST(WindowComposition, AHiddenWindowComposesButDoesNotPresent) {
  platform::HeadlessBackend backend;
  Application app(backend);
  Window window;
  window.SetBounds(0, 0, 40, 40);
  ColorBox box(&window, Rect::XYWH(0, 0, 40, 40), 0x0000FF);
  app.ProcessMessages();
  auto& native = static_cast<platform::HeadlessWindow&>(window.Native());
  EXPECT_EQ(native.PresentCount(), 0);
  EXPECT_EQ(window.CaptureArea(Rect::XYWH(0, 0, 40, 40)).Pixel(1, 1), 0x0000FFu);
  window.Show();
  EXPECT_TRUE(native.Visible());
  EXPECT_EQ(native.Pixel(1, 1), 0x0000FFu);
}

TEST(WindowPlacement, CentredOnTheWorkAreaWithItsStyle) {
  platform::HeadlessBackend backend(platform::Rect{0, 0, 1280, 1000});
  Application app(backend);
  Window window;
  window.SetBounds(0, 0, 670, 611);
  window.Center();
  window.SetTopmost(true);
  window.SetCaption("Tachora");
  auto& native = static_cast<platform::HeadlessWindow&>(window.Native());
  EXPECT_EQ(window.Left(), 305);
  EXPECT_EQ(window.Top(), 194);
  EXPECT_EQ(native.X(), 305);
  EXPECT_EQ(native.Width(), 670);
  EXPECT_TRUE(native.Topmost());
  EXPECT_TRUE(native.Borderless());
  EXPECT_EQ(native.Title(), "Tachora");
  window.SetBorderless(false);
  EXPECT_FALSE(static_cast<platform::HeadlessWindow&>(window.Native()).Borderless());
}

TEST(WindowPlacement, AWindowWithoutCaptionCarriesTheApplicationTitle) {
  platform::HeadlessBackend backend;
  Application app(backend);
  app.SetTitle("Tachora");
  Window window;
  EXPECT_EQ(static_cast<platform::HeadlessWindow&>(window.Native()).Title(), "Tachora");
}

}  // namespace
}  // namespace gui::testing
