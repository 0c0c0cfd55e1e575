// Mouse input through the headless backend: which control gets a click, enter and
// leave, the cursor, and dragging a window by its handle.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/gui/GuiTestSupport.h"

namespace gui::testing {
namespace {

class ControlInput : public ::testing::Test {
 protected:
  HeadlessApp h;
  std::vector<std::string> log;

  void Watch(Control& c, const std::string& name) {
    c.OnClick = [this, name](Control&) { log.push_back(name + ".click"); };
    c.OnMouseEnter = [this, name](Control&) { log.push_back(name + ".enter"); };
    c.OnMouseLeave = [this, name](Control&) { log.push_back(name + ".leave"); };
    c.OnMouseDown = [this, name](Control&, MouseButton, Point p) {
      log.push_back(name + ".down " + std::to_string(p.x) + "," + std::to_string(p.y));
    };
    c.OnMouseUp = [this, name](Control&, MouseButton, Point p) {
      log.push_back(name + ".up " + std::to_string(p.x) + "," + std::to_string(p.y));
    };
  }
};

TEST_F(ControlInput, ClickGoesToTheTopmostVisibleControlInItsOwnCoordinates) {
  ColorBox panel(&h.window, Rect::XYWH(10, 10, 100, 100), 0x111111);
  ColorBox under(&panel, Rect::XYWH(10, 10, 50, 50), 0x222222);
  ColorBox over(&panel, Rect::XYWH(30, 30, 50, 50), 0x333333);
  Watch(panel, "panel");
  Watch(under, "under");
  Watch(over, "over");

  h.ClickAt(45, 45);  // inside both children: the later one is on top
  h.Pump();
  EXPECT_EQ(log,
            (std::vector<std::string>{"over.enter", "over.down 5,5", "over.click", "over.up 5,5"}));

  log.clear();
  over.Hide();
  h.ClickAt(45, 45);
  h.Pump();
  EXPECT_EQ(log, (std::vector<std::string>{"over.leave", "under.enter", "under.down 25,25",
                                           "under.click", "under.up 25,25"}));

  log.clear();
  h.ClickAt(100, 100);  // the panel's own area
  h.Pump();
  EXPECT_EQ(log, (std::vector<std::string>{"under.leave", "panel.enter", "panel.down 90,90",
                                           "panel.click", "panel.up 90,90"}));
}

TEST_F(ControlInput, ReleaseOutsideThePressedControlIsNoClickButStillReachesIt) {
  ColorBox a(&h.window, Rect::XYWH(0, 0, 50, 50), 0x111111);
  ColorBox b(&h.window, Rect::XYWH(60, 0, 50, 50), 0x222222);
  Watch(a, "a");
  Watch(b, "b");
  h.MoveTo(10, 10);
  h.backend.PressMouse();
  h.MoveTo(70, 10);
  h.backend.ReleaseMouse();
  h.Pump();
  EXPECT_EQ(log, (std::vector<std::string>{"a.enter", "a.down 10,10", "a.leave", "b.enter",
                                           "a.up 70,10"}));
}

TEST_F(ControlInput, DisabledControlsTakeNoInput) {
  ColorBox a(&h.window, Rect::XYWH(0, 0, 50, 50), 0x111111);
  Watch(a, "a");
  a.SetEnabled(false);
  h.ClickAt(10, 10);
  h.Pump();
  EXPECT_EQ(log, (std::vector<std::string>{"a.enter"}));
}

TEST_F(ControlInput, EnterAndLeaveFollowThePointerAcrossControlsAndOutOfTheWindow) {
  ColorBox panel(&h.window, Rect::XYWH(0, 0, 100, 100), 0x111111);
  ColorBox child(&panel, Rect::XYWH(20, 20, 30, 30), 0x222222);
  Watch(panel, "panel");
  Watch(child, "child");
  h.MoveTo(5, 5);
  h.MoveTo(25, 25);
  h.MoveTo(26, 26);  // no change
  h.MoveTo(5, 5);
  h.backend.MoveMouse(0, 0);  // off the window
  h.Pump();
  EXPECT_EQ(log, (std::vector<std::string>{"panel.enter", "panel.leave", "child.enter",
                                           "child.leave", "panel.enter", "panel.leave"}));
  EXPECT_FALSE(panel.MouseInside());
}

// A click whose handler pumps messages (opening the browser, a page's animation loop)
// while the pointer leaves the window: the leave stands, the release's old position does
// not put the hover back.
TEST_F(ControlInput, APointerThatLeftDuringAClickStaysOut) {
  ColorBox button(&h.window, Rect::XYWH(0, 0, 50, 50), 0x111111);
  Watch(button, "button");
  button.OnClick = [this](Control&) {
    log.push_back("button.click");
    h.backend.MoveMouse(0, 0);  // off the window
    h.Pump();
  };
  h.ClickAt(10, 10);
  h.Pump();
  EXPECT_EQ(log, (std::vector<std::string>{"button.enter", "button.down 10,10", "button.click",
                                           "button.leave", "button.up 10,10"}));
  EXPECT_FALSE(button.MouseInside());
  h.MoveTo(20, 20);  // back in: hovered again
  h.Pump();
  EXPECT_TRUE(button.MouseInside());
}

// A program busy while the button went up and the pointer left sees the system's leave
// before the release (the leave is found when it looks): the pointer stays out.
TEST_F(ControlInput, AReleaseQueuedAfterTheLeaveLeavesTheHoverOut) {
  ColorBox button(&h.window, Rect::XYWH(0, 0, 50, 50), 0x111111);
  Watch(button, "button");
  h.MoveTo(10, 10);
  h.backend.PressMouse();
  h.Pump();
  // As the system hands them over, the leave first.
  const uint32_t id = h.window.Native().Id();
  h.backend.Inject({.type = platform::Event::Type::MouseLeave, .window = id});
  h.backend.Inject({.type = platform::Event::Type::MouseUp,
                    .window = id,
                    .x = 10,
                    .y = 10,
                    .button = MouseButton::Left});
  h.Pump();
  EXPECT_EQ(log, (std::vector<std::string>{"button.enter", "button.down 10,10", "button.leave",
                                           "button.click", "button.up 10,10"}));
  EXPECT_FALSE(button.MouseInside());
}

TEST_F(ControlInput, HidingOrDestroyingTheControlUnderThePointerLeavesIt) {
  auto link = std::make_unique<ColorBox>(&h.window, Rect::XYWH(0, 0, 50, 50), 0x111111);
  Watch(*link, "link");
  h.MoveTo(10, 10);
  h.Pump();
  EXPECT_TRUE(link->MouseInside());
  link->Hide();
  EXPECT_EQ(log.back(), "link.leave");
  link->Show();
  h.MoveTo(11, 11);
  h.Pump();
  EXPECT_TRUE(link->MouseInside());
  link.reset();
  h.MoveTo(12, 12);
  h.Pump();  // must not touch the destroyed control
  EXPECT_EQ(h.window.Children().size(), 0u);
}

TEST_F(ControlInput, TheHandCursorShowsOverControlsThatAskForIt) {
  ColorBox link(&h.window, Rect::XYWH(0, 0, 50, 20), 0x111111);
  ColorBox plain(&h.window, Rect::XYWH(0, 30, 50, 20), 0x222222);
  link.SetCursor(Cursor::Hand);
  h.MoveTo(10, 10);
  h.Pump();
  EXPECT_EQ(h.Native().CurrentCursor(), Cursor::Hand);
  h.MoveTo(10, 40);
  h.Pump();
  EXPECT_EQ(h.Native().CurrentCursor(), Cursor::Arrow);
  plain.SetCursor(Cursor::Hand);  // under the pointer: takes effect at once
  EXPECT_EQ(h.Native().CurrentCursor(), Cursor::Hand);
  h.backend.MoveMouse(0, 0);
  h.Pump();
  EXPECT_EQ(h.Native().CurrentCursor(), Cursor::Arrow);
}

TEST_F(ControlInput, DraggingTheHandleMovesTheWindowAndIsNoClick) {
  ColorBox caption(&h.window, Rect::XYWH(0, 0, 200, 20), 0x111111);
  ColorBox body(&h.window, Rect::XYWH(0, 20, 200, 130), 0x222222);
  caption.SetDragHandle(true);
  Watch(caption, "caption");
  h.MoveTo(50, 10);
  h.backend.PressMouse();
  h.backend.MoveMouse(h.window.Left() + 50 + 30, h.window.Top() + 10 - 20);
  h.backend.MoveMouse(150 + 70, 60 + 5);
  h.backend.ReleaseMouse();
  h.Pump();
  EXPECT_EQ(h.window.Left(), 100 + 70);
  EXPECT_EQ(h.window.Top(), 50 + 5);
  EXPECT_EQ(h.Native().X(), 170);
  EXPECT_EQ(log, (std::vector<std::string>{"caption.enter"}));

  // A press anywhere else does not move the window.
  h.MoveTo(50, 100);
  h.backend.PressMouse();
  h.backend.MoveMouse(0, 0);
  h.backend.ReleaseMouse();
  h.Pump();
  EXPECT_EQ(h.window.Left(), 170);
  EXPECT_EQ(h.window.Top(), 55);
}

TEST_F(ControlInput, AHiddenOrDisabledHandleDoesNotDrag) {
  ColorBox caption(&h.window, Rect::XYWH(0, 0, 200, 20), 0x111111);
  caption.SetDragHandle(true);
  caption.SetEnabled(false);
  h.MoveTo(50, 10);
  h.backend.PressMouse();
  h.backend.MoveMouse(0, 0);
  h.backend.ReleaseMouse();
  h.Pump();
  EXPECT_EQ(h.window.Left(), 100);
}

TEST_F(ControlInput, KeysReachTheWindow) {
  std::vector<int> keys;
  h.window.OnKeyDown = [&](Window&, int key, uint8_t) { keys.push_back(key); };
  h.window.OnKeyUp = [&](Window&, int key, uint8_t) { keys.push_back(-key); };
  h.backend.TypeKey('T');
  h.backend.TypeKey(platform::keys::kEscape);
  h.Pump();
  EXPECT_EQ(keys, (std::vector<int>{'T', -'T', 0x1B, -0x1B}));
}

}  // namespace
}  // namespace gui::testing
