// The show's fixed geometry and names. The renderer has no configuration:
// everything here is built in.
#pragma once

struct DisplaySettingsT {
  int width = 1024;       // display-mode width and window width
  int height = 768;       // display-mode height and window height
  int colourBits = 16;    // requested colour and depth-buffer bits of the GL visual
  const char* windowName = "Wobblevista_VC";  // window class and caption; the host polls it
  bool fullScreen = true; // always true in a show; set again by the entry point
};

// The single program-wide instance (inline, so no translation unit owns it).
inline DisplaySettingsT DisplaySettings;
