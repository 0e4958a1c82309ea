// The renderer's spine: start-up, the window, the display-mode switch, the GL
// context, the message loop with its window procedure, and the teardown. It
// drives the scene through the platform interface, so it runs unchanged on
// every windowing system (and against a fake one in tests).
#pragma once

#include <cstdint>
#include <string>

#include "renderer_platform.h"

// Exit codes of the program.
constexpr int kExitNormal = 0;
constexpr int kExitNoWindow = 1;

// Window style value meaning "choose one" (the show always passes it).
constexpr int kStyleChoose = 0;

// The entry point: runs the whole show on the given platform and returns the
// exit code (0 after any quit, 1 when the window cannot be created).
int RendererMain(RendererPlatform& platform);

// Connects to the display, switches its mode (full screen only), hides the
// cursor and opens the drawing target: the window with its GL format, shown
// and focused. False when no window could be made.
bool CreateRendererWindow(const std::string& title, int width, int height, int style, bool fullScreen);
// Switches the display to the show's size; a refused switch posts a quit.
void SwitchDisplayMode();
// Seeds rand(), reads the client size, creates the GL context, loads the
// snapshot texture, starts the animation and sets the fixed GL state.
void InitScene();
// Pixel format, context, and the viewport for the given client size.
void CreateGLContext(int width, int height);
bool SetupPixelFormat();
// Takes messages until the quit message, drawing a frame whenever none
// waits; returns the quit message's code.
int RunMessageLoop();
// The window procedure's table.
intptr_t RendererWindowProc(const RendererMessage& message);
// Releases the context, destroys the window, restores the display mode and
// the cursor, and gives the system screensaver back.
void DestroyRendererWindow();

// Appends a message to the renderer's own queue.
void PostRendererMessage(const RendererMessage& message);
// Posts the quit message carrying the exit code.
void PostQuitMessage(int exitCode);

// What tests can observe of the spine.
struct RendererSpineStats {
  uint64_t framesDrawn = 0;
  uint64_t messagesDispatched = 0;
  bool hasGLContext = false;
  bool hasWindow = false;
};
const RendererSpineStats& SpineStats();
