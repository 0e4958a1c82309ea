// The MP3 file: opened as "MP3Play", played once, restarted by the watch.
#include "bgm_player.h"
#include "bgm_send.h"

namespace Wobblevista_BGM {

void Mp3Play() {
  if (SendWithoutReply("open \"" + BgmFile + "\" type MPEGVideo Alias MP3Play") == 0) {
    SendWithoutReply("play MP3Play");
  }
}

bool Mp3IsPlaying() {
  std::string mode;
  SendWithReply("status MP3Play mode", kMp3ModeReplyCapacity, mode);
  return mode.compare(0, 7, "playing") == 0;
}

void Mp3Watch() {
  if (Mp3IsPlaying()) return;
  SendWithoutReply("stop MP3Play");
  SendWithoutReply("play MP3Play from 0");
}

void Mp3Stop() {
  SendWithoutReply("stop MP3Play");
  SendWithoutReply("close MP3Play");
}

}  // namespace Wobblevista_BGM
