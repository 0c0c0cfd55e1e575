// The result dialog: its texts taken once at creation, the submission address with its
// escaping, the identity refreshed on each submission, scoreSubmitted, and Close.
#include <gtest/gtest.h>

#include "UiTestSupport.h"
#include "generated/Version.h"

namespace ui::testing {
namespace {

class SpeedResultTest : public ::testing::Test {
 protected:
  std::unique_ptr<TfmSpeedResult> Make() {
    services_ = FakeServices(recorder_);
    auto dialog = std::make_unique<TfmSpeedResult>(services_, state_);
    dialog->Show();
    app_.ProcessMessages();
    return dialog;
  }
  void ClickOn(gui::Control& control) {
    const gui::Rect r = control.WindowRect();
    gui::Window& w = *control.OwnerWindow();
    backend_.Click(w.Left() + (r.left + r.right) / 2, w.Top() + (r.top + r.bottom) / 2);
    app_.ProcessMessages();
  }

  platform::HeadlessBackend backend_;
  gui::Application app_{backend_};
  Recorder recorder_;
  MainServices services_;
  ProgramState state_{.MeasuredMhz = 2992};
};

TEST_F(SpeedResultTest, LayoutAndTexts) {
  auto d = Make();
  EXPECT_EQ(d->Width(), 464);
  EXPECT_EQ(d->Height(), 266);
  EXPECT_EQ(d->Left(), (1280 - 464) / 2);
  EXPECT_EQ(d->lblScoreHeading.Caption(), "Your Tachora Score is:");
  EXPECT_EQ(d->lblMhz.Caption(), " Mhz");
  EXPECT_EQ(d->lblSubmitText.Caption(),
            "Click the \"Submit My Score\" button below to see how your CPU compares in the "
            "worldwide CPU scores table.");
  EXPECT_EQ(d->btnSubmitScore1.Caption(), "Submit My Score");
  EXPECT_EQ(d->btnClose1.Caption(), "Close");
  EXPECT_FALSE(d->btnSubmit.Visible());
  EXPECT_FALSE(d->btnClose.Visible());
  EXPECT_EQ(d->ledMhz.Value(), "0000");
  EXPECT_EQ(d->MachineIdentity, kFakeIdentity);
  const gui::Bitmap shot = Snapshot(*d, "result-dialog-layout");
  EXPECT_EQ(shot.Pixel(100, 22) & 0xFFFFFF, 0x000000A6u);   // top rule
  EXPECT_EQ(shot.Pixel(1, 150) & 0xFFFFFF, 0x009E988Du);    // left rule
  EXPECT_EQ(shot.Pixel(462, 150) & 0xFFFFFF, 0x009E988Du);  // right rule
  EXPECT_EQ(shot.Pixel(200, 264) & 0xFFFFFF, 0x009E988Du);  // bottom rule
  EXPECT_EQ(shot.Pixel(180, 240) & 0xFFFFFF, 0x00302D28u);  // background
}

TEST_F(SpeedResultTest, SubmitOpensTheAddressSetsTheFlagAndCloses) {
  auto d = Make();
  ClickOn(d->btnSubmitScore1);
  ASSERT_EQ(recorder_.opened.size(), 1u);
  EXPECT_EQ(recorder_.opened[0],
            "https://www.tachora.net/proint/proaddscore.php?macaddress=001A2B3C4D5E&speed=2992"
            "&cpudesc=Intel(R)%20Pentium(R)%204%20CPU%202.40GHz&vendor=Intel%20Corporation"
            "&speedpub=2.4%20Ghz&family=x86%20Family%2015%20Model%202%20Stepping%209"
            "&ver=" TACHORA_VERSION_TEXT);
  EXPECT_TRUE(state_.scoreSubmitted);
  EXPECT_EQ(d->ModalResult(), gui::kModalOk);
}

TEST_F(SpeedResultTest, TwoSpacesGiveTwoEscapesAndBracketsStay) {
  recorder_.texts.CpuDescription = "AMD  Athlon(tm) 64";
  auto d = Make();
  d->btnSubmitClick();
  ASSERT_EQ(recorder_.opened.size(), 1u);
  EXPECT_NE(recorder_.opened[0].find("cpudesc=AMD%20%20Athlon(tm)%2064&"), std::string::npos);
}

TEST_F(SpeedResultTest, AmpersandHashPlusAndPercentCannotBreakTheAddress) {
  recorder_.texts.CpuDescription = "Q&A #1 + 100% CPU";
  recorder_.texts.CpuVendor = "Caf\xC3\xA9";
  auto d = Make();
  d->btnSubmitClick();
  ASSERT_EQ(recorder_.opened.size(), 1u);
  const std::string& address = recorder_.opened[0];
  EXPECT_NE(address.find("cpudesc=Q%26A%20%231%20%2B%20100%25%20CPU&vendor=Caf%C3%A9&"),
            std::string::npos);
  EXPECT_EQ(address.find('#'), std::string::npos);
}

TEST_F(SpeedResultTest, TheIdentityIsComputedAfreshOnEverySubmission) {
  auto d = Make();
  recorder_.identity = "0A0B0C0D0E0F";
  d->btnSubmitClick();
  EXPECT_EQ(d->MachineIdentity, "0A0B0C0D0E0F");
  recorder_.identity = "";
  d->btnSubmitClick();
  ASSERT_EQ(recorder_.opened.size(), 2u);
  EXPECT_NE(recorder_.opened[0].find("macaddress=0A0B0C0D0E0F&speed=2992"), std::string::npos);
  EXPECT_NE(recorder_.opened[1].find("macaddress=&speed=2992"), std::string::npos);
  EXPECT_TRUE(state_.scoreSubmitted);
}

TEST_F(SpeedResultTest, TheProcessorTextsStayAsTheyWereAtCreation) {
  auto d = Make();
  recorder_.texts.CpuDescription = "Something Else";
  d->btnSubmitClick();
  EXPECT_NE(recorder_.opened[0].find("Pentium(R)"), std::string::npos);
}

TEST_F(SpeedResultTest, CloseLeavesTheFlagFalseAndOpensNothing) {
  auto d = Make();
  ClickOn(d->btnClose1);
  EXPECT_FALSE(state_.scoreSubmitted);
  EXPECT_TRUE(recorder_.opened.empty());
  EXPECT_EQ(d->ModalResult(), gui::kModalOk);
  d->SetModalResult(gui::kModalNone);
  d->btnCloseClick();
  EXPECT_EQ(d->ModalResult(), gui::kModalOk);
  EXPECT_FALSE(state_.scoreSubmitted);
}

TEST_F(SpeedResultTest, DraggedByItsCaptionOnly) {
  auto d = Make();
  auto& native = static_cast<platform::HeadlessWindow&>(d->Native());
  EXPECT_TRUE(native.IsDragPoint(200, 10));
  EXPECT_FALSE(native.IsDragPoint(2, 10));    // left cap
  EXPECT_FALSE(native.IsDragPoint(450, 10));  // right cap
  EXPECT_FALSE(native.IsDragPoint(200, 120));
  EXPECT_FALSE(native.IsDragPoint(300, 200));  // a button
  const int x = d->Left(), y = d->Top();
  backend_.MoveMouse(x + 200, y + 10);
  backend_.PressMouse();
  backend_.MoveMouse(x + 150, y + 40);
  backend_.ReleaseMouse();
  app_.ProcessMessages();
  EXPECT_EQ(native.X(), x - 50);
  EXPECT_EQ(native.Y(), y + 30);
}

TEST_F(SpeedResultTest, TheCaptionShowsTheHandAndThePushButtonsDoNot) {
  auto d = Make();
  auto& native = static_cast<platform::HeadlessWindow&>(d->Native());
  backend_.MoveMouse(d->Left() + 200, d->Top() + 10);
  app_.ProcessMessages();
  EXPECT_EQ(native.CurrentCursor(), platform::Cursor::Hand);
  const gui::Rect r = d->btnSubmitScore1.WindowRect();
  backend_.MoveMouse(d->Left() + r.left + 5, d->Top() + r.top + 5);
  app_.ProcessMessages();
  EXPECT_EQ(native.CurrentCursor(), platform::Cursor::Arrow);
}

}  // namespace
}  // namespace ui::testing
