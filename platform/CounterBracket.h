// A time-stamp-counter reading placed on the performance counter's time line. The
// counter is read between two readings of the clock; a thread pre-empted (or a virtual
// processor descheduled) between them shows as a wide bracket, so the tightest of a few
// brackets tells when the reading was taken, to within its span. Nothing here reads a
// real clock: the clocks are any object with PerformanceCounter() and TimeStampCounter().
#pragma once

#include <cstdint>

namespace platform {

struct CounterReading {
  uint64_t ticks = 0;  // the time-stamp counter
  int64_t before = 0;  // the performance counter just before it was read
  int64_t after = 0;   // and just after
  // Whole counts the reading may lie in: a reading between before and after happened at
  // or after before and before after + 1.
  int64_t Span() const { return after - before + 1; }
  // The instant of the reading in counts, off by half the span at most.
  double Middle() const { return static_cast<double>(before) + static_cast<double>(Span()) / 2.0; }
};

// Counter ticks between two readings and the time between them in performance-counter
// counts, with the most the time may be off by.
struct TimedTicks {
  uint64_t ticks = 0;
  double counts = 0;
  double uncertainty = 0;  // counts
};

inline TimedTicks Between(const CounterReading& start, const CounterReading& end) {
  return TimedTicks{end.ticks - start.ticks, end.Middle() - start.Middle(),
                    static_cast<double>(start.Span() + end.Span()) / 2.0};
}

// Brackets read for each reading at least, and at most while none is within the span
// asked for: a bracket takes well under a microsecond, and a pre-emption falls inside one
// only now and then, so a few show the uninterrupted width and a thousand rule out all but
// a machine that cannot be timed to that span.
inline constexpr int kLeastBrackets = 3;
inline constexpr int kMostBrackets = 1000;

template <class Clocks>
CounterReading BracketedReading(Clocks& clocks) {
  CounterReading reading;
  reading.before = clocks.PerformanceCounter();
  reading.ticks = clocks.TimeStampCounter();
  reading.after = clocks.PerformanceCounter();
  return reading;
}

// The tightest of kLeastBrackets brackets, more while it spans over widestSpan counts.
template <class Clocks>
CounterReading TightestReading(Clocks& clocks, int64_t widestSpan) {
  CounterReading best = BracketedReading(clocks);
  for (int read = 1; read < kLeastBrackets || (best.Span() > widestSpan && read < kMostBrackets);
       ++read) {
    const CounterReading next = BracketedReading(clocks);
    if (next.Span() < best.Span()) best = next;
  }
  return best;
}

// The widest span, in counts, that times a reading to within microseconds on a counter
// of the given frequency (counts per second).
inline int64_t SpanWithin(int64_t frequency, double microseconds) {
  return static_cast<int64_t>(static_cast<double>(frequency) * microseconds / 1e6);
}

}  // namespace platform
