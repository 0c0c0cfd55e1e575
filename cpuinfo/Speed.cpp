#include "cpuinfo/Speed.h"

#include <cmath>
#include <limits>

#include "cpuinfo/Cache.h"
#include "cpuinfo/Features.h"
#include "cpuinfo/Processor.h"
#include "cpuinfo/TextFormat.h"
#include "cpuinfo/Vendor.h"
#include "platform/CounterBracket.h"
#include "platform/FloatingPoint.h"
#include "platform/System.h"

namespace cpuinfo {
namespace {

platform::MeasurementClocks* installedClocks = nullptr;

constexpr uint32_t kWindowMs = 200;
constexpr uint32_t kMinimumElapsedMs = 5;
// The window is timed to within this (10 ppm of 200 ms), or taken again, up to kWindows
// times in all; the best-timed one counts.
constexpr double kWidestUncertaintyUs = 2;
constexpr int kWindows = 3;

}  // namespace

platform::MeasurementClocks& ActiveSpeedClocks() {
  return installedClocks ? *installedClocks : platform::MachineMeasurementClocks();
}

platform::MeasurementClocks* InstallSpeedClocks(platform::MeasurementClocks* clocks) {
  platform::MeasurementClocks* previous = installedClocks;
  installedClocks = clocks;
  return previous;
}

TCpuSpeedThread::TCpuSpeedThread() : thread_([this] { Execute(); }) {}

TCpuSpeedThread::~TCpuSpeedThread() {
  WaitFor();
}

void TCpuSpeedThread::WaitFor() {
  if (thread_.joinable()) thread_.join();
}

void TCpuSpeedThread::Execute() {
  platform::MeasurementClocks& clocks = ActiveSpeedClocks();
  clocks.RaiseToTimeCritical();
  const int64_t f = clocks.PerformanceFrequency();
  if (f <= 0) return;  // no usable performance counter: the rate stays 0
  const int64_t widestSpan = platform::SpanWithin(f, kWidestUncertaintyUs);
  double leastUncertainty = 0;
  for (int window = 0; window < kWindows; ++window) {
    // Each counter read bracketed by the performance counter, so that a pre-emption
    // between the two counters' reads is seen rather than counted.
    const platform::CounterReading start = platform::TightestReading(clocks, widestSpan);
    const uint32_t t = clocks.TickCount();
    clocks.SleepMs(kWindowMs);
    // Only guards against a sleep that ended early; the elapsed time comes from the
    // performance counter.
    while (static_cast<uint32_t>(clocks.TickCount() - t) < kMinimumElapsedMs) {
    }
    const platform::CounterReading end = platform::TightestReading(clocks, widestSpan);
    const platform::TimedTicks timed = platform::Between(start, end);
    if (timed.counts <= 0) return;
    if (window > 0 && timed.uncertainty >= leastUncertainty) continue;
    leastUncertainty = timed.uncertainty;
    const double seconds = timed.counts / static_cast<double>(f);
    FMhz = static_cast<double>(timed.ticks) / seconds / 1000000.0;
    if (timed.uncertainty <= static_cast<double>(widestSpan)) return;
  }
}

int32_t TCpuSpeedThread::Mhz() const {
  if (!std::isfinite(FMhz) || FMhz <= 0) return 0;
  if (FMhz >= static_cast<double>(std::numeric_limits<int32_t>::max())) {
    return std::numeric_limits<int32_t>::max();
  }
  return static_cast<int32_t>(FMhz);
}

uint32_t NormalizeSpeed(uint32_t mhz) {
  const auto endings = SpeedEndings();
  const auto r = static_cast<int32_t>(mhz % 100);
  for (size_t i = 1; i < endings.size(); ++i) {
    const auto hi = static_cast<int32_t>(endings[i]);
    if (r >= hi) continue;
    const auto lo = static_cast<int32_t>(endings[i - 1]);
    if (r - lo < hi - r) return mhz - static_cast<uint32_t>(r - lo);
    return mhz + static_cast<uint32_t>(hi - r);
  }
  return mhz;
}

TProcessorSpeedInformation::TProcessorSpeedInformation(uint8_t processor) : FProcessor(processor) {
  TCpuSpeedThread thread;
  thread.WaitFor();
  FRawSpeed = thread.Mhz();
  FNormalizedSpeed = static_cast<int32_t>(NormalizeSpeed(static_cast<uint32_t>(FRawSpeed)));
}

std::string TProcessorSpeedInformation::Rating() {
  const Ref<IProcessorInformation> information = CpuInstance().Information(FProcessor);
  if (information->Vendor()->Index() != kVendorAmd) return {};
  return AmdRating(static_cast<uint32_t>(FNormalizedSpeed),
                   information->Cache()->Level2()->Size()->Value());
}

Ref<ICpuBoolean> TProcessorSerial::Available() {
  return CpuInstance().Information(FProcessor)->Features()->Standard()->ByBit(18)->Available();
}

bool TProcessorSerial::IsTransmeta() {
  return CpuInstance().Information(FProcessor)->Vendor()->Index() == kVendorTransmeta;
}

std::string TProcessorSerial::Text() {
  if (IsTransmeta()) return SerialGroup(FSerialHigh->Ebx()->Value());
  return SerialGroup(FSerialHigh->Eax()->Value()) + "-" + SerialGroup(FSerialLow->Edx()->Value()) +
         "-" + SerialGroup(FSerialLow->Ecx()->Value());
}

std::string TProcessorSerial::Digits() {
  std::string text = Text();
  std::erase(text, '-');
  return text;
}

Ref<ICpuBoolean> TProcessorErrata::FdivFlaw() {
  return MakeBoolean(DivisionFlawed(4195835.0, 3145727.0));
}

Ref<ICpuBoolean> TProcessorErrata::AmdErratum() {
  const Ref<IProcessorInformation> information = CpuInstance().Information(FProcessor);
  if (information->Vendor()->Index() != kVendorAmd) return MakeBoolean(false);
  const Ref<IProcessorSignature> signature = information->Signature();
  const bool erratum = signature->Family()->Value()->Value() == 6 &&
                       signature->Model()->Value()->Value() == 3 &&
                       signature->Stepping()->Value()->Value() == 0;
  return MakeBoolean(erratum);
}

std::string SerialGroup(uint32_t value) {
  std::string group = FormatText("%1.8x", {int64_t{value}});
  return group.insert(4, 1, '-');
}

bool DivisionFlawed(double x, double y) {
  // The flawed divider is found by x - (x / y) * y computed in doubles. On the x87 unit
  // the product would otherwise stay in 80 bits and leave a residue on every processor.
  const platform::DoublePrecision rounding;
  // volatile keeps the compiler from folding the steps away and stores each one as a
  // double: the processor's own divider must do the work.
  volatile double dividend = x;
  volatile double divisor = y;
  volatile double quotient = dividend / divisor;
  volatile double product = quotient * divisor;
  volatile double result = product - dividend;
  return result != 0.0;
}

}  // namespace cpuinfo
