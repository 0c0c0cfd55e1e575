// Linux implementation of the operating-system services.
#include "platform/System.h"

#include <pthread.h>
#include <sched.h>
#include <sys/resource.h>
#include <time.h>
#include <unistd.h>
#include <x86intrin.h>

#include <cerrno>

namespace platform {
namespace {

bool affinityAvailable = false;

// Linux binds threads, not processes, and a thread narrowed to one processor no longer
// shows how many the process may use. So each thread keeps the set it had before the
// first narrowing, for counting, and for restoring whole a set wider than 32 processors.
struct ThreadBinding {
  bool narrowed = false;
  cpu_set_t unbound;
};
thread_local ThreadBinding binding;

int64_t MonotonicNs() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<int64_t>(now.tv_sec) * 1000000000 + now.tv_nsec;
}

bool ReadAffinity(cpu_set_t& set) {
  CPU_ZERO(&set);
  return sched_getaffinity(0, sizeof set, &set) == 0;
}

uint32_t MaskOf(const cpu_set_t& set) {
  uint32_t mask = 0;
  for (unsigned cpu = 0; cpu < 32; ++cpu) {
    if (CPU_ISSET(cpu, &set)) mask |= 1u << cpu;
  }
  return mask;
}

bool BindCallingThread(uint32_t mask) {
  if (mask == 0) return false;
  if (!binding.narrowed && !ReadAffinity(binding.unbound)) return false;
  cpu_set_t set;
  if (mask == MaskOf(binding.unbound)) {
    set = binding.unbound;
  } else {
    CPU_ZERO(&set);
    for (unsigned cpu = 0; cpu < 32; ++cpu) {
      if (mask & (1u << cpu)) CPU_SET(cpu, &set);
    }
  }
  if (sched_setaffinity(0, sizeof set, &set) != 0) return false;
  binding.narrowed = !CPU_EQUAL(&set, &binding.unbound);
  return true;
}

}  // namespace

// One system call, where sysconf would open and read a file in /sys on every count.
uint32_t ProcessorCount() {
  if (binding.narrowed) return static_cast<uint32_t>(CPU_COUNT(&binding.unbound));
  cpu_set_t set;
  if (ReadAffinity(set)) return static_cast<uint32_t>(CPU_COUNT(&set));
  const long count = sysconf(_SC_NPROCESSORS_ONLN);  // more processors than a cpu_set_t holds
  return count > 0 ? static_cast<uint32_t>(count) : 1;
}

// The calling thread, the one that executes CPUID, is bound, which runs each CPUID on the
// chosen processor just the same.
void InitAffinity() {
  cpu_set_t set;
  affinityAvailable = ReadAffinity(set);
}

bool AffinityAvailable() {
  return affinityAvailable;
}

uint32_t ProcessAffinity() {
  cpu_set_t set;
  return ReadAffinity(set) ? MaskOf(set) : 0;
}

void SetProcessAffinity(uint32_t mask) {
  if (affinityAvailable) BindCallingThread(mask);
}

uint32_t SetThreadAffinity(uint32_t mask) {
  const uint32_t previous = ProcessAffinity();
  return previous != 0 && BindCallingThread(mask) ? previous : 0;
}

void YieldProcessor() {
  sched_yield();
}

ProcessPriority CurrentProcessPriority() {
  errno = 0;
  const int nice = getpriority(PRIO_PROCESS, 0);
  return ProcessPriority{errno == 0 ? nice : 0};
}

void SetProcessPriority(ProcessPriority priority) {
  setpriority(PRIO_PROCESS, 0, static_cast<int>(priority.value));
}

void RaiseProcessPriorityToRealtime() {
  setpriority(PRIO_PROCESS, 0, -20);
}

ThreadPriority CurrentThreadPriority() {
  int policy = SCHED_OTHER;
  sched_param param{};
  if (pthread_getschedparam(pthread_self(), &policy, &param) != 0) return ThreadPriority{};
  return ThreadPriority{policy, param.sched_priority};
}

void SetThreadPriority(ThreadPriority priority) {
  sched_param param{};
  param.sched_priority = static_cast<int>(priority.value);
  pthread_setschedparam(pthread_self(), static_cast<int>(priority.policy), &param);
}

void RaiseThreadPriorityToTimeCritical() {
  sched_param param{};
  param.sched_priority = sched_get_priority_max(SCHED_FIFO);
  pthread_setschedparam(pthread_self(), SCHED_FIFO, &param);
}

int64_t PerformanceCounter() {
  return MonotonicNs();
}

int64_t PerformanceFrequency() {
  return 1000000000;
}

uint32_t TickCount() {
  return static_cast<uint32_t>(MonotonicNs() / 1000000);
}

void SleepMs(uint32_t milliseconds) {
  timespec remaining{static_cast<time_t>(milliseconds / 1000),
                     static_cast<long>(milliseconds % 1000) * 1000000L};
  while (nanosleep(&remaining, &remaining) != 0 && errno == EINTR) {
  }
}

void SleepUntil(int64_t deadline) {
  // Wake a little early and spin the rest, so scheduler latency does not stretch it.
  constexpr int64_t kSpinNs = 2000000;
  const int64_t wake = deadline - kSpinNs;
  if (MonotonicNs() < wake) {
    timespec at{static_cast<time_t>(wake / 1000000000), static_cast<long>(wake % 1000000000)};
    while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &at, nullptr) == EINTR) {
    }
  }
  while (MonotonicNs() < deadline) {
  }
}

uint64_t ReadTimeStampCounter() {
  return __rdtsc();
}

uint64_t TotalPhysicalMemory() {
  const long pages = sysconf(_SC_PHYS_PAGES);
  const long pageSize = sysconf(_SC_PAGESIZE);
  if (pages <= 0 || pageSize <= 0) return 0;
  return static_cast<uint64_t>(pages) * static_cast<uint64_t>(pageSize);
}

}  // namespace platform
