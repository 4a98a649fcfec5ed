#include "Clock.h"

namespace platform {
namespace {

class SystemClock final : public IClock {
 public:
  QDateTime Now() override { return QDateTime::currentDateTime(); }
};

SystemClock g_systemClock;
IClock* g_clock = &g_systemClock;

}  // namespace

IClock& Clock() { return *g_clock; }

ScopedClock::ScopedClock(IClock* clock) : previous_(g_clock) {
  g_clock = clock ? clock : &g_systemClock;
}

ScopedClock::~ScopedClock() { g_clock = previous_; }

}  // namespace platform
