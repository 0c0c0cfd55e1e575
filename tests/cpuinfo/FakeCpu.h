// An in-memory processor for the library's tests: a map of leaves, a processor count
// and, when asked for, a binding that records every call.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "cpuinfo/CpuidSource.h"
#include "cpuinfo/Information.h"

namespace cpuinfo::testing {

// Records the binding calls as text: "mask", "set 4", "yield".
class RecordingBinding final : public ProcessorBinding {
 public:
  bool Available() override { return available; }
  uint32_t Mask() override {
    calls.push_back("mask");
    return mask;
  }
  void SetMask(uint32_t newMask) override {
    calls.push_back("set " + std::to_string(newMask));
    mask = newMask;
  }
  void Yield() override { calls.push_back("yield"); }

  bool available = true;
  uint32_t mask = 0x3;
  std::vector<std::string> calls;
};

class FakeCpu final : public CpuidSource {
 public:
  FakeCpu& Set(uint32_t leaf, uint32_t eax, uint32_t ebx, uint32_t ecx, uint32_t edx) {
    leaves_[leaf] = CpuidRegisters{eax, ebx, ecx, edx};
    return *this;
  }
  // Leaf 0: the highest standard leaf and the 12-character identification string.
  FakeCpu& Vendor(const std::string& id, uint32_t maxLeaf = 1) {
    return Set(0, maxLeaf, Word(id, 0), Word(id, 8), Word(id, 4));
  }
  FakeCpu& Signature(uint32_t eax, uint32_t ebx = 0, uint32_t edx = 0, uint32_t ecx = 0) {
    return Set(1, eax, ebx, ecx, edx);
  }
  FakeCpu& ExtendedMax(uint32_t maxLeaf) { return Set(0x80000000, maxLeaf, 0, 0, 0); }
  // Leaves 0x80000002-4 spelling the text, NUL-padded to 48 characters.
  FakeCpu& BrandString(const std::string& text) {
    std::string padded = text;
    padded.resize(48, '\0');
    for (uint32_t i = 0; i < 3; ++i) {
      const std::string part = padded.substr(i * 16, 16);
      Set(0x80000002 + i, Word(part, 0), Word(part, 4), Word(part, 8), Word(part, 12));
    }
    return *this;
  }
  FakeCpu& Processors(uint32_t count) {
    processors_ = count;
    return *this;
  }
  FakeCpu& WithBinding(RecordingBinding& binding) {
    binding_ = &binding;
    return *this;
  }

  CpuidRegisters Execute(uint32_t leaf) override {
    ++executions[leaf];
    if (binding_) executedUnderMask.push_back(binding_->mask);
    auto found = leaves_.find(leaf);
    return found == leaves_.end() ? CpuidRegisters{} : found->second;
  }
  uint32_t ProcessorCount() override { return processors_; }
  ProcessorBinding* Binding() override { return binding_; }

  std::map<uint32_t, int> executions;
  std::vector<uint32_t> executedUnderMask;

  static uint32_t Word(const std::string& text, size_t offset) {
    uint32_t value = 0;
    for (size_t i = 0; i < 4 && offset + i < text.size(); ++i) {
      value |= static_cast<uint32_t>(static_cast<unsigned char>(text[offset + i])) << (8 * i);
    }
    return value;
  }

 private:
  std::map<uint32_t, CpuidRegisters> leaves_;
  uint32_t processors_ = 1;
  RecordingBinding* binding_ = nullptr;
};

inline Ref<IProcessorInformation> Processor0() {
  return CpuInstance().Information(0);
}

}  // namespace cpuinfo::testing
