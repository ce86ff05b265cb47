// The one clock of the end-to-end programs: microseconds on QueryPerformanceCounter, which Wine keeps
// on one clock for every process, so that a moment logged by the sample application compares with
// one the control program takes.
#pragma once

#include <windows.h>

inline long long clockMicros() {
  LARGE_INTEGER now{};
  LARGE_INTEGER frequency{};
  QueryPerformanceCounter(&now);
  QueryPerformanceFrequency(&frequency);
  return now.QuadPart / frequency.QuadPart * 1000000 + now.QuadPart % frequency.QuadPart * 1000000 / frequency.QuadPart;
}
