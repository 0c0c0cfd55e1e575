// The highest scheduling priority for a measurement: the process's class raised to real
// time and the thread's priority to time-critical while the object lives, both restored
// afterwards (the thread's first). A raise the system refuses is silent.
#pragma once

#include "platform/System.h"

namespace speedtest {

class RaisedPriority {
 public:
  RaisedPriority()
      : process_(platform::CurrentProcessPriority()), thread_(platform::CurrentThreadPriority()) {
    platform::RaiseProcessPriorityToRealtime();
    platform::RaiseThreadPriorityToTimeCritical();
  }
  ~RaisedPriority() {
    platform::SetThreadPriority(thread_);
    platform::SetProcessPriority(process_);
  }
  RaisedPriority(const RaisedPriority&) = delete;
  RaisedPriority& operator=(const RaisedPriority&) = delete;

 private:
  platform::ProcessPriority process_;
  platform::ThreadPriority thread_;
};

}  // namespace speedtest
