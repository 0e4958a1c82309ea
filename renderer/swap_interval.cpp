#include "swap_interval.h"

#include <cstdlib>
#include <cstring>

int RequestedSwapInterval() { return SwapIntervalFrom(std::getenv("QG_SWAP_INTERVAL")); }

int SwapIntervalFrom(const char* value) {
  if (!value || !*value) return 1;
  char* end = nullptr;
  const long n = std::strtol(value, &end, 10);
  if (*end != '\0' || n < 0 || n > 1000) return 1;
  return static_cast<int>(n);
}

bool ExtensionListHas(const char* list, const char* name) {
  if (!list || !name || !*name) return false;
  const size_t length = std::strlen(name);
  // Whole words only: GLX_EXT_swap_control must not match GLX_EXT_swap_control_tear.
  for (const char* at = std::strstr(list, name); at; at = std::strstr(at + 1, name)) {
    const bool starts = at == list || at[-1] == ' ';
    const bool ends = at[length] == ' ' || at[length] == '\0';
    if (starts && ends) return true;
  }
  return false;
}
