// A scripted music platform: answers each command as the test says
// (unscripted ones succeed with no reply) and logs every command and sound
// request in order.
#pragma once

#include <cstdio>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "bgm_platform.h"

namespace qgtest {

class ScriptedBgmPlatform : public Wobblevista_BGM::BgmPlatform {
 public:
  int32_t SendMciString(const std::string& command, char* reply, uint32_t capacity) override {
    sent.push_back(command);
    auto [code, text] = script[command];
    if (reply && capacity) std::snprintf(reply, capacity, "%s", text.c_str());
    return code;
  }
  bool GetMciErrorText(int32_t, char*, uint32_t) override { return false; }  // no test reads a failure's text
  bool PlaySound(const char* sound, uint32_t flags) override {
    sent.push_back(sound ? "PlaySound " + std::string(sound) + " " + std::to_string(flags) : "PlaySound stop");
    return true;
  }
  int32_t WaveOutDeviceCount() override { return devices; }

  std::map<std::string, std::pair<int32_t, std::string>> script;  // command: code, reply
  std::vector<std::string> sent;
  int32_t devices = 1;
};

}  // namespace qgtest
