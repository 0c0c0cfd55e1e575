// Win32 implementation of the operating-system services.
#include "platform/System.h"

#include <algorithm>
#include <bit>

#include <windows.h>
// After windows.h, which they build on.
#include <intrin.h>
#include <mmsystem.h>

// winnt.h defines these two names as macros over the pause and rdtsc intrinsics; ours are
// the functions of System.h (YieldProcessor is the Sleep(0) yield).
#undef YieldProcessor
#undef ReadTimeStampCounter

namespace platform {
namespace {

using SetAffinityFunction = decltype(&::SetProcessAffinityMask);

// Resolved once by InitAffinity: systems without the function still run, unbound.
SetAffinityFunction set_process_affinity_ = nullptr;
bool affinity_looked_up_ = false;

// The plain sleep of SleepUntil stops this short of the deadline: with a 1 ms timer
// period a sleep overshoots by up to about a period, and the spin covers the rest.
constexpr double kSpinMarginMs = 2;
// One plain sleep at most this long, so a far deadline never reaches INFINITE.
constexpr double kLongestSleepMs = 3600000;

}  // namespace

uint32_t ProcessorCount() {
  SYSTEM_INFO info{};
  ::GetSystemInfo(&info);
  return info.dwNumberOfProcessors;
}

void InitAffinity() {
  if (affinity_looked_up_) return;
  affinity_looked_up_ = true;
  // The module stays loaded for the life of the process.
  HMODULE kernel = ::LoadLibraryW(L"KERNEL32.DLL");
  if (kernel == nullptr) return;
  FARPROC address = ::GetProcAddress(kernel, "SetProcessAffinityMask");
  if (address != nullptr) set_process_affinity_ = std::bit_cast<SetAffinityFunction>(address);
}

bool AffinityAvailable() {
  return set_process_affinity_ != nullptr;
}

uint32_t ProcessAffinity() {
  DWORD_PTR process = 0;
  DWORD_PTR system = 0;
  if (!::GetProcessAffinityMask(::GetCurrentProcess(), &process, &system)) return 0;
  return static_cast<uint32_t>(process);
}

void SetProcessAffinity(uint32_t mask) {
  if (set_process_affinity_ != nullptr) set_process_affinity_(::GetCurrentProcess(), mask);
}

uint32_t SetThreadAffinity(uint32_t mask) {
  if (mask == 0) return 0;
  return static_cast<uint32_t>(::SetThreadAffinityMask(::GetCurrentThread(), mask));
}

void YieldProcessor() {
  ::Sleep(0);
}

ProcessPriority CurrentProcessPriority() {
  return ProcessPriority{static_cast<int64_t>(::GetPriorityClass(::GetCurrentProcess()))};
}

void SetProcessPriority(ProcessPriority priority) {
  ::SetPriorityClass(::GetCurrentProcess(), static_cast<DWORD>(priority.value));
}

void RaiseProcessPriorityToRealtime() {
  // Without the privilege for it, Windows grants the high class instead.
  ::SetPriorityClass(::GetCurrentProcess(), REALTIME_PRIORITY_CLASS);
}

ThreadPriority CurrentThreadPriority() {
  return ThreadPriority{0, ::GetThreadPriority(::GetCurrentThread())};
}

void SetThreadPriority(ThreadPriority priority) {
  ::SetThreadPriority(::GetCurrentThread(), static_cast<int>(priority.value));
}

void RaiseThreadPriorityToTimeCritical() {
  ::SetThreadPriority(::GetCurrentThread(), THREAD_PRIORITY_TIME_CRITICAL);
}

int64_t PerformanceCounter() {
  LARGE_INTEGER count{};
  ::QueryPerformanceCounter(&count);
  return count.QuadPart;
}

int64_t PerformanceFrequency() {
  LARGE_INTEGER frequency{};
  ::QueryPerformanceFrequency(&frequency);
  return frequency.QuadPart;
}

uint32_t TickCount() {
  return ::GetTickCount();
}

void SleepMs(uint32_t milliseconds) {
  ::Sleep(milliseconds);
}

void SleepUntil(int64_t deadline) {
  const double countsPerMs = static_cast<double>(PerformanceFrequency()) / 1000.0;
  bool periodRaised = false;
  while (countsPerMs > 0) {
    const int64_t now = PerformanceCounter();
    if (now >= deadline) break;
    const double sleepMs = static_cast<double>(deadline - now) / countsPerMs - kSpinMarginMs;
    if (sleepMs < 1) break;
    if (!periodRaised) {
      // A 1 ms timer period keeps the plain sleep's overshoot within the margin.
      ::timeBeginPeriod(1);
      periodRaised = true;
    }
    ::Sleep(static_cast<DWORD>(std::min(sleepMs, kLongestSleepMs)));
  }
  if (periodRaised) ::timeEndPeriod(1);
  while (PerformanceCounter() < deadline) _mm_pause();
}

uint64_t ReadTimeStampCounter() {
  return __rdtsc();
}

uint64_t TotalPhysicalMemory() {
  MEMORYSTATUSEX status{};
  status.dwLength = sizeof(status);
  if (!::GlobalMemoryStatusEx(&status)) return 0;
  return status.ullTotalPhys;
}

}  // namespace platform
