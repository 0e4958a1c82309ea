#include "win32_time_source.h"

#include <windows.h>
#include <mmsystem.h>

bool Win32TimeSource::QueryFrequency(int64_t* countsPerSecond) {
  LARGE_INTEGER frequency;
  frequency.QuadPart = 0;
  if (!QueryPerformanceFrequency(&frequency) || frequency.QuadPart <= 0) return false;
  *countsPerSecond = frequency.QuadPart;
  return true;
}

int64_t Win32TimeSource::ReadCounter() {
  LARGE_INTEGER count;
  count.QuadPart = 0;
  QueryPerformanceCounter(&count);
  return count.QuadPart;
}

uint32_t Win32TimeSource::ReadMilliseconds() { return timeGetTime(); }
