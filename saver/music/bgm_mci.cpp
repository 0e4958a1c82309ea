// The MCI helpers of the music player and the platform it talks to.
#include <cstring>
#include <vector>

#include "bgm_player.h"
#include "bgm_send.h"

namespace Wobblevista_BGM {

const char* const kNoCommandText = "コマンド文字列が指定されていません";
const char* const kNoErrorText = "Error (文字列が取れません)";

namespace {

// Stands in until a real platform is installed: nothing can be opened or
// played, and nothing is ever shown.
class SilentPlatform final : public BgmPlatform {
 public:
  int32_t SendMciString(const std::string&, char* reply, uint32_t capacity) override {
    if (reply && capacity) reply[0] = '\0';
    return 263;  // the device is not open or not recognised
  }
  bool GetMciErrorText(int32_t, char* text, uint32_t capacity) override {
    if (text && capacity) text[0] = '\0';
    return false;
  }
  bool PlaySound(const char*, uint32_t) override { return false; }
  int32_t WaveOutDeviceCount() override { return 0; }
};

SilentPlatform g_silent;
BgmPlatform* g_platform = nullptr;

// The text in a reply area up to its first NUL; the area is always
// terminated within its capacity, whatever the platform wrote.
std::string ReplyText(std::vector<char>& area) {
  area.back() = '\0';
  return std::string(area.data(), std::strlen(area.data()));
}

}  // namespace

void SetPlatform(BgmPlatform* platform) { g_platform = platform; }

BgmPlatform* CurrentPlatform() { return g_platform ? g_platform : &g_silent; }

int32_t SendWithoutReply(const std::string& command) {
  return CurrentPlatform()->SendMciString(command, nullptr, 0);
}

int32_t SendWithReply(const std::string& command, uint32_t capacity, std::string& reply) {
  std::vector<char> area(capacity + 1, '\0');
  int32_t code = CurrentPlatform()->SendMciString(command, area.data(), capacity);
  reply = ReplyText(area);
  return code;
}

int32_t MciSend(const std::string& command, std::string& reply) {
  if (command.empty()) {
    reply = kNoCommandText;
    return -1;
  }
  int32_t code = SendWithReply(command, kGeneralReplyCapacity, reply);
  if (code != 0) {
    std::vector<char> text(kErrorTextCapacity + 1, '\0');
    if (CurrentPlatform()->GetMciErrorText(code, text.data(), kErrorTextCapacity)) {
      reply = ReplyText(text);
    } else {
      reply = kNoErrorText;
    }
  }
  return code;
}

namespace {
std::string g_last_reply;  // the last reply of MciSend made for MciQuery
}

std::string MciQuery(const std::string& command) {
  int32_t code = MciSend(command, g_last_reply);
  if (code != 0) return "Error:" + std::to_string(code);
  return g_last_reply;
}

int32_t MciPlayRange(const std::string& device, const std::string& from, const std::string& to) {
  std::string command = "play " + device;
  if (!from.empty()) command += " from " + from;
  if (!to.empty()) command += " to " + to;
  std::string reply;
  return MciSend(command, reply);
}

}  // namespace Wobblevista_BGM
