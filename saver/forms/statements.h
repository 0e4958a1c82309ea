// The statements and system calls the forms use besides their controls.
#pragma once

#include <optional>
#include <string>

#include "types.h"

namespace qgf {

// Starts a program as a new process with a normal, focused window, without
// waiting for it. False when it could not be started.
bool Shell(const std::string& program);
// Creates a folder (one level). False when it could not be made or exists.
bool MakeFolder(const std::string& path);
// A modal message box with an OK button only.
void MsgBox(const std::string& text, const std::string& caption);

// The platform's file-open dialog. Empty when cancelled or failed.
struct OpenFileRequest {
  WindowId owner = 0;
  std::string title;           // UTF-8
  std::string filter_name;     // "BGMﾌｧｲﾙ (MP3 WAV)"
  std::string filter_pattern;  // "*.MP3;*.WAV" (matched case-insensitively)
  std::string initial_folder;
};
std::optional<std::string> OpenFileDialog(const OpenFileRequest& request);

// Opens a document or address with the system's handler (a browser for a web
// address). False when nothing could be started.
bool OpenDocument(const std::string& target);

// The pointer position on the screen in the pixels forms are placed in;
// false when unknown.
bool CursorPos(Point& position);
// The deepest window under a screen point, 0 if none.
WindowId WindowFromPoint(Point screen_point);
// A window's rectangle in screen pixels; false (rect all zero) when invalid.
bool WindowRect(WindowId window, PixelRect& rect);
// A top-level window of any class with this caption (mapped or not), 0 if none.
WindowId FindWindowByCaption(const std::string& caption);
// The platform's cursor display counter: a nonzero flag shows (count + 1),
// zero hides (count - 1); returns the new count. Hidden while the count < 0.
int ShowCursor(int flag);

}  // namespace qgf
