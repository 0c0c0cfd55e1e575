// Where CPUID answers come from: the processor itself, or a recorded machine. The
// library asks whichever source is installed and does not know which it has.
#pragma once

#include <cstdint>

namespace cpuinfo {

struct CpuidRegisters {
  uint32_t eax = 0;
  uint32_t ebx = 0;
  uint32_t ecx = 0;
  uint32_t edx = 0;
  friend constexpr bool operator==(const CpuidRegisters&, const CpuidRegisters&) = default;
};

// Confines the code that executes CPUID to one processor (32-bit masks, bit n is
// processor n).
class ProcessorBinding {
 public:
  virtual ~ProcessorBinding() = default;
  // Whether the binding function exists on this system.
  virtual bool Available() = 0;
  virtual uint32_t Mask() = 0;
  virtual void SetMask(uint32_t mask) = 0;
  // Gives up the time slice so that a new mask takes effect (Sleep(0)).
  virtual void Yield() = 0;
};

class CpuidSource {
 public:
  virtual ~CpuidSource() = default;
  // Executes one leaf (ECX = 0) on the processor the caller currently runs on.
  virtual CpuidRegisters Execute(uint32_t leaf) = 0;
  // The number of processors the system reports.
  virtual uint32_t ProcessorCount() = 0;
  // How to bind to a processor, or null when the source has nothing to bind (a recorded
  // machine answers the same on every processor).
  virtual ProcessorBinding* Binding() = 0;
};

// The installed source; the processor's own CPUID unless another one is installed.
CpuidSource& ActiveCpuidSource();
// Installs a source (null: the hardware again) and returns the previous one (null when
// that was the hardware). The source must outlive its installation.
CpuidSource* InstallCpuidSource(CpuidSource* source);

// Installs a source for the lifetime of the scope.
class ScopedCpuidSource {
 public:
  explicit ScopedCpuidSource(CpuidSource& source) : previous_(InstallCpuidSource(&source)) {}
  ~ScopedCpuidSource() { InstallCpuidSource(previous_); }
  ScopedCpuidSource(const ScopedCpuidSource&) = delete;
  ScopedCpuidSource& operator=(const ScopedCpuidSource&) = delete;

 private:
  CpuidSource* previous_;
};

}  // namespace cpuinfo
