// Scheduling priorities: a raise takes full effect where the system grants it and changes
// nothing where it refuses; whatever it did, the saved tokens restore it.
#include "platform/System.h"

#include <future>
#include <thread>

#include <gtest/gtest.h>

#ifdef __linux__
#include <sched.h>
#include <sys/resource.h>

#include <fstream>
#include <sstream>
#include <string>
#endif

namespace {

void ExpectSameThreadPriority(platform::ThreadPriority a, platform::ThreadPriority b) {
  EXPECT_EQ(a.policy, b.policy);
  EXPECT_EQ(a.value, b.value);
}

#ifdef __linux__
// Whether this process may raise priorities: the capability (root has it, unless its
// container withheld it), or a resource limit reaching the highest level.
bool HasSysNiceCapability() {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind("CapEff:", 0) != 0) continue;
    std::istringstream mask(line.substr(7));
    uint64_t effective = 0;
    mask >> std::hex >> effective;
    constexpr int kCapSysNice = 23;
    return (effective >> kCapSysNice) & 1;
  }
  return false;
}

bool LimitReaches(int resource, rlim_t level) {
  rlimit limit{};
  return getrlimit(resource, &limit) == 0 && limit.rlim_cur >= level;
}

constexpr int kHighestNice = -20;

bool MayRaiseProcess() {
  // RLIMIT_NICE counts down from 20: 40 allows nice -20.
  return HasSysNiceCapability() || LimitReaches(RLIMIT_NICE, rlim_t(20 - kHighestNice));
}

bool MayRaiseThread() {
  return HasSysNiceCapability() ||
         LimitReaches(RLIMIT_RTPRIO, rlim_t(sched_get_priority_max(SCHED_FIFO)));
}

TEST(Priority, ProcessRaiseTakesFullEffectOrNone) {
  const platform::ProcessPriority saved = platform::CurrentProcessPriority();
  platform::RaiseProcessPriorityToRealtime();
  const platform::ProcessPriority raised = platform::CurrentProcessPriority();
  platform::SetProcessPriority(saved);
  if (MayRaiseProcess()) {
    EXPECT_EQ(raised.value, kHighestNice);
  } else {
    EXPECT_EQ(raised.value, saved.value) << "a refused raise changed the priority";
  }
}

TEST(Priority, ThreadRaiseTakesFullEffectOrNone) {
  const platform::ThreadPriority saved = platform::CurrentThreadPriority();
  platform::RaiseThreadPriorityToTimeCritical();
  const platform::ThreadPriority raised = platform::CurrentThreadPriority();
  platform::SetThreadPriority(saved);
  if (MayRaiseThread()) {
    EXPECT_EQ(raised.policy, SCHED_FIFO);
    EXPECT_EQ(raised.value, sched_get_priority_max(SCHED_FIFO));
  } else {
    ExpectSameThreadPriority(raised, saved);
  }
}
#else
// Windows grants both raises to everyone (the high class standing in for the real-time
// one without the privilege for it).
TEST(Priority, ProcessRaiseTakesEffect) {
  const platform::ProcessPriority saved = platform::CurrentProcessPriority();
  platform::RaiseProcessPriorityToRealtime();
  const platform::ProcessPriority raised = platform::CurrentProcessPriority();
  platform::SetProcessPriority(saved);
  EXPECT_NE(raised.value, saved.value);
}

TEST(Priority, ThreadRaiseTakesEffect) {
  const platform::ThreadPriority saved = platform::CurrentThreadPriority();
  platform::RaiseThreadPriorityToTimeCritical();
  const platform::ThreadPriority raised = platform::CurrentThreadPriority();
  platform::SetThreadPriority(saved);
  EXPECT_NE(raised.value, saved.value);
}
#endif

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
