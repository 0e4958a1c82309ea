// A scripted stand-in for the windowing system: it records every platform
// call in order, counts frames by their presentation, and hands out events
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

// The fake is all the platform's services in one object, so that one list
// records every call in order.
class FakePlatform final : public RendererPlatform,
                           public DisplayModeControl,
                           public DrawingTarget,
                           public EventSource {
 public:
  // What the fake answers.
  bool displayAvailable = true;
  bool modeReadable = true;
  bool modeSwitchAccepted = true;
  bool visualAvailable = true;
  bool windowCreatable = true;
  bool contextCreatable = true;
  // Events handed out once this many frames have been presented.
  std::map<int, std::vector<RendererMessage>> eventsAfterFrame;
  // A termination signal arrives after this many frames (-1: never).
  int signalAfterFrame = -1;
  // Safety stop so a faulty loop cannot spin for ever.
  int maxFrames = 10000;

  std::vector<std::string> calls;
  int frames = 0;

  // The platform.
  bool Connect(std::string* why) override {
    calls.push_back("Connect");
    if (!displayAvailable && why) *why = "no display";
    return displayAvailable;
  }
  void Disconnect() override { calls.push_back("Disconnect"); }
  DisplayModeControl& DisplayMode() override { return *this; }
  void SetCursorVisible(bool visible) override { calls.push_back(visible ? "ShowCursor" : "HideCursor"); }
  DrawingTarget& Target() override { return *this; }
  EventSource& Events() override { return *this; }
  void ShowErrorBox(const std::string& text) override { loader.ShowErrorBox(text); }
  LoaderPlatform& Loader() override { return loader; }

  // The display mode.
  bool ReadCurrent() override {
    calls.push_back("ReadDisplayMode");
    return modeReadable;
  }
  bool SwitchTo(int width, int height) override {
    calls.push_back("SwitchDisplayMode " + std::to_string(width) + "x" + std::to_string(height));
    return modeSwitchAccepted;
  }
  void Restore() override { calls.push_back("RestoreDisplayMode"); }

  // The drawing target.
  bool Open(const std::string& title, int w, int h, const PixelFormatRequest& r) override {
    calls.push_back("OpenTarget " + title + " " + std::to_string(w) + "x" + std::to_string(h) +
                    " rgba=" + std::to_string(r.rgba) + " double=" + std::to_string(r.doubleBuffer) +
                    " colour=" + std::to_string(r.colourBits) + " depth=" + std::to_string(r.depthBits));
    if (windowCreatable) pending.push_back(RendererMessage{kMsgPaint, 0, 0});  // a new window is exposed
    return windowCreatable;
  }
  bool HasPixelFormat() override {
    calls.push_back("HasPixelFormat");
    return visualAvailable;
  }
  void ClientSize(int* w, int* h) override {
    calls.push_back("ClientSize");
    *w = 1024;
    *h = 768;
  }
  void MarkPainted() override { calls.push_back("MarkPainted"); }
  void HoldOffScreenSaver(bool hold) override { calls.push_back(hold ? "HoldOffScreenSaver" : "AllowScreenSaver"); }
  void Close() override { calls.push_back("CloseTarget"); }
  bool CreateContext() override {
    calls.push_back("CreateContext");
    return contextCreatable;
  }
  void DestroyContext() override { calls.push_back("DestroyContext"); }
  void PresentFrame() override {
    calls.push_back("Present");
    ++frames;
    auto it = eventsAfterFrame.find(frames);
    if (it != eventsAfterFrame.end()) pending.insert(pending.end(), it->second.begin(), it->second.end());
    if (frames >= maxFrames) pending.push_back(RendererMessage{kMsgClose, 0, 0});
  }

  // The events; the signal comes as a quit behind what waits, once.
  bool Next(RendererMessage* m) override {
    if (pending.empty()) {
      if (signalGiven || signalAfterFrame < 0 || frames < signalAfterFrame) return false;
      signalGiven = true;
      *m = RendererMessage{kMsgQuit, 0, 0};
      return true;
    }
    *m = pending.front();
    pending.pop_front();
    return true;
  }
  intptr_t DefaultHandling(const RendererMessage& m) override {
    calls.push_back("Default " + std::to_string(m.message));
    return 77;
  }

  FakeLoader loader;
  std::deque<RendererMessage> pending;
  bool signalGiven = false;
};
