#include "alarm/clock.h"

namespace pinlark {
namespace {

SYSTEMTIME SystemLocalTime() {
  SYSTEMTIME now;
  GetLocalTime(&now);
  return now;
}

ClockFunction g_clock = SystemLocalTime;

}  // namespace

ClockFunction SetClockFunction(ClockFunction clock) {
  const ClockFunction previous = g_clock;
  g_clock = clock != nullptr ? clock : SystemLocalTime;
  return previous;
}

SYSTEMTIME CurrentLocalTime() { return g_clock(); }

}  // namespace pinlark
