// The instruments as the program sets them up, with the real artwork: the top area's two
// gauges and displays at 0 %, 50 % / 1500 MHz and 100 % / 3000 MHz, and the result
// dialog's display, composed in one window and written to instruments.png in the working
// directory for a look. The needle tips are probed on the scale marks of the dial faces.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "assets/Assets.h"
#include "controls/AnalogGauge.h"
#include "controls/SegmentDisplay.h"
#include "gui/Application.h"
#include "gui/Canvas.h"
#include "gui/PngWriter.h"
#include "gui/Window.h"
#include "platform/headless/HeadlessBackend.h"

namespace controls {
namespace {

constexpr gui::Color kRed = 0x000000FF;
constexpr gui::Color kBoxBorder = 0x004D4C49;
constexpr gui::Color kDialogGrey = 0x00302D28;

gui::Picture Load(assets::Asset asset) {
  gui::Picture picture;
  EXPECT_TRUE(picture.LoadFromMemory({asset.data, asset.size}));
  return picture;
}

// A picture at its own size, or a filled box with a border, with an optional caption.
class Backdrop : public gui::Control {
 public:
  Backdrop(gui::Control* parent, gui::Rect bounds, gui::Color color, gui::Color border = 0)
      : gui::Control(parent), color_(color), border_(border) {
    SetBounds(bounds);
    SetOpaque(true);
  }
  gui::Picture picture;
  struct Caption {
    gui::Point at;
    std::string text;
  };
  std::vector<Caption> captions;

 protected:
  void Paint(gui::Canvas& canvas) override {
    canvas.FillRect(ClientRect(), color_);
    if (border_ != 0) canvas.FrameRect(ClientRect(), border_);
    if (!picture.Empty()) picture.DrawOn(canvas, {0, 0});
    canvas.font = {.name = "Tahoma", .size = 11, .color = 0x00FFFFFF};
    for (const Caption& c : captions) canvas.TextOut(c.at, c.text);
  }

 private:
  gui::Color color_;
  gui::Color border_;
};

void SetUpLed(TSegmentDisplay& led, gui::Rect bounds, int digits, int segmentSize,
              gui::Color background, TSegmentAnimation animation, const std::string& value) {
  led.SetBounds(bounds);
  led.SetDigitNum(digits);
  led.SetDigitSpacing(3);
  led.SetDotSpacing(4);
  led.SetGapX(1);
  led.SetGapY(1);
  led.SetSegmentSize(segmentSize);
  led.SetDotDisplay(false);
  led.SetDoubleBuffer(true);
  led.SetAnimation(animation);
  led.SetAnimationDelay(5);
  led.SetColor(background);
  led.SetOffColor(background);
  led.SetOnColor(kRed);
  led.SetValue(value);
}

// The top area's instruments over the dial artwork, as the main window builds them.
struct Cluster {
  Backdrop panel;
  TAnalogGauge gaugePercent;
  TAnalogGauge gaugeMhz1;
  Backdrop percentBox;
  Backdrop mhzBox;
  TSegmentDisplay ledPercent;
  TSegmentDisplay ledMhz;
  Backdrop percentCaption;
  Backdrop mhzCaption;

  Cluster(gui::Control* parent, int left)
      : panel(parent, gui::Rect::XYWH(left, 0, 472, 312), 0),
        gaugePercent(&panel),
        gaugeMhz1(&panel),
        percentBox(&panel, gui::Rect::XYWH(79, 173, 47, 21), 0, kBoxBorder),
        mhzBox(&panel, gui::Rect::XYWH(277, 173, 55, 21), 0, kBoxBorder),
        ledPercent(&percentBox),
        ledMhz(&mhzBox),
        percentCaption(&panel, gui::Rect::XYWH(83, 159, 38, 10), 0),
        mhzCaption(&panel, gui::Rect::XYWH(292, 157, 25, 12), 0) {
    panel.picture = Load(assets::DialPanel());
    percentCaption.captions = {{{2, -2}, "% CPU"}};
    mhzCaption.captions = {{{2, -1}, "Mhz"}};
    SetUpGauge(gaugePercent, gui::Rect::XYWH(43, 91, 119, 122), 3, 110.0f,
               Load(assets::DialPercent()));
    SetUpGauge(gaugeMhz1, gui::Rect::XYWH(210, 56, 188, 178), 5, 73.0f, Load(assets::DialMhz()));
    SetUpLed(ledPercent, gui::Rect::XYWH(3, 4, 41, 14), 3, 1, 0, TSegmentAnimation::anNone, "000");
    SetUpLed(ledMhz, gui::Rect::XYWH(1, 4, 53, 14), 4, 1, 0, TSegmentAnimation::anRandom, "0000");
  }

  static void SetUpGauge(TAnalogGauge& gauge, gui::Rect bounds, int arrowWidth, float position,
                         const gui::Picture& face) {
    gauge.SetBounds(bounds);
    gauge.SetStyle(TStyle::CenterStyle);
    gauge.SetAngle(360);
    gauge.SetScale(360);
    gauge.SetMargin(10);
    gauge.SetCenterRadius(4);
    gauge.SetArrowColor(kRed);
    gauge.SetCenterColor(0x00808080);
    gauge.SetAntiAliased(TAntialiased::aaBiline);
    gauge.SetIndMaximum(44);
    gauge.SetIndMinimum(1);
    gauge.SetArrowWidth(arrowWidth);
    gauge.SetPicture(face);
    gauge.SetPosition(position);
    gauge.ComposeGauge();
  }

  // ShowPercent and ShowMhz.
  void Show(int percent, int mhz) {
    char text[16];
    gaugePercent.SetPosition(float(int(percent * 1.4) + 110));
    std::snprintf(text, sizeof text, "%.3d", percent);
    ledPercent.SetValue(text);
    gaugeMhz1.SetPosition(float(int(mhz * 0.0431) + 73));
    std::snprintf(text, sizeof text, "%.4d", mhz);
    ledMhz.SetValue(text);
  }
};

// Red dominates: the needle (or its smoothed edge) rather than the dial's white marks.
bool Reddish(gui::Color c) {
  return gui::Red(c) > 120 && gui::Red(c) > 2 * gui::Green(c) && gui::Red(c) > 2 * gui::Blue(c);
}

// The needle's tip, in control pixels, at a position of the test page's gauges.
gui::Point Tip(TAnalogGauge& gauge, float position) {
  const gui::Bitmap& work = gauge.WorkBitmap();
  const TNeedleGeometry g = gauge.NeedleGeometry(work.Width(), work.Height(), gauge.Factor());
  const gui::Point end = gauge.NeedleEnd(g, position);
  return {end.x / 2, end.y / 2};
}

TEST(InstrumentSheetTest, TheInstrumentsWithTheProgramsSettingsAndArtwork) {
  platform::HeadlessBackend backend;
  gui::Application app{backend};
  gui::Window window;
  window.SetBounds(0, 0, 3 * 472, 312 + 60);
  window.SetBackgroundColor(0);
  window.Show();

  struct State {
    int percent;
    int mhz;
  };
  const State states[] = {{0, 0}, {50, 1500}, {100, 3000}};
  std::vector<std::unique_ptr<Cluster>> clusters;
  std::vector<std::unique_ptr<Backdrop>> dialogs;
  std::vector<std::unique_ptr<TSegmentDisplay>> results;
  for (int i = 0; i < 3; ++i) {
    auto& cluster = clusters.emplace_back(std::make_unique<Cluster>(&window, i * 472));
    cluster->Show(states[i].percent, states[i].mhz);
    // The result dialog's display on the dialog's grey, beside its " Mhz".
    auto& dialog = dialogs.emplace_back(std::make_unique<Backdrop>(
        &window, gui::Rect::XYWH(i * 472 + 150, 318, 180, 45), kDialogGrey));
    dialog->captions = {{{122, 16}, "Mhz"}};
    auto& result = results.emplace_back(std::make_unique<TSegmentDisplay>(dialog.get()));
    SetUpLed(*result, gui::Rect::XYWH(20, 8, 96, 29), 4, 3, kDialogGrey,
             TSegmentAnimation::anRandom, "0000");
    result->SetValue(cluster->ledMhz.Value());
  }
  app.ProcessMessages();

  const std::filesystem::path file = std::filesystem::current_path() / "instruments.png";
  const gui::Bitmap sheet = window.CaptureArea(window.ClientRect());
  ASSERT_TRUE(gui::WritePng(sheet, file.string()));
  std::printf("instruments: %s\n", file.string().c_str());

  // The needle tips: 0 % at 110, 100 % at 250; 0 MHz at 73, 3000 MHz at 202.
  const float percentAt[] = {110.0f, 180.0f, 250.0f};
  const float mhzAt[] = {73.0f, 137.0f, 202.0f};
  for (int i = 0; i < 3; ++i) {
    Cluster& c = *clusters[size_t(i)];
    EXPECT_EQ(c.gaugePercent.Position(), percentAt[i]);
    EXPECT_EQ(c.gaugeMhz1.Position(), mhzAt[i]);
    for (TAnalogGauge* gauge : {&c.gaugePercent, &c.gaugeMhz1}) {
      const gui::Point tip = Tip(*gauge, gauge->Position());
      const gui::Point origin = gauge->WindowOrigin();
      EXPECT_TRUE(Reddish(sheet.Pixel(origin.x + tip.x, origin.y + tip.y)))
          << "state " << i << " tip " << tip.x << "," << tip.y;
    }
    EXPECT_EQ(results[size_t(i)]->Value(), c.ledMhz.Value());
  }
  EXPECT_EQ(clusters[2]->ledMhz.Value(), "3000");
  EXPECT_EQ(clusters[1]->ledPercent.Value(), "050");
}

}  // namespace
}  // namespace controls
