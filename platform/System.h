// Operating-system services the processor library and the clock measurement stand on.
// One POSIX and one Win32 implementation; nothing above platform/ includes an OS header.
#pragma once

#include <cstdint>

namespace platform {

// Number of processors the operating system reports: GetSystemInfo on Windows; on Linux
// the processors the process may run on (sched_getaffinity), not counting the library's
// own narrowing of a thread to one processor.
uint32_t ProcessorCount();

// Process-wide affinity, as 32-bit masks: bit n is processor n.
// AffinityAvailable() tells whether the binding function was found at start-up
// (on Windows SetProcessAffinityMask is looked up at run time); when it is false
// SetProcessAffinity does nothing.
void InitAffinity();
bool AffinityAvailable();
uint32_t ProcessAffinity();
void SetProcessAffinity(uint32_t mask);

// Binds the calling thread alone, for work that runs on several processors at once
// (SetThreadAffinityMask; on Linux, which binds threads, the same as SetProcessAffinity).
// Returns the mask the thread had, or 0 when the system refused the new one.
uint32_t SetThreadAffinity(uint32_t mask);

// Gives up the rest of the time slice (Sleep(0)), so that a new affinity takes effect.
void YieldProcessor();

// Scheduling priorities. The values are opaque tokens: read one, raise, restore it later.
// A raise the system refuses is silent.
struct ProcessPriority {
  int64_t value = 0;
};
struct ThreadPriority {
  int64_t policy = 0;
  int64_t value = 0;
};
ProcessPriority CurrentProcessPriority();
void SetProcessPriority(ProcessPriority priority);
void RaiseProcessPriorityToRealtime();
ThreadPriority CurrentThreadPriority();
void SetThreadPriority(ThreadPriority priority);
void RaiseThreadPriorityToTimeCritical();

// The real clocks of the machine.
int64_t PerformanceCounter();    // QueryPerformanceCounter, or CLOCK_MONOTONIC in ns
int64_t PerformanceFrequency();  // counts per second
uint32_t TickCount();            // milliseconds since an arbitrary start, wraps
void SleepMs(uint32_t milliseconds);
// Sleeps until the performance counter reaches deadline: an ordinary sleep to a little
// short of it, then a spin on the counter, so a wake-up late by the scheduler's latency
// does not stretch the interval.
void SleepUntil(int64_t deadline);

// The processor's time-stamp counter (RDTSC).
uint64_t ReadTimeStampCounter();

// Installed physical memory in bytes (0 when unknown).
uint64_t TotalPhysicalMemory();

}  // namespace platform
