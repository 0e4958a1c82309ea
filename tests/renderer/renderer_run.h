// Running Quiverglide.dll under a private X server with a snapshot of our
// choosing, and the pictures the tests give it.
#pragma once

#include <chrono>
#include <functional>
#include <memory>
#include <string>

#include "process.h"
#include "x11_probe.h"

// A snapshot file as the host writes it (32 bits a pixel, through the host's
// own writer) whose left half is one colour and right half another.
std::string TwoColourBitmap(int width, int height, Rgb left, Rgb right);

// Writes the snapshot where the renderer looks for it with XDG_RUNTIME_DIR set
// to runtimeDir (the folder private, as the renderer requires).
void WriteSnapshot(const std::string& runtimeDir, const std::string& bytes);
std::string SnapshotPathFor(const std::string& runtimeDir);

std::unique_ptr<qgtest::Process> StartRenderer(const std::string& display, const std::string& runtimeDir,
                                               const std::string& stderrPath);
using qgtest::ReadFile;

using qgtest::WaitUntil;

// True when the 2 x 2 block at (x, y) is all the colour: the test server's
// root weave is never a single colour over four neighbouring pixels.
bool BlockIs(X11Probe& probe, int x, int y, const Rgb& colour);

// A window id as the daemon writes it: "0x..." in hex.
std::string HexWindowId(unsigned long window);
// A plain black top-level window of the probe's, mapped outside any window
// manager's say, as the screensaver daemon makes its own.
Window MapPlainWindow(X11Probe& probe, int x, int y, int width, int height);
