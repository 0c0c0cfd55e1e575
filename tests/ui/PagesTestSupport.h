// The details and about pages on the headless main window: either attached one by one
// to the harness's window (the tests then hold the page), or the program's own assembly
// from CreateMainWindow, as the program runs it.
#pragma once

#include <memory>
#include <utility>

#include "UiTestSupport.h"
#include "ui/MainPages.h"

namespace ui::testing {

// Attaches a page built on the harness's window before its creation and returns it.
template <typename Page, typename... Args>
Page& AttachBefore(UiHarness& h, TMainPage page, Args&&... args) {
  auto part = std::make_unique<Page>(*h.form, std::forward<Args>(args)...);
  Page& result = *part;
  h.form->AttachPage(page, std::move(part));
  return result;
}

// Replaces the harness's window by CreateMainWindow's (every page attached, FormCreate
// done) on the same fake services, pumps once and shows it.
inline void StartProgramWindow(UiHarness& h) {
  h.form = CreateMainWindow(FakeServices(h.recorder));
  h.recorder.form = h.form.get();
  h.app.SetMainWindow(h.form.get());
  auto complete = h.form->transFadeOut.OnComplete;
  h.form->transFadeOut.OnComplete = [&h, complete](controls::TCustomPictureTransition& s) {
    ++h.transitionsCompleted;
    complete(s);
  };
  h.app.ProcessMessages();
  h.form->Show();
  h.app.ProcessMessages();
}

// A presented pixel at a point of a control, in the control's own coordinates.
inline uint32_t PixelOf(UiHarness& h, const gui::Control& control, int x, int y) {
  const gui::Point origin = control.WindowOrigin();
  return h.Native(*h.form).Pixel(origin.x + x, origin.y + y);
}

}  // namespace ui::testing
