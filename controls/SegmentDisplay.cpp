#include "controls/SegmentDisplay.h"

#include <algorithm>
#include <new>
#include <optional>

#include "gui/Application.h"
#include "gui/Window.h"

namespace controls {

namespace {

constexpr int kNewWidth = 92;
constexpr int kNewHeight = 34;
// Asks for the paint a value stored during an animated paint still needs.
constexpr uint32_t kRepaintMessage = gui::kUserMessage + 1;

}  // namespace

// What one paint draws on and with.
struct TSegmentDisplay::Pass {
  gui::Canvas& window;  // the canvas the paint was given
  gui::Canvas* draw;    // the buffer's canvas or the window's
  segments::TSegmentLayout layout;
  uint32_t reference = 0;  // the paint's start, in milliseconds
  segments::TSegmentShape shape;
};

TSegmentDisplay::TSegmentDisplay(gui::Control* parent)
    : gui::Control(parent), FRandom(std::random_device{}()) {
  SetOpaque(true);
  SetBounds(Left(), Top(), kNewWidth, kNewHeight);
}

TSegmentDisplay::~TSegmentDisplay() = default;

void TSegmentDisplay::SetAbout(TSegmentAbout about) {
  if (about == TSegmentAbout::abNone) return;
  Invalidate();
}

void TSegmentDisplay::SetValue(const std::string& value) {
  if (value == FValue) return;
  std::string normalized = segments::NormalizeValue(value);
  // A text that normalises to the one shown ('5.' after '5') is no change either.
  if (normalized == FValue) return;
  std::string old = std::move(FValue);
  FValue = std::move(normalized);
  if (auto handler = OnChange) handler(*this, old, FValue);
  FChanged = true;
  Invalidate();
}

std::optional<segments::TSegmentLayout> TSegmentDisplay::Layout() const {
  return segments::ComputeLayout({.width = Width(),
                                  .height = Height(),
                                  .digitNum = FDigitNum,
                                  .digitSpacing = FDigitSpacing,
                                  .dotSpacing = FDotSpacing,
                                  .gapX = FGapX,
                                  .gapY = FGapY,
                                  .segmentSize = FSegmentSize,
                                  .dotDisplay = FDotDisplay});
}

uint32_t TSegmentDisplay::Milliseconds() {
  // The high-resolution counter, so the pauses are exact and run on virtual time in tests.
  platform::Clock& clock = gui::Application::Current().Clock();
  const int64_t counter = clock.PerformanceCounter();
  const int64_t frequency = std::max<int64_t>(clock.PerformanceFrequency(), 1);
  return uint32_t(counter / frequency * 1000 + counter % frequency * 1000 / frequency);
}

TSegmentAnimation TSegmentDisplay::ChooseAnimation() {
  if (FAnimation >= TSegmentAnimation::anSpiral && FAnimation <= TSegmentAnimation::anRight) {
    return FAnimation;
  }
  if (FAnimation == TSegmentAnimation::anRandom) {
    std::uniform_int_distribution<int> pick{int(TSegmentAnimation::anSpiral),
                                            int(TSegmentAnimation::anRight)};
    return TSegmentAnimation(pick(FRandom));
  }
  return TSegmentAnimation::anNone;
}

void TSegmentDisplay::Paint(gui::Canvas& canvas) {
  if (FIsPainting || !gui::Application::Exists()) return;
  FIsPainting = true;
  const uint32_t reference = Milliseconds();
  const uint32_t start = Milliseconds();

  FBufferActive = FDoubleBuffer;
  gui::Canvas* draw = &canvas;
  std::optional<gui::Canvas> bufferCanvas;
  if (FBufferActive) {
    try {
      if (Width() <= 0 || Height() <= 0) throw std::bad_alloc();
      if (!FBuffer) FBuffer = std::make_unique<gui::Bitmap>();
      *FBuffer = gui::Bitmap(Width(), Height(), gui::Bitmap::Format::Bgra32);
      bufferCanvas.emplace(*FBuffer);
      draw = &*bufferCanvas;
    } catch (const std::bad_alloc&) {
      // Without the bitmap the paint draws on the window itself.
      FBuffer.reset();
      FBufferActive = false;
    }
  }
  draw->FillRect(ClientRect(), FColor);

  const TSegmentAnimation animation = ChooseAnimation();
  // What this paint shows; the value may change while an animation waits.
  const std::string shown = FValue;
  if (const std::optional<segments::TSegmentLayout> layout = Layout()) {
    Pass pass{canvas, draw, *layout, reference, {}};
    const int n = layout->digitNum;
    const segments::TSplitText before = segments::SplitValue(FOldValue, n);
    if (!shown.empty()) {
      DrawDigits(pass, TSegmentAnimation::anNone, 0, false, before, segments::SplitValue("", n));
      const segments::TSplitText now = segments::SplitValue(shown, n);
      const int budget = std::max(FAnimationDelay - int(Milliseconds() - reference), 0);
      if (FChanged) {
        DrawDigits(pass, animation, budget, true, now, before);
      } else {
        DrawDigits(pass, TSegmentAnimation::anNone, 0, true, now, before);
      }
    } else {
      const segments::TSplitText now = segments::SplitValue("", n);
      if (FChanged) {
        DrawDigits(pass, animation, FAnimationDelay, false, now, before);
      } else {
        DrawDigits(pass, TSegmentAnimation::anNone, 0, false, now, before);
      }
    }
  }
  FOldValue = shown;

  if (FBufferActive) {
    canvas.Draw({0, 0}, *FBuffer);
    FBuffer.reset();
  }
  FChanged = false;
  FIsPainting = false;
  FPaintDuration = Milliseconds() - start;
  // The window drops invalidations made while it paints: ask again for a value that
  // arrived during the wait, so the display does not keep showing the old one.
  if (FValue != shown) {
    FChanged = true;
    gui::Application::Current().PostMessage(*this, kRepaintMessage);
  }
}

void TSegmentDisplay::HandleMessage(const gui::Message& message) {
  if (message.msg == kRepaintMessage) Invalidate();
}

void TSegmentDisplay::DrawDigits(Pass& pass, TSegmentAnimation animation, int budget,
                                 bool changedOnly, const segments::TSplitText& now,
                                 const segments::TSplitText& before) {
  const int n = pass.layout.digitNum;
  pass.draw->brush.clear = false;
  for (int i = 0; i < n; ++i) {
    if (changedOnly && now.points[size_t(i)] == before.points[size_t(i)]) continue;
    DrawPoint(pass, i, now.points[size_t(i)] == '.');
  }
  // Eight steps have seven pauses between them.
  const int elapsed = int(Milliseconds() - pass.reference);
  const int pause = std::max((budget - elapsed) / 7, 0);
  uint32_t carried = 0;
  const auto& order = segments::AnimationOrder(animation);
  for (int k = 0; k < segments::kSegmentCount; ++k) {
    const uint32_t stepStart = Milliseconds();
    const int segment = order[size_t(k)];
    for (int i = 0; i < n; ++i) {
      if (changedOnly && now.chars[size_t(i)] == before.chars[size_t(i)]) continue;
      DrawSegment(pass, i, now.chars[size_t(i)], segment);
    }
    if (animation == TSegmentAnimation::anNone || pause <= 0) continue;
    ShowStep(pass);
    if (k == segments::kSegmentCount - 1) continue;
    // The time one wait overshoots is taken from the next, at most one pause's worth.
    const uint32_t target = uint32_t(pause) - carried;
    uint32_t waited = 0;
    WaitFor(stepStart, target, waited);
    carried = std::min(waited - target, uint32_t(pause));
  }
}

void TSegmentDisplay::WaitFor(uint32_t start, uint32_t target, uint32_t& elapsed) {
  gui::Application& app = gui::Application::Current();
  do {
    app.ProcessMessages();
    elapsed = Milliseconds() - start;
  } while (elapsed < target);
}

void TSegmentDisplay::ShowStep(Pass& pass) {
  if (FBufferActive) pass.window.Draw({0, 0}, *FBuffer);
  // Present the control's area now, so every step is seen while the paint waits.
  gui::Window* window = OwnerWindow();
  if (!window || !window->Visible() || &pass.window.Target() != &window->Surface()) return;
  const gui::Point o = pass.window.Origin();
  const gui::Rect area = pass.window.ClipRect().Offset(o.x, o.y);
  if (area.Empty()) return;
  window->PresentArea(area);
}

void TSegmentDisplay::DrawPoint(Pass& pass, int cell, bool lit) {
  gui::Canvas& c = *pass.draw;
  const gui::Color color = lit ? FOnColor : FOffColor;
  const gui::Rect box = pass.layout.PointBox(cell);
  if (pass.layout.dots) {
    c.brush.color = color;
    c.pen = {color, 1};
    c.Ellipse(box);
  } else {
    c.FillRect(box, color);
  }
}

void TSegmentDisplay::DrawSegment(Pass& pass, int cell, char character, int segment) {
  const uint8_t lit = segments::LitSegments(character);
  const gui::Color color = (lit & segments::Mask(segment)) ? FOnColor : FOffColor;
  segments::BuildSegment(pass.layout, pass.layout.CellLeft(cell), segment,
                         segments::CornerSegments(character), pass.shape);
  gui::Canvas& c = *pass.draw;
  c.brush.color = color;
  c.pen = {color, 1};
  if (!pass.shape.polygon.empty()) c.Polygon(pass.shape.polygon);
  for (const gui::Rect& box : pass.shape.ellipses) c.Ellipse(box);
}

}  // namespace controls
