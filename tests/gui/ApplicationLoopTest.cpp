// The message loop: posted messages, re-entrant processing, standard timers on virtual
// time, idle waits, waking from other threads, modal windows and the end of the program.
#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "gui/Timer.h"
#include "tests/gui/GuiTestSupport.h"

namespace gui::testing {
namespace {

// Logs the messages posted to it.
class Receiver : public Control {
 public:
  explicit Receiver(std::vector<std::string>& log) : log_(log) {}
  std::function<void(const Message&)> onMessage;

 protected:
  void HandleMessage(const Message& m) override {
    log_.push_back("msg " + std::to_string(m.msg) + " " + std::to_string(m.wParam) + " " +
                   std::to_string(m.lParam));
    if (onMessage) onMessage(m);
  }

 private:
  std::vector<std::string>& log_;
};

class ApplicationLoop : public ::testing::Test {
 protected:
  platform::HeadlessBackend backend;
  Application app{backend};
  std::vector<std::string> log;

  double NowMs() const { return backend.Time().NowMs(); }
  platform::VirtualClock& Time() { return backend.Time(); }
};

TEST_F(ApplicationLoop, PostedMessagesAndFunctionsArriveInOrderWithTheirValues) {
  Receiver r(log);
  app.PostMessage(r, 1125);
  app.Post([&] { log.push_back("function"); });
  app.PostMessage(r, kUserMessage + 2, 40, -7);
  EXPECT_TRUE(log.empty());
  app.ProcessMessages();
  EXPECT_EQ(log, (std::vector<std::string>{"msg 1125 0 0", "function", "msg 1026 40 -7"}));
}

TEST_F(ApplicationLoop, ProcessMessagesFromInsideAHandlerDispatchesTheRestOnce) {
  Receiver r(log);
  r.onMessage = [&](const Message& m) {
    if (m.msg != 1) return;
    app.ProcessMessages();
    log.push_back("end of 1");
  };
  app.PostMessage(r, 1);
  app.PostMessage(r, 2);
  app.PostMessage(r, 3);
  app.ProcessMessages();
  EXPECT_EQ(log, (std::vector<std::string>{"msg 1 0 0", "msg 2 0 0", "msg 3 0 0", "end of 1"}));
}

TEST_F(ApplicationLoop, MessagesToADestroyedControlAreDropped) {
  auto r = std::make_unique<Receiver>(log);
  app.PostMessage(*r, 5);
  r.reset();
  app.ProcessMessages();
  EXPECT_TRUE(log.empty());
}

TEST_F(ApplicationLoop, ATimerStartsWithItsHandlerAndFiresEveryInterval) {
  Timer timer;
  EXPECT_TRUE(timer.Enabled());
  EXPECT_EQ(timer.Interval(), 1000u);
  EXPECT_FALSE(timer.Running());
  timer.SetInterval(1500);
  timer.SetOnTimer([&](Timer&) { log.push_back("tick at " + std::to_string(NowMs())); });
  EXPECT_TRUE(timer.Running());
  for (int i = 0; i < 3; ++i) {
    app.WaitForWork();
    app.ProcessMessages();
  }
  EXPECT_EQ(log, (std::vector<std::string>{"tick at 1500.000000", "tick at 3000.000000",
                                           "tick at 4500.000000"}));
}

TEST_F(ApplicationLoop, ADueTimerWaitsUntilThePostedMessagesAreDone) {
  Receiver r(log);
  Timer timer;
  timer.SetInterval(100);
  timer.SetOnTimer([&](Timer&) { log.push_back("timer"); });
  Time().AdvanceBy(150'000'000);
  app.PostMessage(r, 1);
  app.PostMessage(r, 2);
  app.ProcessMessages();
  EXPECT_EQ(log, (std::vector<std::string>{"msg 1 0 0", "msg 2 0 0", "timer"}));
}

TEST_F(ApplicationLoop, ExpiriesThatPassWhileBusyFireOnceAndKeepTheSchedule) {
  Timer timer;
  int fired = 0;
  timer.SetInterval(100);
  timer.SetOnTimer([&](Timer&) { ++fired; });
  Time().AdvanceBy(350'000'000);  // three expiries pass
  app.ProcessMessages();
  EXPECT_EQ(fired, 1);
  Time().AdvanceBy(40'000'000);  // 390 ms: the next is due at 400 ms
  app.ProcessMessages();
  EXPECT_EQ(fired, 1);
  Time().AdvanceBy(10'000'000);
  app.ProcessMessages();
  EXPECT_EQ(fired, 2);
}

TEST_F(ApplicationLoop, AHandlerLongerThanItsIntervalDoesNotKeepTheLoopBusy) {
  Timer timer;
  int fired = 0;
  timer.SetInterval(10);
  timer.SetOnTimer([&](Timer&) {
    ++fired;
    Time().SleepMs(50);
  });
  Time().AdvanceBy(10'000'000);
  app.ProcessMessages();
  EXPECT_EQ(fired, 1);
}

TEST_F(ApplicationLoop, SettingATimerRestartsItsIntervalUnlessTheValueIsTheSame) {
  Timer timer;
  timer.SetInterval(100);
  timer.SetOnTimer([&](Timer&) { log.push_back("tick at " + std::to_string(NowMs())); });
  Time().AdvanceBy(60'000'000);
  timer.SetInterval(100);  // the same: the schedule stands
  app.WaitForWork();
  app.ProcessMessages();
  Time().AdvanceBy(30'000'000);  // 130 ms
  timer.SetEnabled(false);
  timer.SetEnabled(true);  // due again 100 ms from now
  app.WaitForWork();
  app.ProcessMessages();
  EXPECT_EQ(log, (std::vector<std::string>{"tick at 100.000000", "tick at 230.000000"}));
}

TEST_F(ApplicationLoop, TheIdleWaitWithoutTimersReturnsWhenAnotherThreadPosts) {
  std::thread worker([&] {
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    app.Post([&] { log.push_back("from worker"); });
  });
  app.WaitForWork();
  app.ProcessMessages();
  worker.join();
  EXPECT_EQ(log, (std::vector<std::string>{"from worker"}));
  EXPECT_EQ(NowMs(), 0.0);
}

TEST_F(ApplicationLoop, MessagesFromAWorkerThreadKeepTheirOrder) {
  Receiver r(log);
  std::thread worker([&] {
    for (int i = 0; i < 100; ++i) app.PostMessage(r, 7, uintptr_t(i));
    app.Post([&] { app.Terminate(); });
  });
  Window main;
  app.Run();
  worker.join();
  ASSERT_EQ(log.size(), 100u);
  for (int i = 0; i < 100; ++i) EXPECT_EQ(log[size_t(i)], "msg 7 " + std::to_string(i) + " 0");
}

TEST_F(ApplicationLoop, ThePeriodicServiceTicksOnVirtualTimeWhileTheLoopWaits) {
  std::vector<double> ticks;
  std::unique_ptr<platform::PeriodicTimer> periodic;
  int steps = 0;
  periodic = app.Clock().StartPeriodic(25, [&] {
    ticks.push_back(NowMs());
    if (++steps == 13) {
      periodic->Stop();
      app.Post([&] { app.Terminate(); });
    }
  });
  Window main;
  app.Run();
  ASSERT_EQ(ticks.size(), 13u);
  EXPECT_EQ(ticks.front(), 25.0);
  EXPECT_EQ(ticks.back(), 325.0);
  EXPECT_EQ(NowMs(), 325.0);
}

TEST_F(ApplicationLoop, RunShowsTheMainWindowAndEndsWhenItCloses) {
  Window main;
  Window other;
  Timer timer;
  timer.SetInterval(1500);
  int ticks = 0;
  timer.SetOnTimer([&](Timer&) {
    if (++ticks == 3) backend.RequestClose(main.Native());
  });
  main.OnClose = [&](Window&) { log.push_back("closing at " + std::to_string(NowMs())); };
  EXPECT_EQ(app.MainWindow(), &main);
  app.Run();
  EXPECT_TRUE(app.Terminated());
  EXPECT_FALSE(main.Visible());
  EXPECT_FALSE(other.Visible());
  EXPECT_EQ(log, (std::vector<std::string>{"closing at 4500.000000"}));
}

TEST_F(ApplicationLoop, ACloseQueryCanRefuse) {
  Window main;
  main.Show();
  bool allow = false;
  main.OnCloseQuery = [&](Window&, bool& canClose) { canClose = allow; };
  main.Close();
  EXPECT_TRUE(main.Visible());
  EXPECT_FALSE(app.Terminated());
  allow = true;
  main.Close();
  EXPECT_FALSE(main.Visible());
  EXPECT_TRUE(app.Terminated());
}

TEST_F(ApplicationLoop, AModalWindowRunsItsOwnLoopAndBlocksInputToTheOthers) {
  Window main;
  main.SetBounds(0, 0, 300, 300);
  main.Show();
  ColorBox button(&main, Rect::XYWH(0, 0, 50, 50), 0x0000FF);
  button.OnClick = [&](Control&) { log.push_back("main clicked"); };

  Window dialog;
  dialog.SetBounds(400, 0, 100, 100);
  ColorBox ok(&dialog, Rect::XYWH(0, 0, 50, 50), 0x00FF00);
  ok.OnClick = [&](Control&) {
    log.push_back("ok");
    dialog.SetModalResult(kModalOk);
  };
  dialog.OnClose = [&](Window&) { log.push_back("dialog closed"); };

  Timer timer;  // timers go on while the dialog is up
  timer.SetInterval(500);
  timer.SetOnTimer([&](Timer&) {
    log.push_back("timer");
    backend.Click(10, 10);   // on the main window: ignored
    backend.Click(410, 10);  // on the dialog
  });
  app.Post([&] {
    log.push_back("showing");
    const int result = dialog.ShowModal();
    log.push_back("result " + std::to_string(result));
  });
  app.ProcessMessages();
  EXPECT_EQ(log, (std::vector<std::string>{"showing", "timer", "ok", "dialog closed", "result 1"}));
  EXPECT_FALSE(dialog.Visible());
  EXPECT_EQ(app.ModalWindow(), nullptr);
  EXPECT_EQ(NowMs(), 500.0);
}

TEST_F(ApplicationLoop, ClosingAModalWindowCancelsIt) {
  Window main;
  Window dialog;
  app.Post([&] { dialog.Close(); });
  EXPECT_EQ(dialog.ShowModal(), kModalCancel);
  EXPECT_FALSE(dialog.Visible());
  EXPECT_FALSE(app.Terminated());
}

TEST_F(ApplicationLoop, AModalWindowAfterTheEndReturnsAtOnce) {
  Window main;
  Window dialog;
  app.Terminate();
  EXPECT_EQ(dialog.ShowModal(), kModalCancel);
  EXPECT_FALSE(dialog.Visible());
}

TEST_F(ApplicationLoop, PaintsComeAfterMessagesAndBeforeTimers) {
  Window main;
  main.Show();
  ColorBox box(&main, Rect::XYWH(0, 0, 10, 10), 0x0000FF);
  app.ProcessMessages();
  auto& native = static_cast<platform::HeadlessWindow&>(main.Native());
  Receiver r(log);
  Timer timer;
  timer.SetInterval(10);
  timer.SetOnTimer([&](Timer& t) {
    log.push_back("timer sees " + std::to_string(native.Pixel(1, 1)));
    t.SetEnabled(false);
  });
  Time().AdvanceBy(20'000'000);
  app.Post([&] {
    log.push_back("message sees " + std::to_string(native.Pixel(1, 1)));
    box.SetColor(0x00FF00);
  });
  app.ProcessMessages();
  EXPECT_EQ(log, (std::vector<std::string>{"message sees " + std::to_string(0x0000FF),
                                           "timer sees " + std::to_string(0x00FF00)}));
}

}  // namespace
}  // namespace gui::testing
