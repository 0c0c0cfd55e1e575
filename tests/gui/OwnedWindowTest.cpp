// Owned and modal windows: an owned window stays above its owner, a modal loop disables
// the other windows and a press on a disabled owner brings the dialog back to the front,
// a modal window opened over another (even a topmost one) goes above it and takes the
// input, the focus goes back afterwards, and a close asked for during a close is the same.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/gui/GuiTestSupport.h"

namespace gui::testing {
namespace {

using platform::HeadlessWindow;

class OwnedWindowTest : public ::testing::Test {
 protected:
  OwnedWindowTest() {
    main.SetBounds(0, 0, 400, 300);
    main.Show();
    dialog.SetBounds(100, 100, 100, 80);
    app.ProcessMessages();
  }

  HeadlessWindow& Native(Window& window) { return static_cast<HeadlessWindow&>(window.Native()); }
  // The window at the front of the stack.
  uint32_t FrontId() const { return backend.Windows().back()->Id(); }
  // Runs action from inside a modal loop, as a click would come.
  void Inside(std::function<void()> action) { app.Post(std::move(action)); }

  platform::HeadlessBackend backend;
  Application app{backend};
  Window main;
  Window dialog{&main};
  std::vector<std::string> log;
};

TEST_F(OwnedWindowTest, AnOwnedWindowStaysAboveItsOwner) {
  EXPECT_EQ(dialog.Owner(), &main);
  EXPECT_EQ(Native(dialog).Owner(), &Native(main));
  dialog.Show();
  EXPECT_EQ(FrontId(), dialog.Native().Id());
  // A press on the owner (enabled: no modal loop runs) raises it, its dialog with it.
  backend.Click(10, 10);
  EXPECT_TRUE(Native(main).Focused());
  EXPECT_EQ(FrontId(), dialog.Native().Id());
  main.Native().Raise();
  EXPECT_EQ(FrontId(), dialog.Native().Id());
  EXPECT_EQ(backend.WindowAt(150, 120)->Id(), dialog.Native().Id());
}

TEST_F(OwnedWindowTest, AWindowOwnedByATopmostWindowStaysInTheTopmostLayer) {
  Window other;
  other.SetBounds(0, 0, 500, 500);
  main.SetTopmost(true);
  dialog.Show();
  other.Show();
  EXPECT_EQ(FrontId(), dialog.Native().Id());
  EXPECT_EQ(backend.Windows().front()->Id(), other.Native().Id());
}

TEST_F(OwnedWindowTest, WhileAModalWindowRunsItsOwnerTakesNoInputAndAPressRaisesTheDialog) {
  ColorBox button(&main, Rect::XYWH(0, 0, 50, 50), 0x0000FF);
  button.OnClick = [&](Control&) { log.push_back("main clicked"); };
  main.OnKeyDown = [&](Window&, int, uint8_t) { log.push_back("main key"); };
  dialog.OnKeyDown = [&](Window&, int key, uint8_t) {
    log.push_back("dialog key " + std::to_string(key));
    if (key == keys::kEscape) dialog.SetModalResult(kModalCancel);
  };
  Inside([&] {
    EXPECT_FALSE(Native(main).Enabled());
    EXPECT_TRUE(Native(dialog).Enabled());
    EXPECT_TRUE(Native(dialog).Focused());
    // Raised from the task bar, the owner brings its dialog along.
    main.Native().Raise();
    EXPECT_EQ(FrontId(), dialog.Native().Id());
    backend.Click(10, 10);  // the owner's button
    backend.TypeKey('A');
    app.ProcessMessages();
    EXPECT_EQ(FrontId(), dialog.Native().Id());
    EXPECT_TRUE(Native(dialog).Focused());
    backend.TypeKey(keys::kEscape);
  });
  EXPECT_EQ(dialog.ShowModal(), kModalCancel);
  EXPECT_EQ(log, (std::vector<std::string>{"dialog key 65", "dialog key 27"}));
  // Afterwards the owner takes input again and has the focus.
  EXPECT_TRUE(Native(main).Enabled());
  EXPECT_TRUE(Native(main).Focused());
  backend.Click(10, 10);
  backend.TypeKey('B');
  app.ProcessMessages();
  EXPECT_EQ(log.back(), "main key");
  EXPECT_EQ(log[log.size() - 2], "main clicked");
}

TEST_F(OwnedWindowTest, APressOnTheOwnerBringsBackADialogHiddenBehindAnotherWindow) {
  // Another program's window, over the dialog.
  auto stranger = backend.OpenWindow({.x = 90, .y = 90, .width = 300, .height = 200});
  Inside([&] {
    stranger->Show();
    EXPECT_EQ(backend.WindowAt(150, 120)->Id(), stranger->Id());
    backend.Click(50, 50);
    EXPECT_EQ(FrontId(), dialog.Native().Id());
    EXPECT_EQ(backend.WindowAt(150, 120)->Id(), dialog.Native().Id());
    EXPECT_TRUE(Native(dialog).Focused());
    dialog.SetModalResult(kModalOk);
  });
  EXPECT_EQ(dialog.ShowModal(), kModalOk);
}

TEST_F(OwnedWindowTest, AModalWindowOverATopmostModalWindowGoesAboveItAndTakesTheInput) {
  Window promo(&main);
  promo.SetTopmost(true);
  promo.SetBounds(0, 0, 400, 300);
  ColorBox close(&promo, Rect::XYWH(0, 0, 50, 50), 0x00FF00);
  close.OnClick = [&](Control&) { promo.SetModalResult(kModalOk); };
  dialog.OnKeyDown = [&](Window&, int key, uint8_t) {
    if (key == keys::kEscape) dialog.SetModalResult(kModalCancel);
  };
  Inside([&] {
    main.Hide();
    Inside([&] {
      EXPECT_EQ(FrontId(), dialog.Native().Id());
      EXPECT_TRUE(Native(dialog).Topmost());  // lifted for as long as it runs
      EXPECT_FALSE(Native(promo).Enabled());
      EXPECT_TRUE(Native(dialog).Focused());
      backend.Click(10, 10);  // promo's "Close", not covered: it takes no input now
      backend.TypeKey(keys::kEscape);
    });
    EXPECT_EQ(dialog.ShowModal(), kModalCancel);
    EXPECT_FALSE(Native(dialog).Topmost());
    EXPECT_EQ(promo.ModalResult(), kModalNone);
    EXPECT_TRUE(Native(promo).Enabled());
    EXPECT_FALSE(Native(main).Enabled());  // still under the promotion's loop
    EXPECT_TRUE(Native(promo).Focused());
    backend.Click(10, 10);
  });
  EXPECT_EQ(promo.ShowModal(), kModalOk);
  EXPECT_TRUE(Native(main).Enabled());
}

TEST_F(OwnedWindowTest, ACloseAskedForWhileTheCloseRunsIsTheSameClose) {
  int closes = 0;
  main.OnClose = [&](Window&) {
    ++closes;
    Inside([&] {
      backend.RequestClose(main.Native());
      app.ProcessMessages();
      main.Close();
      dialog.SetModalResult(kModalOk);
    });
    dialog.ShowModal();
  };
  main.Close();
  EXPECT_EQ(closes, 1);
  EXPECT_TRUE(app.Terminated());
  EXPECT_FALSE(main.Visible());
}

TEST(HeadlessFocus, KeysGoToTheFocusedEnabledWindowAndTheFocusFallsBackToTheOwner) {
  platform::HeadlessBackend backend;
  auto owner = backend.OpenWindow({.x = 0, .y = 0, .width = 100, .height = 100});
  auto other = backend.OpenWindow({.x = 200, .y = 0, .width = 100, .height = 100});
  auto owned =
      backend.OpenWindow({.x = 20, .y = 20, .width = 50, .height = 50, .owner = owner.get()});
  owner->Show();
  other->Show();
  owned->Show();
  auto& headless = static_cast<HeadlessWindow&>(*owned);
  EXPECT_TRUE(headless.Focused());
  owned->Hide();
  EXPECT_EQ(backend.Focus()->Id(), owner->Id());  // not the other window, in front of it
  owner->SetEnabled(false);
  backend.TypeKey('K');
  EXPECT_EQ(backend.PendingEvents(), 0);
  owner->SetEnabled(true);
  backend.TypeKey('K');
  platform::Event e;
  ASSERT_TRUE(backend.PollEvent(e));
  EXPECT_EQ(e.type, platform::Event::Type::KeyDown);
  EXPECT_EQ(e.window, owner->Id());
}

TEST(HeadlessFocus, ADisabledWindowTakesNoMouseInputAndAPressRaisesItsEnabledOwnedWindow) {
  platform::HeadlessBackend backend;
  auto owner = backend.OpenWindow({.x = 0, .y = 0, .width = 100, .height = 100});
  auto owned =
      backend.OpenWindow({.x = 150, .y = 0, .width = 50, .height = 50, .owner = owner.get()});
  owner->Show();
  owned->Show();
  owner->SetEnabled(false);
  backend.MoveMouse(10, 10);
  platform::Event e;
  while (backend.PollEvent(e)) EXPECT_NE(e.type, platform::Event::Type::MouseMove);
  owned->SetEnabled(false);
  backend.Click(10, 10);  // no enabled owned window: nothing comes to the front
  EXPECT_EQ(backend.Focus()->Id(), owned->Id());
  owned->SetEnabled(true);
  owner->Raise();
  EXPECT_EQ(backend.Focus()->Id(), owner->Id());
  backend.Click(10, 10);
  EXPECT_EQ(backend.Focus()->Id(), owned->Id());
  while (backend.PollEvent(e)) {
    EXPECT_NE(e.type, platform::Event::Type::MouseDown);
    EXPECT_NE(e.type, platform::Event::Type::MouseUp);
  }
}

}  // namespace
}  // namespace gui::testing
