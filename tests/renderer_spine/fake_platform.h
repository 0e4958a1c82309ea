// A scripted stand-in for the windowing system: it records every platform
// call in order, counts frames by their buffer swaps, and hands out events
// when a given frame has been drawn.
#pragma once

#include <deque>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "renderer_platform.h"
#include "snapshot_loader.h"

class FakeLoader final : public LoaderPlatform {
 public:
  bool CanOpenForReading(const std::string& path) override {
    askedPaths.push_back(path);
    return false;
  }
  std::unique_ptr<MappedFile> MapWholeFile(const std::string& path) override {
    askedPaths.push_back(path);
    return nullptr;
  }
  void ShowErrorBox(const std::string& text) override { boxes.push_back(text); }
  std::vector<std::string> askedPaths;
  std::vector<std::string> boxes;
};

class FakePlatform final : public RendererPlatform {
 public:
  // What the fake answers.
  bool displayAvailable = true;
  bool modeReadable = true;
  bool modeSwitchAccepted = true;
  bool visualAvailable = true;
  bool windowCreatable = true;
  bool contextCreatable = true;
  // Events handed out once this many frames have been swapped.
  std::map<int, std::vector<RendererMessage>> eventsAfterFrame;
  // A termination signal arrives after this many frames (-1: never).
  int signalAfterFrame = -1;
  // Safety stop so a faulty loop cannot spin for ever.
  int maxFrames = 10000;

  std::vector<std::string> calls;
  int frames = 0;

  bool OpenDisplay(std::string* why) override {
    calls.push_back("OpenDisplay");
    if (!displayAvailable && why) *why = "no display";
    return displayAvailable;
  }
  void CloseDisplay() override { calls.push_back("CloseDisplay"); }
  bool ReadCurrentDisplayMode() override {
    calls.push_back("ReadCurrentDisplayMode");
    return modeReadable;
  }
  bool ChangeDisplayMode(int width, int height) override {
    calls.push_back("ChangeDisplayMode " + std::to_string(width) + "x" + std::to_string(height));
    return modeSwitchAccepted;
  }
  void RestoreDisplayMode() override { calls.push_back("RestoreDisplayMode"); }
  void ShowCursor(bool show) override { calls.push_back(show ? "ShowCursor" : "HideCursor"); }
  void ChoosePixelFormat(const PixelFormatRequest& r) override {
    calls.push_back("ChoosePixelFormat rgba=" + std::to_string(r.rgba) + " double=" + std::to_string(r.doubleBuffer) +
                    " colour=" + std::to_string(r.colourBits) + " depth=" + std::to_string(r.depthBits));
  }
  bool SetupPixelFormat() override {
    calls.push_back("SetupPixelFormat");
    return visualAvailable;
  }
  bool CreateWindow(const std::string& title, int x, int y, int w, int h) override {
    calls.push_back("CreateWindow " + title + " " + std::to_string(x) + "," + std::to_string(y) + " " +
                    std::to_string(w) + "x" + std::to_string(h));
    return windowCreatable;
  }
  void ShowWindow() override {
    calls.push_back("ShowWindow");
    pending.push_back(RendererMessage{kMsgPaint, 0, 0});  // a new window is exposed
  }
  void SetFocus() override { calls.push_back("SetFocus"); }
  void GetClientSize(int* w, int* h) override {
    calls.push_back("GetClientSize");
    *w = 1024;
    *h = 768;
  }
  void DestroyWindow() override { calls.push_back("DestroyWindow"); }
  void ValidateWindow() override { calls.push_back("ValidateWindow"); }
  intptr_t DefaultWindowProc(const RendererMessage& m) override {
    calls.push_back("Default " + std::to_string(m.message));
    return 77;
  }
  bool CreateGLContext() override {
    calls.push_back("CreateGLContext");
    return contextCreatable;
  }
  void DestroyGLContext() override { calls.push_back("DestroyGLContext"); }
  void SwapBuffers() override {
    calls.push_back("Swap");
    ++frames;
    auto it = eventsAfterFrame.find(frames);
    if (it != eventsAfterFrame.end()) pending.insert(pending.end(), it->second.begin(), it->second.end());
    if (frames >= maxFrames) pending.push_back(RendererMessage{kMsgClose, 0, 0});
  }
  void SuspendScreenSaver(bool suspend) override {
    calls.push_back(suspend ? "SuspendScreenSaver" : "ResumeScreenSaver");
  }
  bool PeekEvent(RendererMessage* m) override {
    if (pending.empty()) return false;
    *m = pending.front();
    pending.pop_front();
    return true;
  }
  bool QuitRequested() override { return signalAfterFrame >= 0 && frames >= signalAfterFrame; }
  void ShowErrorBox(const std::string& text) override { loader.ShowErrorBox(text); }
  LoaderPlatform& Loader() override { return loader; }

  FakeLoader loader;
  std::deque<RendererMessage> pending;
};
