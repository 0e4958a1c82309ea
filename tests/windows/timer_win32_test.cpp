// Form timers on Windows: ticks arrive through the thread's message loop at
// about their interval, stop when disabled, restart their count when enabled
// again, and survive a failing handler.
#include <windows.h>

#include <gtest/gtest.h>

#include <stdexcept>

#include "forms/timer.h"

namespace {

// Runs the thread's message loop for about `ms`.
void Pump(DWORD ms) {
  const DWORD start = GetTickCount();
  while (GetTickCount() - start < ms) {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
}

TEST(TimerWin32, TicksAtItsIntervalOnlyWhileEnabled) {
  qgf::Timer timer;
  int ticks = 0;
  timer.onTick = [&] { ++ticks; };
  timer.SetInterval(100);
  Pump(300);
  EXPECT_EQ(ticks, 0) << "a new timer is disabled";

  timer.SetEnabled(true);
  Pump(1000);
  EXPECT_GE(ticks, 4);  // about 10; the margins are for a loaded machine
  EXPECT_LE(ticks, 14);

  timer.SetEnabled(false);
  const int stopped = ticks;
  Pump(400);
  EXPECT_EQ(ticks, stopped);

  timer.SetInterval(0);
  timer.SetEnabled(true);
  Pump(300);
  EXPECT_EQ(ticks, stopped) << "an interval of 0 never ticks";
}

TEST(TimerWin32, EnablingAgainRestartsTheCount) {
  qgf::Timer timer;
  int ticks = 0;
  timer.onTick = [&] { ++ticks; };
  timer.SetInterval(1500);
  timer.SetEnabled(true);
  Pump(700);
  timer.SetEnabled(true);  // restarts: the next tick is 1500 ms from here
  Pump(700);
  EXPECT_EQ(ticks, 0) << "the count went on from the first enabling";
  Pump(1600);
  EXPECT_GE(ticks, 1);
}

TEST(TimerWin32, AFailingHandlerEndsOnlyItselfAndTimersStayApart) {
  qgf::Timer failing, other;
  int failingTicks = 0, otherTicks = 0;
  failing.onTick = [&] {
    ++failingTicks;
    throw std::runtime_error("handler failed");
  };
  other.onTick = [&] { ++otherTicks; };
  failing.SetInterval(100);
  other.SetInterval(100);
  failing.SetEnabled(true);
  other.SetEnabled(true);
  Pump(700);
  EXPECT_GE(failingTicks, 2) << "it kept ticking after a failure";
  EXPECT_GE(otherTicks, 2);
  {
    qgf::Timer gone;
    gone.onTick = [&] { ADD_FAILURE() << "a destroyed timer ticked"; };
    gone.SetInterval(50);
    gone.SetEnabled(true);
  }
  Pump(200);
}

}  // namespace
