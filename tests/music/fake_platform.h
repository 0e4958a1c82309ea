// A scripted stand-in for the platform: answers each command string as the
// test says and records everything the player sent.
#pragma once

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <deque>
#include <map>
#include <string>
#include <vector>

#include "bgm_platform.h"

namespace qgtest {

class FakePlatform : public Wobblevista_BGM::BgmPlatform {
 public:
  struct Sound {
    bool null_name;
    std::string name;
    uint32_t flags;
  };

  // The answer to a command; several answers are given out in turn, the
  // last one then stays. Unscripted commands succeed with an empty reply.
  void Script(const std::string& command, int32_t code, const std::string& reply = "") {
    script_[command].push_back({code, reply});
  }

  int32_t SendMciString(const std::string& command, char* reply, uint32_t capacity) override {
    sent.push_back(command);
    capacities.push_back(capacity);
    Reply a;
    auto it = script_.find(command);
    if (it != script_.end()) {
      a = {it->second.front().code, it->second.front().reply};
      if (it->second.size() > 1) it->second.pop_front();
    }
    if (reply && capacity) {
      if (raw_replies) {
        // A careless platform: fills the whole area and leaves no NUL.
        std::memset(reply, 'x', capacity);
      } else {
        size_t n = std::min<size_t>(a.reply.size(), capacity - 1);
        std::memcpy(reply, a.reply.data(), n);
        reply[n] = '\0';
      }
    }
    return a.code;
  }

  bool GetMciErrorText(int32_t code, char* text, uint32_t capacity) override {
    error_text_capacities.push_back(capacity);
    auto it = texts.find(code);
    if (it == texts.end()) return false;
    std::snprintf(text, capacity, "%s", it->second.c_str());
    return true;
  }

  bool PlaySound(const char* sound, uint32_t flags) override {
    sounds.push_back({sound == nullptr, sound ? sound : "", flags});
    return true;
  }

  int32_t WaveOutDeviceCount() override {
    ++device_count_asked;
    return devices;
  }

  std::vector<std::string> sent;
  std::vector<uint32_t> capacities;
  std::vector<uint32_t> error_text_capacities;
  std::vector<Sound> sounds;
  std::map<int32_t, std::string> texts;
  int32_t devices = 1;
  int device_count_asked = 0;
  bool raw_replies = false;

 private:
  struct Reply {
    int32_t code = 0;
    std::string reply;
  };
  std::map<std::string, std::deque<Reply>> script_;
};

}  // namespace qgtest
