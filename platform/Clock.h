#pragma once
// The local clock behind one small interface, so that tests can set the time
// the activation defaults read.

#include <QDateTime>

namespace platform {

class IClock {
 public:
  virtual ~IClock() = default;
  // Local date and time of day, to the millisecond.
  virtual QDateTime Now() = 0;
};

// The process-wide clock: the system's local time unless a test installed
// another through ScopedClock.
IClock& Clock();

class ScopedClock {
 public:
  explicit ScopedClock(IClock* clock);
  ~ScopedClock();
  ScopedClock(const ScopedClock&) = delete;
  ScopedClock& operator=(const ScopedClock&) = delete;

 private:
  IClock* previous_;
};

}  // namespace platform
