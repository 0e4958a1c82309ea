// How many display refreshes each buffer swap waits for. The show draws frame
// after frame, bounded by the swap; on a real GPU an interval of 1 makes that
// one frame per refresh instead of as many as the card can draw. The
// benchmarks measure the uncapped rate with QG_SWAP_INTERVAL=0.
#pragma once

// 1 unless QG_SWAP_INTERVAL names another whole number from 0 up.
int RequestedSwapInterval();
// The same for a given value of the variable (null when unset).
int SwapIntervalFrom(const char* value);

// Whether a space-separated extension list (GL, GLX, WGL) names the extension.
bool ExtensionListHas(const char* list, const char* name);
