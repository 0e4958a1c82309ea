// The show's one top-level window on Windows: its class, the window itself,
// the window procedure that hands every message to the renderer's table,
// and the non-blocking message pump.
#pragma once

#include <windows.h>

#include <string>

#include "renderer_platform.h"

class Win32ShowWindow {
 public:
  using Table = intptr_t (*)(const RendererMessage&);

  explicit Win32ShowWindow(HINSTANCE instance) : instance_(instance) {}
  // The renderer's window procedure table every message goes through.
  void SetTable(Table table) { table_ = table; }

  bool Create(const std::string& title, int x, int y, int width, int height);
  void Show();
  void Focus();
  void ClientSize(int* width, int* height);
  void Destroy();
  // Unregisters the class; the window must be gone.
  void Unregister();

  // The system's handling of the message being dispatched.
  intptr_t DefaultProc(const RendererMessage& message);
  // Begins and ends painting of the message being dispatched.
  void Validate();

  // Dispatches every waiting message; true with the quit message when one
  // was taken, false once the queue is empty.
  bool Pump(RendererMessage* quit);

  HWND handle() const { return window_; }

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  // The message being dispatched, as the system sent it (nested dispatch
  // saves and restores it).
  struct Raw {
    HWND window = nullptr;
    UINT message = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
  };

  HINSTANCE instance_;
  Table table_ = nullptr;
  std::string className_;
  HWND window_ = nullptr;
  Raw current_;
};
