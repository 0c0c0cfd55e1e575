// Labels: auto-size for single and wrapped lines, alignment, filled and transparent
// backgrounds, and the link cursor.
#include <gtest/gtest.h>

#include "tests/gui/GuiTestSupport.h"
#include "widgets/Label.h"
#include "widgets/Panel.h"

namespace widgets::testing {
namespace {

using gui::testing::HeadlessApp;

constexpr char kExplanation[] =
    "The map displays the top online CPU scores. Click the link below to view your CPU "
    "score online. ";

gui::Font Tahoma12() {
  return {"Tahoma", 12, 0x00C0C0C0};
}

TEST(LabelSize, SingleLineAutoSizeFitsTheText) {
  HeadlessApp h;
  Label label(&h.window, "Rank");
  label.SetFont(Tahoma12());
  const int width = label.TextWidth();
  EXPECT_GT(width, 10);
  EXPECT_EQ(label.Width(), width);
  EXPECT_EQ(label.Height(), label.TextHeight(width));

  label.SetCaption("Rank Rank");
  EXPECT_GT(label.Width(), width);
}

TEST(LabelSize, WrappedAutoSizeKeepsTheWidthAndGrowsInWholeLines) {
  HeadlessApp h;
  Label label(&h.window);
  label.SetFont(Tahoma12());
  label.SetWordWrap(true);
  label.SetBounds(10, 22, 233, 10);
  const int line = label.TextHeight(10000);  // everything on one line
  label.SetCaption(kExplanation);
  EXPECT_EQ(label.Width(), 233);
  EXPECT_GT(label.Height(), line);
  EXPECT_EQ(label.Height() % line, 0);

  // Narrower means more lines; wider fewer.
  const int at233 = label.Height();
  label.SetWidth(120);
  EXPECT_GT(label.Height(), at233);
  label.SetWidth(2000);
  EXPECT_EQ(label.Height(), line);
}

TEST(LabelSize, FixedSizeIsKeptWithoutAutoSize) {
  HeadlessApp h;
  Label label(&h.window);
  label.SetAutoSize(false);
  label.SetBounds(33, 161, 72, 24);
  label.SetCaption("a caption far longer than seventy-two pixels");
  EXPECT_EQ(label.BoundsRect(), gui::Rect::XYWH(33, 161, 72, 24));
}

TEST(LabelSize, RightAlignedAutoSizeKeepsItsRightEdge) {
  HeadlessApp h;
  Label label(&h.window, "1");
  label.SetAlignment(gui::TextAlign::Right);
  label.SetLeft(100);
  const int right = label.BoundsRect().right;
  label.SetCaption("1000");
  EXPECT_EQ(label.BoundsRect().right, right);
  EXPECT_LT(label.Left(), 100);
}

TEST(LabelPaint, FilledLabelPaintsItsColourTransparentOneLetsThePanelShow) {
  HeadlessApp h;
  Panel panel(&h.window);
  panel.SetBounds(0, 0, 200, 100);
  panel.SetColor(0x002A2D2B);
  Label filled(&panel, "W");
  filled.SetBounds(10, 10, 0, 0);
  filled.SetTransparent(false);
  filled.SetColor(0x00898989);
  Label clear(&panel, "W");
  clear.SetBounds(100, 10, 0, 0);
  EXPECT_EQ(h.Pixel(10, 10), 0x00898989u);
  EXPECT_EQ(h.Pixel(100, 10), 0x002A2D2Bu);
}

TEST(LabelPaint, TextUsesTheFontColourAndUnderlineDrawsALine) {
  HeadlessApp h;
  Label label(&h.window, "Click Here");
  label.SetFont({"Tahoma", 12, 0x00FF4242, false, true});
  label.SetTop(20);
  h.Pump();
  int lit = 0;
  int fullRows = 0;
  for (int y = label.Top(); y < label.BoundsRect().bottom; ++y) {
    int inRow = 0;
    for (int x = label.Left(); x < label.BoundsRect().right; ++x) {
      if (h.Native().Pixel(x, y) == 0x00FF4242u) ++inRow;
    }
    lit += inRow;
    if (inRow >= label.Width() - 1) ++fullRows;
  }
  EXPECT_GT(lit, 30);
  EXPECT_GE(fullRows, 1);  // the underline runs under the whole caption
}

TEST(LabelLink, HandCursorWhileOverALinkArrowAfterLeaving) {
  HeadlessApp h;
  Label link(&h.window, "Visit the Tachora Website");
  link.SetBounds(20, 20, 0, 0);
  link.SetLink(true);
  Label plain(&h.window, "Secure Software");
  plain.SetBounds(20, 60, 0, 0);
  int clicks = 0;
  link.OnClick = [&](gui::Control&) { ++clicks; };

  h.MoveTo(25, 25);
  EXPECT_EQ(h.CurrentCursor(), platform::Cursor::Hand);
  h.MoveTo(25, 65);
  EXPECT_EQ(h.CurrentCursor(), platform::Cursor::Arrow);
  h.MoveTo(300, 200);
  EXPECT_EQ(h.CurrentCursor(), platform::Cursor::Arrow);

  h.ClickAt(25, 25);
  EXPECT_EQ(clicks, 1);
  link.SetLink(false);
  EXPECT_EQ(h.CurrentCursor(), platform::Cursor::Arrow);  // changes under the pointer too
}

}  // namespace
}  // namespace widgets::testing
