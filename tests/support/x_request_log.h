// What the programs ask the test's X server, as the server's RECORD extension
// reports it: each request of a few kinds from every client that connects
// after the log starts (so never the test's own), with the server's time of
// it. A program's timer shows as requests at its pace, whatever the program's
// own idea of the time.
#pragma once

#include <X11/Xlib.h>
#include <X11/extensions/record.h>

#include <algorithm>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace qgtest {

class XRequestLog {
 public:
  struct Request {
    unsigned long time;    // server milliseconds
    int opcode;            // X_QueryTree, X_GetWindowAttributes, ... of <X11/Xproto.h>
    unsigned long window;  // the request's first argument
  };

  // Records the core requests with opcodes first to last.
  XRequestLog(const std::string& display, int first, int last) {
    control_ = XOpenDisplay(display.c_str());
    data_ = XOpenDisplay(display.c_str());
    if (!control_ || !data_) return;
    XRecordRange* range = XRecordAllocRange();
    range->core_requests.first = static_cast<unsigned char>(first);
    range->core_requests.last = static_cast<unsigned char>(last);
    XRecordClientSpec clients = XRecordFutureClients;
    context_ = XRecordCreateContext(control_, XRecordFromServerTime, &clients, 1, &range, 1);
    XFree(range);
    XSync(control_, False);
    if (context_) thread_ = std::thread([this] { XRecordEnableContext(data_, context_, &Take, XPointer(this)); });
  }
  ~XRequestLog() {
    if (thread_.joinable()) {
      XRecordDisableContext(control_, context_);
      XSync(control_, False);
      thread_.join();
      XRecordFreeContext(control_, context_);
    }
    if (data_) XCloseDisplay(data_);
    if (control_) XCloseDisplay(control_);
  }
  XRequestLog(const XRequestLog&) = delete;
  XRequestLog& operator=(const XRequestLog&) = delete;

  bool ok() const { return thread_.joinable(); }
  // The times of the requests of one kind about one window so far.
  std::vector<unsigned long> Times(int opcode, unsigned long window) {
    std::lock_guard<std::mutex> lock(mutex_);
    std::vector<unsigned long> times;
    for (const Request& r : requests_)
      if (r.opcode == opcode && r.window == window) times.push_back(r.time);
    return times;
  }

 private:
  static void Take(XPointer self, XRecordInterceptData* d) {
    auto* log = reinterpret_cast<XRequestLog*>(self);
    if (d->category == XRecordFromClient && d->data_len >= 2 && !d->client_swapped) {
      unsigned long window = 0;
      for (int i = 0; i < 4; ++i) window |= static_cast<unsigned long>(d->data[4 + i]) << (8 * i);
      std::lock_guard<std::mutex> lock(log->mutex_);
      log->requests_.push_back({d->server_time, d->data[0], window});
    }
    XRecordFreeData(d);
  }

  Display* control_ = nullptr;
  Display* data_ = nullptr;
  XRecordContext context_ = 0;
  std::thread thread_;
  std::mutex mutex_;
  std::vector<Request> requests_;
};

// The time between the ticks that made these requests (requests less than
// 30 ms apart are one tick): the median over all of them, so that neither a
// program's own look at start-up nor one late tick on a busy machine decides
// it; 0 with fewer than four ticks.
inline double TickMs(const std::vector<unsigned long>& times) {
  std::vector<unsigned long> ticks, gaps;
  for (unsigned long t : times)
    if (ticks.empty() || t - ticks.back() >= 30) ticks.push_back(t);
  for (size_t i = 1; i < ticks.size(); ++i) gaps.push_back(ticks[i] - ticks[i - 1]);
  if (gaps.size() < 3) return 0.0;
  std::nth_element(gaps.begin(), gaps.begin() + long(gaps.size() / 2), gaps.end());
  return double(gaps[gaps.size() / 2]);
}

}  // namespace qgtest
