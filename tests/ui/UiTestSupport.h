// The main window with the program's pages (or stand-ins) on the headless backend with
// fake machine services: a clock measurement that returns at once, a fixed identity and
// processor texts, a browser that records the addresses, a fixed ramp. A watch timer runs
// the test's checks from inside whatever loop is running (the test run's nested loops, the
// modal dialogs).
#pragma once

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "gui/Application.h"
#include "gui/PngWriter.h"
#include "gui/Timer.h"
#include "platform/headless/HeadlessBackend.h"
#include "ui/ProgramWindow.h"
#include "ui/SpeedResult.h"
#include "ui/TestPage.h"
#include "ui/WelcomePage.h"

namespace ui::testing {

inline constexpr double kFakeMhz = 2992.0;
inline constexpr const char* kFakeIdentity = "001A2B3C4D5E";

struct Recorder {
  std::vector<std::string> events;  // "identity", "measure (window hidden)", ...
  std::vector<std::string> opened;  // addresses given to the browser
  int measurements = 0;
  int identities = 0;
  speedtest::ProcessorTexts texts{"Intel(R) Pentium(R) 4 CPU 2.40GHz", "Intel Corporation",
                                  "x86 Family 15 Model 2 Stepping 9", "2.4 Ghz"};
  std::string identity = kFakeIdentity;
  double mhz = kFakeMhz;
  int rampPercent = 50;
  gui::Window* form = nullptr;
};

inline MainServices FakeServices(Recorder& recorder) {
  MainServices services;
  services.measureClock = [&recorder] {
    ++recorder.measurements;
    const bool shown = recorder.form != nullptr && recorder.form->Visible();
    recorder.events.push_back(shown ? "measure (window shown)" : "measure (window hidden)");
    return recorder.mhz;
  };
  services.machineIdentity = [&recorder] {
    ++recorder.identities;
    recorder.events.push_back("identity");
    return recorder.identity;
  };
  services.processorTexts = [&recorder] { return recorder.texts; };
  services.openInBrowser = [&recorder](const std::string& address) {
    recorder.opened.push_back(address);
  };
  services.randomPercent = [&recorder] { return recorder.rampPercent; };
  return services;
}

// A stand-in page: counts the window's calls.
struct CountingPage : MainWindowPage {
  explicit CountingPage(MainHost& host) : MainWindowPage(host) {}
  int created = 0, entered = 0, switches = 0, completions = 0;
  void FormCreate() override { ++created; }
  void Enter() override { ++entered; }
  void PageSwitchStarting() override { ++switches; }
  void TransitionCompleted() override { ++completions; }
};

// The program's pages with a counting stand-in at page; made points to it once made.
inline MainPageMakers WithCountingPage(MainPageMakers pages, TMainPage page, CountingPage*& made) {
  pages[static_cast<size_t>(page)] = [&made](MainHost& host) {
    auto stand_in = std::make_unique<CountingPage>(host);
    made = stand_in.get();
    return stand_in;
  };
  return pages;
}

class UiHarness {
 public:
  platform::HeadlessBackend backend;
  gui::Application app{backend};
  Recorder recorder;
  std::unique_ptr<TfmMain> form;
  gui::Timer watch;
  // Called every 5 ms of virtual time from whichever loop runs.
  std::function<void()> onWatch;
  int transitionsCompleted = 0;

  // Makes the window; Create runs FormCreate (which posts UM_GETSPEED), Start also pumps
  // once and shows it.
  explicit UiHarness(const MainPageMakers& pages = ProgramPages()) {
    form = std::make_unique<TfmMain>(FakeServices(recorder), pages);
    recorder.form = form.get();
    app.SetMainWindow(form.get());
    auto complete = form->transFadeOut.OnComplete;
    form->transFadeOut.OnComplete = [this, complete](controls::TCustomPictureTransition& s) {
      ++transitionsCompleted;
      complete(s);
    };
    watch.SetInterval(5);
    watch.SetOnTimer([this](gui::Timer&) {
      if (onWatch) onWatch();
    });
  }

  // The pages as what they are.
  template <typename Page>
  Page& PageAs(TMainPage page) {
    return dynamic_cast<Page&>(form->Page(page));
  }
  WelcomePage& Welcome() { return PageAs<WelcomePage>(TMainPage::kWelcome); }
  TestPage& TestCpu() { return PageAs<TestPage>(TMainPage::kTestCPU); }
  widgets::TabSheet& Sheet(TMainPage page) { return form->Page(page).Sheet(); }
  ProgramState& State() { return form->State(); }

  void Create() { form->FormCreate(); }
  void Start() {
    Create();
    app.ProcessMessages();
    form->Show();
    app.ProcessMessages();
  }

  platform::HeadlessWindow& Native(gui::Window& window) {
    return static_cast<platform::HeadlessWindow&>(window.Native());
  }
  // Client points of a window, on the screen.
  void MoveTo(gui::Window& window, int x, int y) {
    backend.MoveMouse(window.Left() + x, window.Top() + y);
  }
  void ClickAt(gui::Window& window, int x, int y) {
    backend.Click(window.Left() + x, window.Top() + y);
  }
  void Click(gui::Control& control) {
    const gui::Rect r = control.WindowRect();
    ClickAt(*control.OwnerWindow(), (r.left + r.right) / 2, (r.top + r.bottom) / 2);
  }
  void Hover(gui::Control& control) {
    const gui::Rect r = control.WindowRect();
    MoveTo(*control.OwnerWindow(), (r.left + r.right) / 2, (r.top + r.bottom) / 2);
  }

  // Runs the loop on virtual time until done() holds or maxMs have passed.
  bool RunUntil(const std::function<bool()>& done, int maxMs = 20000) {
    const double end = backend.Time().NowMs() + maxMs;
    while (true) {
      app.ProcessMessages();
      if (done()) return true;
      if (backend.Time().NowMs() > end || app.Terminated()) return false;
      app.WaitForWork();
    }
  }
  void RunFor(int ms) {
    const double end = backend.Time().NowMs() + ms;
    RunUntil([&] { return backend.Time().NowMs() >= end; }, ms + 1000);
  }
  bool TransitionDone() { return !form->transFadeOut.Busy(); }
  void FinishTransition() {
    RunUntil([this] { return TransitionDone(); });
  }

  // A visible window of the given client size other than the main window.
  platform::HeadlessWindow* FindWindow(int width, int height) {
    for (platform::HeadlessWindow* w : backend.Windows()) {
      if (w->Visible() && w->Width() == width && w->Height() == height &&
          w->Id() != form->Native().Id()) {
        return w;
      }
    }
    return nullptr;
  }
  void ClickOn(const platform::HeadlessWindow& window, int x, int y) {
    backend.Click(window.X() + x, window.Y() + y);
  }
};

// Where the tests write their pictures: beside the test program, in ui-snapshots/.
inline std::string SnapshotPath(const std::string& name) {
  const std::filesystem::path folder = std::filesystem::current_path() / "ui-snapshots";
  std::filesystem::create_directories(folder);
  return (folder / (name + ".png")).string();
}

inline gui::Bitmap Snapshot(gui::Window& window, const std::string& name) {
  gui::Bitmap picture = window.CaptureArea(window.ClientRect());
  gui::WritePng(picture, SnapshotPath(name));
  return picture;
}

}  // namespace ui::testing
