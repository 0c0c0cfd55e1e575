// Scheduling priorities: whatever the system grants, the saved tokens restore it.
#include "platform/System.h"

#include <future>
#include <thread>

#include <gtest/gtest.h>

namespace {

void ExpectSameThreadPriority(platform::ThreadPriority a, platform::ThreadPriority b) {
  EXPECT_EQ(a.policy, b.policy);
  EXPECT_EQ(a.value, b.value);
}

TEST(Priority, ProcessRaiseIsUndoneBySavedToken) {
  const platform::ProcessPriority saved = platform::CurrentProcessPriority();
  platform::RaiseProcessPriorityToRealtime();
  platform::SetProcessPriority(saved);
  EXPECT_EQ(platform::CurrentProcessPriority().value, saved.value);
}

TEST(Priority, ThreadRaiseIsUndoneBySavedToken) {
  const platform::ThreadPriority saved = platform::CurrentThreadPriority();
  platform::RaiseThreadPriorityToTimeCritical();
  platform::SetThreadPriority(saved);
  ExpectSameThreadPriority(platform::CurrentThreadPriority(), saved);
}

TEST(Priority, RaisingTwiceChangesNothingMore) {
  const platform::ThreadPriority saved = platform::CurrentThreadPriority();
  platform::RaiseThreadPriorityToTimeCritical();
  const platform::ThreadPriority raised = platform::CurrentThreadPriority();
  platform::RaiseThreadPriorityToTimeCritical();
  ExpectSameThreadPriority(platform::CurrentThreadPriority(), raised);
  platform::SetThreadPriority(saved);
}

TEST(Priority, MeasurementOrderRestoresBoth) {
  // Raise process then thread; restore thread then process.
  const platform::ProcessPriority process = platform::CurrentProcessPriority();
  const platform::ThreadPriority thread = platform::CurrentThreadPriority();
  platform::RaiseProcessPriorityToRealtime();
  platform::RaiseThreadPriorityToTimeCritical();
  platform::SleepMs(1);
  platform::SetThreadPriority(thread);
  platform::SetProcessPriority(process);
  ExpectSameThreadPriority(platform::CurrentThreadPriority(), thread);
  EXPECT_EQ(platform::CurrentProcessPriority().value, process.value);
}

TEST(Priority, ThreadRaiseStaysOnItsThread) {
  // The clock-rate thread raises itself; the thread that waits for it must not move.
  const platform::ThreadPriority mine = platform::CurrentThreadPriority();
  std::promise<void> raised;
  std::promise<void> checked;
  platform::ThreadPriority workerBefore;
  platform::ThreadPriority workerAfter;
  std::thread worker([&] {
    workerBefore = platform::CurrentThreadPriority();
    platform::RaiseThreadPriorityToTimeCritical();
    raised.set_value();
    checked.get_future().wait();
    platform::SetThreadPriority(workerBefore);
    workerAfter = platform::CurrentThreadPriority();
  });
  raised.get_future().wait();
  ExpectSameThreadPriority(platform::CurrentThreadPriority(), mine);
  checked.set_value();
  worker.join();
  ExpectSameThreadPriority(workerAfter, workerBefore);
}

}  // namespace
