// The audio CD: opened once, kept playing (the whole disc or one track) by a
// watch that runs every 200 ms and gives up for good at the first error.
#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>

#include "bgm_player.h"
#include "bgm_send.h"

namespace Wobblevista_BGM {

bool CdKeepWatching = false;

namespace {

bool ContainsErr(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
  return text.find("ERR") != std::string::npos;
}

// A track reply taken as a 16-bit number, rounded to the nearest (ties to
// even); false when it is not a number or out of range, which ends the tick.
bool TrackNumber(const std::string& text, int& number) {
  const char* begin = text.c_str();
  char* end = nullptr;
  double value = std::strtod(begin, &end);
  if (end == begin) return false;
  while (*end == ' ' || *end == '\t') ++end;
  if (*end != '\0' || !std::isfinite(value)) return false;
  value = std::nearbyint(value);
  if (value < -32768.0 || value > 32767.0) return false;
  number = static_cast<int>(value);
  return true;
}

}  // namespace

void CdOpen() {
  SendWithoutReply("open cdaudio");
  SendWithoutReply("set cdaudio time format tmsf");
}

void CdWatch() {
  CdKeepWatching = true;

  std::string current = MciQuery("status cdaudio current track");
  if (ContainsErr(current)) {
    CdKeepWatching = false;
    return;
  }
  std::string count = MciQuery("status cdaudio number of tracks");
  if (ContainsErr(count)) {
    CdKeepWatching = false;
    return;
  }
  std::string reply;
  SendWithReply("status cdaudio mode", kCdModeReplyCapacity, reply);
  std::string mode = reply.substr(0, 7);

  if (BgmRepeat == 0) {
    if (mode == "stopped") MciPlayRange("cdaudio", "", "");
    return;
  }

  int track = 0;
  if (!TrackNumber(current, track)) {
    CdKeepWatching = false;
    return;
  }
  if (mode == "stopped" || track != BgmRepeat) {
    std::string start = MciQuery("status cdaudio position track " + std::to_string(BgmRepeat));
    // A track beyond the disc's end answers with an error: playing from that
    // text would fail every tick for the whole show, so the watch ends here.
    if (ContainsErr(start)) {
      CdKeepWatching = false;
      return;
    }
    MciPlayRange("cdaudio", start, "");
  }
}

void CdStop() {
  SendWithoutReply("stop cdaudio");
  SendWithoutReply("close cdaudio");
}

}  // namespace Wobblevista_BGM
