#include "show_music.h"

#include "bgm_player.h"
#include "music_settings.h"
#include "sound_kind.h"

namespace qg::show {

ShowMusic::Watches ShowMusic::Start() {
  using namespace Wobblevista_BGM;
  Watches w;
  if (BgmKind == 1) {
    CdOpen();
    cdOpened_ = true;
    w.cd = true;  // the disc starts at the watch's first tick
  }
  if (BgmKind == 2) {
    switch (SoundFileKind(BgmFile)) {
      case SoundKind::Wav:
        WavPlay();  // loops by itself
        break;
      case SoundKind::Mp3:
        Mp3Play();
        w.mp3 = true;
        break;
      case SoundKind::Other:
        break;
    }
  }
  return w;
}

void ShowMusic::Stop() {
  using namespace Wobblevista_BGM;
  if (cdOpened_) {
    CdStop();
    cdOpened_ = false;
  }
  if (BgmKind == 2) {
    switch (SoundFileKind(BgmFile)) {
      case SoundKind::Wav:
        WavStop();
        break;
      case SoundKind::Mp3:
        Mp3Stop();
        break;
      case SoundKind::Other:
        break;
    }
  }
}

}  // namespace qg::show
